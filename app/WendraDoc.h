// The document of every 3-D view: only the anchor the framework needs for a view. The
// project's data lives in the main frame's project object, not here.
#pragma once

#include "platform/docview/doc.h"

class CWendraDoc : public CDocument
{
    FW_CREATABLE(CWendraDoc, CDocument)

public:
    CWendraDoc() = default;

    void Serialize(CArchive& archive) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL OnNewDocument() override;
};
