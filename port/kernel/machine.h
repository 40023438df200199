/* machine.h - the machine that the platform layer emulates: its folder,
 * settings and drives, shared by the registry and file modules. */
#ifndef LZPORT_MACHINE_H
#define LZPORT_MACHINE_H

#include <string>
#include <utility>
#include <vector>

#include "windef.h"

namespace lzport {

struct Settings {
    DWORD platformId = 2; /* VER_PLATFORM_WIN32_NT */
    std::string windowsDir = "C:\\WINDOWS";
    std::string systemDir;                   /* empty: <windowsDir>\system32 (NT) or \SYSTEM (95/98) */
    std::vector<std::string> runningClasses; /* top-level window classes of other programs running */
    /* environment variables that the machine's own programs see, beside the
     * ones every machine has (SystemRoot, windir, SystemDrive); code page 932 */
    std::vector<std::pair<std::string, std::string>> environment;
};

/* The machine folder, selected on first use from LZPORT_MACHINE or the
 * default when nothing has selected one yet. */
const std::string &MachineDir();
const Settings &CurrentSettings();
/* Host folder of drive `letter` ("" when the machine has no such drive). */
std::string DriveRoot(char letter);
/* Records an explanation for LzPortLastMessage and prints it to stderr. */
void ReportProblem(const std::string &message);

/* Module resets, run whenever another machine is selected. */
void RegistryReset();
void FilesReset();

} // namespace lzport

#endif
