/* product_reg_key_test.cpp - CProductRegKey against the registry, Win32
 * only: runs natively and under Wine. Every test works below a product name
 * of its own and removes it afterwards. */
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ProductRegKey.h"
#include "testenv.h"

namespace {

class ProductRegKeyTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        m_product = "LzTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        m_productPath = "SoftWare\\VEMO\\" + m_product;
        m_versionPath = m_productPath + "\\1.0";
    }
    void TearDown() override { lztest::RegDeleteTree(m_productPath); }

    std::string m_product, m_productPath, m_versionPath;
};

TEST(ProductRegKeyPath, JoinsTextsAsGiven)
{
    struct {
        const char *product, *version, *expected;
    } cases[] = {
        {"LumeoZelcor", "1.0", "SoftWare\\VEMO\\LumeoZelcor\\1.0"},
        {"", "", "SoftWare\\VEMO\\\\"},
        {"a\\b", " 2 ", "SoftWare\\VEMO\\a\\b\\ 2 "},
    };
    for (const auto &c : cases) {
        CProductRegKey key(c.product, c.version);
        EXPECT_STREQ(c.expected, key.GetPath()) << c.product;
    }
    struct {
        const char *relative, *expected;
    } relatives[] = {
        {"VEMO", "SoftWare\\VEMO"},
        {"VEMO\\LumeoZelcor", "SoftWare\\VEMO\\LumeoZelcor"},
        {"Microsoft\\Windows\\CurrentVersion\\Uninstall", "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
        {"", "SoftWare\\"},
    };
    for (const auto &c : relatives) {
        CProductRegKey key(c.relative);
        EXPECT_STREQ(c.expected, key.GetPath()) << c.relative;
    }
}

TEST_F(ProductRegKeyTest, ExistsNeitherCreatesNorKeepsHandle)
{
    CProductRegKey key(m_product.c_str(), "1.0");
    EXPECT_EQ(0, key.Exists());
    EXPECT_FALSE(lztest::RegKeyExists(m_productPath));
    EXPECT_EQ(0, key.Close()) << "no handle may stay open";

    ASSERT_TRUE(lztest::RegSetSz(m_versionPath, "DIRECTORY", "C:\\X"));
    EXPECT_EQ(1, key.Exists());
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyTest, QueryStringCreatesMissingKeyWithDefault)
{
    CProductRegKey key(m_product.c_str(), "1.0");
    CString value = "before";
    EXPECT_EQ(1, key.QueryString("DIRECTORY", value, "C:\\Default"));
    EXPECT_STREQ("C:\\Default", value);
    std::string stored;
    DWORD type = 0xdeadbeef;
    ASSERT_TRUE(lztest::RegGetSz(m_versionPath, "DIRECTORY", stored, &type));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ("C:\\Default", stored);
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyTest, QueryStringOnExistingKeyWithoutValueChangesNothing)
{
    ASSERT_TRUE(lztest::RegSetSz(m_versionPath, "Other", "x"));
    CProductRegKey key(m_product.c_str(), "1.0");
    CString value = "unchanged";
    EXPECT_EQ(0, key.QueryString("DIRECTORY", value, "default"));
    EXPECT_STREQ("unchanged", value);
    EXPECT_FALSE(lztest::RegValueExists(m_versionPath, "DIRECTORY"));
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyTest, QueryStringAcceptsOnlyRegSz)
{
    struct {
        DWORD type;
        int expected;
    } cases[] = {{REG_SZ, 1}, {REG_EXPAND_SZ, 0}, {REG_BINARY, 0}, {REG_MULTI_SZ, 0}};
    for (const auto &c : cases) {
        ASSERT_TRUE(lztest::RegSetSz(m_versionPath, "V", "C:\\Text", c.type));
        CProductRegKey key(m_product.c_str(), "1.0");
        CString value = "unchanged";
        EXPECT_EQ(c.expected, key.QueryString("V", value, "")) << "type " << c.type;
        EXPECT_STREQ(c.expected ? "C:\\Text" : "unchanged", value) << "type " << c.type;
    }
    ASSERT_TRUE(lztest::RegSetDword(m_versionPath, "V", 0x005c3a43));
    CProductRegKey key(m_product.c_str(), "1.0");
    CString value = "unchanged";
    EXPECT_EQ(0, key.QueryString("V", value, ""));
    EXPECT_STREQ("unchanged", value);
}

TEST_F(ProductRegKeyTest, QueryStringReadsUpTo1024Bytes)
{
    struct {
        size_t textLength; /* the stored value holds this plus its NUL */
        int expected;
    } cases[] = {{0, 1}, {1, 1}, {1022, 1}, {1023, 1}, {1024, 0}, {4000, 0}};
    for (const auto &c : cases) {
        std::string text(c.textLength, 'x');
        ASSERT_TRUE(lztest::RegSetSz(m_versionPath, "V", text));
        CProductRegKey key(m_product.c_str(), "1.0");
        CString value = "unchanged";
        EXPECT_EQ(c.expected, key.QueryString("V", value, "default")) << c.textLength;
        EXPECT_STREQ(c.expected ? text.c_str() : "unchanged", value) << c.textLength;
        EXPECT_EQ(0, key.Close());
    }
}

TEST_F(ProductRegKeyTest, QueryStringStopsAtFirstNulOrAtByteCount)
{
    HKEY hKey;
    DWORD disp;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_versionPath.c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                                             NULL, &hKey, &disp));
    const char embedded[] = "C:\\A\0B";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, "Embedded", 0, REG_SZ, (const BYTE *)embedded, sizeof embedded));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, "Unterminated", 0, REG_SZ, (const BYTE *)"C:\\AB", 5));
    RegCloseKey(hKey);

    CProductRegKey key(m_product.c_str(), "1.0");
    CString value;
    EXPECT_EQ(1, key.QueryString("Embedded", value, ""));
    EXPECT_STREQ("C:\\A", value);
    EXPECT_EQ(4, value.GetLength());
    CString unterminated;
    EXPECT_EQ(1, key.QueryString("Unterminated", unterminated, ""));
    EXPECT_EQ(5, unterminated.GetLength());
    EXPECT_STREQ("C:\\AB", unterminated);
}

