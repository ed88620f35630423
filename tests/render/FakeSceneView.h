// A 3-D view as the renderer sees it, for the renderer tests: a 200 x 200 window with its own
// OpenGL context, a model, display settings the test sets, an element filter by id and a
// displacement of every displayed node.
#pragma once

#include "GLTestWindow.h"
#include "core/model/ModelSet.h"
#include "platform/win/wnd.h"
#include "render/AESet.h"
#include "render/SceneView.h"

#include <array>
#include <memory>
#include <set>

namespace render_test
{
class FakeSceneView : public CSceneView
{
public:
    FakeSceneView();
    ~FakeSceneView() override;

    bool IsReady() const { return m_ready; }

    CModelSet* GetModel() const override { return m_pModel; }
    bool GetSceneSettings(CSceneSettings& settings) const override;
    int IsElementFilterActive() const override { return m_hiddenIds.empty() ? 0 : 1; }
    CPoint3D GetElementCenter(const CFEElement* element) const override;
    bool IsDragging() const override { return m_isDragging; }
    void BeginWaitCursor() override { ++m_waitCursors; }
    void EndWaitCursor() override { --m_waitCursors; }
    int IsEntityVisible(const CFEElement* element) const override;
    bool HasVisibleElement(const CFENode* node) const override;
    CFENode* GetNode(int id) const override;
    CPoint3D GetNodePoint(int id) const override;

    // Shows the model in the renderer (its default group), fits the camera to the window and
    // begins a scene with it, as a painted view has.
    void Show(CModelSet* model);
    // Clears to the background, draws the scene as the view's paint does and leaves the
    // picture in the back buffer.
    void Draw();

    std::unique_ptr<CAESet> m_renderer;
    CModelSet* m_pModel = nullptr;
    CSceneSettings m_settings;
    bool m_hasProject = true;
    bool m_isDragging = false;
    int m_waitCursors = 0;
    std::set<int> m_hiddenIds;
    CPoint3D m_offset; // added to every stored node position
    std::array<int, 3> m_background = {0, 0, 0};

private:
    CWnd m_wnd;
    bool m_ready = false;
};

// A model of one shell quad (element 1, property 1) from (-1, -1) to (1, 1) in the plane z = 0,
// its property coloured.
void AddUnitQuad(CModelSet& model, COLORREF color);
// Opaque materials in the given colours: face 0 and face 1 of the shell's material.
void SetShellMaterial(CSceneSettings& settings, COLORREF front, COLORREF back);

// The fixture: one view for the suite, a fresh model and settings for each test.
class SceneTest : public testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    FakeSceneView& View() { return *s_view; }
    CAESet& Renderer() { return *s_view->m_renderer; }

    static FakeSceneView* s_view;
    CModelSet m_model;
};
} // namespace render_test
