/* wm_kernel.cpp - the kernel32 calls that the window system and its callers
 * lean on: the thread's id, sleeping, MulDiv's rounding and the "l" string
 * calls, whose case-blind comparison treats double-byte characters as
 * units. */
#include <limits.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "cp932.h"
#include "windows.h"

extern "C" {

DWORD WINAPI GetCurrentThreadId(void) { return static_cast<DWORD>(syscall(SYS_gettid)); }

VOID WINAPI Sleep(DWORD dwMilliseconds)
{
    struct timespec ts = {static_cast<time_t>(dwMilliseconds / 1000),
                          static_cast<long>(dwMilliseconds % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

/* nNumber * nNumerator / nDenominator, rounded half away from zero; -1
 * when the denominator is 0 or the result does not fit. */
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long product = static_cast<long long>(nNumber) * nNumerator;
    long long half = (nDenominator < 0 ? -static_cast<long long>(nDenominator) : nDenominator) / 2;
    bool negative = (product < 0) != (nDenominator < 0);
    long long magnitude = (product < 0 ? -product : product) + half;
    long long quotient = magnitude / (nDenominator < 0 ? -static_cast<long long>(nDenominator) : nDenominator);
    long long result = negative ? -quotient : quotient;
    if (result > INT_MAX || result < INT_MIN)
        return -1;
    return static_cast<int>(result);
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2)
{
    if (lpString1 == nullptr || lpString2 == nullptr)
        return lpString1 == lpString2 ? 0 : (lpString1 == nullptr ? -1 : 1);
    int order = lzport::Cp932CompareNoCase(lpString1, lpString2);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // extern "C"
