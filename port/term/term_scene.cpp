/* term_scene.cpp - takes the scene that the renderer draws from the window
 * system. */
#include "term_frontend.h"

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
    scene.icons.hand = LoadIconA(nullptr, IDI_HAND);
    scene.icons.question = LoadIconA(nullptr, IDI_QUESTION);
    scene.icons.exclamation = LoadIconA(nullptr, IDI_EXCLAMATION);
    scene.icons.asterisk = LoadIconA(nullptr, IDI_ASTERISK);
    return scene;
}

} // namespace lzport
