/* dlgplace.cpp - where a dialog opens: after initialisation the framework
 * centres a dialog that the dialog manager has placed by default, that is
 * one still hidden and unmoved, with no enabled owner, whose template asks
 * for no position of its own. */
#include <string.h>

#include "afxwin.h"

namespace {

/* Position and style of a template, plain or extended (DLGTEMPLATEEX
 * starts with version 1 and the signature 0xFFFF). */
struct TemplateHeader {
    DWORD style;
    short x;
    short y;
};

TemplateHeader ReadTemplateHeader(LPCDLGTEMPLATE lpTemplate)
{
    const BYTE *p = reinterpret_cast<const BYTE *>(lpTemplate);
    WORD signature;
    memcpy(&signature, p + 2, sizeof signature);
    BOOL bExtended = signature == 0xFFFF;
    TemplateHeader header;
    memcpy(&header.style, p + (bExtended ? 12 : 0), sizeof header.style);
    memcpy(&header.x, p + (bExtended ? 18 : 10), sizeof header.x);
    memcpy(&header.y, p + (bExtended ? 20 : 12), sizeof header.y);
    return header;
}

} // namespace

BOOL CDialog::ShouldAutoCenter(DWORD styleBefore, const RECT &rectBefore) const
{
    if (m_hWnd == NULL || m_lpRunningTemplate == NULL)
        return FALSE;
    /* hidden when initialisation began and still hidden */
    if ((styleBefore & WS_VISIBLE) || (GetStyle() & (WS_VISIBLE | WS_CHILD)))
        return FALSE;
    RECT rect;
    GetWindowRect(&rect);
    if (rect.left != rectBefore.left || rect.top != rectBefore.top)
        return FALSE;
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner))
        return FALSE;
    TemplateHeader header = ReadTemplateHeader(m_lpRunningTemplate);
    return header.x == 0 && header.y == 0 && !(header.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN));
}
