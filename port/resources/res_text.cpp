/* res_text.cpp - UTF-16 and code page 932, character by character, and
 * the system's conversion functions MultiByteToWideChar and
 * WideCharToMultiByte for the ANSI code page. */
#include "res_text.h"

#include <iconv.h>
#include <string.h>

#include <mutex>

#include "cp932.h"
#include "windows.h"

namespace lzport {

namespace {

/* One conversion of a few bytes through a shared iconv descriptor. */
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    /* Returns the number of bytes written, 0 when the input has no form. */
    size_t Convert(const char *in, size_t inLength, char *out, size_t outSize)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_cd == (iconv_t)-1)
            return 0;
        iconv(m_cd, NULL, NULL, NULL, NULL);
        char *src = const_cast<char *>(in), *dst = out;
        size_t srcLeft = inLength, dstLeft = outSize;
        if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) == (size_t)-1 || srcLeft != 0)
            return 0;
        return outSize - dstLeft;
    }

private:
    iconv_t m_cd;
    std::mutex m_mutex;
};

Converter &ToCp932()
{
    static Converter converter("CP932", "UTF-16LE");
    return converter;
}

Converter &FromCp932()
{
    static Converter converter("UTF-16LE", "CP932");
    return converter;
}

/* Single bytes that the system's table maps although the host's has no
 * character for them. */
bool SpecialByte(unsigned char c, WCHAR *out)
{
    switch (c) {
    case 0x80:
        *out = 0x0080;
        return true;
    case 0xA0:
        *out = 0xF8F0;
        return true;
    case 0xFD:
        *out = 0xF8F1;
        return true;
    case 0xFE:
        *out = 0xF8F2;
        return true;
    case 0xFF:
        *out = 0xF8F3;
        return true;
    default:
        return false;
    }
}

} // namespace

size_t Utf16UnitToCp932(WCHAR c, char out[2])
{
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c >= 0xD800 && c <= 0xDFFF)
        return 0; /* a surrogate alone has no form in any code page */
    char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return ToCp932().Convert(in, 2, out, 2);
}

size_t Cp932CharToUtf16(const char *s, size_t length, WCHAR *out, bool *valid)
{
    unsigned char c = static_cast<unsigned char>(s[0]);
    *valid = true;
    if (c < 0x80) {
        *out = c;
        return 1;
    }
    if (SpecialByte(c, out))
        return 1;
    /* a lead byte takes the next byte with it, whatever it is, unless the
     * text ends there */
    size_t n = (Cp932IsLead(c) && length > 1 && s[1] != '\0') ? 2 : 1;
    char utf16[2];
    if (FromCp932().Convert(s, n, utf16, sizeof utf16) == 2) {
        *out = static_cast<WCHAR>(static_cast<unsigned char>(utf16[0]) | (static_cast<unsigned char>(utf16[1]) << 8));
    } else {
        *out = kCp932DefaultUnicode;
        *valid = false;
    }
    return n;
}

std::u16string Cp932ToUtf16(std::string_view s)
{
    std::u16string result;
    for (size_t i = 0; i < s.size();) {
        WCHAR c;
        bool valid;
        i += Cp932CharToUtf16(s.data() + i, s.size() - i, &c, &valid);
        result.push_back(static_cast<char16_t>(c));
    }
    return result;
}

std::string Utf16ToCp932(std::u16string_view s)
{
    std::string result;
    for (char16_t c : s) {
        char bytes[2];
        size_t n = Utf16UnitToCp932(c, bytes);
        if (n == 0)
            result.push_back(kCp932DefaultChar);
        else
            result.append(bytes, n);
    }
    return result;
}

} // namespace lzport

namespace {

/* The ANSI code page and the code pages that name it here. */
bool IsAnsiCodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == 932;
}

const DWORD kMbFlags = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
const DWORD kWcFlags = WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

} // namespace

extern "C" {

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar)
{
    if (lpMultiByteStr == NULL || cbMultiByte == 0 || (lpWideCharStr == NULL && cchWideChar != 0) || cchWideChar < 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!IsAnsiCodePage(CodePage))
        return Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags & ~kMbFlags)
        return Fail(ERROR_INVALID_FLAGS);
    size_t length = cbMultiByte < 0 ? strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);

    int count = 0;
    for (size_t i = 0; i < length; ++count) {
        WCHAR c;
        bool valid;
        i += lzport::Cp932CharToUtf16(lpMultiByteStr + i, length - i, &c, &valid);
        if (!valid && (dwFlags & MB_ERR_INVALID_CHARS))
            return Fail(ERROR_NO_UNICODE_TRANSLATION);
        if (cchWideChar == 0)
            continue;
        if (count >= cchWideChar)
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        lpWideCharStr[count] = c;
    }
    return count;
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (lpWideCharStr == NULL || cchWideChar == 0 || (lpMultiByteStr == NULL && cbMultiByte != 0) || cbMultiByte < 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!IsAnsiCodePage(CodePage))
        return Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags & ~kWcFlags)
        return Fail(ERROR_INVALID_FLAGS);
    size_t length = 0;
    if (cchWideChar >= 0)
        length = static_cast<size_t>(cchWideChar);
    else {
        while (lpWideCharStr[length] != 0)
            ++length;
        ++length;
    }

    /* the replacement: the caller's character (one or two bytes) or the
     * code page's own */
    char fallback[2] = {lzport::kCp932DefaultChar, 0};
    size_t fallbackLength = 1;
    if (lpDefaultChar != NULL) {
        fallback[0] = lpDefaultChar[0];
        fallback[1] = lpDefaultChar[1];
        fallbackLength = (lzport::Cp932IsLead(static_cast<unsigned char>(fallback[0])) && fallback[1] != 0) ? 2 : 1;
    }
    BOOL usedDefault = FALSE;
    int count = 0;
    for (size_t i = 0; i < length; ++i) {
        char bytes[2];
        size_t n = lzport::Utf16UnitToCp932(lpWideCharStr[i], bytes);
        const char *out = bytes;
        if (n == 0) {
            usedDefault = TRUE;
            out = fallback;
            n = fallbackLength;
        }
        if (cbMultiByte != 0) {
            /* a double-byte character is never split at the end */
            if (count + static_cast<int>(n) > cbMultiByte)
                return Fail(ERROR_INSUFFICIENT_BUFFER);
            memcpy(lpMultiByteStr + count, out, n);
        }
        count += static_cast<int>(n);
    }
    if (lpUsedDefaultChar != NULL)
        *lpUsedDefaultChar = usedDefault;
    return count;
}

} // extern "C"
