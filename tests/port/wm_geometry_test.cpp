/* wm_geometry_test.cpp - where windows are: the styles and frames of
 * each kind of window, moving and sizing with WM_MOVE and WM_SIZE,
 * mapping points, minimising and restoring, and the work area. Sizes are
 * those of the system's default metrics (caption 19, thin border 1,
 * dialog frame 3, sizing frame 4, sunken edge 2). */
#include <gtest/gtest.h>
#include <windows.h>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

class GeometryTest : public testing::Test {
protected:
    Recorder m_recorder;
};

struct FrameCase {
    const char *name;
    DWORD style, exStyle;
    DWORD kept; /* the style the window is made with */
    RECT frame; /* widths at the left, top, right and bottom */
};

/* Windows also derives WS_EX_WINDOWEDGE from the frame styles; nothing
 * looks at it, and it is left out of the comparison. */
TEST_F(GeometryTest, EachKindOfWindowKeepsItsStylesAndHasItsFrame)
{
    const DWORD clip = WS_CLIPSIBLINGS; /* top-level windows clip their siblings */
    const DWORD dialog = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const FrameCase cases[] = {
        {"plain pop-up", WS_POPUP, 0, WS_POPUP | clip, {0, 0, 0, 0}},
        {"caption", WS_POPUP | WS_CAPTION, 0, WS_POPUP | WS_CAPTION | clip, {3, 22, 3, 3}},
        {"dialog", dialog, WS_EX_DLGMODALFRAME, dialog | clip, {3, 22, 3, 3}},
        {"overlapped: always a caption", WS_OVERLAPPED, 0, WS_CAPTION | clip, {3, 22, 3, 3}},
        {"sizing frame and caption", WS_OVERLAPPEDWINDOW, 0, WS_OVERLAPPEDWINDOW | clip, {4, 23, 4, 4}},
        {"sunken edge", WS_POPUP, WS_EX_CLIENTEDGE, WS_POPUP | clip, {2, 2, 2, 2}},
        {"child with a border", WS_CHILD | WS_TABSTOP | WS_BORDER, 0, WS_CHILD | WS_TABSTOP | WS_BORDER, {1, 1, 1, 1}},
        {"child with a sunken edge", WS_CHILD, WS_EX_CLIENTEDGE, WS_CHILD, {2, 2, 2, 2}},
    };
    HWND parent = Recorder::Create(WS_POPUP);
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.name);
        RECT adjusted = {0, 0, 0, 0};
        EXPECT_TRUE(AdjustWindowRectEx(&adjusted, c.kept, FALSE, c.exStyle));
        RECT expected = {-c.frame.left, -c.frame.top, c.frame.right, c.frame.bottom};
        EXPECT_TRUE(EqualRect(&expected, &adjusted))
            << adjusted.left << "," << adjusted.top << "," << adjusted.right << "," << adjusted.bottom;

        bool child = (c.style & WS_CHILD) != 0;
        HWND hwnd =
            CreateWindowExA(c.exStyle, Recorder::ClassName(), "", c.style, 20, 30, 200, 100, child ? parent : NULL,
                            child ? reinterpret_cast<HMENU>(1) : NULL, GetModuleHandleA(NULL), NULL);
        EXPECT_EQ(static_cast<LONG>(c.kept), GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_EQ(static_cast<LONG>(c.exStyle), GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
        RECT client = {-1, -1, -1, -1};
        GetClientRect(hwnd, &client);
        EXPECT_TRUE(client.left == 0 && client.top == 0);
        EXPECT_EQ(200 - c.frame.left - c.frame.right, client.right);
        EXPECT_EQ(100 - c.frame.top - c.frame.bottom, client.bottom);
        DestroyWindow(hwnd);
    }
    DestroyWindow(parent);
}

