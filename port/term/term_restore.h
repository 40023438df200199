/* term_restore.h - gives the terminal back from a fatal-signal handler,
 * where curses must not be called: the modes saved before curses took the
 * terminal are put back with tcsetattr, after a fixed sequence that undoes
 * what curses' start changed on the screen. */
#ifndef LZPORT_TERM_RESTORE_H
#define LZPORT_TERM_RESTORE_H

namespace lzport {

/* Saves the modes of the terminal on `inFd` and `outFd` (the same terminal,
 * as a rule) just before curses takes it over; a later restore gives them
 * back. */
void SaveTerminalModes(int inFd, int outFd);

/* The terminal has been given back the ordinary way (endwin): a later
 * restore does nothing. */
void ForgetTerminalModes();

/* Puts the saved modes back and resets the screen. Async-signal-safe: only
 * write and tcsetattr on what SaveTerminalModes left. */
void RestoreTerminalModes();

} // namespace lzport

#endif
