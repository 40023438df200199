/* product_reg_key_native_test.cpp - CProductRegKey on registry failures
 * that only the platform layer can stage: refused write access, a close
 * that fails, listings that fail at some indices or for ever, and deletion
 * on a machine of the 95/98 family. */
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ProductRegKey.h"
#include "lzport.h"
#include "testenv.h"

namespace {

const char kVersionPath[] = "SoftWare\\VEMO\\LzFault\\1.0";

class ProductRegKeyFaultTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lztest::RegSetSz(kVersionPath, "DIRECTORY", "C:\\Install")); }
    void TearDown() override
    {
        LzPortRegResetFaults();
        LzPortSetPlatform(VER_PLATFORM_WIN32_NT);
        lztest::RegDeleteTree("SoftWare\\VEMO\\LzFault");
    }
};

TEST_F(ProductRegKeyFaultTest, ReadableButNotWritableKeyExistsButCannotBeQueried)
{
    LzPortRegDenyWrite(kVersionPath, TRUE);
    CProductRegKey key("LzFault", "1.0");
    EXPECT_EQ(1, key.Exists());
    CString value = "unchanged";
    EXPECT_EQ(0, key.QueryString("DIRECTORY", value, ""));
    EXPECT_STREQ("unchanged", value);
    EXPECT_EQ(0, key.SetString("DIRECTORY", "C:\\Other"));
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyFaultTest, FailedCloseKeepsHandleForNextClose)
{
    CProductRegKey key("LzFault", "1.0");
    LzPortRegFailNextClose();
    EXPECT_EQ(1, key.Exists()) << "the open succeeded; only the close failed";
    EXPECT_EQ(1, key.Close()) << "the handle was kept and is closed now";
    EXPECT_EQ(0, key.Close());

    LzPortRegFailNextClose();
    CString value;
    EXPECT_EQ(1, key.QueryString("DIRECTORY", value, ""));
    EXPECT_STREQ("C:\\Install", value);
    EXPECT_EQ(1, key.Exists()) << "Exists closes the leftover handle first";
    EXPECT_EQ(0, key.Close());
}

TEST_F(ProductRegKeyFaultTest, EnumSubKeysSkipsFailedIndicesAndEnds)
{
    for (const char *n : {"k0", "k1", "k2", "k3"})
        ASSERT_TRUE(lztest::RegSetSz(std::string(kVersionPath) + "\\" + n, "v", "x"));
    struct {
        DWORD index;
        LONG error;
        BOOL forever;
        int expectedCount;
    } cases[] = {
        {1, ERROR_MORE_DATA, FALSE, 3}, /* a name too long: skipped, the rest listed */
        {2, ERROR_ACCESS_DENIED, FALSE, 3},
        {0, ERROR_MORE_DATA, TRUE, 0},   /* every index fails: the listing still ends */
        {2, ERROR_KEY_DELETED, TRUE, 2}, /* the key went away under the listing */
    };
    for (const auto &c : cases) {
        LzPortRegResetFaults();
        LzPortRegFailEnum(c.index, c.error, c.forever);
        CProductRegKey key("LzFault", "1.0");
        std::unique_ptr<CStringArray> list(key.EnumSubKeys());
        ASSERT_NE(nullptr, list) << c.index;
        EXPECT_EQ(c.expectedCount, list->GetSize()) << "index " << c.index << " error " << c.error;
        EXPECT_EQ(0, key.Close());
    }
}

TEST_F(ProductRegKeyFaultTest, DeleteSubKeyFollowsThePlatformFamily)
{
    ASSERT_TRUE(lztest::RegSetSz(std::string(kVersionPath) + "\\Sub", "v", "x"));
    CProductRegKey company("VEMO");
    EXPECT_EQ(0, company.DeleteSubKey("LzFault")) << "NT keeps a key that has sub-keys";
    EXPECT_TRUE(lztest::RegKeyExists(kVersionPath));

    ASSERT_TRUE(LzPortSetPlatform(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(1, company.DeleteSubKey("LzFault")) << "95/98 deletes the whole tree";
    EXPECT_FALSE(lztest::RegKeyExists("SoftWare\\VEMO\\LzFault"));
    EXPECT_TRUE(lztest::RegKeyExists("SoftWare\\VEMO"));
}

} // namespace
