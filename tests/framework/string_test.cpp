/* string_test.cpp - CString and CStringArray: double-byte aware finding and
 * case mapping in code page 932, clamping, sharing and copy-on-write,
 * concatenation, comparison, buffers, and the array's growth and removal. */
#include <gtest/gtest.h>
#include <mbctype.h>
#include <string.h>

#include <string>

#include "afxstr.h"

namespace {

std::string Bytes(const CString &s) { return std::string(static_cast<LPCSTR>(s), s.GetLength()); }

const void *Buffer(const CString &s) { return static_cast<LPCSTR>(s); }

/* Every test here runs in the ANSI multibyte code page, as the program does. */
class StringTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedCodePage = _getmbcp();
        ASSERT_EQ(0, _setmbcp(_MB_CP_ANSI));
        ASSERT_EQ(932, _getmbcp());
    }
    void TearDown() override { _setmbcp(m_savedCodePage); }

private:
    int m_savedCodePage = 0;
};

TEST_F(StringTest, LiteralsAreCodePage932)
{
    EXPECT_EQ("\x83\x5C", Bytes("ソ"));
    EXPECT_EQ("\x95\x5C", Bytes("表"));
    EXPECT_EQ("\x94\x5C", Bytes("能"));
    EXPECT_EQ("\x83\x41", Bytes("ア"));
}

struct CharFindCase {
    const char *text;
    char ch;
    int first;
    int last;
};

TEST_F(StringTest, FindAndReverseFindSkipTrailBytes)
{
    const CharFindCase cases[] = {
        {"C:\\ソフト\\表", '\\', 2, 9},
        {"C:\\能力", '\\', 2, 2},
        {"表", '\\', -1, -1},
        {"ソ\\ソ", '\\', 2, 2},
        {"\\表\\能", '\\', 0, 3},
        {"", '\\', -1, -1},
        {"abcabc", 'b', 1, 4},
        {"ア", 'A', -1, -1},
        {"アA", 'A', 2, 2},
        {"ｱA", 'A', 1, 1},
    };
    for (const CharFindCase &c : cases) {
        CString s(c.text);
        EXPECT_EQ(c.first, s.Find(c.ch)) << Bytes(s);
        EXPECT_EQ(c.last, s.ReverseFind(c.ch)) << Bytes(s);
    }
}

TEST_F(StringTest, FindSubstringStartsOnCharacters)
{
    const struct {
        const char *text;
        const char *sub;
        int index;
    } cases[] = {
        {"ソフト\\表", "\\", 6}, {"ソフト\\表", "表", 7}, {"表示", "\\", -1},
        {"abc", "", 0},          {"abc", "bc", 1},        {"abc", "cd", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.index, CString(c.text).Find(c.sub)) << c.text << " / " << c.sub;
    EXPECT_EQ(-1, CString("abc").Find(static_cast<LPCSTR>(nullptr)));
}

TEST_F(StringTest, LeftRightMidClampCounts)
{
    const struct {
        int count;
        const char *left;
        const char *right;
    } cases[] = {
        {-5, "", ""},
        {0, "", ""},
        {2, "ab", "ef"},
        {6, "abcdef", "abcdef"},
        {7, "abcdef", "abcdef"},
        {1000, "abcdef", "abcdef"},
    };
    CString s("abcdef");
    for (const auto &c : cases) {
        EXPECT_EQ(c.left, Bytes(s.Left(c.count))) << c.count;
        EXPECT_EQ(c.right, Bytes(s.Right(c.count))) << c.count;
    }
    EXPECT_EQ("cd", Bytes(s.Mid(2, 2)));
    EXPECT_EQ("cdef", Bytes(s.Mid(2)));
    EXPECT_EQ("ab", Bytes(s.Mid(-3, 2)));
    EXPECT_EQ("ef", Bytes(s.Mid(4, 100)));
    EXPECT_EQ("", Bytes(s.Mid(9)));
    EXPECT_EQ("", Bytes(CString().Left(3)));
}

TEST_F(StringTest, SplitAtTheRealLastBackslash)
{
    CString path("C:\\データ\\能表");
    int p = path.ReverseFind('\\');
    ASSERT_EQ(9, p);
    EXPECT_EQ("C:\\データ\\", Bytes(path.Left(p + 1)));
    EXPECT_EQ("能表", Bytes(path.Right(path.GetLength() - p - 1)));
}

struct CaseMapCase {
    const char *text;
    const char *lower;
    const char *upper;
};

TEST_F(StringTest, MakeLowerAndUpperTreatDoubleByteCharactersAsUnits)
{
    const CaseMapCase cases[] = {
        {"ABC xyz 123", "abc xyz 123", "ABC XYZ 123"},
        {"ＡＢＣ", "ａｂｃ", "ＡＢＣ"},
        {"ａｂｃ", "ａｂｃ", "ＡＢＣ"},
        {"ΑΒΓ", "αβγ", "ΑΒΓ"},
        {"АБВ", "абв", "АБВ"},
        {"アイウ", "アイウ", "アイウ"},
        {"ソフト表能", "ソフト表能", "ソフト表能"},
        {"ｱｲｳｴｵ", "ｱｲｳｴｵ", "ｱｲｳｴｵ"},
        {"Readme_アA.TXT", "readme_アa.txt", "README_アA.TXT"},
        {"", "", ""},
    };
    for (const CaseMapCase &c : cases) {
        CString lower(c.text), upper(c.text);
        lower.MakeLower();
        upper.MakeUpper();
        EXPECT_EQ(Bytes(c.lower), Bytes(lower)) << c.text;
        EXPECT_EQ(Bytes(c.upper), Bytes(upper)) << c.text;
    }
}

/* Without _setmbcp the runtime is in single-byte mode and maps a trail byte
 * in the range of the Latin letters on its own: the reason the program
 * selects the ANSI code page at start. */
TEST_F(StringTest, SingleByteModeBreaksDoubleByteCharacters)
{
    ASSERT_EQ(0, _setmbcp(_MB_CP_SBCS));
    CString s("ア");
    s.MakeLower();
    EXPECT_EQ("\x83\x61", Bytes(s));
}

TEST_F(StringTest, ComparisonsCountCaseAndDoubleByteUnits)
{
    const struct {
        const char *a;
        const char *b;
        int sign;
        int signNoCase;
    } cases[] = {
        {"abc", "abc", 0, 0},        {"abc", "ABC", 1, 0},       {"abc", "abd", -1, -1}, {"ab", "abc", -1, -1},
        {"ＡＢＣ", "ａｂｃ", -1, 0}, {"ソフト", "ソフト", 0, 0}, {"ア", "イ", -1, -1},   {"", "", 0, 0},
        {"", "a", -1, -1},
    };
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const auto &c : cases) {
        CString a(c.a);
        EXPECT_EQ(c.sign, sign(a.Compare(c.b))) << c.a << " / " << c.b;
        EXPECT_EQ(c.signNoCase, sign(a.CompareNoCase(c.b))) << c.a << " / " << c.b;
        EXPECT_EQ(c.sign == 0, a == CString(c.b));
        EXPECT_EQ(c.sign == 0, a == c.b);
        EXPECT_EQ(c.sign == 0, c.b == a);
        EXPECT_EQ(c.sign != 0, a != c.b);
        EXPECT_EQ(c.sign < 0, a < CString(c.b));
    }
    EXPECT_EQ(0, CString().Compare(nullptr));
}

