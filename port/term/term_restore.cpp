/* term_restore.cpp - the terminal's modes saved before curses starts, and
 * their restore from a signal handler with async-signal-safe calls only. */
#include "term_restore.h"

#include <errno.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace lzport {

namespace {

/* What curses' start changes on an xterm-like screen, undone: an escape
 * sequence that the signal cut short cancelled (CAN), character set G0
 * and attributes back to normal, cursor keys and keypad back to normal
 * mode, the cursor shown and steady, the scrolling region the whole screen
 * again, the alternate screen left (which puts the cursor back where it
 * was) and the window title pushed on entering it popped again. */
const char kResetSequence[] = "\x18\x1b(B\x1b[m"
                              "\x1b[?1l\x1b>"
                              "\x1b[?12l\x1b[?25h"
                              "\x1b[r"
                              "\x1b[?1049l\x1b[23;0;0t";

struct Saved {
    int fd = -1;
    struct termios modes {};
};

Saved g_saved[2];
volatile sig_atomic_t g_armed = 0;

void Save(Saved &saved, int fd) { saved.fd = fd >= 0 && tcgetattr(fd, &saved.modes) == 0 ? fd : -1; }

} // namespace

void SaveTerminalModes(int inFd, int outFd)
{
    g_armed = 0;
    Save(g_saved[0], outFd);
    Save(g_saved[1], inFd == outFd ? -1 : inFd);
    g_armed = g_saved[0].fd >= 0 || g_saved[1].fd >= 0;
}

void ForgetTerminalModes() { g_armed = 0; }

void RestoreTerminalModes()
{
    if (!g_armed)
        return;
    g_armed = 0;
    size_t done = 0;
    while (g_saved[0].fd >= 0 && done < sizeof kResetSequence - 1) {
        ssize_t n = write(g_saved[0].fd, kResetSequence + done, sizeof kResetSequence - 1 - done);
        if (n > 0)
            done += (size_t)n;
        else if (n < 0 && errno != EINTR)
            break;
    }
    for (const Saved &saved : g_saved) {
        if (saved.fd >= 0)
            tcsetattr(saved.fd, TCSANOW, &saved.modes);
    }
}

} // namespace lzport
