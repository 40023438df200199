/* LateBound.h - functions of the system that Windows 95 or NT 4.0 lack,
 * looked up by name when they are needed: a program that imported them
 * would not load there at all. */
#ifndef LZ_LATEBOUND_H
#define LZ_LATEBOUND_H

#include <windows.h>

/* The function pszName of kernel32.dll as type PFN; null where the system
 * does not have it. */
template <class PFN> PFN KernelFunction(LPCSTR pszName)
{
    HMODULE hKernel = GetModuleHandleA("kernel32.dll");
    FARPROC pfn = hKernel != NULL ? GetProcAddress(hKernel, pszName) : NULL;
    /* through the generic function type, which converts to any other */
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfn));
}

#endif
