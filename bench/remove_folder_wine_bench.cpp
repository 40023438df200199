/* remove_folder_wine_bench.cpp - the Windows build's folder removal under
 * Wine against what a Windows user types for the same job, `cmd /c rd /s
 * /q`, on the same tree in the same prefix and run: 10,000 files in 100
 * folders. Also times the parts of the walk one by one (changing the
 * working directory, listing, deleting by name with and without a listing
 * open) and cmd's own start-up, to show where the time goes. Prints the times and last the ratio line.
 * Usage: remove_folder_wine_bench [TREE] (default C:\lzbench\Tree). */
#include <direct.h>
#include <mbctype.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "UninstallDlg.h"

namespace {

const int kFolders = 100;
const int kFilesEach = 100; /* 10,000 files */

std::string FolderName(int f) { return "folder" + std::to_string(f); }
std::string FileName(int n) { return "file" + std::to_string(n) + ".dat"; }

bool BuildTree(const std::string &root)
{
    if (!CreateDirectoryA(root.c_str(), NULL))
        return false;
    for (int f = 0; f < kFolders; f++) {
        std::string folder = root + "\\" + FolderName(f);
        if (!CreateDirectoryA(folder.c_str(), NULL))
            return false;
        for (int n = 0; n < kFilesEach; n++) {
            std::string file = folder + "\\" + FileName(n);
            HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
            if (h == INVALID_HANDLE_VALUE)
                return false;
            CloseHandle(h);
        }
    }
    return true;
}

bool Exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Timer {
public:
    Timer() { QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return (double)(now.QuadPart - m_start.QuadPart) / (double)frequency.QuadPart;
    }

private:
    LARGE_INTEGER m_start;
};

/* Runs `command` (a command line) and waits for it; its exit code, or -1. */
int Run(std::string command)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = (DWORD)-1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return (int)code;
}

/* Lists the working directory; each entry but "." and ".." is counted,
 * and deleted as it is handed out when `deleting` is set (as the walk does).
 * Returns the count. */
int ListWorkingDirectory(bool deleting)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA("*.*", &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
            count += !deleting || remove(data.cFileName) == 0;
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return count;
}

/* What one part does in each folder of the tree, from inside it. */
enum Part { kInAndOut, kList, kDeleteByName, kDeleteWhileListing };

/* Runs `part` in every folder of the tree below `root` and prints its time;
 * the tree stays, less the files that the part deletes. */
void TimePart(const std::string &root, Part part, const char *what)
{
    char saved[MAX_PATH];
    if (!_getcwd(saved, sizeof saved) || _chdir(root.c_str()) != 0)
        return;
    Timer timer;
    int count = 0;
    for (int f = 0; f < kFolders; f++) {
        _chdir(FolderName(f).c_str());
        if (part == kInAndOut) {
            count++;
        } else if (part == kDeleteByName) {
            for (int n = 0; n < kFilesEach; n++)
                count += remove(FileName(n).c_str()) == 0;
        } else {
            count += ListWorkingDirectory(part == kDeleteWhileListing);
        }
        _chdir("..");
    }
    double seconds = timer.Seconds();
    _chdir(saved);
    printf("  %-40s %5d %.3f s\n", what, count, seconds);
}

/* The walk's parts on their own, each over a whole tree. */
void TimeParts(const std::string &root)
{
    printf("the walk's parts under Wine, over the whole tree:\n");
    if (!BuildTree(root))
        return;
    TimePart(root, kInAndOut, "folders entered and left");
    TimePart(root, kList, "entries listed");
    TimePart(root, kDeleteByName, "files deleted by name, no listing open");
    Run("cmd.exe /c rd /s /q \"" + root + "\"");
    if (!BuildTree(root))
        return;
    TimePart(root, kDeleteWhileListing, "files deleted as a listing gives them");
    Run("cmd.exe /c rd /s /q \"" + root + "\"");
}

} // namespace

int main(int argc, char **argv)
{
    std::string root = argc > 1 ? argv[1] : "C:\\lzbench\\Tree";
    std::string parent = root.substr(0, root.rfind('\\'));
    CreateDirectoryA(parent.c_str(), NULL);
    if (Exists(root) && Run("cmd.exe /c rd /s /q \"" + root + "\"") != 0) {
        fprintf(stderr, "cannot clear %s\n", root.c_str());
        return 2;
    }
    _setmbcp(_MB_CP_ANSI);
    CWinApp app("bench");
    CUninstallDlg dlg;

    double bestOurs = 1e9, bestRd = 1e9;
    for (int round = 0; round < 2; round++) {
        if (!BuildTree(root)) {
            fprintf(stderr, "cannot build the tree in %s (error %lu)\n", root.c_str(), GetLastError());
            return 2;
        }
        Timer ours;
        BOOL ok = dlg.RemoveFolder(root.c_str(), NULL);
        double oursSeconds = ours.Seconds();
        if (!ok || Exists(root)) {
            fprintf(stderr, "RemoveFolder did not remove the tree\n");
            return 1;
        }
        if (!BuildTree(root))
            return 2;
        Timer rd;
        int code = Run("cmd.exe /c rd /s /q \"" + root + "\"");
        double rdSeconds = rd.Seconds();
        if (code != 0 || Exists(root)) {
            fprintf(stderr, "rd /s /q did not remove the tree (exit code %d)\n", code);
            return 1;
        }
        printf("wine round %d: RemoveFolder %.3f s, cmd /c rd /s /q %.3f s\n", round + 1, oursSeconds, rdSeconds);
        bestOurs = oursSeconds < bestOurs ? oursSeconds : bestOurs;
        bestRd = rdSeconds < bestRd ? rdSeconds : bestRd;
    }

    Timer start;
    Run("cmd.exe /c rem");
    printf("cmd start-up alone (cmd /c rem) %.3f s\n", start.Seconds());
    TimeParts(root);
    RemoveDirectoryA(parent.c_str());

    printf("wine remove-folder/rd ratio %.2f\n", bestOurs / bestRd);
    return 0;
}
