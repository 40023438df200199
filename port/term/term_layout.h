/* term_layout.h - the one renderer of both front ends: what the window
 * system shows (the active top-level window, its owners behind it, their
 * controls, an open system menu) drawn into a grid of cells. */
#ifndef LZPORT_TERM_LAYOUT_H
#define LZPORT_TERM_LAYOUT_H

#include <map>
#include <string>
#include <vector>

#include "frontend.h"
#include "term_grid.h"

namespace lzport {

/* Pixels per cell: a half-width character's width and a line's height as
 * the window system measures text (a double-byte character is two
 * half-widths wide), so that text fits its cells as it fits its controls. */
const int kCellPixelsX = kTextCharWidth;
const int kCellPixelsY = kTextLineHeight;

/* The screen, in pixels, of a grid of cols x rows cells: the largest on
 * which a window with a dialog frame shows whole. A window's frame takes a
 * cell on each side where the window system gives it 3 pixels, so the
 * screen is a cell narrower than the grid. */
SIZE ScreenOfGrid(int cols, int rows);

/* The system's icons, by which a static icon control is told apart from the
 * program's own icon. */
struct SystemIcons {
    HICON hand = nullptr, question = nullptr, exclamation = nullptr, asterisk = nullptr;
};

/* Everything the renderer looks at, taken from the window system at one
 * moment. */
struct Scene {
    std::vector<WindowView> topLevels; /* topmost first */
    std::map<HWND, std::vector<WindowView>> children;
    bool menuOpen = false;
    MenuView menu;
    SystemIcons icons;
};

struct RenderInfo {
    std::string focus; /* UTF-8: the focused control's or selected menu item's text */
    bool drewWindow = false;
};

/* Draws the scene over a blank grid. */
RenderInfo Render(const Scene &scene, Grid &grid);

/* The marker a static icon control shows: "(x)", "(?)", "(!)", "(i)" for
 * the system's icons, "[#]" for any other. */
std::u32string IconMarker(const SystemIcons &icons, HICON icon);

} // namespace lzport

#endif
