/* wm_support.h - helpers of the window system tests: a window class that
 * records the messages its windows get, and dialog templates built in
 * memory with any font and controls. Win32 calls only. */
#ifndef LZTEST_WM_SUPPORT_H
#define LZTEST_WM_SUPPORT_H

#include <windows.h>

#include <string>
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
    /* The messages of the log that are among `wanted`, in order. */
    static std::vector<UINT> Messages(const std::vector<UINT> &wanted, HWND only = NULL);
    static HWND Create(DWORD style, HWND parent = NULL, int id = 0, const char *text = "", int x = 0, int y = 0,
                       int cx = 100, int cy = 80);
    static const char *ClassName() { return "WmTestRecorder"; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
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

std::string Text(HWND hwnd);
std::string ClassOf(HWND hwnd);

} // namespace wmtest

#endif
