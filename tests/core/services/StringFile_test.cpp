#include "core/services/StringFile.h"

#include "tests/core/services/ServiceFolders.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace
{
// "結果" and "表n" in code page 932; 0x95 0x5C is a character whose second byte is a backslash.
const char kResultJpn[] = "\x8C\x8B\x89\xCA";
const char kTableN[] = "\x95\x5Cn";

std::string StandardStr()
{
    return std::string("text before any section\r\n"
                       "ResultNode_ENG = Outside\r\n"
                       "[tree]\r\n"
                       "ResultNode_ENG = Results\r\n"
                       "ResultNode_JPN = ") +
           kResultJpn +
           "\r\n"
           "remark without equals sign\r\n"
           "Multi_ENG = a\\nb\\nc\r\n"
           "   Spaced_ENG   =   padded value   \r\n"
           "Eq_ENG = x = y\r\n"
           "Dup_ENG = first\r\n"
           "Dup_ENG = second\r\n"
           "OnlyJpn_JPN = j\r\n"
           "Blank_ENG =    \r\n"
           "mixedcase_eng = lower\r\n"
           "Kanji_ENG = " +
           kTableN +
           "\r\n"
           "  [Indented]\r\n"
           "After_ENG = after\r\n"
           "[ Tree2 ]\r\n"
           "Spaced_ENG = no\r\n"
           "[Tree]\r\n"
           "Second_ENG = never\r\n"
           "[Last]\n"
           "NoLineEnd_ENG = end";
}

struct LookupCase
{
    const char* section;
    const char* key;
    const char* expected;
};

const LookupCase kLookups[] = {
    {"Tree", "ResultNode", "Results"},
    {"TREE", "resultnode", "Results"},
    {"Tree", "Multi", "a \nb \nc"},
    {"Tree", "Spaced", "padded value"},
    {"Tree", "Eq", "x = y"},
    {"Tree", "Dup", "first"},
    {"Tree", "OnlyJpn", ""},
    {"Tree", "Blank", ""},
    {"Tree", "MixedCase", "lower"},
    {"Tree", "Kanji", kTableN},
    {"Tree", "After", ""},
    {"Indented", "After", "after"},
    {"Tree2", "Spaced", ""},
    {"Tree", "Second", ""},
    {"Last", "NoLineEnd", "end"},
    {"NoSuchSection", "ResultNode", ""},
};
} // namespace

TEST(StringFile, LooksUpByTheFileRules)
{
    CServiceFolders folders("strings_rules");
    folders.WriteFile("string/standard.str", StandardStr());
    SetLanguageSuffix("_ENG");
    for (const LookupCase& c : kLookups)
    {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        std::string text;
        EXPECT_EQ(c.expected[0] != '\0',
                  LoadStringFromFile("standard.str", c.section, c.key, &text));
        EXPECT_EQ(c.expected, text);
    }
}

TEST(StringFile, UsesTheLanguageSuffixAndMatchesFileNamesInAnyCase)
{
    CServiceFolders folders("strings_language");
    folders.WriteFile("string/standard.str", StandardStr());
    std::string text;
    SetLanguageSuffix("_JPN");
    EXPECT_TRUE(LoadStringFromFile("Standard.str", "Tree", "ResultNode", &text));
    EXPECT_EQ(kResultJpn, text);
    text.clear();
    EXPECT_TRUE(LoadStringFromFile("STANDARD.STR", "Tree", "OnlyJpn", &text));
    EXPECT_EQ("j", text);
}

TEST(StringFile, TakesAndFillsFrameworkStrings)
{
    CServiceFolders folders("strings_cstring");
    folders.WriteFile("string/standard.str", StandardStr());
    SetLanguageSuffix("_ENG");
    CString text;
    EXPECT_TRUE(LoadStringFromFile(CString("standard.str"), "Tree", "Multi", &text));
    EXPECT_EQ(CString("a \nb \nc"), text);
    CString group = " Group1 ";
    EXPECT_TRUE(LoadStringFromFile("standard.str", "Tree", "Missing", &group));
    EXPECT_EQ(CString("Group1"), group);
}

TEST(StringFile, MissingFileSectionOrKeyKeepsTheDefault)
{
    CServiceFolders folders("strings_default");
    folders.WriteFile("string/standard.str", StandardStr());
    SetLanguageSuffix("_ENG");

    std::string text;
    EXPECT_FALSE(LoadStringFromFile("absent.str", "Tree", "ResultNode", &text));
    EXPECT_EQ("", text);

    text = "  Group1  ";
    EXPECT_TRUE(LoadStringFromFile("absent.str", "Tree", "ResultNode", &text));
    EXPECT_EQ("  Group1  ", text);
    EXPECT_TRUE(LoadStringFromFile("standard.str", "NoSuchSection", "Missing", &text));
    EXPECT_EQ("  Group1  ", text);
    // The section exists without the key: the default loses its blanks.
    EXPECT_TRUE(LoadStringFromFile("standard.str", "Tree", "Missing", &text));
    EXPECT_EQ("Group1", text);

    text = " ";
    EXPECT_FALSE(LoadStringFromFile("standard.str", "Tree", "Missing", &text));
    EXPECT_EQ("", text);
}

TEST(StringFile, ComparesDoubleByteCharactersExactly)
{
    // 0x82 0x60 ("Ａ") and 0x82 0x81 ("ａ") differ although their second bytes are ASCII 'A'
    // and a lead byte; plain ASCII folds.
    EXPECT_FALSE(EqualTextNoCase("\x82\x60", "\x82\x81"));
    EXPECT_FALSE(EqualTextNoCase("\x95\x41", "\x95\x61"));
    EXPECT_TRUE(EqualTextNoCase("[Tree\x95\x41]", "[tREE\x95\x41]"));
    EXPECT_FALSE(EqualTextNoCase("Tree", "Tree2"));
}

TEST(StringFile, ScanningStepsWorkOnAnOpenFile)
{
    CServiceFolders folders("strings_steps");
    folders.WriteFile("string/standard.str", StandardStr());
    FILE* file = std::fopen(folders.Path("string/standard.str").c_str(), "rb");
    ASSERT_NE(nullptr, file);
    EXPECT_TRUE(FindSection(file, "TREE"));
    std::string value;
    EXPECT_TRUE(FindKey(file, "dup_eng", &value));
    EXPECT_EQ(" first", value); // raw: trimming and line breaks are the lookup's
    // The search goes on from there and stops at the next header.
    value.clear();
    EXPECT_FALSE(FindKey(file, "After_ENG", &value));
    EXPECT_EQ("", value);
    EXPECT_TRUE(FindKey(file, "After_ENG", &value));
    EXPECT_EQ(" after", value);
    // A second section of the same name is found only by scanning on.
    EXPECT_TRUE(FindSection(file, "Tree"));
    EXPECT_TRUE(FindKey(file, "Second_ENG", &value));
    EXPECT_EQ(" never", value);
    EXPECT_FALSE(FindSection(file, "Tree"));
    std::fclose(file);
}
