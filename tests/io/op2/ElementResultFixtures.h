// Helpers of the element result reader tests: IDENT records with the words these tables use,
// a whole-file read with the element readers filed, and a capture of the "FileRead" log.
#pragma once

#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "io/op2/ElementResultBlocks.h"
#include "io/op2/OP2Reader.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// Words of an IDENT record that the element result tables read.
struct ElementIdent
{
    int approachCode = 1;
    int tableCode = 4;
    int elementType = 0;
    int subcase = 0; // word 3
    int stepWord = 1;
    int entryWords = 0;
    int stressCode = 0; // word 10
    int thermal = 0;    // word 22

    ElementIdent& StepValue(float value)
    {
        std::memcpy(&stepWord, &value, sizeof(stepWord));
        return *this;
    }
    Op2Words Words() const
    {
        Op2Words words;
        for (int i = 0; i < 146; ++i)
        {
            int value = 0;
            switch (i)
            {
            case 0: value = approachCode * 10 + 1; break;
            case 1: value = tableCode; break;
            case 2: value = elementType; break;
            case 3: value = subcase; break;
            case 4: value = stepWord; break;
            case 9: value = entryWords; break;
            case 10: value = stressCode; break;
            case 22: value = thermal; break;
            default: break;
            }
            words.I(value);
        }
        return words;
    }
};

struct ElementSubcase
{
    ElementIdent ident;
    Op2Words data;
    int pieceWords = 0;
};

// Writes one block of subcases, catalogues it with the element readers filed, then loads every
// result. Returns the catalogue code; the data pass must return 0.
inline int ReadElementBlock(const std::string& blockName, const std::vector<ElementSubcase>& cases,
                            CModelSet* model, bool loadAll = true, COutputSink* sink = nullptr)
{
    Op2TestFile file;
    file.Label().BlockHeader(blockName.c_str());
    for (const ElementSubcase& c : cases)
        file.Subcase(c.ident.Words(), c.data, c.pieceWords);
    file.EndBlock().EndFile();
    const std::string path = file.Save(testing_support::MakeTempDir("op2elem"), blockName + ".op2");
    OP2Reader reader;
    AddElementResultBlockReaders(&reader);
    const int code = reader.readCatalogue(path, model, false, sink);
    if (!loadAll)
        return code;
    for (UINT id : model->GetResults().SortedKeys())
        model->GetResult(id)->m_loaded = CResultData::kRequested;
    EXPECT_EQ(0, reader.readResults(path, model));
    return code;
}

// Sends the "FileRead" log to a scratch folder for the life of the object.
class LogCapture
{
public:
    LogCapture()
        : m_root(testing_support::MakeTempDir("op2log"))
        , m_savedFolder(GetExecutableFolder())
    {
        std::filesystem::create_directories(m_root / "bin");
        std::filesystem::create_directories(m_root / "log");
        SetExecutableFolder((m_root / "bin").string());
    }
    ~LogCapture() { SetExecutableFolder(m_savedFolder); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string Text() const
    {
        std::string text;
        for (const auto& entry : std::filesystem::directory_iterator(m_root / "log"))
        {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream content;
            content << in.rdbuf();
            text += content.str();
        }
        return text;
    }
    bool Contains(const std::string& part) const { return Text().find(part) != std::string::npos; }

private:
    std::filesystem::path m_root;
    std::string m_savedFolder;
};

inline double ElementValue(const CModelSet& model, int packedId, int elementId)
{
    const CResultData* result = model.GetResult(static_cast<UINT>(packedId));
    double value = 0.0;
    EXPECT_NE(nullptr, result) << std::hex << packedId;
    if (result != nullptr)
    {
        EXPECT_TRUE(result->GetElementValue(elementId, &value)) << "element " << elementId;
    }
    return value;
}
