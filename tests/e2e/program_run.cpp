/* program_run.cpp - starting LZUNINSTALL.EXE and finding its windows. */
#include "program_run.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

const char kDialogClass[] = "#32770";

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hwnd, LPARAM param)
{
    WindowSearch *search = (WindowSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid)
        search->found.push_back(hwnd);
    return TRUE;
}

} // namespace

std::string ProgramPath()
{
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("LZ_UNINSTALL_EXE", value, sizeof value);
    if (n == 0 || n >= sizeof value)
        return std::string();
    std::string path(value, n);
    if (path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

ProgramRun::ProgramRun() { ZeroMemory(&m_process, sizeof m_process); }

ProgramRun::~ProgramRun()
{
    if (m_process.hProcess == NULL)
        return;
    if (!HasExited()) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, kPatience);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool ProgramRun::Start()
{
    std::string path = ProgramPath();
    if (path.empty()) {
        m_error = "LZ_UNINSTALL_EXE does not name the program";
        return false;
    }
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_process)) {
        m_error = "cannot start " + path + ": error " + std::to_string(GetLastError());
        ZeroMemory(&m_process, sizeof m_process);
        return false;
    }
    return true;
}

bool ProgramRun::HasExited() const { return WaitForExit(0); }

bool ProgramRun::WaitForExit(DWORD timeoutMs) const
{
    return m_process.hProcess != NULL && WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::vector<HWND> ProgramRun::TopLevelWindows() const
{
    WindowSearch search = {m_process.dwProcessId, std::vector<HWND>()};
    if (m_process.hProcess != NULL)
        EnumWindows(CollectWindowOfProcess, (LPARAM)&search);
    return search.found;
}

std::vector<HWND> ProgramRun::Dialogs() const
{
    std::vector<HWND> dialogs;
    for (HWND hwnd : TopLevelWindows()) {
        if (ClassOf(hwnd) == kDialogClass)
            dialogs.push_back(hwnd);
    }
    return dialogs;
}

std::vector<HWND> ProgramRun::ShownDialogs() const
{
    std::vector<HWND> shown;
    for (HWND hwnd : Dialogs()) {
        if (IsWindowVisible(hwnd))
            shown.push_back(hwnd);
    }
    return shown;
}

HWND ProgramRun::DialogCaptioned(const std::string &caption) const
{
    for (HWND hwnd : Dialogs()) {
        if (TextOf(hwnd) == caption)
            return hwnd;
    }
    return NULL;
}

HWND ProgramRun::WaitForNewDialog(const std::vector<HWND> &known) const
{
    HWND found = NULL;
    WaitUntil([&] {
        for (HWND hwnd : ShownDialogs()) {
            if (std::find(known.begin(), known.end(), hwnd) == known.end()) {
                found = hwnd;
                return true;
            }
        }
        return HasExited();
    });
    return found;
}

std::string ProgramRun::Describe() const
{
    std::string text = HasExited() ? "the program has ended; " : "the program runs; ";
    text += "its windows:";
    for (HWND hwnd : TopLevelWindows()) {
        char handle[32];
        snprintf(handle, sizeof handle, " [%p ", (void *)hwnd);
        text += handle + ClassOf(hwnd) + " \"" + TextOf(hwnd) + "\"" + (IsWindowVisible(hwnd) ? " shown]" : " hidden]");
    }
    return text;
}

} // namespace e2e
