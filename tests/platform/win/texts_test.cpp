// The framework's texts come from the program's string files in the chosen language.
#include "platform/win/texts.h"

#include "platform/base/os.h"

#include <gtest/gtest.h>

TEST(FrameworkTexts, ComeFromTheStringFilesInTheChosenLanguage)
{
    fw::SetTextSource("resources\\string", "_ENG");
    EXPECT_STREQ("Enter a whole number.", fw::LoadFrameworkText("ParseInt"));
    EXPECT_STREQ("Enter a whole number from %d to %d.", fw::LoadFrameworkText("IntRange"));
    EXPECT_STREQ("", fw::LoadFrameworkText("NoSuchText"));

    fw::SetTextSource("resources\\string", "_JPN");
    // "整数を入力してください。" in code page 932.
    EXPECT_STREQ("\x90\xae\x90\x94\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82"
                 "\xb3\x82\xa2\x81\x42",
                 fw::LoadFrameworkText("ParseInt"));

    fw::SetTextSource("no such folder", "_ENG");
    EXPECT_STREQ("", fw::LoadFrameworkText("ParseInt"));
    // Back to the start-up source, which the other tests of this program see.
    fw::SetTextSource((fw::os::ExecutableFolder() + "\\..\\string").c_str(), "_ENG");
}
