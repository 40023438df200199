/* cp932.cpp - code page 932 case mapping and conversion for the platform
 * layer. Case mapping follows the system's LCMAP_LOWERCASE on code page 932:
 * ASCII letters, and the double-byte letters that have case (full-width
 * Latin, Greek, Cyrillic, Roman numerals); kana and kanji have none. */
#include "cp932.h"

#include <iconv.h>

#include <mutex>

namespace lzport {

namespace {

/* Double-byte upper-case ranges and where their lower-case forms start. */
struct CaseRange {
    unsigned upperFirst;
    unsigned upperLast;
    unsigned lowerFirst;
};

const CaseRange kRanges[] = {
    {0x8260, 0x8279, 0x8281}, /* full-width A-Z -> a-z */
    {0x839F, 0x83B6, 0x83BF}, /* Greek capitals -> small letters */
    {0x8754, 0x875D, 0xFA40}, /* Roman numerals I-X (NEC row 13) -> i-x */
    {0xFA4A, 0xFA53, 0xFA40}, /* Roman numerals I-X (IBM extension) -> i-x */
};

/* Cyrillic: 33 capitals at 0x8440-0x8460; the small letters skip 0x847F,
 * which is not a valid trail byte. */
unsigned CyrillicLower(unsigned ch)
{
    unsigned i = ch - 0x8440;
    return i < 15 ? 0x8470 + i : 0x8480 + (i - 15);
}

unsigned CyrillicUpper(unsigned ch)
{
    if (ch >= 0x8470 && ch <= 0x847E)
        return 0x8440 + (ch - 0x8470);
    return 0x8440 + 15 + (ch - 0x8480);
}

bool Convert(const char *to, const char *from, std::string_view in, std::string &out)
{
    bool ascii = true;
    for (unsigned char c : in) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        out.assign(in.data(), in.size());
        return true;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        return false;
    std::string result;
    result.resize(in.size() * 3 + 4);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    char *dst = &result[0];
    size_t dstLeft = result.size();
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == (size_t)-1 || srcLeft != 0)
        return false;
    result.resize(result.size() - dstLeft);
    out.swap(result);
    return true;
}

} // namespace

unsigned Cp932ToLower(unsigned ch)
{
    if (ch < 0x100)
        return (ch >= 'A' && ch <= 'Z') ? ch + ('a' - 'A') : ch;
    if (ch >= 0x8440 && ch <= 0x8460)
        return CyrillicLower(ch);
    for (const CaseRange &r : kRanges) {
        if (ch >= r.upperFirst && ch <= r.upperLast)
            return r.lowerFirst + (ch - r.upperFirst);
    }
    return ch;
}

unsigned Cp932ToUpper(unsigned ch)
{
    if (ch < 0x100)
        return (ch >= 'a' && ch <= 'z') ? ch - ('a' - 'A') : ch;
    if ((ch >= 0x8470 && ch <= 0x847E) || (ch >= 0x8480 && ch <= 0x8491))
        return CyrillicUpper(ch);
    for (const CaseRange &r : kRanges) {
        unsigned count = r.upperLast - r.upperFirst;
        if (r.upperFirst == 0xFA4A)
            continue; /* the NEC form is the canonical capital */
        if (ch >= r.lowerFirst && ch <= r.lowerFirst + count)
            return r.upperFirst + (ch - r.lowerFirst);
    }
    return ch;
}

void Cp932LowerInPlace(char *s)
{
    unsigned char *p = reinterpret_cast<unsigned char *>(s);
    while (*p) {
        if (Cp932CharLen(p) == 2) {
            unsigned lower = Cp932ToLower((unsigned)p[0] << 8 | p[1]);
            p[0] = (unsigned char)(lower >> 8);
            p[1] = (unsigned char)lower;
            p += 2;
        } else {
            if (*p >= 'A' && *p <= 'Z')
                *p = (unsigned char)(*p + ('a' - 'A'));
            ++p;
        }
    }
}

std::string Cp932Lower(std::string_view s)
{
    std::string copy(s);
    Cp932LowerInPlace(&copy[0]);
    return copy;
}

int Cp932CompareNoCase(std::string_view a, std::string_view b)
{
    const unsigned char *pa = reinterpret_cast<const unsigned char *>(a.data());
    const unsigned char *pb = reinterpret_cast<const unsigned char *>(b.data());
    size_t ia = 0, ib = 0;
    while (ia < a.size() && ib < b.size()) {
        unsigned ca = pa[ia], cb = pb[ib];
        if (Cp932IsLead((unsigned char)ca) && ia + 1 < a.size()) {
            ca = ca << 8 | pa[ia + 1];
            ia += 2;
        } else {
            ia += 1;
        }
        if (Cp932IsLead((unsigned char)cb) && ib + 1 < b.size()) {
            cb = cb << 8 | pb[ib + 1];
            ib += 2;
        } else {
            ib += 1;
        }
        ca = Cp932ToLower(ca);
        cb = Cp932ToLower(cb);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (ia < a.size())
        return 1;
    if (ib < b.size())
        return -1;
    return 0;
}

bool Cp932ToUtf8(std::string_view in, std::string &out) { return Convert("UTF-8", "CP932", in, out); }

bool Utf8ToCp932(std::string_view in, std::string &out) { return Convert("CP932", "UTF-8", in, out); }

size_t Cp932CharCount(std::string_view text)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text.data());
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count)
        i += (Cp932IsLead(p[i]) && i + 1 < text.size()) ? 2 : 1;
    return count;
}

} // namespace lzport
