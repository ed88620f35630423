// Runs natively against the emulated profile functions and under Wine against the real ones.
#include "core/services/ProductIni.h"

#include "tests/core/services/ServiceFolders.h"

#include <gtest/gtest.h>

TEST(ProductIni, StoresEachTypeInItsTextForm)
{
    CServiceFolders folders("ini_types");
    ASSERT_TRUE(SetIniDouble("Display", "Factor", 2.5));
    ASSERT_TRUE(SetIniUInt("Display", "Bands", 12));
    ASSERT_TRUE(SetIniFlag("Display", "Smooth", 3));
    ASSERT_TRUE(SetIniString("FileIOPaths", "DAT", "C:\\models"));

    std::string text;
    ASSERT_TRUE(GetIniString("Display", "Factor", &text));
    EXPECT_EQ("2.500000", text);
    ASSERT_TRUE(GetIniString("Display", "Bands", &text));
    EXPECT_EQ("12", text);
    ASSERT_TRUE(GetIniString("display", "SMOOTH", &text));
    EXPECT_EQ("3", text);

    double factor = 0.0;
    unsigned bands = 0;
    int flag = 0;
    EXPECT_TRUE(GetIniDouble("Display", "Factor", &factor));
    EXPECT_EQ(2.5, factor);
    EXPECT_TRUE(GetIniUInt("Display", "Bands", &bands));
    EXPECT_EQ(12u, bands);
    EXPECT_TRUE(GetIniFlag("Display", "Smooth", &flag));
    EXPECT_EQ(3, flag);
    CString folder;
    EXPECT_TRUE(GetIniString("FileIOPaths", "dat", &folder));
    EXPECT_EQ(CString("C:\\models"), folder);

    ASSERT_TRUE(SetIniDouble("Display", "Factor", -0.125));
    EXPECT_TRUE(GetIniDouble("Display", "Factor", &factor));
    EXPECT_EQ(-0.125, factor);
}

TEST(ProductIni, CutsLongStringsTo255Characters)
{
    CServiceFolders folders("ini_long");
    const std::string value = std::string(200, 'a') + std::string(100, 'b');
    ASSERT_TRUE(SetIniString("S", "Long", value.c_str()));
    std::string text;
    ASSERT_TRUE(GetIniString("S", "Long", &text));
    EXPECT_EQ(value.substr(0, 255), text);
}

struct FlagCase
{
    const char* stored;
    bool isRead;
    int value;
};

const FlagCase kFlags[] = {
    {"1", true, 1}, {"7", true, 7}, {"A", true, 17}, {"10", false, -99}, {"", false, -99}};

TEST(ProductIni, ReadsFlagsOnlyFromOneCharacter)
{
    CServiceFolders folders("ini_flags");
    for (const FlagCase& c : kFlags)
    {
        SCOPED_TRACE(c.stored);
        ASSERT_TRUE(SetIniString("F", "Flag", c.stored));
        int value = -99;
        EXPECT_EQ(c.isRead, GetIniFlag("F", "Flag", &value));
        EXPECT_EQ(c.value, value);
    }
}

TEST(ProductIni, EmptyOrMissingValuesLeaveTheOutput)
{
    CServiceFolders folders("ini_missing");
    std::string text = "keep";
    double number = 4.0;
    unsigned count = 9;
    int flag = 5;
    // No file yet.
    EXPECT_FALSE(GetIniString("S", "Empty", &text));
    ASSERT_TRUE(SetIniString("S", "Empty", ""));
    EXPECT_FALSE(GetIniString("S", "Empty", &text));
    EXPECT_FALSE(GetIniDouble("S", "Empty", &number));
    EXPECT_FALSE(GetIniUInt("S", "Empty", &count));
    EXPECT_FALSE(GetIniFlag("S", "Empty", &flag));
    EXPECT_FALSE(GetIniString("Other", "Empty", &text));
    EXPECT_EQ("keep", text);
    EXPECT_EQ(4.0, number);
    EXPECT_EQ(9u, count);
    EXPECT_EQ(5, flag);
}

// A value that is no number is a failure, not a success that leaves the default.
TEST(ProductIni, NumbersThatDoNotParseAreFailures)
{
    struct NumberCase
    {
        const char* stored;
        bool isDouble;
        double doubleValue;
        bool isUInt;
        unsigned uintValue;
    };
    const NumberCase kCases[] = {
        {"abc", false, 0.0, false, 0},
        {"2.5x", false, 0.0, false, 0},
        {"12abc", false, 0.0, false, 0},
        {"-1", true, -1.0, false, 0},
        {"4294967296", true, 4294967296.0, false, 0},
        {"1e999", false, 0.0, false, 0},
        {"2.500000", true, 2.5, false, 0},
        {"  17  ", true, 17.0, true, 17},
        {"4294967295", true, 4294967295.0, true, 4294967295u},
    };
    CServiceFolders folders("ini_numbers");
    for (const NumberCase& c : kCases)
    {
        SCOPED_TRACE(c.stored);
        ASSERT_TRUE(SetIniString("S", "Number", c.stored));
        double number = 4.0;
        unsigned count = 9;
        EXPECT_EQ(c.isDouble, GetIniDouble("S", "Number", &number));
        EXPECT_EQ(c.isDouble ? c.doubleValue : 4.0, number);
        EXPECT_EQ(c.isUInt, GetIniUInt("S", "Number", &count));
        EXPECT_EQ(c.isUInt ? c.uintValue : 9u, count);
    }
}

TEST(ProductIni, LivesInTheIniFolderBesideTheExecutableFolder)
{
    CServiceFolders folders("ini_place");
    ASSERT_TRUE(SetIniString("Environment", "Language", "English"));
    const std::string text = folders.ReadFile("ini/Gravik.ini");
    EXPECT_NE(std::string::npos, text.find("[Environment]"));
    EXPECT_NE(std::string::npos, text.find("Language=English"));
}
