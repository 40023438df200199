/* wm_modal.cpp - the modal loops running on the thread (dialogs, message
 * boxes, the system menu), so that a thread that will never get input can
 * end them one by one instead of hanging: a dialog is first sent Esc, as
 * the user would press it; one that ignores Esc (a message box without a
 * Cancel button) is ended with IDCANCEL the next time. */
#include <algorithm>
#include <vector>

#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

struct ModalLoop {
    HWND hWnd;
    ModalKind kind;
    int attempts;
};

std::vector<ModalLoop> g_loops;

} // namespace

void PushModal(HWND hWnd, ModalKind kind) { g_loops.push_back(ModalLoop{hWnd, kind, 0}); }

void PopModal(HWND hWnd)
{
    auto it = std::find_if(g_loops.rbegin(), g_loops.rend(), [hWnd](const ModalLoop &l) { return l.hWnd == hWnd; });
    if (it != g_loops.rend())
        g_loops.erase(std::next(it).base());
}

void EndInnermostModal()
{
    if (g_loops.empty()) {
        PostQuitMessage(0);
        return;
    }
    ModalLoop &loop = g_loops.back();
    if (loop.kind == ModalKind::Dialog && loop.attempts++ > 0 && IsWindow(loop.hWnd)) {
        EndDialog(loop.hWnd, IDCANCEL);
        return;
    }
    /* the menu loop and the dialog manager both take Esc from the queue */
    if (!PostMessageA(loop.hWnd, WM_KEYDOWN, VK_ESCAPE, 1))
        PostMessageA(nullptr, WM_KEYDOWN, VK_ESCAPE, 1);
}

} // namespace lzport
