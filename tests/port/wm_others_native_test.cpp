/* wm_others_native_test.cpp - other programs that a machine declares
 * running are seen by FindWindowA through their window classes. */
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "lzport.h"
#include "windows.h"

namespace {

TEST(OtherProgramsTest, DeclaredClassesAreFoundAsTopLevelWindows)
{
    std::string original = LzPortMachineDir();
    char dir[] = "/tmp/lzothers-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    FILE *ini = fopen((std::string(dir) + "/machine.ini").c_str(), "w");
    ASSERT_NE(nullptr, ini);
    fputs("platform=NT\nrunning=LZ7300_Explorer@vemo\nrunning=Other@Class\n", ini);
    fclose(ini);
    ASSERT_TRUE(LzPortUseMachine(dir));

    HWND explorer = FindWindowA("LZ7300_Explorer@vemo", NULL);
    EXPECT_NE(nullptr, explorer);
    EXPECT_FALSE(IsWindowVisible(explorer));
    EXPECT_EQ(nullptr, GetParent(explorer));
    EXPECT_NE(nullptr, FindWindowA("other@class", NULL)) << "class names compare without regard to case";
    EXPECT_EQ(nullptr, FindWindowA("LZ7300_MainWindow_Kep@vemo", NULL));
    EXPECT_EQ(explorer, FindWindowA("LZ7300_Explorer@vemo", NULL)) << "one window per class";

    DestroyWindow(explorer);
    DestroyWindow(FindWindowA("Other@Class", NULL));
    ASSERT_TRUE(LzPortUseMachine(original.c_str()));
    std::string cleanup = std::string("rm -rf ") + dir;
    EXPECT_EQ(0, system(cleanup.c_str()));
}

} // namespace
