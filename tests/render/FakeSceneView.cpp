// The renderer tests' view.
#include "FakeSceneView.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "platform/win/dc.h"
#include "tests/core/model/ModelFixtures.h"

#include <GL/gl.h>
#include <vector>

namespace render_test
{
FakeSceneView* SceneTest::s_view = nullptr;

FakeSceneView::FakeSceneView()
    : m_renderer(std::make_unique<CAESet>())
{
    m_renderer->SetView(this);
    const char* className = fw::RegisterWndClass(CS_OWNDC);
    if (!m_wnd.CreateEx(0, className, "scene test", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                        0, kSize, kSize, nullptr, nullptr))
        return;
    m_ready = Device().CreateRenderingContext(&m_wnd, CColorRGBA(0, 0, 0, 0)) != 0;
}

FakeSceneView::~FakeSceneView()
{
    Device().DeleteRenderingContext();
    m_wnd.DestroyWindow();
}

bool FakeSceneView::GetSceneSettings(CSceneSettings& settings) const
{
    if (!m_hasProject)
        return false;
    settings = m_settings;
    return true;
}

CPoint3D FakeSceneView::GetElementCenter(const CFEElement* element) const
{
    CPoint3D sum;
    for (int i = 0; element && i < element->m_ids.GetSize(); ++i)
        sum = sum + GetNodePoint(element->m_ids[i]);
    return element && element->m_ids.GetSize() ? sum * (1.0 / element->m_ids.GetSize()) : sum;
}

int FakeSceneView::IsEntityVisible(const CFEElement* element) const
{
    return element != nullptr && m_hiddenIds.count(element->m_id) == 0 ? 1 : 0;
}

bool FakeSceneView::HasVisibleElement(const CFENode* node) const
{
    for (int i = 0; node && i < node->m_ids.GetSize(); ++i)
    {
        if (m_hiddenIds.count(node->m_ids[i]) == 0)
            return true;
    }
    return false;
}

CFENode* FakeSceneView::GetNode(int id) const
{
    return m_pModel ? m_pModel->GetNode(id) : nullptr;
}

CPoint3D FakeSceneView::GetNodePoint(int id) const
{
    return m_pModel ? m_pModel->GetNodePoint(id) + m_offset : CPoint3D();
}

void FakeSceneView::Show(CModelSet* model)
{
    m_pModel = model;
    m_renderer->SetGroup(model->GetDefaultGroup());
    CViewVolume& scene = Camera(kSceneViewport);
    scene.SetViewport(CPoint3D(0, 0, 0), CPoint3D(kSize, kSize, 0));
    m_renderer->AutoScale(this);
    // A view paints before it builds lists: the device then holds the depth offset of this
    // camera, which the lists record, not whatever scene an earlier test drew last.
    MakeCurrent();
    Device().BeginScene(&scene);
    Device().EndScene();
}

void FakeSceneView::Draw()
{
    MakeCurrent();
    glClearColor(m_background[0] / 255.0f, m_background[1] / 255.0f, m_background[2] / 255.0f,
                 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Device().BeginScene(&Camera(kSceneViewport));
    m_renderer->DrawScene();
    Device().EndScene();
    glFinish();
}

void AddUnitQuad(CModelSet& model, COLORREF color)
{
    AddTestNode(model, 1, -1, -1, 0);
    AddTestNode(model, 2, 1, -1, 0);
    AddTestNode(model, 3, 1, 1, 0);
    AddTestNode(model, 4, -1, 1, 0);
    AddQuad(model, 1, 1, 2, 3, 4);
    model.BuildElementFaces();
    model.LookupPropertyColor(1)->color = static_cast<int>(color);
}

void SetShellMaterial(CSceneSettings& settings, COLORREF front, COLORREF back)
{
    CGLMaterial& material = settings.m_materials[CSceneSettings::kShellMaterial];
    const COLORREF colors[2] = {front, back};
    for (int face = 0; face < 2; ++face)
    {
        material.m_ambient[face] = colors[face];
        material.m_diffuse[face] = colors[face];
        material.m_ambientPercent[face] = 100;
        material.m_diffusePercent[face] = 100;
        material.m_specularPercent[face] = 100;
        material.m_emissionPercent[face] = 100;
    }
}

void SceneTest::SetUpTestSuite()
{
    s_view = new FakeSceneView();
}

void SceneTest::TearDownTestSuite()
{
    delete s_view;
    s_view = nullptr;
}

void SceneTest::SetUp()
{
    if (!s_view->IsReady())
        SKIP_OR_FAIL_WITHOUT_GL();
    FakeSceneView& view = *s_view;
    view.m_renderer = std::make_unique<CAESet>();
    view.m_renderer->SetView(&view);
    view.m_settings = CSceneSettings();
    view.m_settings.m_colors[CSceneSettings::kShell] = RGB(0, 255, 0);
    view.m_settings.m_colors[CSceneSettings::kSolid] = RGB(0, 255, 255);
    view.m_settings.m_colors[CSceneSettings::kGrid] = RGB(255, 255, 0);
    view.m_settings.m_displayFilter = kKindAll & ~kKindNode;
    SetShellMaterial(view.m_settings, RGB(0, 0, 200), RGB(0, 0, 200));
    view.m_hasProject = true;
    view.m_isDragging = false;
    view.m_hiddenIds.clear();
    view.m_offset = CPoint3D();
    view.m_background = {0, 0, 0};
    view.m_waitCursors = 0;
    view.EditScene().SetDisplayMode(kShading);
    view.EditScene().SetColorMode(kColorByProperty);
    view.EditScene().SetShrunk(0);
    view.EditScene().SetShrinkFactor(0.8);
    view.EditScene().SetNodeIdMode(0);
    view.EditScene().SetElementIdMode(0);
    // The scene outlives its tests: vector settings that one test made start from the defaults.
    CVectorPlotMap& plots = view.EditScene().EditVectorPlots();
    std::vector<int> keys;
    plots.ForEach([&](int key, const CVectorPlotEntry&) { keys.push_back(key); });
    for (const int key : keys)
        plots.Find(key)->m_attr = CVectorDisplayAttr();
    view.SolidRidgeEdges().RemoveAll();
    view.ShellRidgeEdges().RemoveAll();
    view.Camera(FakeSceneView::kSceneViewport) = CViewVolume();
    view.EditSelection().EditPicked().RemoveAll();
    view.EditSelection().SetHover(nullptr);
    view.EditSelection().SetAllowedKinds(0);
    view.EditSelection().SetFilter(0);
    view.MakeCurrent();
}

void SceneTest::TearDown()
{
    if (!s_view->IsReady())
        return;
    s_view->m_renderer->DeleteLists();
    s_view->m_pModel = nullptr;
    s_view->m_renderer->SetGroup(nullptr);
}
} // namespace render_test
