/* win95_resources_test.cpp - the compiled dialog templates ask for nothing
 * newer than Windows 95 and NT 4.0 offer: every dialog style, extended
 * style and control type is one those systems know. DS_FIXEDSYS is among
 * the newer ones: together with DS_SETFONT it is DS_SHELLFONT, the shell
 * font of Windows 2000 and later. The framework passes the templates to
 * the dialog manager unchanged. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "resource_reader.h"

namespace {

using namespace lzres;

/* Dialog styles of Windows 95 and NT 4.0 (the low word; the high word is
 * the window styles, all of them older): DS_ABSALIGN, DS_SYSMODAL,
 * DS_3DLOOK, DS_NOFAILCREATE, DS_LOCALEDIT, DS_SETFONT, DS_MODALFRAME,
 * DS_NOIDLEMSG, DS_SETFOREGROUND, DS_CONTROL, DS_CENTER, DS_CENTERMOUSE,
 * DS_CONTEXTHELP. Not DS_FIXEDSYS (0x0008) nor the bits above 0x2000. */
const DWORD kWin95DialogStyles = 0xFFFF0000 | 0x0001 | 0x0002 | 0x0004 | 0x0010 | 0x0020 | 0x0040 | 0x0080 | 0x0100 |
                                 0x0200 | 0x0400 | 0x0800 | 0x1000 | 0x2000;

/* Extended window styles up to WS_EX_APPWINDOW (0x00040000); WS_EX_LAYERED,
 * WS_EX_LAYOUTRTL, WS_EX_COMPOSITED, WS_EX_NOACTIVATE and the rest came
 * with Windows 98, 2000 and XP. */
const DWORD kWin95ExStyles = 0x0007F7FF & ~0x00000800;

/* Button types up to BS_OWNERDRAW (0x000B); the split buttons and command
 * links (0x000C to 0x000F) are Vista's. Static types up to SS_ETCHEDFRAME
 * (0x0012). */
const DWORD kLastWin95ButtonType = 0x000B;
const DWORD kLastWin95StaticType = 0x0012;

struct Seen {
    bool extended;
    DWORD style, exStyle;
    std::vector<WORD> classes;
    std::vector<DWORD> styles, exStyles;
};

/* Reads what the dialog manager acts on: the template's form and styles and
 * each control's class and styles. */
Seen ReadTemplate(int id)
{
    Seen seen = {};
    std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(id));
    if (bytes.empty()) {
        ADD_FAILURE() << "no dialog " << id;
        return seen;
    }
    Reader r(bytes);
    WORD version = r.Word(), signature = r.Word();
    seen.extended = signature == 0xFFFF;
    if (seen.extended) {
        EXPECT_EQ(1, version) << "dlgVer";
        r.Dword(); /* help id */
        seen.exStyle = r.Dword();
        seen.style = r.Dword();
    } else {
        r.Seek(0);
        seen.style = r.Dword();
        seen.exStyle = r.Dword();
    }
    WORD count = r.Word();
    r.Seek(r.Pos() + 8); /* x, y, cx, cy */
    r.NameOrOrdinal();   /* menu */
    r.NameOrOrdinal();   /* class */
    r.Text();            /* caption */
    if (seen.style & DS_SETFONT) {
        r.Word(); /* point size */
        if (seen.extended)
            r.Seek(r.Pos() + 4); /* weight, italic, character set */
        r.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        r.Align4();
        DWORD style, exStyle;
        if (seen.extended) {
            r.Dword(); /* help id */
            exStyle = r.Dword();
            style = r.Dword();
        } else {
            style = r.Dword();
            exStyle = r.Dword();
        }
        r.Seek(r.Pos() + 8); /* x, y, cx, cy */
        if (seen.extended)
            r.Dword();
        else
            r.Word();
        Reader::SzOrOrd cls = r.NameOrOrdinal();
        r.NameOrOrdinal(); /* text */
        WORD extra = r.Word();
        r.Seek(r.Pos() + extra);
        seen.classes.push_back(cls.ordinal);
        seen.styles.push_back(style);
        seen.exStyles.push_back(exStyle);
    }
    return seen;
}

class Win95Template : public testing::TestWithParam<const Dialog *> {};

TEST_P(Win95Template, UsesOnlyStylesWindows95Knows)
{
    Seen seen = ReadTemplate(GetParam()->id);
    ASSERT_EQ(GetParam()->controls.size(), seen.classes.size());
    EXPECT_EQ(Style{0}, Style{seen.style & ~kWin95DialogStyles}) << "dialog styles newer than Windows 95";
    EXPECT_EQ(Style{0}, Style{seen.exStyle & ~kWin95ExStyles}) << "extended styles newer than Windows 95";
    for (size_t i = 0; i < seen.classes.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(Style{0}, Style{seen.exStyles[i] & ~kWin95ExStyles});
        DWORD type = seen.styles[i] & 0x1F;
        if (seen.classes[i] == kButton)
            EXPECT_LE(type & 0x0F, kLastWin95ButtonType);
        else if (seen.classes[i] == kStatic)
            EXPECT_LE(type, kLastWin95StaticType);
        else
            ADD_FAILURE() << "a control of class " << seen.classes[i] << ", not a button or static";
    }
}

INSTANTIATE_TEST_SUITE_P(Dialog, Win95Template, testing::Values(&kAboutBox, &kUninstallDialog), DialogName);

/* WS_EX_LAYERED (Windows 2000) and WS_EX_NOACTIVATE (Windows 2000), by
 * value: the platform layer's headers leave them out. */
const DWORD kLayered = 0x00080000, kNoActivate = 0x08000000;

/* The check itself on styles newer than Windows 95: the shell font, a
 * layered window, one that is never activated. */
TEST(Win95Styles, ShellFontAndLayeredWindowAreNewer)
{
    EXPECT_NE(0u, (DWORD)(DS_SETFONT | DS_FIXEDSYS) & ~kWin95DialogStyles);
    EXPECT_NE(0u, kLayered & ~kWin95ExStyles);
    EXPECT_NE(0u, kNoActivate & ~kWin95ExStyles);
    EXPECT_EQ(0u, (DWORD)(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT) & ~kWin95ExStyles);
    EXPECT_EQ(0u, (DWORD)(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION) & ~kWin95DialogStyles);
}

/* GetVersionExA takes the 148-byte OSVERSIONINFOA on every Windows; the
 * larger OSVERSIONINFOEXA fails on Windows 95 and NT 4.0 before SP6. */
TEST(Win95Styles, VersionInfoIsTheStructureEveryWindowsTakes)
{
    static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA is 148 bytes");
    OSVERSIONINFOA info;
    memset(&info, 0xcc, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_TRUE(info.dwPlatformId == VER_PLATFORM_WIN32_NT || info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
}

} // namespace
