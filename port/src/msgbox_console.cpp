/* msgbox_console.cpp - MessageBoxA on the native layer while it has no
 * window system: the box is written to standard error (UTF-8) and answered
 * with its default button, as an unattended console run needs. */
#include <stdio.h>

#include <string>

#include "cp932.h"
#include "windows.h"

namespace {

struct BoxType {
    const char *labels[3];
    int ids[3];
};

const BoxType kTypes[] = {
    {{"OK"}, {IDOK}},
    {{"OK", "Cancel"}, {IDOK, IDCANCEL}},
    {{"Abort", "Retry", "Ignore"}, {IDABORT, IDRETRY, IDIGNORE}},
    {{"Yes", "No", "Cancel"}, {IDYES, IDNO, IDCANCEL}},
    {{"Yes", "No"}, {IDYES, IDNO}},
    {{"Retry", "Cancel"}, {IDRETRY, IDCANCEL}},
};

std::string Utf8(LPCSTR text)
{
    std::string out;
    if (!text)
        return out;
    if (!lzport::Cp932ToUtf8(text, out))
        out = text;
    return out;
}

const char *IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return "stop";
    case MB_ICONQUESTION: return "question";
    case MB_ICONEXCLAMATION: return "exclamation";
    case MB_ICONASTERISK: return "information";
    default: return "none";
    }
}

} // namespace

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    UINT kind = type & MB_TYPEMASK;
    if (kind >= sizeof kTypes / sizeof kTypes[0]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const BoxType &box = kTypes[kind];
    UINT count = 0;
    while (count < 3 && box.labels[count])
        count++;
    UINT def = (type & MB_DEFMASK) >> 8;
    if (def >= count)
        def = 0;
    fprintf(stderr, "[%s] %s (%s icon) -> %s\n", Utf8(caption ? caption : "Error").c_str(), Utf8(text).c_str(),
            IconName(type), box.labels[def]);
    return box.ids[def];
}