TEST_F(GeometryTest, ChildrenArePlacedInTheParentsClientArea)
{
    HWND parent = Recorder::Create(WS_POPUP | WS_CAPTION, NULL, 0, "", 60, 40, 520, 440);
    HWND child = Recorder::Create(WS_CHILD, parent, 5, "", 10, 10, 50, 20);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(73, rect.left) << "60 + frame 3 + 10";
    EXPECT_EQ(72, rect.top) << "40 + frame 3 + caption 19 + 10";
    POINT pt = {0, 0};
    EXPECT_EQ(MAKELONG(73, 72), MapWindowPoints(child, NULL, &pt, 1));
    EXPECT_EQ(73, pt.x);
    EXPECT_EQ(72, pt.y);
    POINT back = {73, 72};
    EXPECT_TRUE(ScreenToClient(parent, &back));
    EXPECT_EQ(10, back.x);
    EXPECT_EQ(10, back.y);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, MapWindowPoints(reinterpret_cast<HWND>(0x12345), NULL, &pt, 1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    DestroyWindow(parent);
}

TEST_F(GeometryTest, MovingAndSizingSendWmMoveAndWmSizeForWhatChanged)
{
    HWND hwnd = Recorder::Create(WS_POPUP, NULL, 0, "", 10, 20, 100, 80);
    const struct {
        const char *name;
        int x, y, cx, cy;
        UINT flags;
        RECT expected;
        std::vector<UINT> messages;
    } cases[] = {
        {"move", 30, 40, 0, 0, SWP_NOSIZE, {30, 40, 130, 120}, {WM_MOVE}},
        {"size", 0, 0, 60, 50, SWP_NOMOVE, {30, 40, 90, 90}, {WM_SIZE}},
        {"both", 1, 2, 3, 4, 0, {1, 2, 4, 6}, {WM_MOVE, WM_SIZE}},
        {"negative size", 1, 2, -5, -5, SWP_NOMOVE, {1, 2, 1, 2}, {WM_SIZE}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Recorder::Log().clear();
        EXPECT_TRUE(SetWindowPos(hwnd, NULL, c.x, c.y, c.cx, c.cy, c.flags | SWP_NOZORDER | SWP_NOACTIVATE));
        RECT rect;
        GetWindowRect(hwnd, &rect);
        EXPECT_TRUE(EqualRect(&c.expected, &rect));
        EXPECT_EQ(c.messages, Recorder::Messages({WM_MOVE, WM_SIZE}, hwnd));
    }
    EXPECT_TRUE(MoveWindow(hwnd, 5, 6, 7, 8, TRUE));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    RECT expected = {5, 6, 12, 14};
    EXPECT_TRUE(EqualRect(&expected, &rect));
    DestroyWindow(hwnd);
}

TEST_F(GeometryTest, MinimisedWindowHasAnEmptyClientAreaAndComesBackWhereItWas)
{
    HWND hwnd = Recorder::Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, NULL, 0, "", 60, 40, 300, 200);
    RECT before;
    GetWindowRect(hwnd, &before);
    EXPECT_TRUE(ShowWindow(hwnd, SW_MINIMIZE)) << "was visible";
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT client = {-1, -1, -1, -1}, window;
    GetClientRect(hwnd, &client);
    RECT empty = {0, 0, 0, 0};
    EXPECT_TRUE(EqualRect(&empty, &client));
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(GetSystemMetrics(SM_CXMINIMIZED), window.right - window.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYMINIMIZED), window.bottom - window.top);
    EXPECT_NE(hwnd, GetFocus()) << "a minimised window has no focus";

    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsIconic(hwnd));
    GetWindowRect(hwnd, &window);
    EXPECT_TRUE(EqualRect(&before, &window));
    DestroyWindow(hwnd);
}

TEST_F(GeometryTest, ShowWindowGivesThePreviousVisibility)
{
    HWND parent = Recorder::Create(WS_POPUP);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, parent, 1);
    EXPECT_FALSE(IsWindowVisible(child)) << "its parent is hidden";
    EXPECT_FALSE(ShowWindow(parent, SW_SHOWNA));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(parent, SW_SHOWNA));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(ShowWindow(parent, SW_HIDE));
    DestroyWindow(parent);
}

TEST_F(GeometryTest, WorkAreaLiesOnTheScreen)
{
    RECT area = {-1, -1, -1, -1};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(0, area.left);
    EXPECT_EQ(0, area.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), area.right);
    EXPECT_LE(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(area.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, NULL, 0));
    EXPECT_EQ(32, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(32, GetSystemMetrics(SM_CYICON));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
}

} // namespace
