/* message_box.h - what a message box of another process shows: caption,
 * text, icon, buttons and owner. */
#ifndef LZE2E_MESSAGE_BOX_H
#define LZE2E_MESSAGE_BOX_H

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace e2e {

enum class BoxIcon { None, Stop, Question, Exclamation, Information, Unrecognised };
std::ostream &operator<<(std::ostream &out, BoxIcon icon);

struct MessageBoxView {
    std::string caption;
    std::string text;
    BoxIcon icon;
    std::vector<int> buttons; /* ids of the shown buttons, ascending */
    HWND owner;
};

MessageBoxView ReadMessageBox(HWND box);

/* Which of the system's message-box icons the icon control shows, told by
 * its pixels on the screen, since icon handles mean nothing outside the
 * process that loaded them. */
BoxIcon RecogniseIcon(HWND iconControl);

} // namespace e2e

#endif
