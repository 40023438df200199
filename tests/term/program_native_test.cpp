/* program_native_test.cpp - the native program run as its own process:
 * scripted sessions through pipes on sample machines, checked by their
 * printed screens and by the machine's disk and registry afterwards, and
 * terminal sessions under a pseudo-terminal, which must leave the
 * terminal's modes as they found them however the program ends and lay
 * the windows out for the terminal's size. */
#include <gtest/gtest.h>

#include <fcntl.h>
#include <ftw.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <string.h>

#include <algorithm>
#include <functional>
#include <string>

#include "lzport.h"
#include "windows.h"

namespace {

const char kInstallDir[] = "C:\\Program Files\\VEMO\\LumeoZelcor";
const char kStockBook[] = "C:\\Program Files\\VEMO\\LumeoZelcor\\StockBook";
const char kGroup[] = "C:\\WINDOWS\\Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ルメオ ゼルコアバージョン";
const char kProductKey[] = "SOFTWARE\\VEMO\\LumeoZelcor";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LumeoZelcor";

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    if (rmdir(path) != 0)
        unlink(path);
    return 0;
}

/* A machine folder for one run of the program, removed afterwards; it may
 * have a product window running (by its class). */
class Machine {
public:
    explicit Machine(bool withProduct, const char *running = nullptr)
    {
        char dir[] = "/tmp/lzterm-machine-XXXXXX";
        if (mkdtemp(dir))
            m_dir = dir;
        if (withProduct) {
            std::string command = std::string("'") + LZ_SAMPLE_MACHINE_SCRIPT + "' '" + m_dir + "'";
            m_ready = !m_dir.empty() && system(command.c_str()) == 0;
        } else {
            m_ready = !m_dir.empty();
        }
        FILE *ini = running ? fopen((m_dir + "/machine.ini").c_str(), "a") : nullptr;
        if (ini)
            fprintf(ini, "running=%s\n", running);
        m_ready = m_ready && (!running || (ini && fclose(ini) == 0));
    }
    ~Machine()
    {
        if (!m_dir.empty())
            nftw(m_dir.c_str(), RemoveEntry, 64, FTW_DEPTH | FTW_PHYS);
    }
    Machine(const Machine &) = delete;
    Machine &operator=(const Machine &) = delete;

    bool Ready() const { return m_ready; }
    const std::string &Dir() const { return m_dir; }

private:
    std::string m_dir;
    bool m_ready = false;
};

/* Looks at a machine through the platform layer for as long as it lives,
 * then puts the test's own machine back. */
class MachineView {
public:
    explicit MachineView(const Machine &machine) : m_saved(LzPortMachineDir())
    {
        m_ok = LzPortUseMachine(machine.Dir().c_str()) != FALSE;
    }
    ~MachineView() { LzPortUseMachine(m_saved.c_str()); }
    bool Ok() const { return m_ok; }

