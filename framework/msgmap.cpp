/* msgmap.cpp - command targets: the root message map and the search of an
 * object's maps, from its own class to the root. */
#include "afxwin.h"

namespace {

const AFX_MSGMAP *BaseMap(const AFX_MSGMAP *pMap)
{
    return pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr;
}

} // namespace

CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP *CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP *CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY *CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    if (nMessage == WM_COMMAND)
        return nullptr; /* command entries are found by OnCmdMsg */
    for (const AFX_MSGMAP *pMap = GetMessageMap(); pMap != nullptr; pMap = BaseMap(pMap)) {
        for (const AFX_MSGMAP_ENTRY *pEntry = pMap->lpEntries; pEntry->pfn != nullptr; pEntry++) {
            if (pEntry->nMessage == nMessage)
                return pEntry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    for (const AFX_MSGMAP *pMap = GetMessageMap(); pMap != nullptr; pMap = BaseMap(pMap)) {
        for (const AFX_MSGMAP_ENTRY *pEntry = pMap->lpEntries; pEntry->pfn != nullptr; pEntry++) {
            if (pEntry->nMessage == WM_COMMAND && pEntry->nCode == static_cast<UINT>(nCode) && nID >= pEntry->nID &&
                nID <= pEntry->nLastID) {
                pEntry->pfn(this, 0, 0);
                return TRUE;
            }
        }
    }
    return FALSE;
}
