// 3-D view: the commands that open the per-view contour and vector settings.
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

#include <iterator>

// The settings are taken from the view as it stands: a playing animation stops first, its
// timer with it, so that no later frame changes the bands under the dialog. The frame on the
// screen stays; nothing is rebuilt.
void CCAEView::StopAnimationForSettings()
{
    if (!m_animation.IsAnimating())
        return;
    m_animation.Stop();
    KillTimer(kAnimationTimer);
}

void CCAEView::OnContourSettings()
{
    ShowStatus("ContourResult");
    StopAnimationForSettings();
    CContourSettingRecord record;
    record.nCode = CCmdRecord::kContourSetting;
    record.bKeepRunning = 0;
    SendCommand(record);
}

void CCAEView::OnVectorSettings()
{
    ShowStatus("VectorResult");
    StopAnimationForSettings();
    CVectorSettingRecord record;
    record.nCode = CCmdRecord::kVectorSetting;
    record.bKeepRunning = 0;
    SendCommand(record);
}

void CCAEView::OnUpdateContourSettings(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_AESet.ContourResultId() != -1);
}

void CCAEView::OnUpdateVectorSettings(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_AESet.VectorResultId() != -1);
}

CCAEView::EntrySpan CCAEView::SettingsEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_RESULT_CONTOUR_SETTINGS, &CCAEView::OnContourSettings>(),
        fw::command<ID_RESULT_VECTOR_SETTINGS, &CCAEView::OnVectorSettings>(),
        fw::update<ID_RESULT_CONTOUR_SETTINGS, &CCAEView::OnUpdateContourSettings>(),
        fw::update<ID_RESULT_VECTOR_SETTINGS, &CCAEView::OnUpdateVectorSettings>(),
    };
    return {kEntries, std::size(kEntries)};
}
