/* machine.cpp - machine selection and settings, the last-error slot, and the
 * system-information calls (GetVersionExA, GetWindowsDirectoryA, ...). */
#include "machine.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cp932.h"
#include "lzport.h"
#include "windows.h"

namespace lzport {

namespace {

thread_local DWORD t_lastError = 0;

struct MachineState {
    bool selected = false;
    std::string dir;
    Settings settings;
    std::string message;
};

MachineState &State()
{
    static MachineState state;
    return state;
}

std::string DefaultMachineDir()
{
    const char *env = getenv("LZPORT_MACHINE");
    if (env && *env)
        return env;
    const char *home = getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.lzport";
}

bool MakeDirs(const std::string &path)
{
    std::string partial;
    std::stringstream ss(path);
    std::string part;
    if (!path.empty() && path[0] == '/')
        partial = "/";
    while (std::getline(ss, part, '/')) {
        if (part.empty())
            continue;
        partial += part + "/";
        if (mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::string SettingsPath(const std::string &dir) { return dir + "/machine.ini"; }

bool LoadSettings(const std::string &dir, Settings &out)
{
    std::ifstream in(SettingsPath(dir));
    if (!in)
        return true; /* no file: defaults */
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            ReportProblem(SettingsPath(dir) + ":" + std::to_string(lineNo) + ": expected name=value");
            return false;
        }
        std::string name = line.substr(0, eq), value = line.substr(eq + 1);
        if (name == "platform") {
            if (value == "NT")
                out.platformId = VER_PLATFORM_WIN32_NT;
            else if (value == "95" || value == "98" || value == "9x")
                out.platformId = VER_PLATFORM_WIN32_WINDOWS;
            else {
                ReportProblem(SettingsPath(dir) + ":" + std::to_string(lineNo) + ": platform must be NT or 95");
                return false;
            }
        } else if (name == "windows") {
            out.windowsDir = value;
        } else if (name == "system") {
            out.systemDir = value;
        } else if (name == "running") {
            out.runningClasses.push_back(value);
        } else if (name == "environment") {
            size_t split = value.find('=');
            std::string variable, text;
            if (split == std::string::npos || split == 0 || !Utf8ToCp932(value.substr(0, split), variable) ||
                !Utf8ToCp932(value.substr(split + 1), text)) {
                ReportProblem(SettingsPath(dir) + ":" + std::to_string(lineNo) + ": expected environment=NAME=VALUE");
                return false;
            }
            out.environment.emplace_back(variable, text);
        }
        /* other names belong to later parts of the layer and are kept as they are */
    }
    return true;
}

bool SaveSetting(const std::string &name, const std::string &value)
{
    const std::string &dir = MachineDir();
    std::string path = SettingsPath(dir);
    std::ifstream in(path);
    std::string line, text;
    bool replaced = false;
    while (in && std::getline(in, line)) {
        if (line.compare(0, name.size() + 1, name + "=") == 0) {
            text += name + "=" + value + "\n";
            replaced = true;
        } else {
            text += line + "\n";
        }
    }
    if (!replaced)
        text += name + "=" + value + "\n";
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    return rename(tmp.c_str(), path.c_str()) == 0;
}

bool Select(const std::string &dir)
{
    MachineState &st = State();
    if (!MakeDirs(dir + "/drives/c")) {
        ReportProblem("cannot create machine folder " + dir + ": " + strerror(errno));
        return false;
    }
    Settings settings;
    if (!LoadSettings(dir, settings))
        return false;
    st.dir = dir;
    st.settings = settings;
    st.selected = true;
    RegistryReset();
    FilesReset();
    return true;
}

} // namespace

void ReportProblem(const std::string &message)
{
    State().message = message;
    fprintf(stderr, "lzport: %s\n", message.c_str());
}

const std::string &MachineDir()
{
    MachineState &st = State();
    if (!st.selected && !Select(DefaultMachineDir())) {
        /* Keep going on the folder anyway so that every call fails cleanly
         * with its own error instead of crashing. */
        st.dir = DefaultMachineDir();
        st.selected = true;
    }
    return st.dir;
}

const Settings &CurrentSettings()
{
    MachineDir();
    return State().settings;
}

std::string DriveRoot(char letter)
{
    if (letter >= 'A' && letter <= 'Z')
        letter = (char)(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z')
        return std::string();
    std::string root = MachineDir() + "/drives/" + letter;
    struct stat st;
    if (stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::string();
    return root;
}

} // namespace lzport

using namespace lzport;

extern "C" {

DWORD WINAPI GetLastError(void) { return t_lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

BOOL LzPortUseMachine(const char *dir)
{
    State().message.clear();
    if (!dir || !*dir) {
        ReportProblem("no machine folder given");
        return FALSE;
    }
    return Select(dir) ? TRUE : FALSE;
}

const char *LzPortMachineDir(void) { return MachineDir().c_str(); }

const char *LzPortLastMessage(void) { return State().message.c_str(); }

BOOL LzPortSetPlatform(DWORD platformId)
{
    if (platformId != VER_PLATFORM_WIN32_NT && platformId != VER_PLATFORM_WIN32_WINDOWS)
        return FALSE;
    MachineDir();
    if (!SaveSetting("platform", platformId == VER_PLATFORM_WIN32_NT ? "NT" : "95"))
        return FALSE;
    State().settings.platformId = platformId;
    return TRUE;
}

BOOL LzPortSetWindowsDir(const char *windowsDir)
{
    if (!windowsDir || !*windowsDir)
        return FALSE;
    MachineDir();
    if (!SaveSetting("windows", windowsDir))
        return FALSE;
    State().settings.windowsDir = windowsDir;
    return TRUE;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info)
{
    if (!info) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    /* OSVERSIONINFOA (148 bytes) or OSVERSIONINFOEXA (156 bytes) */
    if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) && info->dwOSVersionInfoSize != 156) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const Settings &s = CurrentSettings();
    memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
    info->dwPlatformId = s.platformId;
    if (s.platformId == VER_PLATFORM_WIN32_NT) {
        info->dwMajorVersion = 5;
        info->dwMinorVersion = 1;
        info->dwBuildNumber = 2600;
        strcpy(info->szCSDVersion, "Service Pack 3");
    } else {
        info->dwMajorVersion = 4;
        info->dwMinorVersion = 10;
        info->dwBuildNumber = 0x040A0B0E; /* 4.10.2222, as Windows 98 SE reports it */
        strcpy(info->szCSDVersion, " A ");
    }
    return TRUE;
}

static UINT CopyOut(const std::string &text, LPSTR buffer, UINT size)
{
    UINT needed = (UINT)text.size() + 1;
    if (!buffer || size < needed)
        return needed;
    memcpy(buffer, text.c_str(), needed);
    return needed - 1;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size)
{
    return CopyOut(CurrentSettings().windowsDir, buffer, size);
}

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size)
{
    const Settings &s = CurrentSettings();
    std::string dir = s.systemDir;
    if (dir.empty())
        dir = s.windowsDir + (s.platformId == VER_PLATFORM_WIN32_NT ? "\\system32" : "\\SYSTEM");
    return CopyOut(dir, buffer, size);
}

UINT WINAPI GetACP(void) { return 932; }

DWORD WINAPI GetCurrentProcessId(void) { return (DWORD)getpid(); }

} /* extern "C" */
