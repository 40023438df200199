/* icon_choice_test.cpp - which image of an icon group the system takes for
 * a size, on a screen of 32 bits per pixel: LookupIconIdFromDirectoryEx
 * over icon group resources built here, a table of groups, sizes and the
 * image chosen. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

/* One image of a group: its size (0 stands for 256), bits per pixel and
 * RT_ICON ordinal. */
struct Image {
    int width, height, bitCount, id;
};

/* An icon group resource: its header, then one 14-byte entry per image. */
std::vector<BYTE> Group(const std::vector<Image> &images)
{
    std::vector<BYTE> group = {0, 0, 1, 0, static_cast<BYTE>(images.size()), 0};
    for (const Image &i : images)
        for (int byte : {i.width, i.height, 0, 0, 1, 0, i.bitCount, 0, 40, 0, 0, 0, i.id, 0})
            group.push_back(static_cast<BYTE>(byte));
    return group;
}

TEST(IconChoice, TheClosestSizeThenTheClosestDepth)
{
    const struct {
        const char *why;
        std::vector<Image> images;
        int cx, cy;
        int chosen;
    } rows[] = {
        {"the size asked for, then the depth closest to the screen's",
         {{16, 16, 8, 1}, {32, 32, 4, 2}, {32, 32, 8, 3}, {48, 48, 32, 4}, {0, 0, 32, 5}},
         32,
         32,
         3},
        {"the program's own icon, large", {{32, 32, 8, 1}, {16, 16, 8, 2}}, 32, 32, 1},
        {"the program's own icon, small", {{32, 32, 8, 1}, {16, 16, 8, 2}}, 16, 16, 2},
        {"as far from the size both: the deeper colours", {{48, 48, 32, 4}, {16, 16, 8, 1}}, 32, 32, 4},
        {"as far from the size both, the other way round", {{16, 16, 8, 1}, {48, 48, 32, 4}}, 32, 32, 4},
        {"0 by 0 stands for 256 by 256", {{0, 0, 32, 5}, {16, 16, 8, 1}}, 32, 32, 1},
        {"the depth closest to 32 bits", {{32, 32, 4, 1}, {32, 32, 8, 2}, {32, 32, 24, 3}}, 32, 32, 3},
        {"the screen's own depth", {{32, 32, 24, 1}, {32, 32, 32, 2}}, 32, 32, 2},
        {"the size before the depth", {{31, 31, 32, 1}, {32, 32, 4, 2}}, 32, 32, 2},
        {"alike: the first", {{32, 32, 8, 1}, {32, 32, 8, 2}}, 32, 32, 1},
        {"as far above as below: the first", {{40, 40, 8, 1}, {24, 24, 8, 2}}, 32, 32, 1},
        {"as far below as above: the first", {{24, 24, 8, 1}, {40, 40, 8, 2}}, 32, 32, 1},
        {"width and height differences added up", {{20, 44, 8, 1}, {32, 10, 8, 2}}, 32, 32, 2},
        {"a size that is not square", {{32, 32, 8, 1}, {48, 16, 8, 2}}, 48, 16, 2},
        {"no images", {}, 32, 32, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        std::vector<BYTE> group = Group(row.images);
        EXPECT_EQ(row.chosen, LookupIconIdFromDirectoryEx(group.data(), TRUE, row.cx, row.cy, LR_DEFAULTCOLOR));
    }
}

} // namespace
