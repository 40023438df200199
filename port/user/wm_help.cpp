/* wm_help.cpp - WinHelpA: the native layer has no help viewer, so asking
 * for help fails as it does where none is installed. */
#include "windows.h"

extern "C" BOOL WINAPI WinHelpA(HWND, LPCSTR, UINT, ULONG_PTR)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
