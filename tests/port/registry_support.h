/* registry_support.h - what the registry tests share: sentinels, key and
 * value helpers, and the fixture that gives each test a key of its own
 * below SoftWare\LzPortTest of HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER,
 * removed afterwards, so that the tests run against Wine's registry too. */
#ifndef LZTEST_REGISTRY_SUPPORT_H
#define LZTEST_REGISTRY_SUPPORT_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testenv.h"

namespace lzreg {

const HKEY kSentinelKey = (HKEY)(ULONG_PTR)0xdeadbeef;
const DWORD kSentinel = 0xdeadbeef;
const BYTE kFill = 0xbd;

inline HKEY CreateKey(HKEY parent, const std::string &name, DWORD *disposition = nullptr, REGSAM sam = KEY_ALL_ACCESS)
{
    HKEY key = kSentinelKey;
    DWORD disp = kSentinel;
    LONG rc = RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, sam, nullptr, &key, &disp);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "creating " << name;
    if (disposition)
        *disposition = disp;
    return rc == ERROR_SUCCESS ? key : nullptr;
}

inline HKEY OpenKey(HKEY parent, const std::string &name, REGSAM sam = KEY_ALL_ACCESS)
{
    HKEY key = kSentinelKey;
    LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, sam, &key);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "opening " << name;
    return rc == ERROR_SUCCESS ? key : nullptr;
}

inline std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD length = sizeof name;
        LONG rc = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            return names;
        }
        EXPECT_EQ(strlen(name), length);
        names.push_back(name);
    }
}

inline LONG SetBytes(HKEY key, const char *name, DWORD type, const std::string &data)
{
    return RegSetValueExA(key, name, 0, type, (const BYTE *)data.data(), (DWORD)data.size());
}

/* The value's type and bytes, a NUL shown as "|"; or "missing". */
inline std::string Stored(HKEY key, const char *name)
{
    char data[256];
    DWORD type = kSentinel, size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &type, (BYTE *)data, &size) != ERROR_SUCCESS)
        return "missing";
    std::string shown = std::to_string(type) + ":";
    for (DWORD i = 0; i < size; ++i)
        shown.push_back(data[i] == '\0' ? '|' : data[i]);
    return shown;
}

/* `count` copies of `text`. */
inline std::string Repeat(const char *text, int count)
{
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

class RegistryTest : public testing::TestWithParam<HKEY> {
protected:
    void SetUp() override
    {
        static unsigned counter = 0;
        m_path = "SoftWare\\LzPortTest\\" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        lztest::RegDeleteTree(m_path, m_root);
        m_key = CreateKey(m_root, m_path);
        ASSERT_NE(nullptr, m_key);
    }

    void TearDown() override
    {
        RegCloseKey(m_key);
        lztest::RegDeleteTree(m_path, m_root);
        RegDeleteKeyA(m_root, "SoftWare\\LzPortTest"); /* refused while other runs use it */
    }

    bool Exists(const std::string &relative) const { return lztest::RegKeyExists(Below(relative), m_root); }
    bool SetSz(const std::string &relative, const char *name, const std::string &value) const
    {
        return lztest::RegSetSz(Below(relative), name, value, REG_SZ, m_root);
    }
    bool GetSz(const std::string &relative, const char *name, std::string &value) const
    {
        return lztest::RegGetSz(Below(relative), name, value, nullptr, m_root);
    }
    bool ValueExists(const std::string &relative, const char *name) const
    {
        return lztest::RegValueExists(Below(relative), name, m_root);
    }
    /* The path of a key below the test's own key ("" for that key). */
    std::string Below(const std::string &relative) const
    {
        return relative.empty() ? m_path : m_path + "\\" + relative;
    }

    const HKEY m_root = GetParam();
    std::string m_path;
    HKEY m_key = nullptr;
};

inline std::string RootName(const testing::TestParamInfo<HKEY> &info)
{
    return info.param == HKEY_LOCAL_MACHINE ? "LocalMachine" : "CurrentUser";
}

} // namespace lzreg

#define LZREG_ON_EVERY_ROOT(suite)                                                                                     \
    INSTANTIATE_TEST_SUITE_P(Roots, suite, testing::Values(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER), lzreg::RootName)

#endif
