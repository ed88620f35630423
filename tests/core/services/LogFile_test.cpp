#include "core/services/LogFile.h"

#include "tests/core/services/ServiceFolders.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace
{
fw::os::LocalTime MakeTime(int year, int month, int day, int hour, int minute, int second, int ms)
{
    fw::os::LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.millisecond = ms;
    return t;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "2026/12/ 9 19:44:01.123,"
const char kStamp[] = R"(\d{4}/[ 1]\d/[ 123]\d \d\d:\d\d:\d\d\.\d{3},)";

std::string LogName(const CAELogFile& log)
{
    const std::string path = log.GetPath();
    return "log/" + path.substr(path.find_last_of('\\') + 1);
}
} // namespace

TEST(LogFile, FormatsTheLineParts)
{
    EXPECT_STREQ("NORM", LogLevelText(0));
    EXPECT_STREQ("WARN", LogLevelText(1));
    EXPECT_STREQ("ERR ", LogLevelText(2));
    EXPECT_STREQ("UnknownType", LogLevelText(7));
    EXPECT_STREQ("UnknownType", LogLevelText(-1));

    const fw::os::LocalTime t = MakeTime(2026, 12, 8, 9, 5, 3, 42);
    EXPECT_EQ("2026/12/ 8 09:05:03.042", FormatLogTimeStamp(t));
    EXPECT_EQ("2026/ 3/18 23:59:59.999",
              FormatLogTimeStamp(MakeTime(2026, 3, 18, 23, 59, 59, 999)));
    EXPECT_EQ("C:\\app\\bin\\..\\log\\FileRead20261208.log",
              FormatLogFilePath("C:\\app\\bin", "FileRead", t));

    EXPECT_EQ("T,ERR ,[tid=00001a2b],[OP2 readResults],Record type not supported\n",
              FormatLogLine("T", 2, 0x1a2b, "OP2 readResults", "Record type not supported"));
    EXPECT_EQ("T,NORM,[tid=deadbeef], ------ START ------- \n",
              FormatLogLine("T", 0, 0xdeadbeef, "", " ------ START ------- "));
    EXPECT_EQ("T,WARN,[tid=00000001],\n", FormatLogLine("T", 1, 1, nullptr, nullptr));
}

TEST(LogFile, MidnightStartsTheNextDaysFile)
{
    const std::string before =
        FormatLogFilePath("f", "Gravik", MakeTime(2026, 12, 31, 23, 59, 59, 999));
    const std::string after = FormatLogFilePath("f", "Gravik", MakeTime(2027, 1, 1, 0, 0, 0, 0));
    EXPECT_EQ("f\\..\\log\\Gravik20261231.log", before);
    EXPECT_EQ("f\\..\\log\\Gravik20270101.log", after);
}

TEST(LogFile, WritesOneLinePerCallIntoTheDaysFile)
{
    CServiceFolders folders("log_write");
    CAELogFile log("FileRead");
    log.WriteLog(2, "OP2 readResults", "Record %d of %s", 5, "OUG1");
    log.WriteLog(0, "", "EXCEPTION");
    log.WriteLog(7, "", "%s", std::string(70000, 'x').c_str());

    const fw::os::LocalTime now = fw::os::GetLocalTime();
    const std::string name = LogName(log);
    EXPECT_EQ(0u, name.find("log/FileRead"));
    EXPECT_EQ(name.size(), name.find(".log") + 4);
    // The date part is today's, unless the test ran across midnight.
    if (now.hour != 0 || now.minute != 0)
    {
        EXPECT_EQ(FormatLogFilePath(GetExecutableFolder(), "FileRead", now), log.GetPath());
    }

    const std::vector<std::string> lines = Lines(folders.ReadFile(name));
    ASSERT_EQ(3u, lines.size());
    const std::string tid = R"(\[tid=[0-9a-f]{8}\],)";
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(kStamp + std::string("ERR ,") + tid +
                                                      R"(\[OP2 readResults\],Record 5 of OUG1)")))
        << lines[0];
    EXPECT_TRUE(
        std::regex_match(lines[1], std::regex(kStamp + std::string("NORM,") + tid + "EXCEPTION")))
        << lines[1];
    // Too long for the message limit: written with an empty message.
    EXPECT_TRUE(std::regex_match(lines[2], std::regex(kStamp + std::string("UnknownType,") + tid)))
        << lines[2].substr(0, 80);
}

TEST(LogFile, MessageLimitIsExact)
{
    struct Case
    {
        std::size_t length;
        bool isKept;
    };
    for (const Case c : {Case{65535, true}, Case{65536, false}, Case{0, true}})
    {
        const std::string text(c.length, 'm');
        auto format = [](const char* f, ...)
        {
            va_list args;
            va_start(args, f);
            std::string s = FormatStringV(f, args);
            va_end(args);
            return s;
        };
        EXPECT_EQ(c.isKept ? text : std::string(), format("%s", text.c_str())) << c.length;
    }
}

TEST(LogFile, ThreadsNeverInterleaveWithinALine)
{
    CServiceFolders folders("log_threads");
    CAELogFile shared("FileRead");
    const int kThreads = 4;
    const int kLinesEach = 150;
    // Long lines take several writes of a stdio buffer: only the lock keeps them whole.
    const std::string payload(6000, 'p');
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                CAELogFile own("FileRead"); // a second object on the same file
                for (int i = 0; i < kLinesEach; ++i)
                {
                    CAELogFile& log = (i % 2 == 0) ? shared : own;
                    log.WriteLog(1, "Worker", "%d:%d:%s:end", t, i, payload.c_str());
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();

    const std::vector<std::string> lines = Lines(folders.ReadFile(LogName(shared)));
    ASSERT_EQ(std::size_t(kThreads * kLinesEach), lines.size());
    const std::regex form(kStamp +
                          std::string(R"(WARN,\[tid=[0-9a-f]{8}\],\[Worker\],\d:\d+:p{6000}:end)"));
    for (const std::string& line : lines)
        ASSERT_TRUE(std::regex_match(line, form)) << line.substr(0, 80);
}

TEST(LogFile, MissingLogFolderOrNameWritesNothing)
{
    CServiceFolders folders("log_nofolder");
    std::filesystem::remove_all(folders.Path("log"));
    CAELogFile log("Gravik");
    log.WriteLog(0, "", "dropped");
    EXPECT_FALSE(std::filesystem::exists(folders.Path("log")));

    std::filesystem::create_directories(folders.Path("log"));
    CAELogFile unnamed("");
    unnamed.WriteLog(0, "", "dropped");
    EXPECT_TRUE(unnamed.GetPath().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folders.Path("log")));
}