TEST_F(StringTest, ConstructionAndAssignment)
{
    EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr), 4).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_EQ("---", Bytes(CString('-', 3)));
    EXPECT_TRUE(CString('-', 0).IsEmpty());
    EXPECT_EQ(std::string("a\0b", 3), Bytes(CString("a\0b", 3)));

    CString s("text");
    s = static_cast<LPCSTR>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("", static_cast<LPCSTR>(s));
    s = 'x';
    EXPECT_EQ("x", Bytes(s));
    s = "longer text";
    s = static_cast<LPCSTR>(s) + 7; /* a tail of its own buffer */
    EXPECT_EQ("text", Bytes(s));
    const CString &same = s;
    s = same;
    EXPECT_EQ("text", Bytes(s));
    s.Empty();
    EXPECT_EQ(0, s.GetLength());
}

TEST_F(StringTest, CopiesShareUntilOneChanges)
{
    CString a("original");
    CString b(a);
    CString c;
    c = a;
    EXPECT_EQ(Buffer(a), Buffer(b));
    EXPECT_EQ(Buffer(a), Buffer(c));

    b.SetAt(0, 'O');
    c.MakeUpper();
    CString d(a);
    d += "!";
    CString e(a);
    e.GetBuffer(0)[1] = 'R';
    e.ReleaseBuffer();
    CString f(a);
    f = "other";

    EXPECT_EQ("original", Bytes(a));
    EXPECT_EQ("Original", Bytes(b));
    EXPECT_EQ("ORIGINAL", Bytes(c));
    EXPECT_EQ("original!", Bytes(d));
    EXPECT_EQ("oRiginal", Bytes(e));
    EXPECT_EQ("other", Bytes(f));
    EXPECT_NE(Buffer(a), Buffer(b));
}

TEST_F(StringTest, GetAtAndSetAtStayInRange)
{
    CString s("abc");
    CString shared(s);
    EXPECT_EQ('b', s.GetAt(1));
    EXPECT_EQ('c', s[2]);
    EXPECT_EQ('\0', s.GetAt(3));
    EXPECT_EQ('\0', s.GetAt(-1));
    s.SetAt(3, 'x');
    s.SetAt(-1, 'x');
    EXPECT_EQ("abc", Bytes(s));
    EXPECT_EQ(Buffer(shared), Buffer(s));
}

