// A 3-D view with the result display, for the view tests: a 200 x 200 window with its own
// OpenGL context and renderer, nodal values as the view's entity set gives them, and the
// neighbours the result display asks (new views, project settings, the main frame) recorded.
#pragma once

#include "core/model/ModelSet.h"
#include "platform/win/wnd.h"
#include "render/AESet.h"
#include "render/SceneView.h"
#include "view/ResultDisplay.h"

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace view_test
{
constexpr int kSize = 200;

class FakeResultView : public CSceneView, public CResultDisplay
{
public:
    // Views opened by the result display go to the list the first view keeps.
    FakeResultView(CModelSet* model, std::vector<std::unique_ptr<FakeResultView>>* opened);
    ~FakeResultView() override;

    bool IsReady() const { return m_ready; }
    // Shows the model and fits the camera; the view's font lists are made.
    void Show();
    // A paint: scene, legend when a result is shown, title; the picture stays in the back
    // buffer.
    void Draw();
    // RGB of a window pixel (y downwards) of the back buffer.
    std::array<int, 3> ReadPixel(int x, int y);

    // Scene view.
    CModelSet* GetModel() const override { return m_pModel; }
    bool GetSceneSettings(CSceneSettings& settings) const override;
    int IsElementFilterActive() const override { return m_hiddenIds.empty() ? 0 : 1; }
    CPoint3D GetElementCenter(const CFEElement* element) const override;
    bool IsDragging() const override { return false; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    int IsEntityVisible(const CFEElement* element) const override;
    bool HasVisibleElement(const CFENode*) const override { return true; }
    CFENode* GetNode(int id) const override { return m_pModel->GetNode(id); }
    CPoint3D GetNodePoint(int id) const override { return m_pModel->GetNodePoint(id); }
    double GetResultValue(int nodeId, int elementId) const override;

    CAESet m_renderer;
    CModelSet* m_pModel;
    CSceneSettings m_settings;
    std::set<int> m_hiddenIds;
    int m_nFrameKey = 2;
    bool m_bAnimating = false;
    CResultDisplayAttr m_contourDefaults;
    CVectorDisplayAttr m_vectorDefaults;
    // What the result display asked of the neighbours.
    std::vector<std::string> m_events;
    std::string m_documentTitle;
    int m_selectedLoadCase = -1;
    int m_displayFilter = 63;

protected:
    CSceneView& ResultScene() override { return *this; }
    CAESet& ResultRenderer() override { return m_renderer; }
    const CResultDisplayAttr* ContourDefaults() override { return &m_contourDefaults; }
    const CVectorDisplayAttr* VectorDefaults() override { return &m_vectorDefaults; }
    bool GetGeneralFont(LOGFONT& font, COLORREF& color) override;
    CString GetProjectTitle() override { return CString("model.bdf"); }
    int GetElementFilterMode() override { return 3; }
    bool IsAnimating() override { return m_bAnimating; }
    int GetFrameKey() override { return m_nFrameKey; }
    UINT GetTextFontBase() override { return m_textFontBase; }
    CResultDisplay* OpenResultView(const CString& caption) override;
    void CopyElementFilterTo(CResultDisplay& target) override;
    void HideNodes() override;
    void SelectLoadCaseCombo(int resultId) override { m_selectedLoadCase = resultId; }
    void SetDocumentTitle(const CString& title) override { m_documentTitle = title.GetString(); }
    void ActivateAndUpdate() override { m_events.push_back("activate"); }
    void InvalidateView() override { m_events.push_back("invalidate"); }
    void ShowStatusText(const char* key) override { m_events.push_back(key); }

private:
    CWnd m_wnd;
    bool m_ready = false;
    UINT m_textFontBase = 0;
    std::vector<std::unique_ptr<FakeResultView>>* m_pOpened;
};
} // namespace view_test
