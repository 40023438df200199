/* icon_images_gui_test.cpp - the compiled icon images made into icons by
 * the system's GDI: each image gives an icon of the size its group entry
 * names. GDI bitmaps are not part of the native layer, so this test runs
 * under Wine only. */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "resource.h"
#include "resource_reader.h"

namespace {

using namespace lzres;

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
