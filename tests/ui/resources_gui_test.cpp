/* resources_gui_test.cpp - the compiled resources as the system's window
 * manager uses them: the dialog templates built into windows, and the icon
 * images made into icons. */
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

TEST(Resources, IconImagesMakeIconsOfTheirSize)
{
    std::vector<BYTE> group = ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_EQ(6u + 2 * 14, group.size());
    Reader r(group);
    r.Seek(6);
    for (int i = 0; i < 2; ++i) {
        BYTE size = (BYTE)r.Read(1);
        SCOPED_TRACE((int)size);
        r.Seek(r.Pos() + 7);
        DWORD bytes = r.Dword();
        WORD id = r.Word();
        std::vector<BYTE> image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(id));
        ASSERT_EQ(bytes, image.size());
        HICON icon = CreateIconFromResourceEx(image.data(), bytes, TRUE, 0x00030000, 0, 0, 0);
        ASSERT_TRUE(icon != NULL);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask;
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(size, mask.bmWidth);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

} // namespace
