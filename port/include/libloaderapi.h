/* libloaderapi.h - the kernel32 module and resource functions of the
 * native platform layer: the program's own module handle and file name,
 * the functions a module exports (the program exports none), and the
 * program's resources, found, loaded and enumerated as in a
 * Windows image. A program without resources (one that does not link the
 * compiled resource script) fails every lookup as a module without a
 * resource section does. */
#ifndef LZPORT_LIBLOADERAPI_H
#define LZPORT_LIBLOADERAPI_H

#include "windef.h"
#include "winnls.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef BOOL(CALLBACK *ENUMRESLANGPROCA)(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage,
                                         LONG_PTR lParam);

typedef INT_PTR(WINAPI *FARPROC)(void);

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
BOOL WINAPI FreeResource(HGLOBAL hResData);
BOOL WINAPI EnumResourceLanguagesA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, ENUMRESLANGPROCA lpEnumFunc,
                                   LONG_PTR lParam);

#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define EnumResourceLanguages EnumResourceLanguagesA

#ifdef __cplusplus
}
#endif

#endif
