/* wm_lines.h - text laid out in the dialog font, as frontend.h gives its
 * measures (and WithoutAccessMarks): widths in pixels and the lines a
 * text breaks into in a given width. Code page 932. */
#ifndef LZPORT_WM_LINES_H
#define LZPORT_WM_LINES_H

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "frontend.h"

namespace lzport {

/* A width that breaks text only at its own line breaks. */
const int kUnlimitedWidth = INT_MAX;

/* Pixels the text takes on one line. */
int TextWidth(std::string_view text);

/* The lines of a text in `width` pixels (see StaticLines in frontend.h
 * for where they break). */
std::vector<std::string> BreakLines(std::string_view text, int width);

} // namespace lzport

#endif
