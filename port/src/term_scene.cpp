/* term_scene.cpp - takes the scene that the renderer draws from the window
 * system. */
#include "term_frontend.h"
#include "wm_icon.h"

namespace lzport {

Scene CaptureScene()
{
    Scene scene;
    scene.topLevels = TopLevelViews();
    for (const WindowView &view : scene.topLevels) {
        if (view.visible)
            scene.children[view.hwnd] = ChildViews(view.hwnd);
    }
    scene.menuOpen = OpenMenuView(scene.menu);
    scene.icons.hand = LoadSystemIcon(IDI_HAND);
    scene.icons.question = LoadSystemIcon(IDI_QUESTION);
    scene.icons.exclamation = LoadSystemIcon(IDI_EXCLAMATION);
    scene.icons.asterisk = LoadSystemIcon(IDI_ASTERISK);
    return scene;
}

} // namespace lzport
