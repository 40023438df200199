/* FolderPolicy.h - which folders read from the registry the uninstall run
 * may remove, what it spares inside the installation folder when the user
 * keeps the stock book, and whether a removal left the folder gone. */
#ifndef LZ_FOLDERPOLICY_H
#define LZ_FOLDERPOLICY_H

#include "afx.h"

/* TRUE when strPath may be removed. It must be a full path ("X:\...")
 * already in the form the system resolves it to (apart from letter case and
 * one trailing backslash), and name neither a drive root nor any folder
 * that the system itself names (see SystemFolders.h), nor a folder that
 * holds one. Names compare without regard to case, short (8.3) names
 * resolved to long ones. */
BOOL IsRemovableFolder(const CString &strPath);

/* The folder to spare inside the installation folder when the stock book is
 * kept, worked out from both paths as the system resolves them. A stock
 * book inside the installation folder spares the first folder on its way
 * there; one elsewhere spares a folder named like its last component.
 * Returns FALSE when the installation folder must not be removed at all:
 * the stock book is that folder or a folder that holds it, or its path
 * cannot be resolved, so that where it lies is unknown. */
BOOL GetKeptFolderName(const CString &strStockBook, const CString &strInstallDir, CString &strKeep);

/* TRUE when nothing is left at strPath. */
BOOL IsFolderGone(const CString &strPath);

/* TRUE when nothing is left at strPath but the folder strKeep directly
 * inside it (any letter case); with strKeep empty, when nothing is left. */
BOOL IsOnlyKeptFolderLeft(const CString &strPath, const CString &strKeep);

#endif