TEST_F(ProductRegKeyTest, SetStringStoresTextWithItsNul)
{
    CProductRegKey key(m_product.c_str(), "1.0");
    EXPECT_EQ(1, key.SetString("Empty", ""));
    EXPECT_EQ(1, key.SetString("Path", "C:\\ソフト\\表"));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_versionPath.c_str(), 0, KEY_READ, &hKey));
    BYTE data[64];
    DWORD cb = sizeof data, type = 0xdeadbeef;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "Empty", NULL, &type, data, &cb));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(1u, cb);
    EXPECT_EQ(0, data[0]);
    cb = sizeof data;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "Path", NULL, &type, data, &cb));
    EXPECT_EQ(strlen("C:\\ソフト\\表") + 1, cb);
    RegCloseKey(hKey);
}

TEST_F(ProductRegKeyTest, EnumSubKeysListsImmediateNames)
{
    CProductRegKey key(m_product.c_str(), "1.0");
    EXPECT_EQ(nullptr, key.EnumSubKeys()) << "missing key gives null";

    ASSERT_TRUE(lztest::RegSetSz(m_versionPath, "DIRECTORY", "C:\\X"));
    std::unique_ptr<CStringArray> empty(key.EnumSubKeys());
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, empty->GetSize());

    std::string longName(255, 'k');
    const std::string names[] = {"Alpha", "Beta\\Deep", "ソフト"};
    for (const std::string &n : names)
        ASSERT_TRUE(lztest::RegSetSz(m_versionPath + "\\" + n, "v", "x"));
    /* A whole path handed to an ANSI registry call must fit MAX_PATH, so the
     * longest name is made relative to its parent's handle. */
    HKEY hParent, hLong;
    DWORD disp;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_versionPath.c_str(), 0, KEY_ALL_ACCESS, &hParent));
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(hParent, longName.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hLong, &disp));
    RegCloseKey(hLong);
    RegCloseKey(hParent);
    std::unique_ptr<CStringArray> list(key.EnumSubKeys());
    ASSERT_NE(nullptr, list);
    std::vector<std::string> got;
    for (int i = 0; i < list->GetSize(); i++)
        got.push_back((LPCSTR)list->GetAt(i));
    std::sort(got.begin(), got.end());
    std::vector<std::string> expected = {"Alpha", "Beta", longName, "ソフト"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, got);
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyTest, DeleteSubKeyDeletesOnlyLeafSubKeys)
{
    CProductRegKey key(m_product.c_str(), "1.0");
    EXPECT_EQ(0, key.DeleteSubKey("Leaf")) << "own key missing";

    ASSERT_TRUE(lztest::RegSetSz(m_versionPath + "\\Leaf", "v", "x"));
    ASSERT_TRUE(lztest::RegSetSz(m_versionPath + "\\Branch\\Twig", "v", "x"));
    EXPECT_EQ(0, key.DeleteSubKey("NotThere"));
    EXPECT_EQ(0, key.Close());
    EXPECT_EQ(1, key.DeleteSubKey("leaf")) << "names compare without regard to case";
    EXPECT_FALSE(lztest::RegKeyExists(m_versionPath + "\\Leaf"));
    EXPECT_EQ(0, key.DeleteSubKey("Branch")) << "a key with sub-keys stays (NT)";
    EXPECT_TRUE(lztest::RegKeyExists(m_versionPath + "\\Branch\\Twig"));
    EXPECT_TRUE(lztest::RegKeyExists(m_versionPath)) << "the object's own key is never deleted";
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyTest, ListFromOneObjectDeletesThroughAnother)
{
    for (const char *n : {"a", "b", "c"})
        ASSERT_TRUE(lztest::RegSetSz(m_versionPath + "\\" + n, "v", "x"));
    CProductRegKey lister(m_product.c_str(), "1.0");
    std::unique_ptr<CStringArray> list(lister.EnumSubKeys());
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(3, list->GetSize());
    CProductRegKey deleter(m_product.c_str(), "1.0");
    for (int i = 0; i < list->GetSize(); i++)
        EXPECT_EQ(1, deleter.DeleteSubKey(list->GetAt(i)));
    std::unique_ptr<CStringArray> after(lister.EnumSubKeys());
    ASSERT_NE(nullptr, after);
    EXPECT_EQ(0, after->GetSize());
}

} // namespace
