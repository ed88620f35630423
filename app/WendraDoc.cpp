// The view document: no data of its own, nothing to store.
#include "app/WendraDoc.h"

void CWendraDoc::Serialize(CArchive&)
{
}

BOOL CWendraDoc::IsModified()
{
    return m_bModified;
}

void CWendraDoc::SetModifiedFlag(BOOL modified)
{
    m_bModified = modified;
}

BOOL CWendraDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
