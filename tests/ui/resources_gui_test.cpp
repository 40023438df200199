/* resources_gui_test.cpp - the compiled dialog templates as the system's
 * dialog manager uses them: built into windows with their texts, styles
 * and icon. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "resource_reader.h"

namespace {

using namespace lzres;

class DialogWindows : public testing::TestWithParam<const Dialog *> {};

/* The dialog manager builds the windows from the templates: captions and
 * control texts come back in code page 932, and the About box's icon
 * control finds the program icon. */
TEST_P(DialogWindows, BuildItsWindows)
{
    const Dialog &want = *GetParam();
    HWND dlg = CreateDialogParamA(
        GetModuleHandleA(NULL), MAKEINTRESOURCEA(want.id), NULL,
        [](HWND, UINT, WPARAM, LPARAM) CALLBACK -> INT_PTR { return FALSE; }, 0);
    ASSERT_TRUE(dlg != NULL) << GetLastError();
    char text[512];
    GetWindowTextA(dlg, text, sizeof text);
    EXPECT_STREQ(want.caption, text);
    EXPECT_EQ(want.style & WS_VISIBLE, (DWORD)GetWindowLongA(dlg, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(want.exStyle & WS_EX_APPWINDOW, (DWORD)GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    HWND child = GetWindow(dlg, GW_CHILD);
    for (size_t i = 0; i < want.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const Control &c = want.controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        ASSERT_TRUE(child != NULL);
        EXPECT_EQ(c.id, (int)(short)GetDlgCtrlID(child));
        EXPECT_EQ(Style{c.style}, Style{(DWORD)GetWindowLongA(child, GWL_STYLE)});
        if (c.text) {
            GetWindowTextA(child, text, sizeof text);
            EXPECT_STREQ(c.text, text);
        } else {
            EXPECT_TRUE(SendMessageA(child, STM_GETICON, 0, 0) != 0) << "no icon";
        }
    }
    EXPECT_TRUE(child == NULL) << "more controls than in the template";
    DestroyWindow(dlg);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogWindows, testing::Values(&kAboutBox, &kUninstallDialog), DialogName);

} // namespace
