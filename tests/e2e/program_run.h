/* program_run.h - one run of LZUNINSTALL.EXE as a process of its own, and
 * the dialog windows it shows. */
#ifndef LZE2E_PROGRAM_RUN_H
#define LZE2E_PROGRAM_RUN_H

#include <windows.h>

#include <string>
#include <vector>

#include "window_ops.h"

namespace e2e {

/* The program's Windows path, from the environment variable
 * LZ_UNINSTALL_EXE (a Unix path is taken as one on drive Z:); empty when
 * the variable is not set. */
std::string ProgramPath();

class ProgramRun {
public:
    ProgramRun();
    /* Ends the program if it is still running. */
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    /* Starts the program; on failure Error() tells why. */
    bool Start();
    const std::string &Error() const { return m_error; }

    bool HasExited() const;
    bool WaitForExit(DWORD timeoutMs = kPatience) const;

    /* The program's top-level dialog windows ("#32770"), shown or not. */
    std::vector<HWND> Dialogs() const;
    std::vector<HWND> ShownDialogs() const;
    /* A dialog window of the program with this caption, shown or not. */
    HWND DialogCaptioned(const std::string &caption) const;
    /* Waits for a shown dialog window of the program that is not one of
     * `known`; null when none comes. */
    HWND WaitForNewDialog(const std::vector<HWND> &known = std::vector<HWND>()) const;

    /* The program's top-level windows, for failure messages. */
    std::string Describe() const;

private:
    std::vector<HWND> TopLevelWindows() const;

    PROCESS_INFORMATION m_process;
    std::string m_error;
};

} // namespace e2e

#endif
