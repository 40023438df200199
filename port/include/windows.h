/* windows.h - the native platform layer's Win32 header. Product and
 * framework code include <windows.h> unchanged on both builds; on the native
 * build this one answers. */
#ifndef LZPORT_WINDOWS_H
#define LZPORT_WINDOWS_H

#include <stdio.h>
#include <string.h>
#ifdef __cplusplus
/* <cstdio> undefines remove when it is first included: take that in now,
 * so that a later C++ header cannot undo the definition below. */
#include <cstdio>
#endif

#include "direct.h"
#include "libloaderapi.h"
#include "winbase.h"
#include "windef.h"
#include "winerror.h"
#include "wingdi.h"
#include "winnls.h"
#include "winreg.h"
#include "winuser.h"
#include "winver.h"

/* The runtime's remove() takes Windows paths here, as it does on Windows.
 * Code that includes <windows.h> cannot use std::remove from <algorithm>
 * when that header came first: use std::remove_if or erase instead. */
#ifdef remove
#undef remove
#endif
#define remove LzPortRemove

#endif
