/* registry_faults.cpp - injected registry failures for tests. */
#include "registry_faults.h"

#include <algorithm>
#include <mutex>

#include "lzport.h"
#include "registry_store.h"
#include "registry_tree.h"
#include "winerror.h"

namespace lzport::reg {

namespace {

struct Faults {
    std::vector<std::vector<std::string>> denied;
    bool failNextClose = false;
    bool enumFault = false;
    DWORD enumIndex = 0;
    LONG enumError = ERROR_SUCCESS;
    bool enumForever = false;
};

Faults &TheFaults()
{
    static Faults faults;
    return faults;
}

} // namespace

bool WriteDenied(const Hive &hive, const std::vector<std::string> &path)
{
    const auto &denied = TheFaults().denied;
    return &hive == &MachineHive() &&
           std::any_of(denied.begin(), denied.end(), [&](const auto &d) { return SamePath(d, path); });
}

bool TakeCloseFault()
{
    bool fail = TheFaults().failNextClose;
    TheFaults().failNextClose = false;
    return fail;
}

bool EnumFault(DWORD index, LONG &error)
{
    const Faults &f = TheFaults();
    if (!f.enumFault || index < f.enumIndex || (index > f.enumIndex && !f.enumForever))
        return false;
    error = f.enumError;
    return true;
}

void ResetFaults() { TheFaults() = Faults(); }

} // namespace lzport::reg

using namespace lzport::reg;

extern "C" {

void LzPortRegDenyWrite(const char *keyPath, BOOL deny)
{
    std::vector<std::string> path;
    if (!keyPath || SplitKeyPath(keyPath, path) != ERROR_SUCCESS)
        return;
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    auto &denied = TheFaults().denied;
    denied.erase(std::remove_if(denied.begin(), denied.end(), [&](const auto &d) { return SamePath(d, path); }),
                 denied.end());
    if (deny)
        denied.push_back(path);
}

void LzPortRegFailNextClose(void)
{
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    TheFaults().failNextClose = true;
}

void LzPortRegFailEnum(DWORD index, LONG error, BOOL forever)
{
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    Faults &f = TheFaults();
    f.enumFault = true;
    f.enumIndex = index;
    f.enumError = error;
    f.enumForever = forever != FALSE;
}

void LzPortRegResetFaults(void)
{
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    ResetFaults();
}

} /* extern "C" */
