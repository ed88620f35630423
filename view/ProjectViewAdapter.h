// CProjectViewAdapter: a 3-D view as the project file sees it. Saving reads the view's window,
// camera, display, deformation and result state through it; opening puts them back in the
// order the project file's reader calls for, and closing tells the view its project went.
#pragma once

#include "project/ProjectView.h"

class CCAEView;

class CProjectViewAdapter : public CProjectView
{
public:
    explicit CProjectViewAdapter(CCAEView& view)
        : m_view(view)
    {
    }

    CViewFileState GetFileState() const override;
    CResultDisplayAttr GetDisplayAttr() const override;
    const CVectorDisplayAttr* FindVectorAttr(UINT packedId) const override;

    void SetCurrentGroup(CGroupSet* group) override;
    void ShowFrameMinimized() override;
    void RestoreFrame(int left, int top, int width, int height) override;
    void MaximizeFrame() override;
    void ApplyFileState(const CViewFileState& state) override;
    void LoadElementFilter(CModelSet* model) override;
    void LoadViewIdMaps(CGroupSet* group) override;
    void SetBackgroundColor(const CColorRGBA& color) override;
    void SetCurrentResult(CResultData* result) override;
    CResultDisplayAttr GetOwnDisplayAttr() const override;
    void SetOwnDisplayAttr(const CResultDisplayAttr& attr) override;
    void DisplayContourView(int resultId, int flag) override;
    void DisplayVectorView(int resultId, const CVectorDisplayAttr& attr, int flag) override;
    void BuildResultTitle() override;
    void ActivateFrame() override;
    void SetCamera(const CViewCamera& camera) override;
    void RenderAll() override;
    void UpdateAndInvalidate() override;
    void OnProjectClosed() override;

private:
    CCAEView& m_view;
};
