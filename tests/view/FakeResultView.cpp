// The view tests' 3-D view with the result display.
#include "FakeResultView.h"

#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "platform/win/dc.h"

#include <GL/gl.h>

namespace view_test
{
FakeResultView::FakeResultView(CModelSet* model,
                               std::vector<std::unique_ptr<FakeResultView>>* opened)
    : m_pModel(model)
    , m_pOpened(opened)
{
    m_renderer.SetView(this);
    m_settings.m_displayFilter = kKindAll & ~kKindNode;
    EditScene().SetDisplayMode(kRidgeLine);
    const char* className = fw::RegisterWndClass(CS_OWNDC);
    if (!m_wnd.CreateEx(0, className, "result view", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        0, 0, kSize, kSize, nullptr, nullptr))
        return;
    m_ready = Device().CreateRenderingContext(&m_wnd, CColorRGBA(0, 0, 0, 0)) != 0;
}

FakeResultView::~FakeResultView()
{
    if (m_ready)
    {
        MakeCurrent();
        m_renderer.DeleteLists();
    }
    Device().DeleteRenderingContext();
    m_wnd.DestroyWindow();
}

void FakeResultView::Show()
{
    MakeCurrent();
    m_renderer.SetGroup(m_pModel->GetDefaultGroup());
    Camera(kSceneViewport).SetViewport(CPoint3D(0, 0, 0), CPoint3D(kSize, kSize, 0));
    m_renderer.AutoScale(this);
    LOGFONT font = {};
    COLORREF color = 0;
    GetGeneralFont(font, color);
    m_textFontBase = Device().CreateFontLists(&font);
}

void FakeResultView::Draw()
{
    MakeCurrent();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Device().BeginScene(&Camera(kSceneViewport));
    m_renderer.DrawScene();
    Device().EndScene();
    if (m_renderer.ContourResultId() != -1 || m_renderer.VectorResultId() != -1)
        DrawLegend();
    if (ResultTitle().IsEmpty())
        BuildResultTitle();
    CClientDC dc(&m_wnd);
    DrawGLText(&dc);
    glFinish();
}

std::array<int, 3> FakeResultView::ReadPixel(int x, int y)
{
    MakeCurrent();
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

bool FakeResultView::GetSceneSettings(CSceneSettings& settings) const
{
    settings = m_settings;
    return true;
}

CPoint3D FakeResultView::GetElementCenter(const CFEElement* element) const
{
    CPoint3D sum;
    for (int i = 0; element && i < element->m_ids.GetSize(); ++i)
        sum = sum + GetNodePoint(element->m_ids[i]);
    return element && element->m_ids.GetSize() ? sum * (1.0 / element->m_ids.GetSize()) : sum;
}

int FakeResultView::IsEntityVisible(const CFEElement* element) const
{
    return element != nullptr && m_hiddenIds.count(element->m_id) == 0 ? 1 : 0;
}

// The shown result's value at a node, or at the element's node for element-node values.
double FakeResultView::GetResultValue(int nodeId, int elementId) const
{
    const int shown = m_renderer.ContourResultId() != -1 ? m_renderer.ContourResultId()
                                                         : m_renderer.VectorResultId();
    const CResultData* result = m_renderer.FindResult(shown);
    if (result == nullptr)
        return 0.0;
    const int kind = m_renderer.ResultComponent() & ~8;
    if (result->GetLocation() == CResultData::kFlagElementNodes)
    {
        const CComponentSet* set = result->GetComponentSet(elementId);
        const int slot = set ? set->FindSlot(nodeId) : -1;
        return slot >= 0 && kind == 1 ? set->values[static_cast<size_t>(slot)] : 0.0;
    }
    double value = 0.0;
    CPoint3D vector;
    if (kind == 1)
        return result->GetNodeValue(nodeId, &value) ? value : 0.0;
    if (kind < 2 || kind > 4 || !result->GetNodeVector(nodeId, &vector))
        return 0.0;
    return kind == 2 ? vector.x : kind == 3 ? vector.y : vector.z;
}

bool FakeResultView::GetGeneralFont(LOGFONT& font, COLORREF& color)
{
    font = LOGFONT{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    lstrcpyA(font.lfFaceName, "Arial");
    color = RGB(255, 255, 255);
    return true;
}

CResultDisplay* FakeResultView::OpenResultView(const CString& caption)
{
    m_events.push_back(std::string("open ") + caption.GetString());
    auto view = std::make_unique<FakeResultView>(m_pModel, m_pOpened);
    view->m_nFrameKey = m_nFrameKey + 1 + static_cast<int>(m_pOpened->size());
    view->m_contourDefaults = m_contourDefaults;
    view->m_vectorDefaults = m_vectorDefaults;
    view->Show();
    m_pOpened->push_back(std::move(view));
    return m_pOpened->back().get();
}

void FakeResultView::CopyElementFilterTo(CResultDisplay& target)
{
    static_cast<FakeResultView&>(target).m_hiddenIds = m_hiddenIds;
}

void FakeResultView::HideNodes()
{
    m_displayFilter &= ~32;
    m_events.push_back("hide nodes");
}
} // namespace view_test
