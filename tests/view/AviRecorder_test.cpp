// The AVI writer's mending of the main header: where the frame time lies in a file's first
// bytes, and its value from a rate and a scale.
#include "view/AviRecorder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{
// The first 36 bytes of a file: its tags at 0, 8, 12, 20 and 24, the avih size at 28.
std::string Head(const char* riff, const char* form, const char* list, const char* listType,
                 const char* chunk, unsigned char chunkSize)
{
    std::string head(36, '\0');
    std::memcpy(&head[0], riff, 4);
    std::memcpy(&head[8], form, 4);
    std::memcpy(&head[12], list, 4);
    std::memcpy(&head[20], listType, 4);
    std::memcpy(&head[24], chunk, 4);
    head[28] = static_cast<char>(chunkSize);
    return head;
}
} // namespace

TEST(AviRecorder, FrameTimeIsFoundOnlyInAnAviFilesHeader)
{
    struct Case
    {
        const char* what;
        std::string head;
        size_t size;
        size_t offset;
    };
    const std::string avi = Head("RIFF", "AVI ", "LIST", "hdrl", "avih", 56);
    const Case cases[] = {
        {"an AVI file", avi, 36, 32},
        {"a wave file", Head("RIFF", "WAVE", "LIST", "hdrl", "avih", 56), 36, 0},
        {"a list of another kind first", Head("RIFF", "AVI ", "LIST", "movi", "avih", 56), 36, 0},
        {"a chunk too short for the field", Head("RIFF", "AVI ", "LIST", "hdrl", "avih", 2), 36, 0},
        {"a file that ends before the field", avi, 35, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.offset, AviFrameTimeOffset(
                                reinterpret_cast<const unsigned char*>(c.head.data()), c.size));
    }
}

TEST(AviRecorder, FrameTimeIsTheScaleOverTheRateInMicroseconds)
{
    struct Case
    {
        DWORD rate;
        DWORD scale;
        DWORD microseconds;
    };
    const Case cases[] = {
        {4, 1, 250000}, {1000, 1500, 1500000}, {3, 1, 333333}, {30000, 1001, 33367}, {0, 1, 0},
        {4, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.rate << "/" << c.scale);
        EXPECT_EQ(c.microseconds, AviMicroSecondsPerFrame(c.rate, c.scale));
    }
}
