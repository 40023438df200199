/* term_grid.h - the screen as a grid of character cells, which the layout
 * draws into and the front ends copy out: to curses, or as plain text. */
#ifndef LZPORT_TERM_GRID_H
#define LZPORT_TERM_GRID_H

#include <string>
#include <string_view>
#include <vector>

namespace lzport {

enum CellAttr : unsigned {
    kAttrNone = 0,
    kAttrReverse = 1, /* the focused control, the selected menu item */
    kAttrBold = 2,    /* the active window's caption */
    kAttrDim = 4,     /* disabled controls, windows behind the active one */
};

/* Line-drawing pieces: stored as their Unicode box-drawing characters,
 * shown by curses with the terminal's own line set and in plain text as
 * ASCII. */
enum : char32_t {
    kLineH = U'\u2500',
    kLineV = U'\u2502',
    kCornerTL = U'\u250C',
    kCornerTR = U'\u2510',
    kCornerBL = U'\u2514',
    kCornerBR = U'\u2518',
};

struct Cell {
    char32_t ch = U' ';
    unsigned attr = kAttrNone;
    bool continuation = false; /* right half of the full-width character to its left */
};

struct CellRect {
    int left = 0, top = 0, right = 0, bottom = 0; /* right and bottom exclusive */
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class Grid {
public:
    Grid(int cols, int rows);

    int Cols() const { return m_cols; }
    int Rows() const { return m_rows; }
    const Cell &At(int col, int row) const { return m_cells[static_cast<size_t>(row * m_cols + col)]; }

    /* Writes text from (col, row) on, clipped to `clip` and to the grid; a
     * full-width character that would be cut in half is left out. Returns
     * the column after the text. */
    int Put(int col, int row, std::u32string_view text, unsigned attr, const CellRect &clip);
    int Put(int col, int row, std::u32string_view text, unsigned attr);
    /* Blanks a rectangle. */
    void Clear(const CellRect &rect);
    /* Draws a frame on the outermost cells of a rectangle. */
    void Frame(const CellRect &rect, unsigned attr);
    /* Adds an attribute to every cell of a rectangle. */
    void Mark(const CellRect &rect, unsigned attr);

    /* The grid as UTF-8 lines, lines drawn in ASCII, trailing spaces
     * removed. */
    std::vector<std::string> PlainLines() const;

private:
    Cell &CellAt(int col, int row) { return m_cells[static_cast<size_t>(row * m_cols + col)]; }
    /* Breaks up a full-width character of which one half is overwritten. */
    void Split(int col, int row);

    int m_cols, m_rows;
    std::vector<Cell> m_cells;
};

/* ASCII stand-in for a line-drawing piece; other characters unchanged. */
char32_t PlainLineChar(char32_t ch);

} // namespace lzport

#endif
