/* product_window.h - a top-level window of one of the product's window
 * classes, standing in for the running product while it exists. */
#ifndef LZE2E_PRODUCT_WINDOW_H
#define LZE2E_PRODUCT_WINDOW_H

#include <windows.h>

namespace e2e {

class ProductWindow {
public:
    explicit ProductWindow(const char *className);
    ~ProductWindow();
    ProductWindow(const ProductWindow &) = delete;
    ProductWindow &operator=(const ProductWindow &) = delete;

    HWND Handle() const { return m_hwnd; }

private:
    const char *m_className;
    HWND m_hwnd;
};

} // namespace e2e

#endif
