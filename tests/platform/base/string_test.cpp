// CString: formatting, pieces, searching, editing, buffers and double-byte text.
#include "platform/base/string.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
// "表示" in code page 932: 0x95 0x5C ('\\' as trail byte), 0x8E 0xA6.
const char kHyouji[] = "\x95\x5C\x8E\xA6";
// A katakana character in code page 932 whose trail byte is 'a' (0x83 0x61).
const char kTrailA[] = "\x83\x61";
} // namespace

TEST(CString, FormatsLikePrintfInBothBuilds)
{
    struct Case
    {
        const char* expected;
        CString text;
    };
    CString a, b, c, d, e;
    a.Format("%d|%5.2f|%s|%c", -12, 3.14159, "x", 'y');
    b.Format("%e", 12345.678);
    c.Format("%g|%g", 1e-5, 0.0001);
    d.Format("%lld|%llu|%zu", -9000000000LL, 18000000000ULL, static_cast<size_t>(7));
    e.Format("%-4s|%04d|%x|%X|%%", "ab", 42, 255, 255);
    const Case cases[] = {{"-12| 3.14|x|y", a},
                          {"1.234568e+04", b},
                          {"1e-05|0.0001", c},
                          {"-9000000000|18000000000|7", d},
                          {"ab  |0042|ff|FF|%", e}};
    for (const Case& k : cases)
        EXPECT_STREQ(k.expected, k.text);
}

TEST(CString, FormatHandlesLongOutputAndAppends)
{
    const std::string longText(5000, 'q');
    CString text;
    text.Format("<%s>", longText.c_str());
    EXPECT_EQ(5002, text.GetLength());
    EXPECT_EQ('>', text[5001]);
    text.Format("%d", 1);
    text.AppendFormat("-%d", 2);
    EXPECT_STREQ("1-2", text);
}

TEST(CString, PiecesClampOutOfRangeArguments)
{
    const CString text("abcdef");
    EXPECT_STREQ("abc", text.Left(3));
    EXPECT_STREQ("abcdef", text.Left(99));
    EXPECT_STREQ("", text.Left(-1));
    EXPECT_STREQ("cdef", text.Mid(2));
    EXPECT_STREQ("cd", text.Mid(2, 2));
    EXPECT_STREQ("", text.Mid(10));
    EXPECT_STREQ("ab", text.Mid(-3, 2));
    EXPECT_STREQ("ef", text.Right(2));
    EXPECT_STREQ("abcdef", text.Right(20));
    EXPECT_STREQ("abc", CString("abc,def").SpanExcluding(",;"));
    EXPECT_STREQ("12", CString("12ab").SpanIncluding("0123456789"));
}

TEST(CString, FindsCharactersAndSubstrings)
{
    const CString text("a.b.c.bc");
    EXPECT_EQ(1, text.Find('.'));
    EXPECT_EQ(3, text.Find('.', 2));
    EXPECT_EQ(-1, text.Find('z'));
    EXPECT_EQ(5, text.ReverseFind('.'));
    EXPECT_EQ(-1, text.ReverseFind('z'));
    EXPECT_EQ(2, text.Find("b."));
    EXPECT_EQ(6, text.Find("bc"));
    EXPECT_EQ(-1, text.Find("bc", 7));
    EXPECT_EQ(-1, text.Find(".", 100));
    EXPECT_EQ(0, text.Find(""));
    EXPECT_EQ(1, text.FindOneOf(".,"));
}

TEST(CString, TokenizeWalksFieldsAndEnds)
{
    const CString text(",  a, bb,,c ");
    int start = 0;
    EXPECT_STREQ("a", text.Tokenize(", ", start));
    EXPECT_STREQ("bb", text.Tokenize(", ", start));
    EXPECT_STREQ("c", text.Tokenize(", ", start));
    EXPECT_STREQ("", text.Tokenize(", ", start));
    EXPECT_EQ(-1, start);
}

TEST(CString, TrimsWhitespaceAndGivenCharacters)
{
    EXPECT_STREQ("a b", CString(" \t a b \r\n").Trim());
    EXPECT_STREQ("a b \r\n", CString(" \t a b \r\n").TrimLeft());
    EXPECT_STREQ(" \t a b", CString(" \t a b \r\n").TrimRight());
    EXPECT_STREQ("abc", CString("xxabcxx").Trim('x'));
    EXPECT_STREQ("abc", CString("xyabcyx").Trim("xy"));
    EXPECT_STREQ("", CString("   ").Trim());
}

