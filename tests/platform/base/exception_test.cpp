// Heap-thrown exceptions: catching by base pointer, causes and messages, Delete.
#include "platform/base/exception.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(CException, ThrownOnTheHeapAndCaughtByBase)
{
    bool caught = false;
    try
    {
        fw::ThrowFileException(CFileException::diskFull, 28, "out\\result.unv");
    }
    catch (CException* e)
    {
        caught = true;
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        const CFileException* fileError = static_cast<CFileException*>(e);
        EXPECT_EQ(CFileException::diskFull, fileError->m_cause);
        EXPECT_EQ(28, fileError->m_lOsError);
        EXPECT_STREQ("out\\result.unv", fileError->m_strFileName);
        EXPECT_STREQ("out\\result.unv: the disk is full.", e->GetErrorText());
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

TEST(CException, EveryKindHasItsClass)
{
    struct Case
    {
        void (*thrower)();
        const CRuntimeClass* expected;
    };
    const Case cases[] = {
        {[] { fw::ThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {[] { fw::ThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { fw::ThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { fw::ThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {[] { fw::ThrowArchiveException(CArchiveException::badClass); },
         RUNTIME_CLASS(CArchiveException)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected->m_lpszClassName);
        try
        {
            c.thrower();
            ADD_FAILURE() << "nothing thrown";
        }
        catch (CException* e)
        {
            EXPECT_EQ(c.expected, e->GetRuntimeClass());
            e->Delete();
        }
    }
}

TEST(CException, MessageBufferIsAlwaysTerminated)
{
    const CArchiveException error(CArchiveException::badSchema);
    char buffer[12];
    UINT help = 99;
    EXPECT_TRUE(error.GetErrorMessage(buffer, sizeof(buffer), &help));
    EXPECT_EQ(11u, std::strlen(buffer));
    EXPECT_EQ(0u, help);
    EXPECT_STREQ("An error occurred: the archive holds an unexpected class version.",
                 error.GetErrorText());
    EXPECT_FALSE(CUserException().GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
    // An out-of-range cause reads as an unspecified error, not past the table.
    EXPECT_STREQ("An error occurred: an unspecified error occurred.",
                 CFileException(99).GetErrorText());
}
