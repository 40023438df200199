/* FolderPolicy.h - which folders read from the registry the uninstall run
 * may remove, and what it spares inside the installation folder when the
 * user keeps the stock book. */
#ifndef LZ_FOLDERPOLICY_H
#define LZ_FOLDERPOLICY_H

#include "afx.h"

/* TRUE when strPath is a full path ("X:\..."), has no empty, "." or ".."
 * component (one trailing backslash aside), and names none of the system's
 * critical folders: a drive root, the Windows folder or a folder that holds
 * it, the system folder, Program Files or Common Files. Names compare
 * without regard to case, short (8.3) names resolved to long ones. */
BOOL IsRemovableFolder(const CString &strPath);

/* The folder to spare inside the installation folder when the stock book is
 * kept. A stock book inside the installation folder spares the first folder
 * on its way there; one elsewhere spares a folder named like its last
 * component. Returns FALSE when the installation folder must not be removed
 * at all because it is the stock book folder or lies inside it. */
BOOL GetKeptFolderName(const CString &strStockBook, const CString &strInstallDir, CString &strKeep);

#endif
