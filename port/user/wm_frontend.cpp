/* wm_frontend.cpp - what a front end sees of the windows: snapshots of the
 * top-level windows (topmost first) and of a window's children (in
 * z-order, which for a dialog is the template's order). */
#include "frontend.h"
#include "wm_core.h"

namespace lzport {

namespace {

FrontEnd *g_frontEnd = nullptr;

WindowView ViewOf(const Window *window)
{
    WindowView view;
    view.hwnd = window->handle;
    view.parent = window->parent;
    view.owner = window->owner;
    view.className = window->cls->name;
    view.text = window->text;
    view.id = static_cast<int>(window->id);
    view.style = window->style;
    view.exStyle = window->exStyle;
    view.rect = WindowScreenRect(window);
    view.client = ClientScreenRect(window);
    view.visible = IsWindowVisible(window->handle) != FALSE;
    view.enabled = !(window->style & WS_DISABLED);
    view.focused = Windows().focus == window->handle;
    view.active = Windows().active == window->handle;
    view.iconic = (window->style & WS_MINIMIZE) != 0;
    if (window->cls->name == "Button") {
        view.checkState = static_cast<int>(SendMessageA(window->handle, BM_GETCHECK, 0, 0));
        view.defaultButton = (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    if (window->cls->name == "Static")
        view.icon = reinterpret_cast<HICON>(SendMessageA(window->handle, STM_GETICON, 0, 0));
    else if (window->parent == nullptr)
        view.icon = window->iconSmall != nullptr ? window->iconSmall : window->iconBig;
    return view;
}

std::vector<WindowView> ViewsOf(const std::vector<HWND> &handles)
{
    const std::vector<HWND> snapshot = handles;
    std::vector<WindowView> views;
    for (HWND hWnd : snapshot) {
        if (Window *window = FindWnd(hWnd))
            views.push_back(ViewOf(window));
    }
    return views;
}

} // namespace

std::vector<WindowView> TopLevelViews() { return ViewsOf(Windows().topLevels); }

std::vector<WindowView> ChildViews(HWND parent)
{
    Window *window = FindWnd(parent);
    return window != nullptr ? ViewsOf(window->children) : std::vector<WindowView>();
}

void SetFrontEnd(FrontEnd *frontEnd) { g_frontEnd = frontEnd; }

FrontEnd *CurrentFrontEnd() { return g_frontEnd; }

} // namespace lzport
