/* testapp.cpp - the tests' application object, made on demand. */
#include "testapp.h"

#include <mbctype.h>

#include "afxwin.h"

namespace lztest {

CWinApp *TestApp()
{
    static CWinApp *app = [] {
        _setmbcp(_MB_CP_ANSI);
        CWinApp *created = new CWinApp("LzTest");
        created->m_hInstance = GetModuleHandleA(NULL);
        return created;
    }();
    return app;
}

} // namespace lztest
