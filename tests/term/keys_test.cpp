/* keys_test.cpp - key presses decoded from the bytes of a scripted session. */
#include <gtest/gtest.h>

#include "term_keys.h"

namespace {

/* Every key press in `bytes`, read to the end. */
std::vector<lzport::KeyPress> ReadAll(const std::string &bytes)
{
    size_t at = 0;
    lzport::ScriptKeyReader reader([&] { return at < bytes.size() ? static_cast<unsigned char>(bytes[at++]) : -1; });
    std::vector<lzport::KeyPress> keys;
    lzport::KeyPress key;
    while (reader.Read(key))
        keys.push_back(key);
    EXPECT_EQ(bytes.size(), at) << "the reader stops only at the end of the input";
    return keys;
}

std::vector<std::string> Decode(const std::string &bytes)
{
    std::vector<std::string> names;
    for (const lzport::KeyPress &key : ReadAll(bytes))
        names.push_back(lzport::KeyName(key));
    return names;
}

TEST(ScriptKeys, Sequences)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> keys;
    } cases[] = {
        {"\t\x1b[Z", {"Tab", "Shift+Tab"}},
        {"\r\n", {"Enter", "Enter"}},
        {" ", {"Space"}},
        {"\x1b[A\x1b[B\x1b[C\x1b[D", {"Up", "Down", "Right", "Left"}},
        {"\x1b \x1b[21~", {"Alt+Space", "F10"}},
        {"yN7", {"y", "N", "7"}},
        {"\x1by", {"Alt+y"}},
        /* Esc alone: at the end, or before a byte that makes no Alt key */
        {"\x1b", {"Esc"}},
        {"\x1b\x1b", {"Esc", "Esc"}},
        {"\x1b\t", {"Esc", "Tab"}},
        {"\x1b\r", {"Esc", "Enter"}},
        /* bytes and sequences that name no key are passed over */
        {"\x01.-\x7f\xff", {}},
        {"\x1b[15~\t", {"Tab"}},
        {"\x1b[1;5A\t", {"Tab"}},
        {"\x1b[", {}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.keys, Decode(c.bytes)) << testing::PrintToString(c.bytes);
}

TEST(ScriptKeys, WhatEachKeyPosts)
{
    struct Case {
        std::string bytes;
        UINT vk;
        bool shift, alt;
    } cases[] = {
        {"\t", VK_TAB, false, false},
        {"\x1b[Z", VK_TAB, true, false},
        {"\n", VK_RETURN, false, false},
        {"\x1b", VK_ESCAPE, false, false},
        {" ", VK_SPACE, false, false},
        {"\x1b ", VK_SPACE, false, true},
        {"\x1b[21~", VK_F10, false, false},
        {"\x1b[A", VK_UP, false, false},
        {"\x1b[D", VK_LEFT, false, false},
        {"a", 'A', false, false},
        {"A", 'A', true, false},
        {"\x1b"
         "a",
         'A', false, true},
        {"5", '5', false, false},
    };
    for (const Case &c : cases) {
        std::vector<lzport::KeyPress> keys = ReadAll(c.bytes);
        ASSERT_EQ(1u, keys.size()) << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.vk, keys[0].vk) << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.shift, keys[0].shift) << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.alt, keys[0].alt) << testing::PrintToString(c.bytes);
    }
}

} // namespace
