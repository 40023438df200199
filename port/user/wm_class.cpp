/* wm_class.cpp - window classes: the built-in ones (the dialog class,
 * Button, Static) and those a program registers, found by name without
 * regard to case or by atom. A program's class of the same name as a
 * built-in one comes first. */
#include <algorithm>
#include <memory>

#include "cp932.h"
#include "dlg_core.h"
#include "wm_core.h"

namespace lzport {

namespace {

struct ClassTable {
    std::vector<std::unique_ptr<WindowClass>> classes; /* programs' first, built-in last */
    ATOM nextAtom = 0xC000;
};

std::unique_ptr<WindowClass> BuiltIn(const char *name, ATOM atom, WNDPROC proc, int wndExtra, UINT style)
{
    auto cls = std::make_unique<WindowClass>();
    cls->name = name;
    cls->atom = atom;
    cls->proc = proc;
    cls->wndExtra = wndExtra;
    cls->style = style;
    cls->system = true;
    return cls;
}

ClassTable &Classes()
{
    static ClassTable table;
    if (table.classes.empty()) {
        table.classes.push_back(BuiltIn(kDialogClassName, kDialogClassAtom, DefDlgProcA, DLGWINDOWEXTRA, CS_SAVEBITS));
        table.classes.push_back(BuiltIn("Button", table.nextAtom++, ButtonWndProc, kButtonExtra,
                                        CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW | CS_PARENTDC));
        table.classes.push_back(
            BuiltIn("Static", table.nextAtom++, StaticWndProc, kStaticExtra, CS_DBLCLKS | CS_PARENTDC));
    }
    return table;
}

bool Named(const WindowClass &cls, LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return cls.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return Cp932EqualNoCase(cls.name, name);
}

bool ClassInUse(const WindowClass *cls)
{
    for (const auto &window : Windows().windows) {
        if (window->cls == cls)
            return true;
    }
    return false;
}

ATOM Register(const WindowClass &wanted)
{
    ClassTable &table = Classes();
    for (const auto &cls : table.classes) {
        if (!cls->system && Named(*cls, wanted.name.c_str())) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto cls = std::make_unique<WindowClass>(wanted);
    cls->atom = table.nextAtom++;
    ATOM atom = cls->atom;
    table.classes.insert(table.classes.begin(), std::move(cls));
    return atom;
}

} // namespace

const WindowClass *FindClass(LPCSTR name)
{
    if (name == nullptr)
        return nullptr;
    for (const auto &cls : Classes().classes) {
        if (Named(*cls, name))
            return cls.get();
    }
    return nullptr;
}

} // namespace lzport

using namespace lzport;

extern "C" {

/* Wine leaves the last error alone for a class without a name. */
ATOM WINAPI RegisterClassA(const WNDCLASSA *lpWndClass)
{
    if (lpWndClass == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    if (lpWndClass->lpszClassName == nullptr)
        return 0;
    WindowClass cls;
    cls.name = IS_INTRESOURCE(lpWndClass->lpszClassName) ? std::string() : lpWndClass->lpszClassName;
    cls.style = lpWndClass->style;
    cls.proc = lpWndClass->lpfnWndProc;
    cls.wndExtra = lpWndClass->cbWndExtra > 0 ? lpWndClass->cbWndExtra : 0;
    cls.instance = lpWndClass->hInstance;
    cls.icon = lpWndClass->hIcon;
    cls.cursor = lpWndClass->hCursor;
    cls.background = lpWndClass->hbrBackground;
    return Register(cls);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    ClassTable &table = Classes();
    auto it = std::find_if(table.classes.begin(), table.classes.end(), [lpClassName](const auto &cls) {
        return !cls->system && lpClassName != nullptr && Named(*cls, lpClassName);
    });
    if (it == table.classes.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (ClassInUse(it->get())) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    table.classes.erase(it);
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr || nMaxCount <= 0)
        return 0;
    if (lpClassName == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    size_t n = std::min(window->cls->name.size(), static_cast<size_t>(nMaxCount - 1));
    window->cls->name.copy(lpClassName, n);
    lpClassName[n] = '\0';
    return static_cast<int>(n);
}

} // extern "C"
