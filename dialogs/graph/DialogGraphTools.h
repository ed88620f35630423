// The graph tools the program installs for the view's graph commands: graph frames owned by
// the main window.
#pragma once

#include "view/GraphTools.h"

class CDialogGraphTools : public CGraphTools
{
public:
    bool OpenTransientGraph(const CModelSet& model, const CEntityArray& entities, UINT resultId,
                            int component) override;
    std::unique_ptr<CDistanceGraphWindow> CreateDistanceGraphDialog() override;
};
