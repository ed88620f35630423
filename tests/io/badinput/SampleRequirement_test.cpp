// The rule for tests that need the shared sample files: skipped without them, failed without
// them under CI=true.
#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
void NeedsSamples()
{
    REQUIRE_SAMPLES();
}

void SetCi(const char* value)
{
#ifdef _WIN32
    _putenv_s("CI", value != nullptr ? value : "");
#else
    if (value != nullptr)
        setenv("CI", value, 1);
    else
        unsetenv("CI");
#endif
}

// Runs NeedsSamples from a folder without "../shared/samples" and gives the type it reported.
testing::TestPartResult::Type OutcomeWithoutSamples(const char* ci)
{
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    // Two levels down in a fresh folder: "../shared/samples" cannot be there.
    const fs::path folder = fs::path(testing_support::MakeTempDir("no_samples")) / "a" / "b";
    fs::create_directories(folder);
    fs::current_path(folder);
    SetCi(ci);
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        NeedsSamples();
    }
    fs::current_path(previous);
    return results.size() == 1 ? results.GetTestPartResult(0).type()
                               : testing::TestPartResult::kSuccess;
}
} // namespace

TEST(SampleRequirement, FailsUnderCiAndSkipsOtherwise)
{
    const char* before = std::getenv("CI");
    const std::string saved = before != nullptr ? before : "";
    EXPECT_EQ(testing::TestPartResult::kSkip, OutcomeWithoutSamples(nullptr));
    EXPECT_EQ(testing::TestPartResult::kSkip, OutcomeWithoutSamples("false"));
    EXPECT_EQ(testing::TestPartResult::kFatalFailure, OutcomeWithoutSamples("true"));
    SetCi(before != nullptr ? saved.c_str() : nullptr);
}
