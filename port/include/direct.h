/* direct.h - the C runtime's directory functions, with Windows paths. */
#ifndef LZPORT_DIRECT_H
#define LZPORT_DIRECT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

char *_getcwd(char *buffer, int maxlen);
int _chdir(const char *dirname);
int _rmdir(const char *dirname);
int _mkdir(const char *dirname);

/* The runtime's remove(): deletes a file named by a Windows path (DeleteFileA). */
int LzPortRemove(const char *filename);

#ifdef __cplusplus
}
#endif

#endif
