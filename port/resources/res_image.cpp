/* res_image.cpp - reading the embedded compiled resources (a sequence of
 * resource headers, each followed by its data, all on 4-byte boundaries)
 * and finding a resource by type, name and language. */
#include "res_image.h"

#include <string.h>

#include <algorithm>

#include "cp932.h"
#include "lzport.h"
#include "res_icon.h"
#include "res_text.h"

/* The compiled resources, defined by the object library lzresources when
 * the program links it; weak, so that a program without resources links. */
extern "C" {
extern const unsigned char LzPortResourceImage[] __attribute__((weak));
extern const size_t LzPortResourceImageSize __attribute__((weak));
}

namespace lzport {

namespace {

/* The machine's user and system locale, whose language the loader tries
 * when no language is asked for. */
const WORD kLocaleLanguage = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);

/* Reads the fields of the image, failing (and staying failed) at the end. */
class ImageReader {
public:
    ImageReader(const BYTE *data, size_t size) : m_data(data), m_size(size), m_pos(0), m_ok(true) {}

    bool Ok() const { return m_ok; }
    size_t Pos() const { return m_pos; }
    size_t Left() const { return m_size - m_pos; }
    void Seek(size_t pos)
    {
        if (pos > m_size)
            m_ok = false;
        else
            m_pos = pos;
    }
    void Align4() { Seek((m_pos + 3) & ~static_cast<size_t>(3)); }

    DWORD Read(size_t bytes)
    {
        if (!m_ok || Left() < bytes) {
            m_ok = false;
            return 0;
        }
        DWORD value = 0;
        for (size_t i = 0; i < bytes; ++i)
            value |= static_cast<DWORD>(m_data[m_pos + i]) << (8 * i);
        m_pos += bytes;
        return value;
    }

    /* A type or name field: 0xFFFF and an ordinal, or a UTF-16 string. */
    ResKey Key()
    {
        ResKey key;
        WORD first = static_cast<WORD>(Read(2));
        if (first == 0xFFFF) {
            key.id = static_cast<WORD>(Read(2));
            return key;
        }
        key.named = true;
        for (WORD c = first; m_ok && c != 0; c = static_cast<WORD>(Read(2)))
            key.name.push_back(static_cast<char16_t>(c));
        return key;
    }

private:
    const BYTE *m_data;
    size_t m_size;
    size_t m_pos;
    bool m_ok;
};

bool KeyBefore(const ResKey &a, const ResKey &b)
{
    if (a.named != b.named)
        return a.named;
    return a.named ? a.name < b.name : a.id < b.id;
}

bool EntryBefore(const ResEntry &a, const ResEntry &b)
{
    if (!(a.type == b.type))
        return KeyBefore(a.type, b.type);
    if (!(a.name == b.name))
        return KeyBefore(a.name, b.name);
    return a.language < b.language;
}

/* The entries of the image; a malformed record ends the reading, keeping
 * the records before it. The first record of a compiled script is an
 * empty one that marks the format; records of type 0 are skipped. */
std::vector<ResEntry> ReadImage(const BYTE *image, size_t size)
{
    std::vector<ResEntry> entries;
    ImageReader r(image, size);
    while (r.Ok() && r.Left() >= 32) {
        size_t start = r.Pos();
        DWORD dataSize = r.Read(4);
        DWORD headerSize = r.Read(4);
        ResEntry entry;
        entry.type = r.Key();
        entry.name = r.Key();
        r.Align4();
        r.Read(4); /* DataVersion */
        r.Read(2); /* MemoryFlags */
        entry.language = static_cast<WORD>(r.Read(2));
        r.Read(4); /* Version */
        r.Read(4); /* Characteristics */
        if (!r.Ok() || headerSize < r.Pos() - start || headerSize > size - start ||
            dataSize > size - start - headerSize)
            break;
        entry.data = image + start + headerSize;
        entry.size = dataSize;
        r.Seek(start + headerSize + dataSize);
        r.Align4();
        bool duplicate = std::any_of(entries.begin(), entries.end(), [&](const ResEntry &e) {
            return e.type == entry.type && e.name == entry.name && e.language == entry.language;
        });
        if ((entry.type.named || entry.type.id != 0) && !duplicate)
            entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), EntryBefore);
    return entries;
}

/* The resources the program sees: its own, or an image a test put in
 * their place. */
struct ProgramImage {
    bool replaced = false;
    std::vector<ResEntry> replacement;
    const BYTE *bytes = nullptr; /* the replacement's own bytes */
    size_t size = 0;
};

ProgramImage &Image()
{
    static ProgramImage image;
    return image;
}

const std::vector<ResEntry> *ProgramResources()
{
    ProgramImage &image = Image();
    if (image.replaced)
        return &image.replacement;
    static const std::vector<ResEntry> embedded = &LzPortResourceImageSize != nullptr
                                                      ? ReadImage(LzPortResourceImage, LzPortResourceImageSize)
                                                      : std::vector<ResEntry>();
    return &LzPortResourceImageSize != nullptr ? &embedded : nullptr;
}

/* The ordinal that "#" and a decimal number name: blanks (a space or a
 * control character) before the number are passed over, one sign may lead
 * it, and its digits end at the first other character; without digits the
 * ordinal is 0. Anything outside 0 to 65535 is refused. */
