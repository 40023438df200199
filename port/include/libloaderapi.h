/* libloaderapi.h - the kernel32 module and resource functions of the
 * native platform layer: the program's own module handle and file name,
 * and resource lookup. A native program image carries no resources yet, so
 * every lookup fails as it does for a module without a resource section. */
#ifndef LZPORT_LIBLOADERAPI_H
#define LZPORT_LIBLOADERAPI_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#define FindResource FindResourceA

#ifdef __cplusplus
}
#endif

#endif
