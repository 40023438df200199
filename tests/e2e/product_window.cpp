/* product_window.cpp - registering a product window class and showing
 * nothing: the window stays hidden, as the lookup finds hidden ones too. */
#include "product_window.h"

namespace e2e {

ProductWindow::ProductWindow(const char *className) : m_className(className), m_hwnd(NULL)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = className;
    if (RegisterClassA(&wc))
        m_hwnd = CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL, wc.hInstance, NULL);
}

ProductWindow::~ProductWindow()
{
    if (m_hwnd != NULL)
        DestroyWindow(m_hwnd);
    UnregisterClassA(m_className, GetModuleHandleA(NULL));
}

} // namespace e2e
