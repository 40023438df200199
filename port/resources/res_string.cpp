/* res_string.cpp - LoadStringA: a string of the program's string tables.
 * Strings live in blocks of 16 (resource name id / 16 + 1), each string a
 * count of UTF-16 units followed by the units; the caller gets them in
 * code page 932. */
#include <stdint.h>

#include "res_image.h"
#include "res_text.h"

extern "C" {

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    if (cchBufferMax == 0)
        return -1;
    /* Windows writes through the pointer and faults; the fault is reported */
    if (lpBuffer == NULL) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    /* room for the text without its terminator; a negative size counts as
     * unbounded, as it does on Windows */
    size_t room = cchBufferMax < 0 ? SIZE_MAX : static_cast<size_t>(cchBufferMax) - 1;

    const lzport::ResEntry *block = NULL;
    DWORD error = lzport::FindResourceEntry(hInstance, lzport::ResKey::Ordinal(6 /* RT_STRING */),
                                            lzport::ResKey::Ordinal(static_cast<WORD>((LOWORD(uID) >> 4) + 1)),
                                            MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &block);
    size_t written = 0;
    if (error != 0)
        SetLastError(error);
    else {
        /* skip to the string; a table cut short holds nothing further */
        size_t units = block->size / 2, pos = 0;
        auto unit = [block](size_t i) {
            return static_cast<WCHAR>(block->data[2 * i] | (block->data[2 * i + 1] << 8));
        };
        for (UINT skip = uID & 0x0F; skip > 0 && pos < units; --skip)
            pos += 1 + unit(pos);
        size_t length = pos < units ? unit(pos) : 0;
        if (pos + 1 + length > units)
            length = 0;
        for (size_t i = 0; i < length; ++i) {
            char bytes[2];
            size_t n = lzport::Utf16UnitToCp932(unit(pos + 1 + i), bytes);
            if (n == 0) {
                bytes[0] = lzport::kCp932DefaultChar;
                n = 1;
            }
            if (n > room - written)
                break; /* a double-byte character is never split */
            for (size_t b = 0; b < n; ++b)
                lpBuffer[written++] = bytes[b];
        }
    }
    lpBuffer[written] = '\0';
    return static_cast<int>(written);
}

} // extern "C"
