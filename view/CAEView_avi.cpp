// 3-D view: the Export AVI command and the capture of the animation's frames.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/StringFile.h"
#include "platform/dlg/commdlg.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/AviRecorder.h"
#include "view/CAEView.h"
#include "view/WaitCursor.h"

#include <GL/gl.h>
#include <vector>

namespace
{
// The frame interval of every recording: 4 frames a second.
constexpr int kAviInterval = 250;

bool IsStepResult(const CResultData& result)
{
    return result.GetStepKind() == CResultData::kFlagStepKind;
}
} // namespace

void CCAEView::OnExportAvi()
{
    const CAESettings* settings = GetSettings();
    CFileDialog dialog(FALSE, "avi", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "avi Files (*.avi)|*.avi|", this);
    const CString folder =
        settings ? settings->m_fileIoFolders[CAESettings::kFolderImg] : CString();
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    if (dialog.DoModal() != IDOK)
        return;
    CWaitCursorScope wait(*this);
    CaptureAviFrames(dialog.GetPathName());
}

bool CCAEView::GrabAviFrame(int resultId, bool isStep, int width, int height, unsigned char* pixels,
                            CAviRecorderWnd& recorder)
{
    if (isStep)
        ShowAnimationFrame(resultId, true);
    else
        ShowRendererFrame(resultId, true);
    if (!CaptureFrame(width, height, GL_BGR_EXT, pixels))
    {
        CString text;
        LoadStringFromFile(CString("Message.str"), CString("Error"), CString("ImageCapture"),
                           &text);
        AfxMessageBox(text.GetString(), MB_OK | MB_ICONSTOP);
        return false;
    }
    return recorder.AddFrame(pixels) != FALSE;
}

BOOL CCAEView::CaptureAviFrames(const CString& path)
{
    const int shown = GetShownResultId();
    CResultData* result = PrepareAnimatedResult();
    if (result == nullptr)
        return FALSE; // no file is made for a result that is gone
    // A running animation ends here: its ticks would move the frames being recorded, and the
    // recording ends stopped, where STOP could no longer end the timer. So does a recording
    // that cannot start: a cancelled compressor choice, a file or compressor that fails.
    KillTimer(kAnimationTimer);
    m_animation.SetRepeating(false);
    m_animation.SetAnimating(false);
    CAviRecorderWnd recorder;
    m_animation.SetInterval(kAviInterval);
    recorder.m_strFileName = path;
    if (!recorder.Start(this))
        return FALSE;
    CWaitCursorScope wait(*this);
    const BITMAPINFOHEADER& frame = recorder.GetWriter().GetBitmapInfo();
    const int width = frame.biWidth;
    const int height = frame.biHeight;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    // The field that shows the result is chosen once: frames set it, the end restores it.
    const bool showsContour = m_AESet.ContourResultId() != -1;
    const auto showInField = [&](int resultId)
    {
        if (showsContour)
            m_AESet.SetContourResultId(resultId);
        else
            m_AESet.SetVectorResultId(resultId);
    };
    SwitchDeformationOn(*result);
    m_animation.SetAnimating(true);
    bool isComplete = true;
    const CModelSet* model = GetModel();
    if (IsStepResult(*result))
    {
        const UINT shownId = static_cast<UINT>(shown);
        const int slots = model->GetLoadCaseCount(shownId);
        for (int slot = 1; slot < slots && isComplete; ++slot)
        {
            UINT caseId = 0;
            if (!model->GetLoadCaseResultId(shownId, slot, &caseId))
                continue;
            const CResultData* loadCase = model->GetResult(caseId);
            if (loadCase == nullptr || !loadCase->IsLoaded())
                continue;
            showInField(static_cast<int>(caseId));
            isComplete = GrabAviFrame(static_cast<int>(caseId), true, width, height, pixels.data(),
                                      recorder);
        }
    }
    else
    {
        for (int step = 1; step <= m_AESet.MaxLCSteps() && isComplete; ++step)
        {
            m_animation.SetAnimating(true);
            m_AESet.SetLCStep(step);
            m_AESet.UpdateAnimationFrame();
            isComplete = GrabAviFrame(shown, false, width, height, pixels.data(), recorder);
        }
    }
    m_animation.SetAnimating(false);
    recorder.Finish();
    showInField(shown);
    ShowAnimationFrame(shown, false);
    return isComplete ? TRUE : FALSE;
}

CCAEView::EntrySpan CCAEView::AviEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_EXPORT_AVI, &CCAEView::OnExportAvi>(),
    };
    return {kEntries, std::size(kEntries)};
}
