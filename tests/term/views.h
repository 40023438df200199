/* views.h - window snapshots as the window system would give them, for the
 * renderer's tests: the uninstall dialog and a message box, laid out in
 * dialog units and converted to pixels with the window system's base units.
 * Header only: the test program is made of the *_test.cpp files. */
#ifndef LZTEST_TERM_VIEWS_H
#define LZTEST_TERM_VIEWS_H

#include "term_layout.h"

namespace lztest {

/* Dialog units to pixels, as MapDialogRect does with the window system's
 * base units for the dialog font, 7 x 13 pixels. */
inline int DluX(int dlu) { return (dlu * 7 + 2) / 4; }
inline int DluY(int dlu) { return (dlu * 13 + 4) / 8; }

inline HWND FakeHwnd(int n) { return reinterpret_cast<HWND>(static_cast<intptr_t>(0x1000 + n)); }
inline HICON FakeIcon(int n) { return reinterpret_cast<HICON>(static_cast<intptr_t>(0x2000 + n)); }

/* A dialog's client area of cx x cy dialog units at (x, y) on the screen. */
inline lzport::WindowView DialogView(HWND hwnd, const char *caption, int x, int y, int cxDlu, int cyDlu)
{
    lzport::WindowView view;
    view.hwnd = hwnd;
    view.className = "#32770";
    view.text = caption;
    view.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    view.client = RECT{x, y, x + DluX(cxDlu), y + DluY(cyDlu)};
    view.rect = RECT{x - 3, y - 22, view.client.right + 3, view.client.bottom + 3};
    view.visible = view.enabled = view.active = true;
    return view;
}

/* A control of `dialog` at a rectangle in dialog units. */
inline lzport::WindowView ControlView(const lzport::WindowView &dialog, const char *className, const char *text, int id,
                                      DWORD style, int x, int y, int cx, int cy)
{
    lzport::WindowView view;
    view.hwnd = reinterpret_cast<HWND>(reinterpret_cast<intptr_t>(dialog.hwnd) * 0x100 + id + 0x80);
    view.parent = dialog.hwnd;
    view.className = className;
    view.text = text;
    view.id = id;
    view.style = style;
    int left = dialog.client.left + DluX(x), top = dialog.client.top + DluY(y);
    view.rect = RECT{left, top, left + DluX(cx), top + DluY(cy)};
    view.visible = (style & WS_VISIBLE) != 0;
    view.enabled = true;
    return view;
}

/* The uninstall dialog as it opens: "C:\\LZ" as the folder, the box ticked,
 * the focus and the default on ｷｬﾝｾﾙ. */
inline lzport::Scene UninstallScene()
{
    lzport::Scene scene;
    scene.icons = lzport::SystemIcons{FakeIcon(1), FakeIcon(2), FakeIcon(3), FakeIcon(4)};
    lzport::WindowView dlg = DialogView(FakeHwnd(1), "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ", 369, 250, 191, 169);
    std::vector<lzport::WindowView> &controls = scene.children[dlg.hwnd];
    controls.push_back(ControlView(dlg, "Button", "ｷｬﾝｾﾙ", IDCANCEL, 0x50030001, 135, 150, 50, 14));
    controls.back().focused = controls.back().defaultButton = true;
    controls.push_back(ControlView(dlg, "Button", "実行", IDOK, 0x50014000, 80, 150, 50, 14));
    controls.push_back(ControlView(dlg, "Button", "ｽﾄｯｸﾌﾞｯｸ削除", 1001, 0x50010003, 65, 125, 57, 10));
    controls.back().checkState = BST_CHECKED;
    controls.push_back(ControlView(dlg, "Static", "「C:\\LZ」", 1003, 0x50020000, 20, 10, 155, 8));
    controls.push_back(ControlView(dlg, "Static", "  にインストールされているルメオ ゼルコアバージョンを削除します。",
                                   -1, 0x50020000, 20, 20, 150, 25));
    controls.push_back(ControlView(dlg, "Static",
                                   "  削除する場合は実行を押してください。やめる場合はキャンセルを押してください。", -1,
                                   0x50020000, 20, 50, 155, 25));
    controls.push_back(ControlView(dlg, "Static",
                                   "  注意：アンインストールを実行するとストックブックも削除されてしまいます。"
                                   "削除したくない場合は、下のチェックをはずして下さい。",
                                   -1, 0x50020000, 20, 90, 155, 30));
    controls.push_back(ControlView(dlg, "Button", "", -1, 0x50000007, 5, 0, 180, 80));
    controls.push_back(ControlView(dlg, "Button", "", -1, 0x50000007, 5, 80, 180, 60));
    scene.topLevels.push_back(dlg);
    return scene;
}

/* A message box owned by the uninstall dialog, which it disables. */
inline void AddMessageBox(lzport::Scene &scene, const char *text, HICON icon, bool yesNo)
{
    lzport::WindowView &owner = scene.topLevels.front();
    owner.active = owner.enabled = false;
    lzport::WindowView box = DialogView(FakeHwnd(2), "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ", 0, 0, 180, 50);
    box.owner = owner.hwnd;
    /* centred over the owner: both sit in the middle of the work area */
    int dx = (owner.client.left + owner.client.right - box.client.left - box.client.right) / 2;
    int dy = (owner.client.top + owner.client.bottom - box.client.top - box.client.bottom) / 2;
    box.client = RECT{box.client.left + dx, box.client.top + dy, box.client.right + dx, box.client.bottom + dy};
    std::vector<lzport::WindowView> &controls = scene.children[box.hwnd];
    controls.push_back(ControlView(box, "Static", "", 0x14, WS_CHILD | WS_VISIBLE | SS_ICON, 7, 7, 20, 20));
    controls.back().icon = icon;
    controls.push_back(ControlView(box, "Static", text, 0xFFFF, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 36, 10, 136, 16));
    if (yesNo) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        controls.push_back(ControlView(box, "Button", "はい(&Y)", IDYES, style, 46, 32, 40, 14));
        controls.back().focused = controls.back().defaultButton = true;
        controls.push_back(ControlView(box, "Button", "いいえ(&N)", IDNO, style, 94, 32, 40, 14));
    } else {
        controls.push_back(ControlView(box, "Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 70, 32, 40, 14));
        controls.back().focused = controls.back().defaultButton = true;
    }
    scene.topLevels.insert(scene.topLevels.begin(), box);
}

} // namespace lztest

#endif
