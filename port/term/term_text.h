/* term_text.h - window texts (code page 932) as the terminal shows them:
 * characters with their cell widths. Access marks and where a static's
 * text breaks into lines are the window system's (frontend.h). */
#ifndef LZPORT_TERM_TEXT_H
#define LZPORT_TERM_TEXT_H

#include <string>
#include <string_view>

namespace lzport {

/* Makes the C library's character type a UTF-8 one (the user's locale when
 * it is UTF-8, C.UTF-8 otherwise), which cell widths and the wide-character
 * curses calls need. Returns false when no UTF-8 locale exists. */
bool UseUtf8Locale();

/* Code page 932 text as Unicode characters; a byte sequence that has no
 * Unicode form comes out as '?'. */
std::u32string DecodeCp932(std::string_view text);

/* Cells a character takes on a terminal: 2 for full-width characters, 0
 * for combining marks and controls, 1 otherwise. */
int CellWidth(char32_t ch);
int CellWidth(std::u32string_view text);

/* UTF-8 form of Unicode characters, for the terminal and for plain text. */
std::string EncodeUtf8(std::u32string_view text);

} // namespace lzport

#endif
