// The test build's poisoning of freed memory: what a test frees reads as 0xDD afterwards,
// whether it was a plain object, an array or a container's buffer.
#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Reads freed bytes through a pointer the compiler cannot follow.
bool IsPoisoned(const volatile unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        if (bytes[i] != 0xDD)
            return false;
    }
    return true;
}

struct Record
{
    int id = 7;
    double values[6] = {1, 2, 3, 4, 5, 6};
};
} // namespace

TEST(FreedMemory, IsPoisonedInTheTestBuild)
{
    struct Case
    {
        const char* what;
        const volatile unsigned char* bytes;
        std::size_t count;
    };
    std::vector<Case> cases;

    auto* record = new Record;
    cases.push_back({"object", reinterpret_cast<unsigned char*>(record), sizeof(Record)});
    delete record;

    int* numbers = new int[64]();
    cases.push_back({"array", reinterpret_cast<unsigned char*>(numbers), 64 * sizeof(int)});
    delete[] numbers;

    {
        std::string text(200, 'x');
        cases.push_back({"string buffer", reinterpret_cast<unsigned char*>(&text[0]), 200});
    }
    {
        std::vector<double> values(1000, 1.5);
        cases.push_back(
            {"vector buffer", reinterpret_cast<unsigned char*>(values.data()), 1000 * 8});
    }

    for (const Case& c : cases)
        EXPECT_TRUE(IsPoisoned(c.bytes, c.count)) << c.what;
}