DWORD OrdinalAfterHash(std::string_view text, WORD &id)
{
    auto blank = [](unsigned char c) { return c >= 1 && c <= ' '; };
    size_t at = 0;
    while (at < text.size() && blank(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    DWORD value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + static_cast<DWORD>(text[at] - '0');
        if (value > 0xFFFF)
            return ERROR_INVALID_PARAMETER;
    }
    if (negative && value != 0)
        return ERROR_INVALID_PARAMETER;
    id = static_cast<WORD>(value);
    return 0;
}

const int kNever = 1 << 16;

/* How readily the loader takes a resource in `offered` when `asked` was
 * asked for: the lower the better, kNever for not at all. A language asked
 * for is matched by itself, its primary language alone, or the neutral
 * language. With no language asked for (a neutral primary language), the
 * locale's language, its primary language alone and US English come next,
 * and then any other, the first by number. */
int LanguageRank(WORD asked, WORD offered)
{
    const WORD preferred[] = {
        asked,
        static_cast<WORD>(MAKELANGID(PRIMARYLANGID(asked), SUBLANG_NEUTRAL)),
        static_cast<WORD>(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)),
        kLocaleLanguage,
        static_cast<WORD>(MAKELANGID(PRIMARYLANGID(kLocaleLanguage), SUBLANG_NEUTRAL)),
        static_cast<WORD>(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
    };
    const bool anyWillDo = PRIMARYLANGID(asked) == LANG_NEUTRAL;
    const size_t considered = anyWillDo ? sizeof preferred / sizeof preferred[0] : 3;
    for (size_t rank = 0; rank < considered; ++rank) {
        if (preferred[rank] == offered)
            return static_cast<int>(rank);
    }
    return anyWillDo ? static_cast<int>(considered) : kNever;
}

} // namespace

const std::vector<ResEntry> *ModuleResources(HMODULE module)
{
    if (module != NULL && module != ProgramModule())
        return nullptr;
    return ProgramResources();
}

DWORD ResKeyFromArgument(LPCSTR argument, ResKey &key)
{
    key = ResKey();
    if (IS_INTRESOURCE(argument)) {
        key.id = LOWORD(reinterpret_cast<ULONG_PTR>(argument));
        return 0;
    }
    if (argument[0] == '#')
        return OrdinalAfterHash(argument + 1, key.id);
    std::string upper;
    for (const char *s = argument; *s != '\0';) {
        const unsigned char *c = reinterpret_cast<const unsigned char *>(s);
        size_t n = Cp932CharLen(c);
        unsigned ch = Cp932ToUpper(n == 2 ? (c[0] << 8 | c[1]) : c[0]);
        if (ch > 0xFF)
            upper.push_back(static_cast<char>(ch >> 8));
        upper.push_back(static_cast<char>(ch & 0xFF));
        s += n;
    }
    key.named = true;
    key.name = Cp932ToUtf16(upper);
    return 0;
}

DWORD FindResourceEntry(HMODULE module, const ResKey &type, const ResKey &name, WORD language, const ResEntry **entry)
{
    const std::vector<ResEntry> *entries = ModuleResources(module);
    if (entries == nullptr)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    auto ofType = [&](const ResEntry &e) { return e.type == type; };
    auto named = [&](const ResEntry &e) { return e.type == type && e.name == name; };
    auto first = std::find_if(entries->begin(), entries->end(), ofType);
    if (first == entries->end())
        return ERROR_RESOURCE_TYPE_NOT_FOUND;
    first = std::find_if(first, entries->end(), named);
    if (first == entries->end())
        return ERROR_RESOURCE_NAME_NOT_FOUND;
    auto last = std::find_if_not(first, entries->end(), named);

    /* the entries of a name are in the order of their languages' numbers,
     * so the first of equally ranked ones is the lowest number */
    auto best = std::min_element(first, last, [language](const ResEntry &a, const ResEntry &b) {
        return LanguageRank(language, a.language) < LanguageRank(language, b.language);
    });
    if (LanguageRank(language, best->language) == kNever)
        return ERROR_RESOURCE_LANG_NOT_FOUND;
    *entry = &*best;
    return 0;
}

DWORD FindResourceEntryA(HMODULE module, LPCSTR type, LPCSTR name, WORD language, const ResEntry **entry)
{
    ResKey typeKey, nameKey;
    DWORD error = ResKeyFromArgument(name, nameKey);
    if (error == 0)
        error = ResKeyFromArgument(type, typeKey);
    if (error == 0)
        error = FindResourceEntry(module, typeKey, nameKey, language, entry);
    return error;
}

const ResEntry *EntryFromHandle(HRSRC handle)
{
    const std::vector<ResEntry> *entries = ProgramResources();
    if (entries == nullptr)
        return nullptr;
    const ResEntry *entry = reinterpret_cast<const ResEntry *>(handle);
    for (const ResEntry &e : *entries) {
        if (&e == entry)
            return entry;
    }
    return nullptr;
}

} // namespace lzport

extern "C" void LzPortUseResourceImage(const void *image, size_t size)
{
    lzport::ProgramImage &program = lzport::Image();
    if (program.replaced)
        lzport::ForgetIconsIn(program.bytes, program.size);
    program.replaced = image != nullptr;
    program.bytes = static_cast<const BYTE *>(image);
    program.size = image != nullptr ? size : 0;
    program.replacement =
        image != nullptr ? lzport::ReadImage(static_cast<const BYTE *>(image), size) : std::vector<lzport::ResEntry>();
}
