// Result display: the result title and the colour legend.
#include "core/geometry/ColorConvert.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/win/dc.h"
#include "render/AESet.h"
#include "render/SceneView.h"
#include "view/Legend.h"
#include "view/ResultDisplay.h"
#include "view/ResultTitle.h"

#include <GL/gl.h>
#include <algorithm>

namespace
{
// The first view shows the model: it has no title.
constexpr int kModelViewKey = 1;

// Viewport size of the scene camera in pixels.
void SceneSize(const CSceneView& view, double& width, double& height)
{
    const CViewVolume& scene = view.Camera(CSceneView::kSceneViewport);
    width = scene.m_viewportP2.x - scene.m_viewportP1.x;
    height = scene.m_viewportP2.y - scene.m_viewportP1.y;
}

// A scene of pixels over the bottom fifth of the viewport, without depth test.
void BeginTitleScene(CDrawDevice& device, double width, double height)
{
    CViewVolume overlay;
    overlay.SetViewport(CPoint3D(0.0, 0.0, 0.0), CPoint3D(width, 0.2 * height, 0.0));
    overlay.SetVolume(CPoint3D(0.0, 0.0, -20.0), CPoint3D(width, 0.2 * height, 20.0));
    device.BeginScene(&overlay);
    glDisable(GL_DEPTH_TEST);
}
} // namespace

void CResultDisplay::DeleteTextLists()
{
    CDrawDevice& device = ResultScene().Device();
    for (int* list : {&m_textLists.legend, &m_textLists.title1, &m_textLists.title2})
    {
        if (*list > 0)
            device.DeleteList(static_cast<UINT>(*list));
        *list = -1;
    }
}

void CResultDisplay::BuildResultTitle()
{
    CSceneView& view = ResultScene();
    view.MakeCurrent();
    m_strResultTitle.Empty();
    m_strResultSubTitle.Empty();
    const CAESet& renderer = ResultRenderer();
    const CModelSet* model = Model();
    CTitleRequest request;
    const CResultData* result = nullptr;
    if (renderer.ContourResultId() != -1)
    {
        result = FindResult(renderer.ContourResultId());
        request.shownId = static_cast<UINT>(renderer.ContourResultId());
        request.min = view.Scene().DisplayAttr().m_dataMin;
        request.max = view.Scene().DisplayAttr().m_dataMax;
    }
    else if (renderer.VectorResultId() != -1)
    {
        result = FindResult(renderer.VectorResultId());
        request.shownId = static_cast<UINT>(renderer.VectorResultId());
        request.isContour = false;
        const CResultDisplayAttr bands = renderer.GetDisplayAttr();
        request.min = bands.m_dataMin;
        request.max = bands.m_dataMax;
    }
    const bool isShown = renderer.ContourResultId() != -1 || renderer.VectorResultId() != -1;
    if (isShown && (result == nullptr || model == nullptr))
        return; // the old lists stay; the next paint asks again
    if (isShown)
    {
        request.component = renderer.ResultComponent();
        request.category = view.Scene().DisplayAttr().m_nResultCategory;
        const CResultTitleLines lines = ComposeResultTitle(*result, *model, request);
        m_strResultTitle = lines.line1;
        m_strResultSubTitle = lines.line2;
    }
    else
    {
        m_strResultTitle = GetProjectTitle();
    }
    SetDocumentTitle(m_strResultTitle);
    DeleteTextLists();
    LOGFONT font = {};
    COLORREF color = 0;
    if (GetFrameKey() == kModelViewKey || !GetGeneralFont(font, color))
        return;
    // An empty text gets no list.
    const auto make = [&](const CString& text)
    { return text.IsEmpty() ? -1 : view.Device().CreateTextList(text.GetString(), font); };
    m_textLists.legend = make(m_strLegendText);
    m_textLists.title1 = make(m_strResultTitle);
    m_textLists.title2 = make(m_strResultSubTitle);
}

void CResultDisplay::DrawLegend()
{
    const CAESet& renderer = ResultRenderer();
    CSceneView& view = ResultScene();
    if (renderer.VectorResultId() != -1)
    {
        const CVectorPlotEntry* entry =
            view.Scene().VectorPlots().Find(renderer.VectorPlotKey(renderer.VectorResultId()));
        if (entry != nullptr && entry->m_attr.m_bSameColor)
            return; // arrows of one colour have no legend
    }
    LOGFONT font = {};
    COLORREF color = 0;
    GetGeneralFont(font, color);
    CLegendStyle style;
    SceneSize(view, style.width, style.height);
    style.fontHeight = LegendFontHeight(font);
    style.fontListBase = GetTextFontBase();
    style.textColor = COLORREFToColor(color);
    style.legendTextList = m_textLists.legend;
    DrawColorLegend(view.Device(), renderer.GetDisplayAttr(), style);
}

void CResultDisplay::DrawGLText(CDC* dc)
{
    LOGFONT logFont = {};
    COLORREF color = 0;
    if (dc == nullptr || !GetGeneralFont(logFont, color))
        return;
    CSceneView& view = ResultScene();
    CDrawDevice& device = view.Device();
    double width = 0.0;
    double height = 0.0;
    SceneSize(view, width, height);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = dc->SelectObject(&font);
    const CColorRGBA textColor = COLORREFToColor(color);
    // Each line centred, not left of the viewport; line 1 above line 2.
    const auto draw = [&](const CString& text, int list, double y)
    {
        const int textWidth = dc->GetTextExtent(text.GetString(), text.GetLength()).cx;
        const double x = std::max(0.0, 0.5 * width - textWidth / 2);
        device.SetColor(textColor);
        if (list > 0)
            device.DrawTextList(CPoint3D(x, y, 0.0), static_cast<UINT>(list));
    };
    BeginTitleScene(device, width, height);
    draw(m_strResultTitle, m_textLists.title1, 2.5 * 0.025 * height);
    device.EndScene();
    BeginTitleScene(device, width, height);
    draw(m_strResultSubTitle, m_textLists.title2, 0.025 * height);
    dc->SelectObject(oldFont);
    device.EndScene();
}
