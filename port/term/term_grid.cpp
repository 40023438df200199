/* term_grid.cpp - the cell grid and its plain-text form. */
#include "term_grid.h"

#include <algorithm>

#include "term_text.h"

namespace lzport {

Grid::Grid(int cols, int rows)
    : m_cols(std::max(cols, 0)), m_rows(std::max(rows, 0)), m_cells(static_cast<size_t>(m_cols * m_rows))
{
}

void Grid::Split(int col, int row)
{
    if (col < 0 || col >= m_cols)
        return;
    Cell &cell = CellAt(col, row);
    if (cell.continuation) {
        cell = Cell();
        if (col > 0)
            CellAt(col - 1, row) = Cell();
    } else if (col + 1 < m_cols && CellAt(col + 1, row).continuation) {
        CellAt(col + 1, row) = Cell();
        cell = Cell();
    }
}

int Grid::Put(int col, int row, std::u32string_view text, unsigned attr, const CellRect &clip)
{
    int left = std::max(clip.left, 0), right = std::min(clip.right, m_cols);
    bool rowVisible = row >= std::max(clip.top, 0) && row < std::min(clip.bottom, m_rows);
    for (char32_t ch : text) {
        int w = CellWidth(ch);
        if (w == 0)
            continue;
        if (rowVisible && col >= left && col + w <= right) {
            for (int k = 0; k < w; k++)
                Split(col + k, row);
            CellAt(col, row) = Cell{ch, attr, false};
            if (w == 2)
                CellAt(col + 1, row) = Cell{U' ', attr, true};
        }
        col += w;
    }
    return col;
}

int Grid::Put(int col, int row, std::u32string_view text, unsigned attr)
{
    return Put(col, row, text, attr, CellRect{0, 0, m_cols, m_rows});
}

void Grid::Clear(const CellRect &rect)
{
    std::u32string blanks(static_cast<size_t>(std::max(rect.Width(), 0)), U' ');
    for (int row = rect.top; row < rect.bottom; row++)
        Put(rect.left, row, blanks, kAttrNone);
}

void Grid::Frame(const CellRect &rect, unsigned attr)
{
    if (rect.Width() < 2 || rect.Height() < 2)
        return;
    std::u32string top(static_cast<size_t>(rect.Width()), kLineH), bottom = top;
    top.front() = kCornerTL;
    top.back() = kCornerTR;
    bottom.front() = kCornerBL;
    bottom.back() = kCornerBR;
    Put(rect.left, rect.top, top, attr);
    Put(rect.left, rect.bottom - 1, bottom, attr);
    for (int row = rect.top + 1; row < rect.bottom - 1; row++) {
        Put(rect.left, row, std::u32string(1, kLineV), attr);
        Put(rect.right - 1, row, std::u32string(1, kLineV), attr);
    }
}

void Grid::Mark(const CellRect &rect, unsigned attr)
{
    for (int row = std::max(rect.top, 0); row < std::min(rect.bottom, m_rows); row++) {
        for (int col = std::max(rect.left, 0); col < std::min(rect.right, m_cols); col++)
            CellAt(col, row).attr |= attr;
    }
}

char32_t PlainLineChar(char32_t ch)
{
    switch (ch) {
    case kLineH:
        return U'-';
    case kLineV:
        return U'|';
    case kCornerTL:
    case kCornerTR:
    case kCornerBL:
    case kCornerBR:
        return U'+';
    default:
        return ch;
    }
}

std::vector<std::string> Grid::PlainLines() const
{
    std::vector<std::string> lines;
    for (int row = 0; row < m_rows; row++) {
        std::u32string line;
        for (int col = 0; col < m_cols; col++) {
            const Cell &cell = At(col, row);
            if (!cell.continuation)
                line.push_back(PlainLineChar(cell.ch));
        }
        line.erase(line.find_last_not_of(U' ') + 1);
        lines.push_back(EncodeUtf8(line));
    }
    return lines;
}

} // namespace lzport
