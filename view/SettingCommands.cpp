// The contour and vector settings commands.
#include "view/SettingCommands.h"

#include "render/VectorPlotEntry.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
CResultSettingTools* g_tools = nullptr;

constexpr UINT kMapHashSize = 17;

// The command may be deleted in the call: callers touch nothing afterwards.
void Send(CCmdRecord& record, int frameKey)
{
    CViewMainFrame* frame = GetViewMainFrame();
    CCmdManager* manager = frame ? frame->GetCmdManager() : nullptr;
    if (manager == nullptr)
        return;
    manager->m_nFrameKey = frameKey;
    manager->ExecuteCommand(&record);
}

void SendCode(int code, int frameKey)
{
    CCmdRecord record;
    record.nCode = code;
    Send(record, frameKey);
}

} // namespace

void CopyVectorSettings(const CVectorSettingMap& from, CVectorSettingMap& to)
{
    POSITION pos = from.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t key = 0;
        CVectorDisplayAttr attr;
        from.GetNextAssoc(pos, key, attr);
        to.SetAt(key, attr);
    }
}

CResultSettingTools* GetResultSettingTools()
{
    return g_tools;
}

CResultSettingTools* InstallResultSettingTools(CResultSettingTools* tools)
{
    CResultSettingTools* previous = g_tools;
    g_tools = tools;
    return previous;
}

// Contour settings.

CCmdCollContourSetting::CCmdCollContourSetting(int frameKey)
    : m_nFrameKey(frameKey)
{
}

CCmdColl* CCmdCollContourSetting::Make(const CCmdRecord&, int frameKey, CCAEView* view)
{
    auto* command = new CCmdCollContourSetting(frameKey);
    if (view != nullptr)
        command->SeedFrom(*view);
    return command;
}

void CCmdCollContourSetting::Start(CCmdRecord*)
{
    CResultSettingTools* tools = GetResultSettingTools();
    m_dialog = tools ? tools->CreateContourSettingWindow() : nullptr;
    m_bDialogOpen = m_dialog && m_dialog->Open(m_Attr, m_nResultId, m_nFrameKey) ? 1 : 0;
}

void CCmdCollContourSetting::OnDialogOk(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    const auto& edited = *static_cast<const CContourSettingRecord*>(record);
    m_Attr = edited.m_Attr;
    m_nResultId = edited.nResultId;
    CContourSettingRecord apply;
    apply.nCode = CCmdRecord::kContourApply;
    apply.m_Attr = m_Attr;
    apply.nResultId = m_nResultId;
    Send(apply, m_nFrameKey);
}

void CCmdCollContourSetting::OnDialogCancel(CCmdRecord*)
{
    m_dialog.reset();
    m_bDialogOpen = 0;
    SendCode(CCmdRecord::kEndCommand, m_nFrameKey);
}

void CCmdCollContourSetting::OnShownResultChanged(int frameKey, CCAEView& view)
{
    if (frameKey != m_nFrameKey || m_dialog == nullptr)
        return;
    if (view.Renderer().ContourResultId() == -1)
    {
        OnDialogCancel(nullptr);
        return;
    }
    SeedFrom(view);
    m_dialog->Refresh(m_Attr, m_nResultId);
}

void CCmdCollContourSetting::SeedFrom(CCAEView& view)
{
    if (!view.Animation().IsAnimating())
        m_Attr = view.GetDisplayAttr();
    m_nResultId = view.Renderer().ContourResultId();
}

// Vector settings.

CCmdCollVectorSetting::CCmdCollVectorSetting(int frameKey)
    : m_nFrameKey(frameKey)
{
    m_Settings.InitHashTable(kMapHashSize);
}

CCmdColl* CCmdCollVectorSetting::Make(const CCmdRecord&, int frameKey, CCAEView* view)
{
    auto* command = new CCmdCollVectorSetting(frameKey);
    if (view == nullptr || view->Animation().IsAnimating())
        return command;
    view->Scene().VectorPlots().ForEach(
        [command](int key, const CVectorPlotEntry& entry)
        {
            command->m_Settings.SetAt(key, entry.m_attr);
            command->m_nResultId = key;
        });
    // The result the view shows is the one the user means, whatever the map's order.
    const CAESet& renderer = view->Renderer();
    const int shown = renderer.VectorPlotKey(renderer.VectorResultId());
    CVectorDisplayAttr attr;
    if (renderer.VectorResultId() != -1 && command->m_Settings.Lookup(shown, attr))
        command->m_nResultId = shown;
    return command;
}

void CCmdCollVectorSetting::Start(CCmdRecord*)
{
    CResultSettingTools* tools = GetResultSettingTools();
    m_dialog = tools ? tools->CreateVectorSettingWindow() : nullptr;
    m_bDialogOpen = m_dialog && m_dialog->Open(m_Settings, m_nResultId, m_nFrameKey) ? 1 : 0;
}

void CCmdCollVectorSetting::OnDialogOk(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    CVectorSettingRecord apply;
    apply.nCode = CCmdRecord::kVectorApply;
    CopyVectorSettings(static_cast<const CVectorSettingRecord*>(record)->m_Settings,
                       apply.m_Settings);
    Send(apply, m_nFrameKey);
}

void CCmdCollVectorSetting::OnDialogCancel(CCmdRecord*)
{
    m_dialog.reset();
    m_bDialogOpen = 0;
    SendCode(CCmdRecord::kEndCommand, m_nFrameKey);
}
