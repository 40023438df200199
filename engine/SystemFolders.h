/* SystemFolders.h - the folders that the system itself names: the Windows
 * and system folders, Program Files and Common Files (on 64-bit Windows the
 * native ones too), the profiles, and every shell folder of the current
 * user and of all users, read where each Windows version keeps them. */
#ifndef LZ_SYSTEMFOLDERS_H
#define LZ_SYSTEMFOLDERS_H

#include "afx.h"

/* Appends the paths of those folders, as the system records them (values
 * that hold environment variables expanded). Only what is present counts;
 * a missing value adds nothing. */
void GetSystemNamedFolders(CStringArray &astrFolders);

#endif
