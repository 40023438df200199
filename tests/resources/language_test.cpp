/* language_test.cpp - which language of a resource FindResourceExA finds,
 * on a machine whose locale is Japanese, among the languages that
 * languages.rc offers: a table of names, languages asked for and languages
 * found. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

const WORD kNotFound = 0xFFFF;

/* The language of the resource found, or kNotFound with the error checked;
 * FindResourceA asks for no language. */
WORD Found(WORD name, WORD asked)
{
    SetLastError(0xdeadbeef);
    HRSRC found = FindResourceExA(NULL, RT_RCDATA, MAKEINTRESOURCEA(name), asked);
    if (found == NULL) {
        EXPECT_EQ((DWORD)ERROR_RESOURCE_LANG_NOT_FOUND, GetLastError());
        return kNotFound;
    }
    EXPECT_EQ(0xdeadbeefu, GetLastError());
    EXPECT_EQ(2u, SizeofResource(NULL, found));
    if (asked == 0) {
        EXPECT_EQ(found, FindResourceA(NULL, MAKEINTRESOURCEA(name), RT_RCDATA));
    }
    return *static_cast<const WORD *>(LockResource(LoadResource(NULL, found)));
}

TEST(ResourceLanguage, FindsTheLanguageTheLoaderPrefers)
{
    const WORD neutral = 0x0000, user = 0x0400, system = 0x0800, custom = 0x0C00;
    const WORD german = 0x0407, germanAustria = 0x0C07, germanOnly = 0x0007, english = 0x0409, britain = 0x0809,
               englishOnly = 0x0009, french = 0x040C, japanese = 0x0411, japaneseOnly = 0x0011;
    static const struct {
        WORD name;  /* see languages.rc */
        WORD asked; /* FindResourceExA's language */
        WORD found; /* the resource's language */
        const char *why;
    } rows[] = {
        /* a language asked for: itself, its primary language alone, the neutral one */
        {1, german, german, "the language itself"},
        {1, germanAustria, neutral, "no German alone, so neutral"},
        {1, japanese, neutral, "not there: neutral"},
        {4, japanese, japaneseOnly, "the primary language alone"},
        {4, japaneseOnly, japaneseOnly, "the primary language alone, asked as such"},
        {6, britain, englishOnly, "the primary language before any other English"},
        {6, english, english, "the language itself"},
        {2, japanese, kNotFound, "never another language"},
        {2, germanAustria, kNotFound, "never another German"},
        {3, english, kNotFound, "never another language"},
        {8, german, germanOnly, "the primary language alone"},
        {8, french, kNotFound, "the user's default is no fallback"},
        {5, english, english, "the language itself"},
        {5, japanese, japanese, "the language itself"},
        /* no language asked for: the one given, neutral, the locale's, its
         * primary language alone, US English, then the first there is */
        {1, neutral, neutral, "neutral"},
        {1, user, neutral, "neutral before the locale's"},
        {9, user, neutral, "neutral before the locale's"},
        {5, neutral, japanese, "the locale's language before English"},
        {10, neutral, japaneseOnly, "the locale's primary language before English"},
        {2, neutral, english, "US English"},
        {6, neutral, english, "US English, not English alone"},
        {7, neutral, germanOnly, "not English alone: the first"},
        {3, neutral, german, "none of them: the first by number"},
        {8, user, user, "the user's default, asked as such"},
        {8, neutral, germanOnly, "the user's default only when asked: the first"},
        {11, system, system, "the system's default, asked as such"},
        {11, user, germanOnly, "the system's default only when asked: the first"},
        {11, custom, germanOnly, "the first"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.name) + " asked in " + std::to_string(row.asked) + ": " + row.why);
        EXPECT_EQ(row.found, Found(row.name, row.asked));
    }
}

TEST(ResourceLanguage, EnumeratedInTheOrderOfTheirNumbers)
{
    std::vector<WORD> languages;
    EXPECT_TRUE(EnumResourceLanguagesA(
        NULL, RT_RCDATA, MAKEINTRESOURCEA(3),
        [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) CALLBACK -> BOOL {
            reinterpret_cast<std::vector<WORD> *>(param)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages)));
    EXPECT_EQ((std::vector<WORD>{0x0407, 0x040C}), languages);
}

} // namespace
