/* term_curses.cpp - the terminal front end: draws the renderer's grid with
 * curses and turns the keys typed into key presses for the window system.
 * The screen is drawn afresh each time the window system waits for input,
 * which it does after every change it makes; drawing on each Invalidate
 * instead would look at windows that are half made. The window system's
 * screen follows the terminal's size. */
#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <wctype.h>

#include "term_frontend.h"
#include "term_keys.h"
#include "term_restore.h"
#include "term_text.h"

namespace lzport {

namespace {

/* How long an Esc waits for a key that makes it Alt+key, in milliseconds. */
const int kEscapeDelay = 25;
/* How long a wait for a key may last before it looks at the terminal's
 * size, in milliseconds: the signal of a change of size does not always end
 * a wait that is already blocked. */
const int kSizeCheck = 200;

class TerminalFrontEnd : public FrontEnd {
public:
    TerminalFrontEnd(SCREEN *screen, int inFd, int outFd) : m_screen(screen), m_inFd(inFd), m_outFd(outFd)
    {
        cbreak();
        noecho();
        nonl();
        keypad(stdscr, TRUE);
        set_escdelay(kEscapeDelay);
        curs_set(0);
        TellScreenSize();
    }

    ~TerminalFrontEnd() override
    {
        Shutdown();
        delscreen(m_screen);
    }

    bool WaitForInput() override
    {
        if (m_closed)
            return false;
        Draw();
        for (;;) {
            /* a timer due before the next key comes first */
            int delay = NextTimerDelay();
            bool timerFirst = delay >= 0 && delay <= kSizeCheck;
            timeout(timerFirst ? delay : kSizeCheck);
            KeyPress key;
            int result = ReadKey(key);
            if (result > 0) {
                PostKeyPress(key.vk, key.shift, key.alt);
                return true;
            }
            if (result < 0 && InputGone())
                return false;
            if (result < 0 && timerFirst)
                return true;
            if (result < 0 && Resized()) {
                TellScreenSize();
                Draw();
            }
        }
    }

    void Shutdown() override
    {
        if (m_closed)
            return;
        m_closed = true;
        endwin();
        ForgetTerminalModes();
    }

private:
    /* 1: a key; 0: nothing for the window system (redrawn, or a key that
     * names no key press); -1: no key (the wait ran out, or the terminal is
     * gone). */
    int ReadKey(KeyPress &key)
    {
        wint_t ch;
        int kind = get_wch(&ch);
        if (kind == ERR)
            return -1;
        if (kind == KEY_CODE_YES)
            return FunctionKey(static_cast<int>(ch), key);
        if (ch == 0x1B)
            return EscapeKey(key);
        return KeyFromChar(static_cast<int>(ch), key) ? 1 : 0;
    }

    int FunctionKey(int code, KeyPress &key)
    {
        key = KeyPress();
        switch (code) {
        case KEY_BTAB:
            key.vk = VK_TAB;
            key.shift = true;
            return 1;
        case KEY_UP:
            key.vk = VK_UP;
            return 1;
        case KEY_DOWN:
            key.vk = VK_DOWN;
            return 1;
        case KEY_LEFT:
            key.vk = VK_LEFT;
            return 1;
        case KEY_RIGHT:
            key.vk = VK_RIGHT;
            return 1;
        case KEY_ENTER:
            key.vk = VK_RETURN;
            return 1;
        case KEY_RESIZE:
            TellScreenSize();
            Draw();
            return 0;
        default:
            if (code == KEY_F(10)) {
                key.vk = VK_F10;
                return 1;
            }
            return 0;
        }
    }

    /* Esc alone, or Alt with the key that follows it at once. */
    int EscapeKey(KeyPress &key)
    {
        timeout(kEscapeDelay);
        wint_t next;
        int kind = get_wch(&next);
        if (kind == OK && (next == ' ' || iswalnum(next)) && next < 0x80) {
            KeyFromChar(static_cast<int>(next), key);
            key.alt = true;
            return 1;
        }
        if (kind == OK)
            unget_wch(static_cast<wchar_t>(next));
        else if (kind == KEY_CODE_YES)
            ungetch(static_cast<int>(next));
        KeyFromChar(0x1B, key);
        return 1;
    }

    /* The terminal is closed, or its input is. */
    bool InputGone() const
    {
        pollfd in = {m_inFd, POLLIN, 0};
        return poll(&in, 1, 0) < 0 || (in.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    }

    /* Takes a new size of the terminal over; false when it has none. */
    bool Resized()
    {
        winsize size = {};
        if (ioctl(m_outFd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0 ||
            (size.ws_col == COLS && size.ws_row == LINES))
            return false;
        resize_term(size.ws_row, size.ws_col);
        return true;
    }

    /* The window system lays its windows out for the terminal's size. */
    static void TellScreenSize()
    {
        SIZE screen = ScreenOfGrid(COLS, LINES);
        SetScreenSize(screen.cx, screen.cy);
    }

    void Draw()
    {
        Grid grid(COLS, LINES);
        Render(CaptureScene(), grid);
        erase();
        for (int row = 0; row < grid.Rows(); row++) {
            for (int col = 0; col < grid.Cols(); col++) {
                const Cell &cell = grid.At(col, row);
                if (!cell.continuation)
                    PutCell(col, row, cell);
            }
        }
        refresh();
    }

    static void PutCell(int col, int row, const Cell &cell)
    {
        attr_t attr = ((cell.attr & kAttrReverse) ? A_REVERSE : 0) | ((cell.attr & kAttrBold) ? A_BOLD : 0) |
                      ((cell.attr & kAttrDim) ? A_DIM : 0);
        const cchar_t *line = nullptr;
        switch (cell.ch) {
        case kLineH:
            line = WACS_HLINE;
            break;
        case kLineV:
            line = WACS_VLINE;
            break;
        case kCornerTL:
            line = WACS_ULCORNER;
            break;
        case kCornerTR:
            line = WACS_URCORNER;
            break;
        case kCornerBL:
            line = WACS_LLCORNER;
            break;
        case kCornerBR:
            line = WACS_LRCORNER;
            break;
        default:
            break;
        }
        cchar_t shown;
        if (line) {
            shown = *line;
            shown.attr |= attr;
        } else {
            wchar_t text[2] = {static_cast<wchar_t>(cell.ch), L'\0'};
            setcchar(&shown, text, attr, 0, nullptr);
        }
        mvadd_wch(row, col, &shown);
    }

    SCREEN *m_screen;
    int m_inFd, m_outFd;
    bool m_closed = false;
};

} // namespace

std::unique_ptr<FrontEnd> NewTerminalFrontEnd(FILE *in, FILE *out)
{
    if (!UseUtf8Locale())
        return nullptr;
    /* saved for the fatal-signal handler, which cannot call curses */
    SaveTerminalModes(fileno(in), fileno(out));
    SCREEN *screen = newterm(nullptr, out, in);
    if (!screen) {
        ForgetTerminalModes();
        return nullptr;
    }
    return std::make_unique<TerminalFrontEnd>(screen, fileno(in), fileno(out));
}

} // namespace lzport
