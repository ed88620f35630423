// The result tools the program installs for the view's result commands: graph frames owned by
// the main window, the distance graph dialog and the modal result sheet.
#pragma once

#include "view/GraphTools.h"

class CDialogGraphTools : public CGraphTools
{
public:
    bool OpenTransientGraph(const CModelSet& model, const CEntityArray& entities, UINT resultId,
                            int component) override;
    std::unique_ptr<CDistanceGraphWindow> CreateDistanceGraphDialog() override;
    void RunResultSheet(const CResultListRecord& record) override;
};
