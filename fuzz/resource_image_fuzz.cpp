/* resource_image_fuzz.cpp - arbitrary bytes given to the program as its
 * compiled resource image, then the lookups the program and its framework
 * make: dialog templates (found, loaded and read to their last byte),
 * strings of every block the image may hold, and icons. Whatever the
 * image, nothing may crash or read outside it. */
#include <stdint.h>
#include <stdlib.h>
#include <windows.h>

#include <vector>

#include "lzport.h"

namespace {

/* The program's own identifiers, and small ones that mutated images use. */
const WORD kDialogs[] = {1, 2, 100, 102};
const WORD kIconGroups[] = {1, 2, 128};
const UINT kStrings[] = {0, 1, 15, 16, 17, 101, 57344, 57345};

/* Reads every byte of a resource found in the image. */
unsigned ReadAll(HRSRC found)
{
    const BYTE *bytes = static_cast<const BYTE *>(LockResource(LoadResource(NULL, found)));
    DWORD size = SizeofResource(NULL, found);
    if (bytes == nullptr && size != 0)
        abort();
    unsigned sum = 0;
    for (DWORD i = 0; i < size; ++i)
        sum += bytes[i];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    /* a copy of exactly `size` bytes, so that a read past the image is caught */
    std::vector<uint8_t> image(data, data + size);
    LzPortUseResourceImage(image.empty() ? data : image.data(), image.size());
    volatile unsigned sink = 0;
    for (WORD id : kDialogs) {
        for (WORD language : {(WORD)0, (WORD)0x0411, (WORD)0x0409}) {
            HRSRC found = FindResourceExA(NULL, RT_DIALOG, MAKEINTRESOURCEA(id), language);
            if (found != NULL)
                sink = sink + ReadAll(found);
        }
    }
    HRSRC named = FindResourceA(NULL, "#100", "DIALOG");
    if (named != NULL)
        sink = sink + ReadAll(named);
    EnumResourceLanguagesA(
        NULL, RT_DIALOG, MAKEINTRESOURCEA(100),
        [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR) -> BOOL { return language != 0xFFFF; }, 0);
    for (UINT id : kStrings) {
        char text[512];
        int length = LoadStringA(NULL, id, text, sizeof text);
        if (length < 0 || length >= (int)sizeof text || text[length] != '\0')
            abort();
    }
    for (WORD id : kIconGroups) {
        HICON icon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id));
        WORD imageId = 0;
        if (icon != NULL && !LzPortIconResourceId(icon, &imageId))
            abort();
    }
    LzPortUseResourceImage(NULL, 0);
    (void)sink;
    return 0;
}
