/* res_icon.cpp - icon groups, the choice of an image, and LoadIconA, whose
 * icons are shared: loading the same icon again gives the same handle, and
 * the icon lives as long as the program. */
#include "res_icon.h"

#include <stdint.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "lzport.h"
#include "res_image.h"
#include "wm_icon.h"

namespace lzport {

namespace {

const WORD kIcon = 3, kGroupIcon = 14, kAnimatedIcon = 22;
const size_t kGroupHeader = 6, kGroupEntry = 14;

/* The colour depth of the screen the icons are shown on. */
const int kScreenDepth = 32;

WORD Word(const BYTE *p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

/* One entry of a group: the image's size and depth, and its RT_ICON id. A
 * size of 0 by 0 stands for 256 by 256. */
struct GroupEntry {
    int width, height, bitCount;
    WORD id;
};

/* The entries of the group resource `data`, as many as it holds whole. */
std::vector<GroupEntry> ReadGroup(const BYTE *data, size_t size)
{
    std::vector<GroupEntry> entries;
    size_t count = size >= kGroupHeader ? Word(data + 4) : 0;
    for (size_t i = 0; i < count && kGroupHeader + (i + 1) * kGroupEntry <= size; ++i) {
        const BYTE *e = data + kGroupHeader + i * kGroupEntry;
        int width = e[0] == 0 ? 256 : e[0], height = e[1] == 0 ? 256 : e[1];
        entries.push_back(GroupEntry{width, height, Word(e + 6), Word(e + 12)});
    }
    return entries;
}

/* The image to show at cx by cy: the one whose width and height differ
 * least from it, taken together; of those, the one whose depth is closest
 * to the screen's; of those, the first listed. Null for a group without
 * images. */
const GroupEntry *ChooseImage(const std::vector<GroupEntry> &entries, int cx, int cy)
{
    auto misfit = [cx, cy](const GroupEntry &e) {
        return std::make_pair(abs(e.width - cx) + abs(e.height - cy), abs(e.bitCount - kScreenDepth));
    };
    auto best = std::min_element(entries.begin(), entries.end(),
                                 [&](const GroupEntry &a, const GroupEntry &b) { return misfit(a) < misfit(b); });
    return best == entries.end() ? nullptr : &*best;
}

/* The icons LoadIconA has handed out. */
struct SharedIcons {
    std::mutex mutex;
    std::vector<std::unique_ptr<IconImage>> icons;
};

SharedIcons &Shared()
{
    static SharedIcons shared;
    return shared;
}

} // namespace

bool FindIconGroup(HMODULE module, LPCSTR name, int cx, int cy, IconImage &image, DWORD &error)
{
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    const ResEntry *group = NULL;
    error = FindResourceEntryA(module, MAKEINTRESOURCEA(kGroupIcon), name, neutral, &group);
    if (error != 0) {
        /* the system tries an animated icon of that name next; the program
         * has none that this layer could show */
        const ResEntry *animated = NULL;
        DWORD animatedError = FindResourceEntryA(module, MAKEINTRESOURCEA(kAnimatedIcon), name, neutral, &animated);
        if (animatedError != 0)
            error = animatedError;
        return false;
    }
    std::vector<GroupEntry> entries = ReadGroup(group->data, group->size);
    const GroupEntry *chosen = ChooseImage(entries, cx, cy);
    if (chosen == nullptr)
        return false; /* error is 0: the system sets none */
    const GroupEntry &entry = *chosen;

    const ResEntry *icon = NULL;
    error = FindResourceEntry(module, ResKey::Ordinal(kIcon), ResKey::Ordinal(entry.id), neutral, &icon);
    if (error != 0)
        return false;
    image.resourceId = entry.id;
    image.width = entry.width;
    image.height = entry.height;
    image.bitCount = entry.bitCount;
    image.bits = icon->data;
    image.size = icon->size;
    return true;
}

const IconImage *IconFromHandle(HICON icon)
{
    SharedIcons &shared = Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    for (const auto &loaded : shared.icons) {
        if (reinterpret_cast<HICON>(loaded.get()) == icon)
            return loaded.get();
    }
    return nullptr;
}

void ForgetIconsIn(const BYTE *image, size_t size)
{
    SharedIcons &shared = Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    auto within = [image, size](const std::unique_ptr<IconImage> &icon) {
        uintptr_t at = reinterpret_cast<uintptr_t>(icon->bits), start = reinterpret_cast<uintptr_t>(image);
        return at >= start && at - start < size;
    };
    shared.icons.erase(std::remove_if(shared.icons.begin(), shared.icons.end(), within), shared.icons.end());
}

} // namespace lzport

extern "C" {

/* A null instance asks for one of the system's own icons (wm_icon.cpp). */
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    if (hInstance == NULL)
        return lzport::LoadSystemIcon(lpIconName);
    lzport::IconImage image;
    DWORD error = 0;
    if (!lzport::FindIconGroup(hInstance, lpIconName, lzport::kSystemIconSize, lzport::kSystemIconSize, image, error)) {
        if (error != 0)
            SetLastError(error);
        return NULL;
    }
    lzport::SharedIcons &shared = lzport::Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    for (const auto &loaded : shared.icons) {
        if (loaded->bits == image.bits && loaded->size == image.size && loaded->resourceId == image.resourceId)
            return reinterpret_cast<HICON>(loaded.get());
    }
    shared.icons.push_back(std::make_unique<lzport::IconImage>(image));
    return reinterpret_cast<HICON>(shared.icons.back().get());
}

/* Icons only (fIcon TRUE), in the screen's colours (LR_DEFAULTCOLOR), at
 * the size given: what the program and its tests ask for. Anything else,
 * like a group without images, gives 0. */
int WINAPI LookupIconIdFromDirectoryEx(PBYTE presbits, BOOL fIcon, int cxDesired, int cyDesired, UINT Flags)
{
    if (presbits == NULL || !fIcon || Flags != LR_DEFAULTCOLOR)
        return 0;
    size_t count = lzport::Word(presbits + 4);
    std::vector<lzport::GroupEntry> entries =
        lzport::ReadGroup(presbits, lzport::kGroupHeader + count * lzport::kGroupEntry);
    const lzport::GroupEntry *chosen = lzport::ChooseImage(entries, cxDesired, cyDesired);
    return chosen == nullptr ? 0 : chosen->id;
}

} // extern "C"

BOOL LzPortIconResourceId(HICON icon, WORD *resourceId)
{
    const lzport::IconImage *image = lzport::IconFromHandle(icon);
    if (image == nullptr)
        return FALSE;
    *resourceId = image->resourceId;
    return TRUE;
}