TEST(CString, ComparesAndFoldsCase)
{
    EXPECT_EQ(0, CString("Abc").CompareNoCase("aBC"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("ABC").Compare("abc"), 0);
    EXPECT_EQ(0, CString("").Compare(nullptr));
    EXPECT_STREQ("ENGLISH_1", CString("English_1").MakeUpper());
    EXPECT_STREQ("english_1", CString("English_1").MakeLower());
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE("a" == CString("a"));
    EXPECT_TRUE(CString("a") != "b");
    EXPECT_TRUE(CString("b") >= "a");
}

TEST(CString, EditsInPlace)
{
    CString text("a-b-c");
    EXPECT_EQ(2, text.Replace('-', '+'));
    EXPECT_STREQ("a+b+c", text);
    EXPECT_EQ(2, text.Replace("+", "::"));
    EXPECT_STREQ("a::b::c", text);
    EXPECT_EQ(0, text.Replace("", "x"));
    EXPECT_EQ(4, text.Remove(':'));
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(4, text.Insert(1, 'X'));
    EXPECT_STREQ("aXbc", text);
    EXPECT_EQ(7, text.Insert(99, "end"));
    EXPECT_STREQ("aXbcend", text);
    EXPECT_EQ(5, text.Delete(1, 2));
    EXPECT_STREQ("acend", text);
    EXPECT_EQ(5, text.Delete(10, 2));
    text.SetAt(0, 'A');
    EXPECT_EQ('A', text.GetAt(0));
    EXPECT_STREQ("dnecA", text.MakeReverse());
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, ConcatenatesEveryOperandKind)
{
    const CString a("ab");
    EXPECT_STREQ("abcd", a + CString("cd"));
    EXPECT_STREQ("abcd", a + "cd");
    EXPECT_STREQ("cdab", "cd" + a);
    EXPECT_STREQ("abc", a + 'c');
    EXPECT_STREQ("cab", 'c' + a);
    CString b;
    b += a;
    b += "-";
    b += 'z';
    EXPECT_STREQ("ab-z", b);
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_STREQ("ab", CString("abc", 2));
    EXPECT_STREQ("", CString(static_cast<const char*>(nullptr)));
}

TEST(CString, BufferAccessKeepsTheWrittenText)
{
    CString text("old");
    char* buffer = text.GetBuffer(16);
    std::strcpy(buffer, "new text");
    text.ReleaseBuffer();
    EXPECT_STREQ("new text", text);
    EXPECT_EQ(8, text.GetLength());

    buffer = text.GetBufferSetLength(3);
    buffer[0] = 'N';
    text.ReleaseBuffer(3);
    EXPECT_STREQ("New", text);

    std::memcpy(text.GetBuffer(10), "0123456789", 10); // no terminator written
    text.ReleaseBuffer();
    EXPECT_STREQ("0123456789", text);
}

TEST(CString, DoubleByteTextSurvivesSearchAndCaseOperations)
{
    // A path ending in a Japanese folder name whose trail byte is a backslash.
    const CString path = CString("C:\\data\\") + kHyouji;
    EXPECT_EQ(7, path.ReverseFind('\\'));
    EXPECT_EQ(-1, CString(kHyouji).Find('\\'));
    EXPECT_EQ(-1, CString(kHyouji).Find("\\"));

    CString upper = CString("a") + kTrailA + "b";
    upper.MakeUpper();
    EXPECT_STREQ((CString("A") + kTrailA + "B").GetString(), upper.GetString());
    upper.MakeLower();
    EXPECT_STREQ((CString("a") + kTrailA + "b").GetString(), upper.GetString());

    CString trimmed = CString(kHyouji) + "\\";
    trimmed.TrimRight('\\');
    EXPECT_STREQ(kHyouji, trimmed);
    trimmed.TrimRight('\\');
    EXPECT_STREQ(kHyouji, trimmed);

    CString replaced(kHyouji);
    EXPECT_EQ(0, replaced.Replace('\\', '/'));
    EXPECT_EQ(0, replaced.Remove('\\'));
    EXPECT_STREQ(kHyouji, replaced);

    EXPECT_EQ(0, CString(kTrailA).CompareNoCase(kTrailA));
    EXPECT_NE(0, CString(kTrailA).CompareNoCase("\x83\x41"));

    CString reversed = CString("x") + kHyouji;
    reversed.MakeReverse();
    EXPECT_STREQ("\x8E\xA6\x95\x5Cx", reversed.GetString()); // characters swapped, bytes kept
}
