/* term_keys.h - key presses as the front ends hand them to the window
 * system, and their decoding from the bytes of a scripted session. */
#ifndef LZPORT_TERM_KEYS_H
#define LZPORT_TERM_KEYS_H

#include <functional>
#include <string>

#include "windows.h"

namespace lzport {

struct KeyPress {
    UINT vk = 0;
    bool shift = false;
    bool alt = false;
};

inline bool operator==(const KeyPress &a, const KeyPress &b)
{
    return a.vk == b.vk && a.shift == b.shift && a.alt == b.alt;
}

/* The key that types one character: Tab, Enter (CR or LF), Esc, Space,
 * letters (upper case with Shift) and digits. False for anything else. */
bool KeyFromChar(int ch, KeyPress &key);

/* A readable name of a key press ("Tab", "Shift+Tab", "Alt+Space", "F10",
 * "Up", "A"), for transcripts of scripted sessions. */
std::string KeyName(const KeyPress &key);

/* Reads key presses from a byte stream:
 *   "\t" Tab, "\x1b[Z" Shift-Tab, "\r" or "\n" Enter, "\x1b" Esc, " " Space,
 *   "\x1b[A" "\x1b[B" "\x1b[C" "\x1b[D" arrows (up, down, right, left),
 *   "\x1b " Alt-Space, "\x1b[21~" F10, "\x1b" and a letter or digit: that
 *   key with Alt; letters and digits as themselves.
 * Bytes and sequences that name no key are skipped. */
class ScriptKeyReader {
public:
    /* `next` gives the next byte, or -1 at the end of the input. */
    explicit ScriptKeyReader(std::function<int()> next) : m_next(std::move(next)) {}

    /* False at the end of the input. */
    bool Read(KeyPress &key);

private:
    int Get();
    bool ReadEscape(KeyPress &key);
    bool ReadControlSequence(KeyPress &key);

    std::function<int()> m_next;
    int m_pushed = -1;
    bool m_ended = false;
};

} // namespace lzport

#endif
