/* gui_driver.h - what the window tests need to act as a user: dialog
 * templates built in memory, and a script of steps run from a thread timer
 * while a modal dialog or message box holds the thread. */
#ifndef LZTEST_GUI_DRIVER_H
#define LZTEST_GUI_DRIVER_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"

namespace guitest {

/* ---- dialog templates ---- */

struct ControlDef {
    WORD id;
    WORD classAtom; /* 0x0080 button, 0x0082 static */
    DWORD style;
    short x, y, cx, cy;
    std::string text; /* ASCII */
};

const WORD kButton = 0x0080;
const WORD kStatic = 0x0082;

/* A dialog template, plain (DLGTEMPLATE) or extended (DLGTEMPLATEEX),
 * with an ASCII caption, the font "MS Shell Dlg" 8 and the given controls.
 * The words are kept DWORD-aligned, as the dialog manager needs. */
class DialogTemplate {
public:
    DialogTemplate(bool extended, DWORD style, short x, short y, short cx, short cy,
                   const std::vector<ControlDef> &controls)
    {
        style |= DS_SETFONT;
        if (extended) {
            Word(1);
            Word(0xFFFF);
            Dword(0); /* help id */
            Dword(0); /* extended style */
            Dword(style);
        } else {
            Dword(style);
            Dword(0);
        }
        Word(static_cast<WORD>(controls.size()));
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0); /* no menu */
        Word(0); /* the standard dialog class */
        Text("Framework test");
        Word(8);
        if (extended) {
            Word(FW_NORMAL);
            Word(static_cast<WORD>(DEFAULT_CHARSET << 8)); /* italic 0, character set */
        }
        Text("MS Shell Dlg");
        for (const ControlDef &control : controls) {
            Align();
            if (extended) {
                Dword(0); /* help id */
                Dword(0);
                Dword(control.style);
            } else {
                Dword(control.style);
                Dword(0);
            }
            Word(static_cast<WORD>(control.x));
            Word(static_cast<WORD>(control.y));
            Word(static_cast<WORD>(control.cx));
            Word(static_cast<WORD>(control.cy));
            if (extended)
                Dword(control.id);
            else
                Word(control.id);
            Word(0xFFFF);
            Word(control.classAtom);
            Text(control.text);
            Word(0); /* no creation data */
        }
        Align();
    }

    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    std::vector<WORD> m_words;

    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::string &text)
    {
        for (char c : text)
            Word(static_cast<WORD>(static_cast<unsigned char>(c)));
        Word(0);
    }
    void Align()
    {
        if (m_words.size() % 2)
            Word(0);
    }
};

/* ---- scripts ---- */

/* One step of a script: true when done, false to be tried again on the
 * next tick (the window it needs is not there yet). */
typedef std::function<bool()> Step;

class Script {
public:
    /* Starts running the steps, one per timer tick, on this thread. */
    static void Start(std::vector<Step> steps)
    {
        State &state = Current();
        state.steps.assign(steps.begin(), steps.end());
        state.tries = 0;
        state.timer = SetTimer(NULL, 0, 10, &Script::Tick);
        EXPECT_NE(0u, state.timer);
    }

    /* Whether every step ran (checked after the modal loop returned). */
    static bool Finished() { return Current().steps.empty() && Current().timer == 0; }

private:
    struct State {
        std::deque<Step> steps;
        UINT_PTR timer = 0;
        int tries = 0;
    };
    /* A step that never becomes ready ends the script after this many ticks. */
    static const int kMaxTries = 500;

    static State &Current()
    {
        static State state;
        return state;
    }

    static void Stop()
    {
        State &state = Current();
        KillTimer(NULL, state.timer);
        state.timer = 0;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        State &state = Current();
        if (state.steps.empty()) {
            Stop();
            return;
        }
        /* Taken off before it runs: a step may start a nested modal loop,
         * in which the following steps run on later ticks. */
        Step step = state.steps.front();
        state.steps.pop_front();
        if (step()) {
            state.tries = 0;
        } else if (++state.tries <= kMaxTries) {
            state.steps.push_front(step);
        } else {
            ADD_FAILURE() << "a script step never found its window";
            state.steps.clear();
            Abandon();
        }
        if (state.steps.empty())
            Stop();
    }

    /* Ends every dialog of this thread, so that a failed script cannot
     * leave the test waiting. */
    static void Abandon() { EnumThreadWindows(GetCurrentThreadId(), &Script::EndIfDialog, 0); }

    static BOOL CALLBACK EndIfDialog(HWND hWnd, LPARAM)
    {
        if (IsDialog(hWnd))
            EndDialog(hWnd, IDABORT);
        return TRUE;
    }

public:
    static bool IsDialog(HWND hWnd)
    {
        char name[16];
        return GetClassNameA(hWnd, name, sizeof name) && strcmp(name, "#32770") == 0;
    }
};

/* The dialog or message box of this thread that takes input: visible,
 * enabled, of the dialog class. Null when there is none yet. */
inline BOOL CALLBACK FindActiveDialog(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd) && IsWindowEnabled(hWnd) && Script::IsDialog(hWnd)) {
        *reinterpret_cast<HWND *>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

inline HWND ActiveDialog()
{
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), &FindActiveDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline std::string WindowText(HWND hWnd)
{
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

/* A click on button id of the active dialog, as the button sends it. */
inline Step Click(int id)
{
    return [id] {
        HWND hDlg = ActiveDialog();
        if (hDlg == NULL)
            return false;
        SendMessageA(GetDlgItem(hDlg, id), BM_CLICK, 0, 0);
        return true;
    };
}

/* Runs action on the active dialog once there is one. */
inline Step OnDialog(std::function<void(HWND)> action)
{
    return [action] {
        HWND hDlg = ActiveDialog();
        if (hDlg == NULL)
            return false;
        action(hDlg);
        return true;
    };
}

/* Takes the WM_QUIT that the end of the main window leaves in the queue;
 * true (and its exit code in *pCode) when there was one. */
inline bool TakeQuitMessage(WPARAM *pCode)
{
    MSG msg;
    if (!PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *pCode = msg.wParam;
    return true;
}

/* An application object for one test, current while it lives. */
class TestApp : public CWinApp {
public:
    explicit TestApp(LPCSTR lpszTitle = "Framework test") : CWinApp(lpszTitle) { m_hInstance = GetModuleHandleA(NULL); }
};

/* The work area of the screen. */
inline RECT WorkArea()
{
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

/* Centres within a pixel of each other: centring halves sizes. */
inline void ExpectCentredIn(const RECT &inner, const RECT &outer)
{
    EXPECT_LE(abs((inner.left + inner.right) - (outer.left + outer.right)), 2)
        << inner.left << ".." << inner.right << " in " << outer.left << ".." << outer.right;
    EXPECT_LE(abs((inner.top + inner.bottom) - (outer.top + outer.bottom)), 2)
        << inner.top << ".." << inner.bottom << " in " << outer.top << ".." << outer.bottom;
}

} // namespace guitest

#endif
