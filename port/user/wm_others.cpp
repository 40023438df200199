/* wm_others.cpp - top-level windows of other programs. This process is the
 * only program on the native layer, so a machine declares the others by
 * their window classes ("running=CLASS" in machine.ini), and each gets a
 * hidden window of that class here: FindWindowA then finds a running
 * program as it would on Windows. */
#include "wm_others.h"

#include <set>
#include <string>

#include "machine.h"
#include "windows.h"

namespace lzport {

void EnsureOtherProgramsWindows()
{
    static std::set<std::string> made; /* for the life of the process, as the windows are */
    for (const std::string &className : CurrentSettings().runningClasses) {
        if (className.empty() || made.count(className))
            continue;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = className.c_str();
        RegisterClassA(&wc);
        if (CreateWindowExA(0, className.c_str(), "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL) != NULL)
            made.insert(className);
    }
}

} // namespace lzport
