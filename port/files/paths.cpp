/* paths.cpp - the text of Windows paths: drive forms, the clean-up of ".",
 * "..", doubled separators and trailing dots and spaces, and the full path
 * that GetFullPathNameA reports. Separators are found character by
 * character, so a double-byte character whose trail byte is 0x5C is never
 * taken for a backslash. */
#include "paths.h"

#include <algorithm>

#include "cp932.h"
#include "windows.h"

namespace lzport {

namespace {

const size_t kRootLength = 3; /* "C:\" */

inline bool IsSep(unsigned char c) { return c == '\\' || c == '/'; }

inline bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

inline size_t CharLenAt(std::string_view s, size_t i)
{
    return (Cp932IsLead((unsigned char)s[i]) && i + 1 < s.size()) ? 2 : 1;
}

/* Splits `rest` (the text after the drive and its root, or a relative
 * path) into names and cleans them up the way the system does:
 *  - "." is dropped, ".." drops the name before it (or climbs above the
 *    working directory, for a relative path; at a root it stays there);
 *  - a name followed by a separator loses one trailing dot;
 *  - the last name loses all its trailing dots and spaces, and when nothing
 *    is left of it the path ends in a separator instead. */
void Collapse(std::string_view rest, WinPath &out)
{
    size_t i = 0;
    while (i < rest.size()) {
        if (IsSep((unsigned char)rest[i])) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < rest.size() && !IsSep((unsigned char)rest[i]))
            i += CharLenAt(rest, i);
        std::string_view name = rest.substr(start, i - start);
        bool hasSep = i < rest.size();
        out.trailingSep = hasSep;
        if (name == ".")
            continue;
        if (name == "..") {
            if (!out.names.empty())
                out.names.pop_back();
            else if (out.relative)
                ++out.up;
            continue;
        }
        if (hasSep && name.back() == '.')
            name.remove_suffix(1);
        out.names.push_back(name);
    }
    if (out.trailingSep || out.names.empty())
        return;
    std::string_view &last = out.names.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' '))
        last.remove_suffix(1);
    if (last.empty()) {
        out.names.pop_back();
        out.trailingSep = true;
    }
}

} // namespace

DWORD ParseWinPath(const char *path, WinPath &out)
{
    std::string_view s(path);
    out = WinPath();
    if (s.size() >= 2 && IsSep((unsigned char)s[0]) && IsSep((unsigned char)s[1]))
        return ERROR_PATH_NOT_FOUND; /* \\server\share and \\.\device: no network or devices here */
    if (!s.empty() && IsSep((unsigned char)s[0])) {
        /* rooted: the root of the working directory's drive */
        out.drive = Cwd().path[0];
        Collapse(s.substr(1), out);
        return ERROR_SUCCESS;
    }
    if (s.size() >= 2 && IsAsciiLetter((unsigned char)s[0]) && s[1] == ':') {
        out.drive = s[0];
        if (s.size() > 2 && IsSep((unsigned char)s[2])) {
            Collapse(s.substr(3), out);
            return ERROR_SUCCESS;
        }
        /* "X:name": relative to the working directory when that is on
         * drive X; the root of X otherwise (no per-drive directories). */
        std::string_view rest = s.substr(2);
        if (Cp932ToLower((unsigned char)s[0]) == Cp932ToLower((unsigned char)Cwd().path[0])) {
            out.relative = true;
            out.trailingSep = rest.empty(); /* "C:" is the working directory with its backslash */
        }
        Collapse(rest, out);
        return ERROR_SUCCESS;
    }
    out.relative = true;
    Collapse(s, out);
    return ERROR_SUCCESS;
}

std::string FullPathText(const WinPath &p, std::vector<size_t> *ends, size_t *filePart)
{
    std::string text;
    std::vector<size_t> nameEnds;
    if (p.relative) {
        const WorkingDir &w = Cwd();
        size_t keep = w.Depth() - std::min(p.up, w.Depth());
        text.assign(w.path, 0, keep ? w.ends[keep - 1] : kRootLength);
        nameEnds.assign(w.ends.begin(), w.ends.begin() + keep);
    } else {
        text = {p.drive, ':', '\\'};
    }
    for (std::string_view name : p.names) {
        if (!nameEnds.empty())
            text += '\\';
        text.append(name);
        nameEnds.push_back(text.size());
    }
    size_t last = std::string::npos;
    if (nameEnds.empty()) {
        /* a root keeps its backslash */
    } else if (p.trailingSep) {
        text += '\\';
    } else {
        last = nameEnds.size() >= 2 ? nameEnds[nameEnds.size() - 2] + 1 : kRootLength;
    }
    if (ends)
        ends->swap(nameEnds);
    if (filePart)
        *filePart = last;
    return text;
}

bool IsValidName(std::string_view name, bool wildcards)
{
    for (size_t i = 0; i < name.size(); i += CharLenAt(name, i)) {
        unsigned char c = (unsigned char)name[i];
        if (CharLenAt(name, i) == 2)
            continue;
        if (c < 0x20 || c == '<' || c == '>' || c == '|' || c == '"')
            return false;
        if (!wildcards && (c == '*' || c == '?'))
            return false;
    }
    return true;
}

} // namespace lzport
