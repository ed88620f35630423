// The view tests' main frame and fixture.
#include "ViewTestFrame.h"

#include "core/geometry/ColorConvert.h"
#include "platform/test/pump.h"
#include "platform/win/cmdtarget.h"

#include <GL/gl.h>
#include <cstring>
#include <vector>

namespace view_window_test
{
void RecordingCmdManager::ExecuteCommand(CCmdRecord* record)
{
    m_entries.push_back({record->nCode, record->bKeepRunning, m_nFrameKey});
    CCmdManager::ExecuteCommand(record);
}

CCmdColl* RecordingCmdManager::CreateCommand(const CreationEntry& entry, const CCmdRecord& record)
{
    return m_create ? m_create(record) : CCmdManager::CreateCommand(entry, record);
}

CViewTestFrame::CViewTestFrame()
    : m_project(std::make_unique<CProjectData>())
    , m_manager(this)
{
    UseTestSettings(m_project->m_settings);
}

CViewTestFrame::~CViewTestFrame() = default;

CCAEView* CViewTestFrame::GetFrameView(int frameKey)
{
    const auto found = m_frames.find(frameKey);
    if (found == m_frames.end() || found->second == nullptr)
        return nullptr;
    return dynamic_cast<CCAEView*>(found->second->GetActiveView());
}

void CViewTestFrame::ShowMessage(const char* section, const char* key, const char*)
{
    m_statusKeys.push_back(std::string(section) + "/" + key);
}

void CViewTestFrame::ApplySettingsToAllViews(BOOL render)
{
    ++m_settingsApplied;
    for (const auto& entry : m_frames)
    {
        CCAEView* view = GetFrameView(entry.first);
        if (view == nullptr)
            continue;
        if (render)
            view->Renderer().RenderAll();
        view->PlaceTriad(m_project->m_settings.m_triadPosition);
        view->InvalidateView();
    }
}

bool CViewTestFrame::GetSelectedLoadCase(int& resultId)
{
    if (m_selectedLoadCase == -1)
        return false;
    resultId = m_selectedLoadCase;
    return true;
}

BYTE* CViewTestFrame::GetBarShownFlag(UINT commandId)
{
    return &m_barShown[commandId];
}

bool CViewTestFrame::RunShrinkSettingDialog(int frameKey)
{
    m_shrinkDialogKeys.push_back(frameKey);
    return false;
}

bool CViewTestFrame::RunViewAngleDialog(CPoint3D& angles, CString texts[3])
{
    if (m_angleAnswers.empty())
        return false;
    angles = m_angleAnswers.front();
    m_angleAnswers.pop_front();
    texts[0].Format("%g", angles.x);
    texts[1].Format("%g", angles.y);
    texts[2].Format("%g", angles.z);
    return true;
}

bool CViewTestFrame::RunViewVectorDialog(CPoint3D& direction)
{
    if (m_vectorAnswers.empty())
        return false;
    direction = m_vectorAnswers.front();
    m_vectorAnswers.pop_front();
    return true;
}

bool CViewTestFrame::RunDeformationDialog(CDeformationChoice& choice)
{
    m_deformationShown.push_back(choice);
    if (m_deformationAnswers.empty())
        return false;
    choice = m_deformationAnswers.front();
    m_deformationAnswers.pop_front();
    return true;
}

bool CViewTestFrame::RunMaxLCStepDialog(int& frames)
{
    m_maxStepShown.push_back(frames);
    if (m_maxStepAnswers.empty())
        return false;
    frames = m_maxStepAnswers.front();
    m_maxStepAnswers.pop_front();
    return true;
}

void CViewTestFrame::OpenClippingDialog(int frameKey, double startZ, double endZ)
{
    m_clippingCalls.push_back(CPoint3D(frameKey, startZ, endZ));
}

CCAEView* CViewTestFrame::CreateMainView(const CString& caption)
{
    CDocument* document = m_pTemplate ? m_pTemplate->OpenDocumentFile(nullptr) : nullptr;
    if (document == nullptr)
        return nullptr;
    document->SetTitle(caption.GetString());
    fw::test::Pump();
    return RegisterActiveView();
}

CWendraView* CViewTestFrame::RegisterActiveView()
{
    CMDIChildWnd* child = MDIGetActive();
    CWendraView* view = child ? dynamic_cast<CWendraView*>(child->GetActiveView()) : nullptr;
    if (view == nullptr)
        return nullptr;
    const int key = ++m_viewCounter;
    m_frames[key] = child;
    view->SetFrameKey(key);
    view->SetCurrentGroup(m_project->m_model.GetDefaultGroup());
    view->LoadElementFilter(&m_project->m_model);
    return view;
}

void UseTestSettings(CAESettings& settings)
{
    settings.m_displayFilter = kKindAll & ~kKindNode;
    const COLORREF colors[CAESettings::kEntityKinds] = {RGB(0, 255, 255), RGB(0, 255, 0),
                                                        RGB(255, 255, 0), RGB(255, 0, 255),
                                                        RGB(255, 128, 0), RGB(255, 255, 255)};
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        settings.m_entityColors[kind] = colors[kind];
        settings.m_entitySizes[kind] = 1;
    }
    settings.m_backgroundColor = RGB(0, 0, 0);
    for (CGLMaterial& material : settings.m_materials)
    {
        for (int face = 0; face < 2; ++face)
        {
            material.m_ambient[face] = RGB(0, 0, 200);
            material.m_diffuse[face] = RGB(0, 0, 200);
            material.m_ambientPercent[face] = 100;
            material.m_diffusePercent[face] = 100;
            material.m_specularPercent[face] = 100;
            material.m_emissionPercent[face] = 100;
        }
    }
    settings.m_sameOnBothSides = 1;
    settings.m_showCentralTriad = 0;
    settings.m_showReferenceTriad = 1;
    settings.m_triadPosition = 2;
    settings.m_displayType = 0;
    settings.m_rigidLineView = 0;
    settings.m_curveDivisions = 4;
    for (CFontSetting* font :
         {&settings.m_generalFont, &settings.m_elementLabelFont, &settings.m_nodeLabelFont})
    {
        font->font = LOGFONT{};
        font->font.lfHeight = 14;
        font->font.lfWeight = FW_NORMAL;
        std::strcpy(font->font.lfFaceName, "Arial");
    }
}

