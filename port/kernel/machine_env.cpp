/* machine_env.cpp - ExpandEnvironmentStringsA over the machine's
 * environment. The native program reads nothing from its host's
 * environment: the variables are those every Windows machine has
 * (SystemRoot and windir, the Windows folder; SystemDrive, its drive) and
 * those that machine.ini sets ("environment=NAME=VALUE"). */
#include <string.h>

#include <string>

#include "cp932.h"
#include "machine.h"
#include "windows.h"

using namespace lzport;

namespace {

bool Lookup(const std::string &name, std::string &value)
{
    const Settings &s = CurrentSettings();
    /* the machine's own settings come last and win */
    for (auto it = s.environment.rbegin(); it != s.environment.rend(); ++it) {
        if (Cp932EqualNoCase(it->first, name)) {
            value = it->second;
            return true;
        }
    }
    if (Cp932EqualNoCase(name, "SystemRoot") || Cp932EqualNoCase(name, "windir")) {
        value = s.windowsDir;
        return true;
    }
    if (Cp932EqualNoCase(name, "SystemDrive") && s.windowsDir.size() >= 2 && s.windowsDir[1] == ':') {
        value = s.windowsDir.substr(0, 2);
        return true;
    }
    return false;
}

/* Each %NAME% of a known variable becomes its value; an unknown one, or a
 * '%' without a partner, stays as it is written. */
std::string Expand(const char *source)
{
    std::string out;
    const char *p = source;
    while (*p) {
        const char *close = *p == '%' ? strchr(p + 1, '%') : nullptr;
        if (close == nullptr) {
            out += *p++;
            continue;
        }
        std::string value;
        if (close > p + 1 && Lookup(std::string(p + 1, close), value))
            out += value;
        else
            out.append(p, close + 1);
        p = close + 1;
    }
    return out;
}

} // namespace

/* The count it gives is in characters, a double-byte one counting once, as
 * Wine counts them; the room in the buffer is in bytes. */
extern "C" DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize)
{
    std::string text = Expand(lpSrc != nullptr ? lpSrc : "");
    if (lpDst != nullptr && nSize > 0) {
        /* what fits is written, cut at a whole character */
        size_t room = nSize - 1 < text.size() ? nSize - 1 : text.size();
        size_t length = 0;
        while (length < room && length + Cp932CharLen((const unsigned char *)text.c_str() + length) <= room)
            length += Cp932CharLen((const unsigned char *)text.c_str() + length);
        memcpy(lpDst, text.data(), length);
        lpDst[length] = '\0';
    }
    if (nSize < text.size() + 1)
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return (DWORD)Cp932CharCount(text) + 1;
}