    static bool PathExists(const char *path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
    static bool KeyExists(const char *path)
    {
        HKEY hKey = reinterpret_cast<HKEY>(0xdeadbeef);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

private:
    std::string m_saved;
    bool m_ok = false;
};

void ExecProgram(const Machine &machine)
{
    setenv("LZPORT_MACHINE", machine.Dir().c_str(), 1);
    execl(LZ_PROGRAM_PATH, LZ_PROGRAM_PATH, static_cast<char *>(nullptr));
    _exit(127);
}

struct Session {
    std::string output;
    int status = -1;
};

/* Runs the program with `input` on its standard input (a pipe) and takes
 * what it prints. */
Session RunScripted(const Machine &machine, const std::string &input)
{
    Session run;
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        return run;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[0]), close(in[1]), close(out[0]), close(out[1]);
        ExecProgram(machine);
    }
    close(in[0]);
    close(out[1]);
    /* the script is small enough for the pipe: write it all, then read */
    ssize_t written = write(in[1], input.data(), input.size());
    EXPECT_EQ(static_cast<ssize_t>(input.size()), written);
    close(in[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    waitpid(pid, &run.status, 0);
    return run;
}

size_t Count(const std::string &text, const std::string &what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        count++;
    return count;
}

/* The names of the keys that the transcript says were read. */
std::vector<std::string> KeysRead(const std::string &output)
{
    std::vector<std::string> keys;
    for (size_t at = output.find("\nkey: "); at != std::string::npos; at = output.find("\nkey: ", at + 1)) {
        size_t start = at + 6;
        keys.push_back(output.substr(start, output.find('\n', start) - start));
    }
    return keys;
}

TEST(ScriptedProgram, Sessions)
{
    struct Case {
        const char *name;
        std::string keys;
        std::vector<std::string> read; /* the keys the program takes, by name */
        /* texts (UTF-8) that some screen shows, in the order shown */
        std::vector<std::string> shown;
        bool runsOut; /* the input ends before the program does */
        bool installRemoved, stockBookRemoved, keysRemoved;
    } cases[] = {
        /* Tab to 実行, Enter, Yes, OK */
        {"execute",
         "\t\r\r\r",
         {"Tab", "Enter", "Enter", "Enter"},
         {u8"「C:\\Program Files\\VEMO\\LumeoZelcor」", u8"focus: 実行", u8"(?)",
          u8"ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", u8"(!)", u8"完全に削除しました。"},
         false,
         true,
         true,
         true},
        /* the same with Space on 実行 and the box unticked on the way */
        {"keep the stock book",
         "\t\t \x1b[Z \r\r",
         {"Tab", "Tab", "Space", "Shift+Tab", "Space", "Enter", "Enter"},
         {u8"[ ] ｽﾄｯｸﾌﾞｯｸ削除", u8"focus: 実行", u8"削除に成功しました。"},
         false,
         true,
         false,
         true},
        /* Enter at once presses the default button, ｷｬﾝｾﾙ */
        {"cancel", "\r", {"Enter"}, {u8"<[ｷｬﾝｾﾙ]>"}, false, false, false, false},
        /* No to the confirmation leaves the dialog open; the input then
         * runs out, which ends the dialog as Esc does */
        {"decline",
         "\t\r\t\r",
         {"Tab", "Enter", "Tab", "Enter"},
         {u8"ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", u8"focus: いいえ"},
         true,
         false,
         false,
         false},
        /* the About box from the system menu, closed with Enter */
        {"about",
         "\x1b a\r\x1b",
         {"Alt+Space", "a", "Enter", "Esc"},
         {u8"ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (A)...", u8"ﾊﾞｰｼﾞｮﾝ情報 LZUninstall", u8"LZUninstall Version 1.0"},
         false,
         false,
         false,
         false},
        {"no input", "", {}, {u8"<[ｷｬﾝｾﾙ]>"}, true, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Machine machine(true);
        ASSERT_TRUE(machine.Ready());
        Session run = RunScripted(machine, c.keys);
        ASSERT_TRUE(WIFEXITED(run.status)) << run.output;
        size_t at = 0;
        for (const std::string &text : c.shown) {
            size_t found = run.output.find(text, at);
            EXPECT_NE(std::string::npos, found) << text << " after offset " << at << " in\n" << run.output;
            if (found != std::string::npos)
                at = found;
        }
        /* every key is echoed as it is read */
        EXPECT_EQ(c.runsOut ? 1u : 0u, Count(run.output, "(end of input)")) << run.output;
        EXPECT_EQ(c.read, KeysRead(run.output)) << run.output;

        MachineView view(machine);
        ASSERT_TRUE(view.Ok());
        EXPECT_EQ(!c.stockBookRemoved, MachineView::PathExists(kStockBook));
        EXPECT_EQ(!c.installRemoved || !c.stockBookRemoved, MachineView::PathExists(kInstallDir));
        EXPECT_EQ(!c.installRemoved, MachineView::PathExists(kGroup));
        EXPECT_EQ(!c.keysRemoved, MachineView::KeyExists(kUninstallKey));
        EXPECT_EQ(!c.keysRemoved, MachineView::KeyExists(kProductKey));
    }
}

TEST(ScriptedProgram, NotInstalled)
{
    Machine machine(false);
    ASSERT_TRUE(machine.Ready());
    Session run = RunScripted(machine, "\r");
    ASSERT_TRUE(WIFEXITED(run.status)) << run.output;
    /* the message alone: the dialog is never shown */
    EXPECT_NE(std::string::npos, run.output.find(u8"   ルメオ ゼルコアバージョンがインストールされていま   |"))
        << run.output;
    EXPECT_NE(std::string::npos, run.output.find(u8"(x)    せん。   ")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(u8"ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find(u8"ｽﾄｯｸﾌﾞｯｸ削除")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("(end of input)")) << run.output;
}

/* ---- terminal sessions ---- */

/* What gives the screen back, curses' endwin and the signal handler alike:
 * the alternate screen left, the cursor shown. */
const char kLeaveAlternateScreen[] = "\x1b[?1049l";
const char kShowCursor[] = "\x1b[?25h";

bool SameModes(const termios &a, const termios &b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

/* Reads what the program writes to the terminal until `stop` holds; false
 * if that takes longer than a minute, or a few seconds once the program
 * has closed the terminal (guards against a hung or dead program, not
 * measures of speed). */
bool Drain(int master, std::string &seen, const std::function<bool()> &stop)
{
    int limit = 60000;
    for (int waited = 0; waited < limit; waited += 50) {
        if (stop())
            return true;
        pollfd fd = {master, POLLIN, 0};
        if (poll(&fd, 1, 50) > 0) {
            char buffer[4096];
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                seen.append(buffer, static_cast<size_t>(n));
            } else {
                /* closed: only the process's end is still to come */
                limit = std::min(limit, waited + 5000);
                poll(nullptr, 0, 50);
            }
        }
    }
    return false;
}

/* Takes what is still to be read once the program has ended. */
void ReadRest(int master, std::string &seen)
{
    pollfd fd = {master, POLLIN, 0};
    char buffer[4096];
    ssize_t n;
    while (poll(&fd, 1, 100) > 0 && (n = read(master, buffer, sizeof buffer)) > 0)
        seen.append(buffer, static_cast<size_t>(n));
}

TEST(TerminalProgram, ModesRestoredOnEveryWayOut)
{
    struct Case {
        const char *name;
        const char *keys;              /* typed once the dialog is up */
        int signal;                    /* sent instead, when not 0 */
        bool exits;                    /* ends by itself rather than by the signal */
        const char *running = nullptr; /* a product window, whose message the keys bring up */
    } cases[] = {
        {"Enter cancels", "\r", 0, true},
        {"execute, yes, OK", "\t\r\r\r", 0, true},
        {"Ctrl-C", "\x03", 0, false},
        {"SIGTERM", "", SIGTERM, false},
        {"SIGHUP", "", SIGHUP, false},
        {"SIGSEGV", "", SIGSEGV, false},
        {"SIGQUIT", "", SIGQUIT, false},
        {"SIGABRT", "", SIGABRT, false},
        {"product running, narrowed while its message is up", "\t\r", 0, true, "LZ7300_MainWindow_Kep@vemo"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Machine machine(true, c.running);
        ASSERT_TRUE(machine.Ready());
        int master = -1, slave = -1;
        winsize size = {};
        size.ws_col = 80;
        size.ws_row = 24;
        ASSERT_EQ(0, openpty(&master, &slave, nullptr, nullptr, &size));
        termios before = {};
        ASSERT_EQ(0, tcgetattr(slave, &before));
        pid_t pid = fork();
        if (pid == 0) {
            close(master);
            /* SIGSEGV and the like would leave a core file behind */
            rlimit noCore = {0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            login_tty(slave);
            setenv("TERM", "xterm", 1);
            ExecProgram(machine);
        }
        ASSERT_GT(pid, 0);

        /* the dialog is up once curses has put the terminal in its own mode
         * and drawn the buttons */
        std::string seen;
        bool up = Drain(master, seen, [&] {
            termios now = {};
            return tcgetattr(slave, &now) == 0 && !(now.c_lflag & ICANON) && seen.find(u8"ｷｬﾝｾﾙ") != std::string::npos;
        });
        EXPECT_TRUE(up) << seen;
        size_t upTo = seen.size();
        if (c.signal)
            kill(pid, c.signal);
        else
            EXPECT_EQ(static_cast<ssize_t>(strlen(c.keys)), write(master, c.keys, strlen(c.keys)));
        if (c.running) {
            /* the longest message whole in lines of 50 half-widths, then of 46 */
            auto shows = [&seen](const char *text) {
                return [&seen, text] { return seen.find(text) != std::string::npos; };
            };
            EXPECT_TRUE(Drain(master, seen, shows(u8"起動しています。終了さ")));
            EXPECT_TRUE(Drain(master, seen, shows(u8"せてから実行してください。")));
            size.ws_col = 60;
            ASSERT_EQ(0, ioctl(master, TIOCSWINSZ, &size));
            EXPECT_TRUE(Drain(master, seen, shows(u8"了させてから実行してください。")));
            EXPECT_EQ(2, write(master, "\r\x1b", 2));
        }

        int status = -1;
        EXPECT_TRUE(Drain(master, seen, [&] { return waitpid(pid, &status, WNOHANG) == pid; }));
        ReadRest(master, seen);
        if (c.exits) {
            EXPECT_TRUE(WIFEXITED(status)) << status;
        } else {
            ASSERT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(c.signal ? c.signal : SIGINT, WTERMSIG(status));
        }
        termios after = {};
        ASSERT_EQ(0, tcgetattr(slave, &after));
        EXPECT_TRUE(SameModes(before, after));
        std::string end = seen.substr(upTo);
        EXPECT_NE(std::string::npos, end.find(kLeaveAlternateScreen)) << end;
        EXPECT_NE(std::string::npos, end.find(kShowCursor)) << end;
        close(master);
        close(slave);
    }
}

} // namespace
