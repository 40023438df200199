/* term_frontend.h - the two front ends of the native program: the terminal
 * one (curses) for a person at a terminal, the scripted one for key presses
 * read from a pipe or file with every screen printed as plain text. */
#ifndef LZPORT_TERM_FRONTEND_H
#define LZPORT_TERM_FRONTEND_H

#include <stdio.h>

#include <memory>

#include "frontend.h"
#include "term_layout.h"

namespace lzport {

/* What the window system shows at this moment. */
Scene CaptureScene();

/* Screens of cols x rows cells are printed to `out`, keys read from the
 * file descriptor `in`. */
std::unique_ptr<FrontEnd> NewScriptFrontEnd(int in, FILE *out, int cols, int rows);

/* Takes over the terminal on `in` (input) and `out` (output). Null when the
 * terminal cannot be used (an unknown terminal type, say). */
std::unique_ptr<FrontEnd> NewTerminalFrontEnd(FILE *in, FILE *out);

} // namespace lzport

#endif
