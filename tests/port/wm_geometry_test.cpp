/* wm_geometry_test.cpp - where windows are: frames for each kind of
 * window, moving and sizing with WM_MOVE and WM_SIZE, mapping points,
 * minimising and restoring, and the work area. Sizes are those of the
 * system's default metrics (caption 19, dialog frame 3, sizing frame 4). */
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
    RECT window; /* as created */
    SIZE client;
};

TEST_F(GeometryTest, ClientAreaIsTheWindowLessItsFrameAndCaption)
{
    const FrameCase cases[] = {
        {"plain pop-up", WS_POPUP, 0, {100, 100, 400, 300}, {300, 200}},
        {"pop-up with caption", WS_POPUP | WS_CAPTION, 0, {60, 40, 580, 480}, {514, 415}},
        {"modal frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, {0, 0, 100, 100}, {94, 75}},
        {"sizing frame", WS_OVERLAPPEDWINDOW, 0, {0, 0, 200, 100}, {192, 73}},
        {"bordered", WS_POPUP | WS_BORDER, 0, {10, 10, 30, 30}, {18, 18}},
        {"sunken edge", WS_POPUP, WS_EX_CLIENTEDGE, {0, 0, 50, 50}, {46, 46}},
    };
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = CreateWindowExA(c.exStyle, Recorder::ClassName(), "", c.style, c.window.left, c.window.top,
                                    c.window.right - c.window.left, c.window.bottom - c.window.top, NULL, NULL,
                                    GetModuleHandleA(NULL), NULL);
        RECT window = {}, client = {-1, -1, -1, -1};
        GetWindowRect(hwnd, &window);
        GetClientRect(hwnd, &client);
        EXPECT_TRUE(EqualRect(&c.window, &window));
        EXPECT_EQ(0, client.left);
        EXPECT_EQ(0, client.top);
        EXPECT_EQ(c.client.cx, client.right);
        EXPECT_EQ(c.client.cy, client.bottom);
        RECT adjusted = client;
        AdjustWindowRectEx(&adjusted, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
        EXPECT_EQ(window.right - window.left, adjusted.right - adjusted.left);
        EXPECT_EQ(window.bottom - window.top, adjusted.bottom - adjusted.top);
        DestroyWindow(hwnd);
    }
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
