/* term_layout.cpp - places windows and controls on the cell grid and draws
 * them: frames with captions, static texts wrapped in their rectangles,
 * buttons, check boxes, group boxes, icon markers and the system menu. */
#include "term_layout.h"

#include <strings.h>

#include <algorithm>

#include "term_text.h"

namespace lzport {

namespace {

/* Style fields that the renderer tells apart. */
const DWORD kButtonTypeMask = 0x0F;
const DWORD kButtonRadio = 0x04, kButtonAutoRadio = 0x09;
const DWORD kStaticTypeMask = 0x1F;
const DWORD kStaticRight = 0x02, kStaticSimple = 0x0B, kStaticLeftNoWrap = 0x0C;

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

/* Pixels to the nearest cell boundary. */
int CellsX(int px) { return FloorDiv(2 * px + kCellPixelsX, 2 * kCellPixelsX); }
int CellsY(int px) { return FloorDiv(2 * px + kCellPixelsY, 2 * kCellPixelsY); }

CellRect Intersect(const CellRect &a, const CellRect &b)
{
    return CellRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

CellRect Inflate(const CellRect &r, int by) { return CellRect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

CellRect Offset(const CellRect &r, int dx, int dy)
{
    return CellRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

/* How far a rectangle must move to lie inside `bounds` (its top-left edge
 * wins when it is larger). */
void FitShift(const CellRect &r, const CellRect &bounds, int &dx, int &dy)
{
    dx = r.right > bounds.right ? bounds.right - r.right : 0;
    dy = r.bottom > bounds.bottom ? bounds.bottom - r.bottom : 0;
    if (r.left + dx < bounds.left)
        dx = bounds.left - r.left;
    if (r.top + dy < bounds.top)
        dy = bounds.top - r.top;
}

/* The active window and its owners, the hindmost first; hidden and
 * minimised ones are left out. */
std::vector<const WindowView *> OwnerChain(const std::vector<WindowView> &topLevels)
{
    const WindowView *top = nullptr;
    for (const WindowView &view : topLevels) {
        if (view.visible && !view.iconic && (view.active || !top)) {
            top = &view;
            if (view.active)
                break;
        }
    }
    std::vector<const WindowView *> chain;
    for (const WindowView *view = top; view && chain.size() < topLevels.size();) {
        if (view->visible && !view->iconic)
            chain.insert(chain.begin(), view);
        const WindowView *owner = nullptr;
        for (const WindowView &candidate : topLevels) {
            if (view->owner && candidate.hwnd == view->owner)
                owner = &candidate;
        }
        view = owner;
    }
    return chain;
}

struct Placed {
    const WindowView *view;
    CellRect client; /* inside the frame */
    CellRect frame;
};

class Painter {
public:
    Painter(const Scene &scene, Grid &grid) : m_scene(scene), m_grid(grid) {}

    RenderInfo Run();

private:
    std::vector<Placed> Place(const std::vector<const WindowView *> &chain) const;
    void DrawWindow(const Placed &window);
    CellRect ControlRect(const Placed &window, const WindowView &control) const;
    /* Draws one control; returns the cells that show it as focused. */
    CellRect DrawControl(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr);
    CellRect DrawButton(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr);
    CellRect DrawStatic(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr);
    void DrawMenu(const Placed &window);
    void DrawMinimized();

    const Scene &m_scene;
    Grid &m_grid;
    RenderInfo m_info;
};

std::vector<Placed> Painter::Place(const std::vector<const WindowView *> &chain) const
{
    std::vector<Placed> placed;
    CellRect screen{0, 0, m_grid.Cols(), m_grid.Rows()};
    for (const WindowView *view : chain) {
        int width = std::max(CellsX(view->client.right - view->client.left), 1);
        int height = std::max(CellsY(view->client.bottom - view->client.top), 1);
        CellRect client;
        if (placed.empty()) {
            /* the hindmost window is centred; the others keep their place
             * relative to it */
            client.left = (m_grid.Cols() - width) / 2;
            client.top = (m_grid.Rows() - height) / 2;
        } else {
            const Placed &root = placed.front();
            client.left = root.client.left + CellsX(view->client.left - root.view->client.left);
            client.top = root.client.top + CellsY(view->client.top - root.view->client.top);
        }
        client.right = client.left + width;
        client.bottom = client.top + height;
        int dx, dy;
        FitShift(Inflate(client, 1), screen, dx, dy);
        client = Offset(client, dx, dy);
        placed.push_back(Placed{view, client, Inflate(client, 1)});
    }
    return placed;
}

CellRect Painter::ControlRect(const Placed &window, const WindowView &control) const
{
    const RECT &origin = window.view->client;
    CellRect r{window.client.left + CellsX(control.rect.left - origin.left),
               window.client.top + CellsY(control.rect.top - origin.top),
               window.client.left + CellsX(control.rect.right - origin.left),
               window.client.top + CellsY(control.rect.bottom - origin.top)};
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}

void Painter::DrawWindow(const Placed &window)
{
    const WindowView &view = *window.view;
    unsigned frameAttr = view.active ? kAttrNone : kAttrDim;
    m_grid.Clear(window.frame);
    m_grid.Frame(window.frame, frameAttr);
    CellRect captionClip{window.frame.left + 1, window.frame.top, window.frame.right - 1, window.frame.top + 1};
    m_grid.Put(window.frame.left + 2, window.frame.top, U" " + DecodeCp932(view.text) + U" ",
               view.active ? kAttrBold : kAttrDim, captionClip);

    auto found = m_scene.children.find(view.hwnd);
    if (found == m_scene.children.end())
        return;
    /* the first child is on top: draw from the last */
    const std::vector<WindowView> &controls = found->second;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (!it->visible)
            continue;
        unsigned attr = (it->enabled && view.active) ? kAttrNone : kAttrDim;
        CellRect shown = DrawControl(*it, ControlRect(window, *it), window.client, attr);
        if (it->focused && view.active) {
            m_grid.Mark(Intersect(shown, window.client), kAttrReverse);
            m_info.focus = EncodeUtf8(DecodeCp932(WithoutAccessMarks(it->text)));
        }
    }
}

CellRect Painter::DrawControl(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr)
{
    if (strcasecmp(control.className.c_str(), "Button") == 0)
        return DrawButton(control, r, clip, attr);
    return DrawStatic(control, r, clip, attr);
}

CellRect Painter::DrawButton(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr)
{
    std::u32string text = DecodeCp932(WithoutAccessMarks(control.text));
    DWORD type = control.style & kButtonTypeMask;
    int row = r.top + (r.Height() - 1) / 2;
    std::u32string label;
    int col = r.left;
    switch (type) {
    case BS_GROUPBOX:
        m_grid.Frame(r, attr);
        if (!text.empty())
            m_grid.Put(r.left + 1, r.top, U" " + text + U" ", attr, Intersect(clip, Inflate(r, -1)));
        return r;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        label = control.checkState == BST_CHECKED         ? U"[x] "
                : control.checkState == BST_INDETERMINATE ? U"[-] "
                                                          : U"[ ] ";
        label += text;
        break;
    case kButtonRadio:
    case kButtonAutoRadio:
        label = std::u32string(control.checkState == BST_CHECKED ? U"(*) " : U"( ) ") + text;
        break;
    default:
        label = control.defaultButton ? U"<[" + text + U"]>" : U"< " + text + U" >";
        col = r.left + std::max((r.Width() - CellWidth(label)) / 2, 0);
        break;
    }
    int end = m_grid.Put(col, row, label, attr, clip);
    return CellRect{col, row, end, row + 1};
}

CellRect Painter::DrawStatic(const WindowView &control, const CellRect &r, const CellRect &clip, unsigned attr)
{
    DWORD type = control.style & kStaticTypeMask;
    /* lines end at the rectangle, but punctuation may hang past its edge */
    CellRect inside = Intersect(CellRect{clip.left, r.top, clip.right, r.bottom}, clip);
    if (type == SS_ICON) {
        /* on the icon's middle row, level with a text centred beside it */
        m_grid.Put(r.left, r.top + r.Height() / 2, IconMarker(m_scene.icons, control.icon), attr, clip);
        return r;
    }
    if (type != SS_LEFT && type != SS_CENTER && type != kStaticRight && type != kStaticSimple &&
        type != kStaticLeftNoWrap && strcasecmp(control.className.c_str(), "Static") == 0)
        return r; /* frames and rectangles: nothing to show */
    std::vector<std::string> lines = StaticLines(control);
    for (size_t i = 0; i < lines.size() && r.top + static_cast<int>(i) < r.bottom; i++) {
        std::u32string line = DecodeCp932(lines[i]);
        int spare = r.Width() - CellWidth(line);
        int col = r.left + (type == SS_CENTER ? spare / 2 : type == kStaticRight ? spare : 0);
        m_grid.Put(col, r.top + static_cast<int>(i), line, attr, inside);
    }
    return r;
}

void Painter::DrawMenu(const Placed &window)
{
    const MenuView &menu = m_scene.menu;
    std::vector<std::u32string> left, right;
    int width = 0;
    for (const std::string &item : menu.items) {
        std::u32string text = DecodeCp932(WithoutAccessMarks(item));
        size_t tab = text.find(U'\t');
        left.push_back(text.substr(0, tab));
        right.push_back(tab == std::u32string::npos ? std::u32string() : text.substr(tab + 1));
        width = std::max(width, CellWidth(left.back()) + (right.back().empty() ? 0 : 2 + CellWidth(right.back())));
    }
    CellRect box{window.frame.left, window.frame.top + 1, window.frame.left + width + 4,
                 window.frame.top + 3 + static_cast<int>(menu.items.size())};
    int dx, dy;
    FitShift(box, CellRect{0, 0, m_grid.Cols(), m_grid.Rows()}, dx, dy);
    box = Offset(box, dx, dy);
    m_grid.Clear(box);
    m_grid.Frame(box, kAttrNone);
    CellRect inside = Inflate(box, -1);
    for (size_t i = 0; i < menu.items.size(); i++) {
        int row = inside.top + static_cast<int>(i);
        if (menu.items[i].empty()) {
            m_grid.Put(inside.left, row, std::u32string(static_cast<size_t>(inside.Width()), kLineH), kAttrNone);
            continue;
        }
        m_grid.Put(inside.left + 1, row, left[i], kAttrNone, inside);
        m_grid.Put(inside.right - 1 - CellWidth(right[i]), row, right[i], kAttrNone, inside);
        if (static_cast<int>(i) == menu.selected) {
            m_grid.Mark(CellRect{inside.left, row, inside.right, row + 1}, kAttrReverse);
            m_info.focus = EncodeUtf8(left[i]);
        }
    }
}

void Painter::DrawMinimized()
{
    int col = 0;
    for (const WindowView &view : m_scene.topLevels) {
        if (view.visible && view.iconic)
            col = m_grid.Put(col, m_grid.Rows() - 1, U"[" + DecodeCp932(view.text) + U"]",
                             view.active ? kAttrReverse : kAttrNone) +
                  1;
    }
}

RenderInfo Painter::Run()
{
    std::vector<Placed> placed = Place(OwnerChain(m_scene.topLevels));
    for (const Placed &window : placed)
        DrawWindow(window);
    DrawMinimized();
    for (const Placed &window : placed) {
        if (m_scene.menuOpen && window.view->hwnd == m_scene.menu.owner)
            DrawMenu(window);
    }
    m_info.drewWindow = !placed.empty();
    return m_info;
}

} // namespace

std::u32string IconMarker(const SystemIcons &icons, HICON icon)
{
    if (icon && icon == icons.hand)
        return U"(x)";
    if (icon && icon == icons.question)
        return U"(?)";
    if (icon && icon == icons.exclamation)
        return U"(!)";
    if (icon && icon == icons.asterisk)
        return U"(i)";
    return U"[#]";
}

RenderInfo Render(const Scene &scene, Grid &grid) { return Painter(scene, grid).Run(); }

SIZE ScreenOfGrid(int cols, int rows) { return SIZE{std::max(cols - 1, 0) * kCellPixelsX, rows * kCellPixelsY}; }

} // namespace lzport
