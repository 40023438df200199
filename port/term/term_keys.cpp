/* term_keys.cpp - characters and scripted byte sequences to key presses. */
#include "term_keys.h"

#include <string>

namespace lzport {

bool KeyFromChar(int ch, KeyPress &key)
{
    key = KeyPress();
    if (ch >= 'a' && ch <= 'z') {
        key.vk = static_cast<UINT>(ch - 'a' + 'A');
    } else if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) {
        key.vk = static_cast<UINT>(ch);
        key.shift = ch >= 'A' && ch <= 'Z';
    } else {
        switch (ch) {
        case '\t':
            key.vk = VK_TAB;
            break;
        case '\r':
        case '\n':
            key.vk = VK_RETURN;
            break;
        case 0x1B:
            key.vk = VK_ESCAPE;
            break;
        case ' ':
            key.vk = VK_SPACE;
            break;
        default:
            return false;
        }
    }
    return true;
}

std::string KeyName(const KeyPress &key)
{
    std::string name = key.alt ? "Alt+" : "";
    if (key.shift && !(key.vk >= 'A' && key.vk <= 'Z'))
        name += "Shift+";
    switch (key.vk) {
    case VK_TAB:
        return name + "Tab";
    case VK_RETURN:
        return name + "Enter";
    case VK_ESCAPE:
        return name + "Esc";
    case VK_SPACE:
        return name + "Space";
    case VK_UP:
        return name + "Up";
    case VK_DOWN:
        return name + "Down";
    case VK_LEFT:
        return name + "Left";
    case VK_RIGHT:
        return name + "Right";
    case VK_F10:
        return name + "F10";
    default:
        break;
    }
    char ch = static_cast<char>(key.shift || !(key.vk >= 'A' && key.vk <= 'Z') ? key.vk : key.vk - 'A' + 'a');
    return name + ch;
}

int ScriptKeyReader::Get()
{
    if (m_pushed >= 0) {
        int ch = m_pushed;
        m_pushed = -1;
        return ch;
    }
    if (m_ended)
        return -1;
    int ch = m_next();
    m_ended = ch < 0;
    return ch;
}

bool ScriptKeyReader::ReadControlSequence(KeyPress &key)
{
    std::string params;
    int ch;
    while ((ch = Get()) >= 0 && !(ch >= 0x40 && ch <= 0x7E))
        params.push_back(static_cast<char>(ch));
    key = KeyPress();
    switch (ch) {
    case 'A':
        key.vk = VK_UP;
        break;
    case 'B':
        key.vk = VK_DOWN;
        break;
    case 'C':
        key.vk = VK_RIGHT;
        break;
    case 'D':
        key.vk = VK_LEFT;
        break;
    case 'Z':
        key.vk = VK_TAB;
        key.shift = true;
        break;
    case '~':
        key.vk = params == "21" ? VK_F10 : 0;
        break;
    default:
        break;
    }
    return key.vk != 0 && (params.empty() || ch == '~');
}

bool ScriptKeyReader::ReadEscape(KeyPress &key)
{
    int ch = Get();
    if (ch == '[')
        return ReadControlSequence(key);
    if (ch == ' ' || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) {
        KeyFromChar(ch, key);
        key.alt = true;
        return true;
    }
    m_pushed = ch;
    KeyFromChar(0x1B, key);
    return true;
}

bool ScriptKeyReader::Read(KeyPress &key)
{
    for (;;) {
        int ch = Get();
        if (ch < 0)
            return false;
        if (ch == 0x1B ? ReadEscape(key) : KeyFromChar(ch, key))
            return true;
    }
}

} // namespace lzport
