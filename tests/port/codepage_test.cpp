/* codepage_test.cpp - MultiByteToWideChar and WideCharToMultiByte on the
 * ANSI code page, 932: single-byte, half-width and double-byte characters,
 * required sizes, buffers too small, replacement characters and the
 * argument checks. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

const DWORD kUntouched = 0xdeadbeef;
const char kText[] = "Aｱ漢"; /* ASCII, half-width katakana, kanji */
const WCHAR kWide[] = {0x0041, 0xFF71, 0x6F22, 0};

TEST(CodePage, ToUtf16)
{
    WCHAR wide[8];
    for (UINT codePage : {(UINT)CP_ACP, 932u}) {
        SCOPED_TRACE(codePage);
        std::fill(wide, wide + 8, (WCHAR)0xBEEF);
        EXPECT_EQ(4, MultiByteToWideChar(codePage, 0, kText, -1, wide, 8)) << "with the terminator";
        EXPECT_EQ(0, memcmp(kWide, wide, sizeof kWide));
        EXPECT_EQ(0xBEEF, wide[4]);
    }
    EXPECT_EQ(3, MultiByteToWideChar(CP_ACP, 0, kText, (int)strlen(kText), NULL, 0)) << "the size needed";

    SetLastError(kUntouched);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, kText, -1, wide, 3));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
}

TEST(CodePage, FromUtf16)
{
    char text[16];
    memset(text, 'x', sizeof text);
    EXPECT_EQ(5, WideCharToMultiByte(CP_ACP, 0, kWide, -1, text, sizeof text, NULL, NULL));
    EXPECT_STREQ(kText, text);
    EXPECT_EQ(4, WideCharToMultiByte(932, 0, kWide, 3, NULL, 0, NULL, NULL)) << "the size needed";

    /* the kanji takes the last two bytes: one short and it does not fit */
    memset(text, 'x', sizeof text);
    SetLastError(kUntouched);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, kWide, 3, text, 3, NULL, NULL));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
}

TEST(CodePage, CharactersWithoutAForm)
{
    const WCHAR thai[] = {0x0041, 0x0E01, 0};
    char text[8];
    BOOL used = 7;
    EXPECT_EQ(3, WideCharToMultiByte(CP_ACP, 0, thai, -1, text, sizeof text, NULL, &used));
    EXPECT_STREQ("A?", text);
    EXPECT_TRUE(used);

    EXPECT_EQ(3, WideCharToMultiByte(CP_ACP, 0, thai, -1, text, sizeof text, "*", &used));
    EXPECT_STREQ("A*", text) << "the caller's replacement";

    used = 7;
    EXPECT_EQ(5, WideCharToMultiByte(CP_ACP, 0, kWide, -1, text, sizeof text, NULL, &used));
    EXPECT_FALSE(used);

    /* a lead byte with a byte that ends no character */
    const char broken[] = "\x81\x20";
    WCHAR wide[4];
    SetLastError(kUntouched);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, broken, 2, wide, 4));
    EXPECT_EQ((DWORD)ERROR_NO_UNICODE_TRANSLATION, GetLastError());
}

TEST(CodePage, ArgumentChecks)
{
    WCHAR wide[4];
    char text[4];
    static const struct {
        const char *what;
        LPCSTR source;
        int sourceLength;
        bool nullTarget;
        int targetSize;
        DWORD flags;
        DWORD error;
    } toWide[] = {
        {"no source", NULL, -1, false, 4, 0, ERROR_INVALID_PARAMETER},
        {"an empty source", "A", 0, false, 4, 0, ERROR_INVALID_PARAMETER},
        {"no target with a size", "A", -1, true, 4, 0, ERROR_INVALID_PARAMETER},
        {"a negative size", "A", -1, false, -1, 0, ERROR_INVALID_PARAMETER},
        {"an unknown flag", "A", -1, false, 4, 0x100, ERROR_INVALID_FLAGS},
    };
    for (const auto &c : toWide) {
        SCOPED_TRACE(c.what);
        SetLastError(kUntouched);
        EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, c.flags, c.source, c.sourceLength, c.nullTarget ? NULL : wide,
                                         c.targetSize));
        EXPECT_EQ(c.error, GetLastError());
    }

    SetLastError(kUntouched);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, NULL, -1, text, 4, NULL, NULL));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    SetLastError(kUntouched);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, kWide, -1, NULL, 4, NULL, NULL));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    SetLastError(kUntouched);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0x1, kWide, -1, text, 4, NULL, NULL));
    EXPECT_EQ((DWORD)ERROR_INVALID_FLAGS, GetLastError());
}

} // namespace
