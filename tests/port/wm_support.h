/* wm_support.h - helpers of the window system tests: a window class that
 * records the messages its windows get, dialog templates built in memory
 * with any font and controls, and small look-ups. Win32 calls only. */
#ifndef LZTEST_WM_SUPPORT_H
#define LZTEST_WM_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace wmtest {

/* One message a recording window got. */
struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

/* The class "WmTestRecorder": windows that log every message of interest
 * to Log() and pass them on to DefWindowProcA. */
class Recorder {
public:
    Recorder();
    ~Recorder();
    static std::vector<Seen> &Log();
    /* The messages of the log that are among `wanted` (all when it is
     * empty), in order; Sent() with the window and wParam of each. */
    static std::vector<UINT> Messages(const std::vector<UINT> &wanted, HWND only = NULL);
    static std::vector<std::tuple<HWND, UINT, WPARAM>> Sent(const std::vector<UINT> &wanted = {}, HWND only = NULL);
    static HWND Create(DWORD style, HWND parent = NULL, int id = 0, const char *text = "", int x = 0, int y = 0,
                       int cx = 100, int cy = 80);
    static const char *ClassName() { return "WmTestRecorder"; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

/* The fixture of tests that make recording windows. */
class RecorderTest : public testing::Test {
protected:
    Recorder m_recorder;
};

struct ControlDef {
    int id;
    WORD classAtom; /* 0x0080 button, 0x0082 static */
    DWORD style;
    short x, y, cx, cy;
    std::wstring text; /* ignored when ordinal is set */
    WORD ordinal = 0;  /* text as a resource ordinal */
};

const WORD kButtonAtom = 0x0080;
const WORD kStaticAtom = 0x0082;

/* A plain or extended dialog template with the font `face` at `points`
 * (no font record when points is 0). */
std::vector<WORD> DialogTemplate(bool extended, DWORD style, short x, short y, short cx, short cy,
                                 const std::wstring &caption, const std::vector<ControlDef> &controls, WORD points = 9,
                                 const std::wstring &face = L"MS Shell Dlg");

/* Runs the queue until it is empty, dispatching through IsDialogMessageA
 * for hDlg when given. */
void Pump(HWND hDlg = NULL);
/* A key pressed and let go, as the keyboard posts it to the focus. */
void Type(UINT vk);

std::string Text(HWND hwnd);
std::string ClassOf(HWND hwnd);
/* The rectangle `get` gives (GetWindowRect, GetClientRect), and a child's
 * rectangle in its parent's client area; {-1, -1, -1, -1} for none. */
RECT Rect(HWND hwnd, BOOL(WINAPI *get)(HWND, LPRECT));
RECT Placed(HWND child);

} // namespace wmtest

/* Rectangles and points as EXPECT_EQ compares and prints them. */
inline bool operator==(const RECT &a, const RECT &b) { return EqualRect(&a, &b) != FALSE; }
inline bool operator==(const POINT &a, const POINT &b) { return a.x == b.x && a.y == b.y; }
inline void PrintTo(const POINT &p, std::ostream *os) { *os << "{" << p.x << ", " << p.y << "}"; }
inline void PrintTo(const RECT &r, std::ostream *os)
{
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

#endif
