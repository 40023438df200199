/* handlemap.cpp - which object stands for which window: the permanent map
 * of attached windows and the temporary objects that FromHandle makes for
 * the others. A temporary is reclaimed once its window is gone (checked
 * whenever a new one is made) and at the end of the process. */
#include <map>

#include "afxwin.h"

namespace {

class HandleMaps {
public:
    std::map<HWND, CWnd *> permanent;
    std::map<HWND, CWnd *> temporary;

    ~HandleMaps()
    {
        for (auto &entry : temporary)
            Release(entry.second);
    }

    /* Deletes the temporaries whose windows no longer exist. */
    void ReclaimTemporaries()
    {
        for (auto it = temporary.begin(); it != temporary.end();) {
            if (::IsWindow(it->first)) {
                ++it;
            } else {
                Release(it->second);
                it = temporary.erase(it);
            }
        }
    }

private:
    /* A temporary never destroys the window it stands for. */
    static void Release(CWnd *pWnd)
    {
        pWnd->m_hWnd = NULL;
        delete pWnd;
    }
};

HandleMaps &Maps()
{
    static HandleMaps maps;
    return maps;
}

} // namespace

CWnd *CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = Maps().permanent.find(hWnd);
    return it != Maps().permanent.end() ? it->second : NULL;
}

CWnd *CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd *pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    HandleMaps &maps = Maps();
    auto it = maps.temporary.find(hWnd);
    if (it != maps.temporary.end())
        return it->second;
    maps.ReclaimTemporaries();
    CWnd *pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    maps.temporary[hWnd] = pWnd;
    return pWnd;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    Maps().permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL && FromHandlePermanent(hWnd) == this)
        Maps().permanent.erase(hWnd);
    m_hWnd = NULL;
    return hWnd;
}