void ViewFixture::SetUp()
{
    m_frameClass = RUNTIME_CLASS(CViewTestFrame);
    if (m_viewClass == RUNTIME_CLASS(fw::test::CTestView))
        m_viewClass = RUNTIME_CLASS(CWendraView);
    MainFrameFixture::SetUp();
    Frame().m_pTemplate = m_template;
}

CWendraView* ViewFixture::OpenView(int width, int height)
{
    OpenDocument();
    CWendraView* view = Frame().RegisterActiveView();
    if (view != nullptr)
        view->MoveWindow(0, 0, width, height);
    fw::test::Pump();
    return view;
}

void ViewFixture::Command(CWnd* view, UINT id)
{
    view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void ViewFixture::DrawFrame(CWendraView* view)
{
    view->MakeCurrent();
    const CAESettings* settings =
        view->MainFrame()->GetProject() ? &view->MainFrame()->GetProject()->m_settings : nullptr;
    view->Device().SetColor(COLORREFToColor(settings ? settings->m_backgroundColor : RGB(0, 0, 0)));
    view->DrawAll(nullptr);
    glFinish();
}

std::array<int, 3> ReadPixel(int x, int y, int height)
{
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

int CountDiffering(int left, int top, int right, int bottom, int height, std::array<int, 3> colour)
{
    const int width = right - left;
    const int rows = bottom - top;
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * rows * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, height - bottom, width, rows, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int count = 0;
    for (size_t i = 0; i < rgba.size(); i += 4)
    {
        if (rgba[i] != colour[0] || rgba[i + 1] != colour[1] || rgba[i + 2] != colour[2])
            ++count;
    }
    return count;
}

ProbeCmdUI QueryUpdate(CCmdTarget* target, UINT id)
{
    ProbeCmdUI probe(id);
    target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe;
}
} // namespace view_window_test
