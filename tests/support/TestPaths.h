// Paths that tests share: the real sample files beside the repository, and scratch folders.
#pragma once

#include <string>

namespace testing_support
{
// "../shared/samples/<relative>", from the repository root where the tests run.
std::string SamplePath(const std::string& relative);

// True when the shared samples folder is present; tests that need it skip otherwise.
bool HasSamples();

// True when the environment says CI=true: a missing samples folder is then a failure, so that a
// run that silently tested nothing of the real files cannot pass.
bool IsCiRun();

// A fresh empty folder for one test, removed at exit. Native path syntax of the build.
std::string MakeTempDir(const std::string& name);
} // namespace testing_support

// Skips the current test with a clear message when the samples folder is absent; fails it
// instead under CI=true.
#define REQUIRE_SAMPLES()                                                                          \
    do                                                                                             \
    {                                                                                              \
        if (!testing_support::HasSamples())                                                        \
        {                                                                                          \
            if (testing_support::IsCiRun())                                                        \
                FAIL() << "../shared/samples is absent, and CI=true needs the sample files";       \
            GTEST_SKIP() << "../shared/samples is absent; sample-file test skipped";               \
        }                                                                                          \
    } while (0)
