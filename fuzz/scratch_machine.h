/* scratch_machine.h - the fuzz targets' machine of the platform layer: a
 * fresh folder in TMPDIR, where the fuzz runner clears it. */
#ifndef LZFUZZ_SCRATCH_MACHINE_H
#define LZFUZZ_SCRATCH_MACHINE_H

#include <mbctype.h>
#include <stdlib.h>

#include <string>

#include "lzport.h"

/* Selects a new machine and the ANSI code page; its folder, or an abort. */
inline std::string UseScratchMachine()
{
    const char *tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lzfuzz-XXXXXX";
    if (!mkdtemp(&pattern[0]) || !LzPortUseMachine(pattern.c_str()))
        abort();
    _setmbcp(_MB_CP_ANSI);
    return pattern;
}

#endif
