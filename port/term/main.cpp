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
#include "term_restore.h"
#include "windows.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {

/* Scripted sessions print screens of this size. */
const int kScriptCols = 80;
const int kScriptRows = 24;

std::unique_ptr<lzport::FrontEnd> g_frontEnd;
FILE *g_terminalOut = nullptr;

/* The ordinary way out: curses gives the terminal back. */
void RestoreTerminal()
{
    if (g_frontEnd)
        g_frontEnd->Shutdown();
}

/* Curses may be in the middle of anything when a signal comes, and after
 * SIGSEGV its memory may be what went wrong: the handler gives the
 * terminal back with async-signal-safe calls only. */
void OnFatalSignal(int sig)
{
    lzport::RestoreTerminalModes();
    /* the handler was installed for one call: the signal now takes its
     * default action and ends the process as it would have */
    raise(sig);
}

/* Room for the handler when the program's own stack is what ran out. */
char g_signalStack[64 * 1024];

void CatchFatalSignals()
{
    stack_t stack = {};
    stack.ss_sp = g_signalStack;
    stack.ss_size = sizeof g_signalStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action = {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND | SA_NODEFER | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT})
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
    /* before curses starts, so that it leaves these signals to us */
    CatchFatalSignals();
    g_frontEnd = ChooseFrontEnd();
    atexit(RestoreTerminal);
    lzport::SetFrontEnd(g_frontEnd.get());

    std::string commandLine = CommandLine(argc, argv);
    int result = WinMain(GetModuleHandleA(NULL), NULL, &commandLine[0], SW_SHOWNORMAL);

    lzport::SetFrontEnd(nullptr);
    RestoreTerminal();
    return result;
}
