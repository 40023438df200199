/* registry_format_fuzz.cpp - arbitrary text through the reader of the
 * registry files (REGEDIT4 in UTF-8), read as the file of either hive.
 * Whatever it reads it must neither crash nor hang. A text it accepts must
 * come back as the same tree when written and read again, and writing that
 * tree again must give the same bytes. A text it refuses must be refused
 * at one of its lines. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <string_view>

#include "registry_format.h"

namespace {

using namespace lzport::reg;

const FILETIME kStamp = {0, 0};

void Fail(const char *what, std::string_view text)
{
    fprintf(stderr, "registry_format_fuzz: %s\n%.*s\n", what, (int)text.size(), text.data());
    abort();
}

bool SameValues(const Key &a, const Key &b)
{
    if (a.values.size() != b.values.size())
        return false;
    for (size_t i = 0; i < a.values.size(); ++i) {
        const Value &x = a.values[i], &y = b.values[i];
        if (x.name != y.name || x.type != y.type || x.data != y.data)
            return false;
    }
    return true;
}

/* The same names, values and sub-keys, in the same order. */
bool SameTree(const Key &a, const Key &b)
{
    if (a.name != b.name || !SameValues(a, b) || a.subkeys.size() != b.subkeys.size())
        return false;
    for (size_t i = 0; i < a.subkeys.size(); ++i) {
        if (!SameTree(*a.subkeys[i], *b.subkeys[i]))
            return false;
    }
    return true;
}

/* Lines of the text, the last one counted whether or not it ends. */
int LineCount(std::string_view text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return text.empty() || text.back() != '\n' ? lines + 1 : lines;
}

void Check(std::string_view text, const char *rootName)
{
    KeyPtr root;
    ParseError error;
    if (!ParseRegistry(text, rootName, kStamp, root, error)) {
        if (error.line < 1 || error.line > LineCount(text) || error.message.empty())
            Fail(("refused without naming one of its lines: line " + std::to_string(error.line)).c_str(), text);
        return;
    }
    std::string written = FormatRegistry(*root, rootName);
    KeyPtr again;
    if (!ParseRegistry(written, rootName, kStamp, again, error))
        Fail(("its own output refused: " + error.message + " at line " + std::to_string(error.line)).c_str(), written);
    if (!SameTree(*root, *again))
        Fail("read back as another tree", written);
    if (FormatRegistry(*again, rootName) != written)
        Fail("written differently the second time", written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view text(reinterpret_cast<const char *>(data), size);
    Check(text, "HKEY_LOCAL_MACHINE");
    Check(text, "HKEY_CURRENT_USER");
    return 0;
}
