// Bad input for the bulk-data reader: each case is read into an empty model and finished as the
// model-file command does; the read goes on past what it cannot take and reports it.
#include "core/model/ModelSet.h"
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkMessages.h"
#include "tests/io/badinput/BadInputSupport.h"
#include "tests/support/TestPaths.h"

#include <functional>
#include <gtest/gtest.h>

using badinput::CCapturedOutput;
using badinput::WriteBytes;

namespace
{
std::string Card(const std::string& name, std::initializer_list<const char*> fields)
{
    std::string line = name;
    line.resize(8, ' ');
    for (const char* field : fields)
    {
        std::string text = field;
        text.resize(8, ' ');
        line += text;
    }
    return line + "\n";
}

// The large-field form: 16 columns a field, four on each line.
std::string LargeCard(const std::string& name, std::vector<const char*> fields)
{
    std::string text = name + "*";
    text.resize(8, ' ');
    for (size_t i = 0; i < fields.size(); ++i)
    {
        if (i > 0 && i % 4 == 0)
            text += "\n*       ";
        std::string field = fields[i];
        field.resize(16, ' ');
        text += field;
    }
    return text + "\n";
}

// Eight grids of a unit cube, a quad on its bottom and the brick (continued on a second line).
const std::string kGrids =
    Card("GRID", {"1", "", "0.", "0.", "0."}) + Card("GRID", {"2", "", "1.", "0.", "0."}) +
    Card("GRID", {"3", "", "1.", "1.", "0."}) + Card("GRID", {"4", "", "0.", "1.", "0."}) +
    Card("GRID", {"5", "", "0.", "0.", "1."}) + Card("GRID", {"6", "", "1.", "0.", "1."}) +
    Card("GRID", {"7", "", "1.", "1.", "1."}) + Card("GRID", {"8", "", "0.", "1.", "1."});
const std::string kQuad = Card("CQUAD4", {"12", "3", "1", "2", "3", "4"});
const std::string kHexa =
    Card("CHEXA", {"20", "1", "1", "2", "3", "4", "5", "6", "+H"}) + Card("+H", {"7", "8"});
const std::string kDeck = kGrids + kQuad + kHexa;

std::string Native(std::string path)
{
#ifdef _WIN32
    for (char& c : path)
        c = c == '/' ? '\\' : c;
#endif
    return path;
}

struct SBulkCase
{
    const char* name;
    // Writes deck.dat (and what it includes) into the folder.
    std::function<void(const std::string& folder)> prepare;
    int nodes;
    int elements;
    // Lines the output must hold, given the folder.
    std::function<std::vector<std::string>(const std::string& folder)> lines;
};

std::function<void(const std::string&)> Deck(const std::string& text)
{
    return [text](const std::string& folder) { WriteBytes(folder, "deck.dat", text); };
}

std::function<std::vector<std::string>(const std::string&)> Lines(std::vector<std::string> lines)
{
    return [lines](const std::string&) { return lines; };
}

const std::vector<SBulkCase>& BulkCases()
{
    static const std::vector<SBulkCase> cases = {
        {"whole deck", Deck(kDeck), 8, 2, Lines({})},
        {"empty file", Deck(""), 0, 0, Lines({})},
        {"truncated in the first card", Deck(kDeck.substr(0, 5)), 0, 0,
         Lines({BulkMessage("FormatErrorAtLineNumber", 1)})},
        {"truncated inside a grid's fields", Deck(kDeck.substr(0, kGrids.size() - 20)), 8, 0,
         Lines({})},
        {"truncated before the brick's continuation", Deck(kGrids + kQuad + kHexa.substr(0, 73)), 8,
         1, Lines({BulkMessage("FormatErrorAtLineNumber", 10)})},
        {"last line without its line end", Deck(kDeck.substr(0, kDeck.size() - 1)), 8, 2,
         Lines({})},
        {"binary garbage", Deck(badinput::Garbage(65536)), 0, 0, nullptr},
        {"ids beyond the largest id",
         Deck(kDeck + LargeCard("GRID", {"999999999", "", "0.", "0.", "0."}) +
              LargeCard("GRID", {"2147483648", "", "0.", "0.", "0."}) +
              LargeCard("CQUAD4", {"13", "3", "1", "2", "3", "2147483647"})),
         8, 2,
         Lines({BulkMessage("FormatErrorAtLineNumber", 12),
                BulkMessage("FormatErrorAtLineNumber", 14),
                BulkMessage("FormatErrorAtLineNumber", 16)})},
        {"negative ids",
         Deck(Card("GRID", {"-1", "", "0.", "0.", "0."}) + kDeck +
              Card("CQUAD4", {"-13", "3", "1", "2", "3", "4"}) +
              Card("CQUAD4", {"14", "3", "1", "-2", "3", "4"})),
         8, 2,
         Lines({BulkMessage("FormatErrorAtLineNumber", 1),
                BulkMessage("FormatErrorAtLineNumber", 13),
                BulkMessage("FormatErrorAtLineNumber", 14)})},
        {"line of 100,000 characters",
         Deck(kGrids + std::string(100000, 'x') + "\n" + kQuad + "$" + std::string(100000, '-') +
              "\n" + kHexa),
         8, 2, Lines({})},
        {"card of 100,000 characters",
         Deck(kGrids + kQuad.substr(0, kQuad.size() - 1) + std::string(100000, '9') + "\n" + kHexa),
         8, 2, Lines({})},
        {"missing include", Deck(kGrids + "INCLUDE 'absent.inc'\n" + kQuad + kHexa), 8, 2,
         [](const std::string& folder)
         {
             const std::string path = Native(folder + "/absent.inc");
             return std::vector<std::string>{"[" + path + "]", BulkMessage("NotFound", path)};
         }},
        {"include cycle",
         [](const std::string& folder)
         {
             WriteBytes(folder, "a.inc", kQuad + "INCLUDE 'b.inc'\n");
             WriteBytes(folder, "b.inc", kHexa + "INCLUDE 'a.inc'\n");
             WriteBytes(folder, "deck.dat", kGrids + "INCLUDE 'a.inc'\n");
         },
         8, 2,
         [](const std::string& folder)
         {
             const std::string path = Native(folder + "/a.inc");
             return std::vector<std::string>{
                 "[" + path + "]", "[" + Native(folder + "/b.inc") + "]", "[" + path + "]",
                 BulkMessage("IncludeCycle", path, 3)};
         }},
        {"CP932 bytes in a card name and a comment",
         Deck("$ " + badinput::Cp932Text() + "\n" + kGrids + "C" + badinput::Cp932Text() +
              "  1       2\n" + kQuad + kHexa),
         8, 2,
         Lines({BulkMessage("NonSupportedElement", "C" + badinput::Cp932Text().substr(0, 7), 10)})},
        {"CP932 bytes in an include name",
         [](const std::string& folder)
         {
             WriteBytes(folder, badinput::Cp932Text() + ".inc", kQuad + kHexa);
             WriteBytes(folder, "deck.dat",
                        kGrids + "INCLUDE '" + badinput::Cp932Text() + ".inc'\n");
         },
         8, 2,
         [](const std::string& folder)
         {
             return std::vector<std::string>{
                 "[" + Native(folder + "/" + badinput::Cp932Text() + ".inc") + "]"};
         }},
    };
    return cases;
}

TEST(BulkBadInputTest, EachCaseKeepsWhatItCouldReadAndReportsTheRest)
{
    for (const SBulkCase& entry : BulkCases())
    {
        SCOPED_TRACE(entry.name);
        const std::string folder = testing_support::MakeTempDir("bulk_bad_input");
        entry.prepare(folder);
        CCapturedOutput output;
        CModelSet model;
        model.SetOutputSink(&output);
        {
            CBulkDataReader reader(model, output);
            EXPECT_TRUE(reader.ReadBulkData(folder + "/deck.dat"));
        }
        model.TransformPendingNodes();
        model.BuildElementFaces();
        model.SaveMaxIds();
        EXPECT_EQ(entry.nodes, model.GetNodeCount());
        EXPECT_EQ(entry.elements, model.GetElementCount());
        if (!entry.lines)
            continue;
        const std::vector<std::string> expected = entry.lines(folder);
        if (expected.empty())
        {
            EXPECT_TRUE(output.lines.empty()) << output.lines.front();
        }
        for (const std::string& line : expected)
            EXPECT_TRUE(output.Has(line)) << line;
    }
}
} // namespace
