/* uninstall_run_native_test.cpp - the uninstall run where only the native
 * platform layer can take the machine: a Windows 95/98 machine, a product
 * key that can be read but not written, and registry calls that fail in
 * the middle of the run. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ProductInfo.h"
#include "lzport.h"
#include "sample_install.h"
#include "support/uninstall_driver.h"
#include "testenv.h"

namespace {

using namespace uitest;
using e2e::GroupWidth;

/* The sample installation; the platform's faults and family are put back
 * before it is taken away. */
struct Sample {
    ~Sample()
    {
        LzPortRegResetFaults();
        LzPortSetPlatform(VER_PLATFORM_WIN32_NT);
        lztest::ForceRemoveTree(Group9x());
    }
    static std::string Group9x()
    {
        char windows[MAX_PATH];
        UINT n = GetWindowsDirectoryA(windows, sizeof windows);
        return std::string(windows, n) + "\\" + LZ_GROUP_9X;
    }
    lztest::Scratch scratch;
    e2e::SampleInstall install{scratch.Path()};
};

class UninstallRunNativeTest : public UninstallDialogTest {
protected:
    /* Runs the dialog: `beforeExecute` with the dialog open, then 実行, はい
     * and the result box `result`. */
    void Execute(const Box &result, void (*beforeExecute)() = nullptr)
    {
        CUninstallDlg dlg;
        EXPECT_EQ(IDOK, RunDialog(dlg, {OnUninstallDialog([beforeExecute](HWND hDlg) {
                                            if (beforeExecute)
                                                beforeExecute();
                                            Press(hDlg, IDOK);
                                        }),
                                        Answer(kConfirm, IDYES), Answer(result, IDOK)}));
    }
};

TEST_F(UninstallRunNativeTest, Windows9xTriesOnlyItsGroupAndDeletesTheProductTree)
{
    struct {
        bool group9x;
        const Box *result;
    } cases[] = {{true, &kAllRemoved}, {false, &kRemoved}};
    for (const auto &c : cases) {
        Sample sample;
        ASSERT_TRUE(sample.install.Create(GroupWidth::Full));
        if (c.group9x) {
            ASSERT_TRUE(lztest::MakeTree(Sample::Group9x(), {"ルメオ ゼルコアバージョン.lnk"}));
        }
        ASSERT_TRUE(LzPortSetPlatform(VER_PLATFORM_WIN32_WINDOWS));
        Execute(*c.result);
        EXPECT_FALSE(lztest::Exists(Sample::Group9x()));
        EXPECT_TRUE(lztest::IsDir(sample.install.Group(GroupWidth::Full))) << "the NT groups are never tried";
        EXPECT_FALSE(lztest::RegKeyExists(e2e::kProductKey)) << "the product key goes with its sub-keys";
        EXPECT_TRUE(lztest::RegKeyExists(e2e::kCompanyKey));
        EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
        EXPECT_FALSE(lztest::Exists(sample.install.InstallDir()));
    }
}

TEST_F(UninstallRunNativeTest, ProductKeyThatCannotBeWrittenCountsAsNotInstalled)
{
    Sample sample;
    ASSERT_TRUE(sample.install.Create());
    LzPortRegDenyWrite(e2e::kVersionKey, TRUE);
    CUninstallDlg dlg;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, {Answer(kNotInstalled, IDOK)}));
    LzPortRegDenyWrite(e2e::kVersionKey, FALSE);
    EXPECT_EQ(std::vector<std::string>(), sample.install.Missing());
}

TEST_F(UninstallRunNativeTest, RegistryFailuresDuringTheRun)
{
    struct {
        const char *name;
        void (*fault)();
        const Box *result;
        bool productKeyStays;
    } cases[] = {
        /* a close that fails once is tried again; nothing is lost */
        {"close fails", [] { LzPortRegFailNextClose(); }, &kAllRemoved, false},
        /* the first sub-key of the version key cannot be listed: it stays,
         * and with it the keys above, so the registry step is not counted */
        {"listing fails once", [] { LzPortRegFailEnum(0, ERROR_MORE_DATA, FALSE); }, &kRemoved, true},
        /* the listing fails for ever: the run still ends */
        {"listing fails for ever", [] { LzPortRegFailEnum(0, ERROR_MORE_DATA, TRUE); }, &kRemoved, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Sample sample;
        ASSERT_TRUE(sample.install.Create());
        Execute(*c.result, c.fault);
        LzPortRegResetFaults();
        EXPECT_EQ(c.productKeyStays, lztest::RegKeyExists(e2e::kProductKey));
        EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
        EXPECT_FALSE(lztest::Exists(sample.install.InstallDir()));
        EXPECT_FALSE(lztest::Exists(sample.install.Group(GroupWidth::Half)));
    }
}

} // namespace
