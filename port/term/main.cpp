/* main.cpp - the native program's entry point: puts a front end in front
 * of the window system (the terminal when standard input is one, a scripted
 * session otherwise), runs WinMain, and gives the terminal back on every
 * way out: return, exit() and the signals that end a process. */
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "cp932.h"
#include "term_frontend.h"
#include "windows.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {

/* Scripted sessions print screens of this size. */
const int kScriptCols = 80;
const int kScriptRows = 24;

std::unique_ptr<lzport::FrontEnd> g_frontEnd;
FILE *g_terminalOut = nullptr;

void RestoreTerminal()
{
    if (g_frontEnd)
        g_frontEnd->Shutdown();
}

void OnFatalSignal(int sig)
{
    RestoreTerminal();
    /* the handler was installed for one call: this ends the process as the
     * signal would have */
    raise(sig);
}

void CatchFatalSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGSEGV})
        sigaction(sig, &action, nullptr);
}

std::unique_ptr<lzport::FrontEnd> ChooseFrontEnd()
{
    if (isatty(STDIN_FILENO)) {
        FILE *out = isatty(STDOUT_FILENO) ? stdout : (g_terminalOut = fopen("/dev/tty", "w"));
        if (out) {
            if (std::unique_ptr<lzport::FrontEnd> terminal = lzport::NewTerminalFrontEnd(stdin, out))
                return terminal;
        }
    }
    return lzport::NewScriptFrontEnd(STDIN_FILENO, stdout, kScriptCols, kScriptRows);
}

/* The arguments as Windows passes them to WinMain: after the program's
 * name, separated by spaces, quoted where they hold one; code page 932. */
std::string CommandLine(int argc, char **argv)
{
    std::string line;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i], converted;
        if (lzport::Utf8ToCp932(arg, converted))
            arg = converted;
        if (!line.empty())
            line += ' ';
        line += arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
    }
    return line;
}

} // namespace

int main(int argc, char **argv)
{
    g_frontEnd = ChooseFrontEnd();
    atexit(RestoreTerminal);
    CatchFatalSignals();
    lzport::SetFrontEnd(g_frontEnd.get());

    std::string commandLine = CommandLine(argc, argv);
    int result = WinMain(GetModuleHandleA(NULL), NULL, &commandLine[0], SW_SHOWNORMAL);

    lzport::SetFrontEnd(nullptr);
    RestoreTerminal();
    return result;
}