TEST_F(StringTest, Concatenation)
{
    CString a("C:\\");
    CString b("ソフト");
    EXPECT_EQ("C:\\ソフト", Bytes(a + b));
    EXPECT_EQ("C:\\表", Bytes(a + "表"));
    EXPECT_EQ("表C:\\", Bytes("表" + a));
    EXPECT_EQ("C:\\x", Bytes(a + 'x'));
    EXPECT_EQ("C:\\", Bytes(a + static_cast<LPCSTR>(nullptr)));
    EXPECT_EQ("C:\\", Bytes(static_cast<LPCSTR>(nullptr) + a));
    EXPECT_EQ("", Bytes(CString() + ""));

    CString s;
    s += b;
    s += "\\";
    s += 'x';
    s += static_cast<LPCSTR>(nullptr);
    s += s;
    EXPECT_EQ("ソフト\\xソフト\\x", Bytes(s));

    CString nul;
    nul += '\0';
    nul += "z";
    EXPECT_EQ(std::string("\0z", 2), Bytes(nul));
}

TEST_F(StringTest, AppendingInALoopKeepsEveryByte)
{
    CString s;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        char ch = static_cast<char>('a' + i % 26);
        s += ch;
        expected += ch;
    }
    EXPECT_EQ(expected, Bytes(s));
}

TEST_F(StringTest, GetBufferAndReleaseBuffer)
{
    CString s("ab");
    LPSTR buffer = s.GetBuffer(MAX_PATH);
    EXPECT_STREQ("ab", buffer);
    EXPECT_EQ(2, s.GetLength());
    strcpy(buffer, "C:\\ソフト");
    s.ReleaseBuffer();
    EXPECT_EQ("C:\\ソフト", Bytes(s));

    buffer = s.GetBuffer(0);
    s.ReleaseBuffer(2);
    EXPECT_EQ("C:", Bytes(s));

    CString empty;
    buffer = empty.GetBuffer(0);
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ('\0', buffer[0]);
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString filled;
    buffer = filled.GetBuffer(4);
    memcpy(buffer, "wxyz", 4);
    buffer[4] = '\0';
    filled.ReleaseBuffer(10); /* more than was asked for: cut to the buffer */
    EXPECT_EQ(4, filled.GetLength());
    EXPECT_EQ("wxyz", Bytes(filled));
}

TEST(StringArrayTest, AddGrowsAndKeepsOrder)
{
    CStringArray array;
    EXPECT_TRUE(array.IsEmpty());
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(i, array.Add(CString('a', i % 7 + 1)));
    EXPECT_EQ(1000, array.GetSize());
    EXPECT_EQ(1000, array.GetCount());
    EXPECT_EQ(999, array.GetUpperBound());
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(i % 7 + 1, array[i].GetLength()) << i;
}

TEST(StringArrayTest, AddingAnElementOfItself)
{
    CStringArray array;
    array.Add("first");
    for (int i = 0; i < 40; ++i)
        array.Add(array[0]);
    array.Add(static_cast<LPCSTR>(array[0]));
    ASSERT_EQ(42, array.GetSize());
    EXPECT_EQ("first", array.GetAt(41));
    EXPECT_EQ("first", array.GetAt(20));
}

TEST(StringArrayTest, AccessOutOfRange)
{
    CStringArray array;
    array.Add("a");
    EXPECT_TRUE(array.GetAt(1).IsEmpty());
    EXPECT_TRUE(array.GetAt(-1).IsEmpty());
    array.SetAt(1, "b");
    array.SetAt(0, "c");
    ASSERT_EQ(1, array.GetSize());
    EXPECT_EQ("c", array.GetAt(0));
    array[0] = "d";
    EXPECT_EQ("d", array.GetAt(0));
}

TEST(StringArrayTest, RemoveAt)
{
    const struct {
        int index;
        int count;
        const char *left;
    } cases[] = {
        {0, 1, "bcde"},  {4, 1, "abcd"},   {1, 3, "ae"},    {0, 5, ""},
        {2, 0, "abcde"}, {-1, 1, "abcde"}, {3, 3, "abcde"}, {5, 1, "abcde"},
    };
    for (const auto &c : cases) {
        CStringArray array;
        for (const char *p = "abcde"; *p; ++p)
            array.Add(CString(*p));
        array.RemoveAt(c.index, c.count);
        std::string left;
        for (int i = 0; i < array.GetSize(); ++i)
            left += Bytes(array[i]);
        EXPECT_EQ(c.left, left) << c.index << "," << c.count;
    }
}

TEST(StringArrayTest, RemoveAllThenReuse)
{
    CStringArray array;
    array.Add("x");
    array.Add("y");
    CString kept = array[1];
    array.RemoveAll();
    EXPECT_EQ(0, array.GetSize());
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ("y", Bytes(kept));
    EXPECT_EQ(0, array.Add("z"));
    EXPECT_EQ("z", array.GetAt(0));
}

} // namespace
