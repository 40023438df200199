/* wm_text.cpp - window texts, code page 932: kept by the default window
 * procedure (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH) and reached through
 * SetWindowTextA and GetWindowTextA. A text cut to a buffer never ends in
 * half a double-byte character. */
#include <ctype.h>

#include "cp932.h"
#include "wm_core.h"
#include "wm_text.h"

namespace lzport {

int CopyText(const std::string &text, LPSTR buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    size_t n = 0;
    while (n < text.size()) {
        size_t len = Cp932CharLen(reinterpret_cast<const unsigned char *>(text.c_str() + n));
        if (n + len > size - 1)
            break;
        n += len;
    }
    text.copy(buffer, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int AccessKey(const std::string &text)
{
    for (size_t at = 0; at + 1 < text.size();
         at += Cp932CharLen(reinterpret_cast<const unsigned char *>(text.c_str() + at))) {
        if (text[at] == '&') {
            if (text[at + 1] != '&')
                return toupper(static_cast<unsigned char>(text[at + 1]));
            ++at;
        }
    }
    return 0;
}

std::string TextFromUtf8(const char *utf8)
{
    std::string out;
    return Utf8ToCp932(utf8, out) ? out : std::string(utf8);
}

std::string ResourceNameText(LPCSTR name)
{
    /* "\xFF" and a 16-bit ordinal name a resource, not a text */
    if (name == nullptr || static_cast<unsigned char>(name[0]) == 0xFF)
        return std::string();
    return name;
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    if (CheckWnd(hWnd) == nullptr)
        return FALSE;
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (CheckWnd(hWnd) == nullptr)
        return 0;
    if (lpString == nullptr || nMaxCount <= 0)
        return 0;
    lpString[0] = '\0';
    return static_cast<int>(
        SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd)
{
    if (CheckWnd(hWnd) == nullptr)
        return 0;
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

} // extern "C"
