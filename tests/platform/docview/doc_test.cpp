// Documents and files: reading and writing through the archive, a failed save that keeps the
// file that was there, Save As through the scripted dialog and the recent-file list, the save
// question, and a second open of an open file.
#include "platform/base/archive.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/recentfiles.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace fw::test;

namespace
{
class CDataDoc : public CTestDocument
{
    FW_CREATABLE(CDataDoc, CTestDocument)

public:
    int32_t value = 0;
    CString name;
    bool failWhileStoring = false;

    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
        {
            archive << value << name;
            if (failWhileStoring)
                fw::ThrowArchiveException(CArchiveException::genericException);
        }
        else
        {
            archive >> value >> name;
        }
    }
    void DeleteContents() override
    {
        value = 0;
        name.Empty();
    }
};

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Doc : public MainFrameFixture
{
protected:
    Doc() { m_docClass = RUNTIME_CLASS(CDataDoc); }
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        m_folder = testing_support::MakeTempDir("docview_doc");
        m_app->LoadStdProfileSettings(4);
    }
    std::string PathOf(const char* name) const { return m_folder + "\\" + name; }

    std::string m_folder;
};
} // namespace

TEST_F(Doc, SavedDocumentReadsBackAndJoinsTheRecentFiles)
{
    auto* document = dynamic_cast<CDataDoc*>(OpenDocument());
    ASSERT_NE(nullptr, document);
    document->value = 1234;
    document->name = "beam";
    document->SetModifiedFlag(TRUE);
    const std::string path = PathOf("model.fwt");
    (**m_services).fileAnswers.push_back(path);
    document->OnFileSaveAs();
    EXPECT_FALSE(document->IsModified());
    EXPECT_STREQ(path.c_str(), document->GetPathName());
    EXPECT_STREQ("model.fwt", document->GetTitle());
    EXPECT_STREQ(path.c_str(), (*m_app->m_pRecentFileList)[0]);
    // 4-byte value, then the name with its one-byte length.
    EXPECT_EQ(std::string("\xD2\x04\x00\x00\x04"
                          "beam",
                          9),
              ReadWhole(path));

    // Opening the same path again shows the open document; closed, it reads back.
    EXPECT_EQ(document, m_app->OpenDocumentFile(path.c_str()));
    m_app->CloseAllDocuments(FALSE);
    auto* reread = dynamic_cast<CDataDoc*>(m_app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(nullptr, reread);
    EXPECT_EQ(1234, reread->value);
    EXPECT_STREQ("beam", reread->name);
    EXPECT_FALSE(reread->IsModified());
}

TEST_F(Doc, FailedSaveKeepsTheFileThatWasThereAndSaysSo)
{
    auto* document = dynamic_cast<CDataDoc*>(OpenDocument());
    const std::string path = PathOf("kept.fwt");
    std::ofstream(path, std::ios::binary) << "old contents";
    document->value = 7;
    document->failWhileStoring = true;
    document->SetModifiedFlag(TRUE);
    EXPECT_FALSE(document->DoSave(path.c_str()));
    EXPECT_EQ("old contents", ReadWhole(path));
    EXPECT_TRUE(document->IsModified());
    ASSERT_EQ(1u, (**m_services).messageBoxes.size());
    // No temporary file is left beside it.
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((m_folder + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
}

TEST_F(Doc, UnreadableFileIsReportedAndOpensNothing)
{
    const std::string path = PathOf("short.fwt");
    std::ofstream(path, std::ios::binary) << "\x01";
    EXPECT_EQ(nullptr, m_app->OpenDocumentFile(path.c_str()));
    EXPECT_EQ(1u, (**m_services).messageBoxes.size());
    EXPECT_EQ(nullptr, m_template->GetFirstDocPosition());
    EXPECT_EQ(nullptr, ActiveChild());

    EXPECT_EQ(nullptr, m_app->OpenDocumentFile(PathOf("missing.fwt").c_str()));
    EXPECT_EQ(2u, (**m_services).messageBoxes.size());
}

TEST_F(Doc, AnsweringYesToTheSaveQuestionSavesBeforeClosing)
{
    auto* document = dynamic_cast<CDataDoc*>(OpenDocument());
    document->value = 99;
    document->SetModifiedFlag(TRUE);
    const std::string path = PathOf("asked.fwt");
    ScriptedServices& services = **m_services;
    services.messageBoxAnswers.push_back(IDYES);
    services.fileAnswers.push_back(path);
    EXPECT_TRUE(m_app->SaveAllModified());
    EXPECT_EQ(std::string("\x63\x00\x00\x00\x00", 5), ReadWhole(path));

    // A cancelled file dialog cancels the close.
    document->SetModifiedFlag(TRUE);
    services.messageBoxAnswers.push_back(IDYES);
    document->m_strPathName.Empty();
    EXPECT_FALSE(m_app->SaveAllModified());
}
