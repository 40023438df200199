/* lzport.h - the native platform layer's own interface, outside Win32.
 *
 * A "machine" is one folder that holds everything a Windows machine would:
 *   <dir>/machine.ini   settings (platform family, Windows folder, ...)
 *   <dir>/HKLM.reg      HKEY_LOCAL_MACHINE, REGEDIT4 text in UTF-8
 *   <dir>/HKCU.reg      HKEY_CURRENT_USER, the same way; without the file,
 *                       HKEY_CURRENT_USER is empty
 *   <dir>/drives/<x>/   the root of drive X:
 * The process uses the machine named by LZPORT_MACHINE, or ~/.lzport when
 * that is unset; tests and tools may switch machines with LzPortUseMachine.
 * Failure injection lets tests reach error paths that a healthy machine never
 * takes. Nothing here exists on Windows: product code never includes it. */
#ifndef LZPORT_LZPORT_H
#define LZPORT_LZPORT_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Selects the machine folder for this process, creating the layout (drive C,
 * an empty registry, default settings) where it is missing. Resets the
 * working directory to C:\ and drops every injected fault. Returns FALSE and
 * sets the message of LzPortLastMessage when the folder cannot be used. */
BOOL LzPortUseMachine(const char *dir);
const char *LzPortMachineDir(void);
/* A human-readable account of the last platform failure that has no Win32
 * error code of its own (a malformed registry file, say); "" when none. */
const char *LzPortLastMessage(void);

/* Settings, stored in machine.ini. platformId is VER_PLATFORM_WIN32_NT or
 * VER_PLATFORM_WIN32_WINDOWS; windowsDir is a Windows path without a
 * trailing backslash ("C:\WINDOWS"). */
BOOL LzPortSetPlatform(DWORD platformId);
BOOL LzPortSetWindowsDir(const char *windowsDir);

/* Translates a Windows path (absolute, or relative to the working
 * directory) to the host path it names, resolving each component without
 * regard to case. Returns FALSE when the drive is unknown; a missing final
 * component is translated as written. */
BOOL LzPortHostPath(const char *winPath, char *hostPath, size_t size);

/* Marks the file or folder at winPath as a reparse point with `tag`, as
 * cloud placeholders and deduplicated files are on Windows: it then lists
 * with FILE_ATTRIBUTE_REPARSE_POINT and that tag, and otherwise behaves as
 * before. Links are made as symbolic links instead: a tag that stands for
 * another name (IsReparseTagNameSurrogate) is refused, as is a path that
 * names nothing. The mark lasts until the entry is deleted or another
 * machine is selected. */
BOOL LzPortMarkReparsePoint(const char *winPath, DWORD tag);

/* ---- registry failure injection (HKEY_LOCAL_MACHINE paths) ---- */
/* Opening keyPath with any write access then fails with
 * ERROR_ACCESS_DENIED; read access is still granted. */
void LzPortRegDenyWrite(const char *keyPath, BOOL deny);
/* The next RegCloseKey fails once (ERROR_INVALID_HANDLE), keeping the handle. */
void LzPortRegFailNextClose(void);
/* RegEnumKeyExA answers `error` at the given index; with `forever`, at that
 * index and every later one. */
void LzPortRegFailEnum(DWORD index, LONG error, BOOL forever);
void LzPortRegResetFaults(void);

/* ---- what the window system drew (it draws nothing itself) ---- */
/* One record of a window's paint log: BeginPaint (x, y, cx, cy: the
 * rectangle to paint), DrawIcon into the window's paint context (x, y:
 * where, icon: which), or WM_ICONERASEBKGND reaching the default window
 * procedure. */
#define LZPORT_PAINT_BEGIN 1
#define LZPORT_PAINT_ICON 2
#define LZPORT_PAINT_ICONERASE 3
typedef struct {
    UINT kind;
    int x, y, cx, cy;
    HICON icon;
} LZPORT_PAINT_RECORD;
/* Copies up to `max` records of the window's log, oldest first, and gives
 * how many the log holds; -1 for a window that does not exist. */
int LzPortPaintLog(HWND hwnd, LZPORT_PAINT_RECORD *records, int max);
void LzPortClearPaintLog(HWND hwnd);

/* ---- resources ---- */
/* Gives the program the resources of a compiled resource image (the binary
 * form of a compiled resource script) in place of the ones it was built
 * with, until the next call; null puts the program's own back. The image
 * must stay in place while it is in use. */
void LzPortUseResourceImage(const void *image, size_t size);
/* The RT_ICON ordinal of the image an icon of LoadIconA shows; FALSE for a
 * handle that is no such icon. */
BOOL LzPortIconResourceId(HICON icon, WORD *resourceId);

#ifdef __cplusplus
}
#endif

#endif
