/* wm_others.h - windows of other programs that the machine declares. */
#ifndef LZPORT_WM_OTHERS_H
#define LZPORT_WM_OTHERS_H

namespace lzport {

/* Makes, once, a hidden top-level window for each class that machine.ini
 * names in a "running=CLASS" line: the programs the machine has running,
 * as FindWindowA must see them. */
void EnsureOtherProgramsWindows();

} // namespace lzport

#endif
