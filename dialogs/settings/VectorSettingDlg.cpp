// Per-view vector settings dialog.
#include "dialogs/settings/VectorSettingDlg.h"

#include "core/geometry/Box3D.h"
#include "core/geometry/ColorConvert.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/SettingsPage.h"
#include "dialogs/settings/Swatches.h"
#include "dialogs/settings/VectorColorBandsDlg.h"
#include "platform/dlg/ddx.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/view_ids.h"
#include "resources/ids/widgets_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/SettingCommands.h"
#include "view/ViewMainFrame.h"

#include <algorithm>

namespace
{
const DialogText kTexts[] = {{0, "VectorSettings", "VectorSetting"},
                             {IDC_VECTOR_LENGTH_GROUP, "VectorSettings", "VectorLength"},
                             {IDC_VECTOR_LENGTH_CONSTANT, "VectorSettings", "Constant"},
                             {IDC_VECTOR_LENGTH_MAGNITUDE, "VectorSettings", "VaryWithMagnitude"},
                             {IDC_VECTOR_PERCENT_LABEL, "VectorSettings", "Percent"},
                             {IDC_VECTOR_HEAD_PERCENT_LABEL, "VectorSettings", "Percent"},
                             {IDC_VECTOR_LENGTH_LABEL, "VectorSettings", "Length"},
                             {IDC_VECTOR_SCALE_LABEL, "VectorSettings", "ScaleFactor"},
                             {IDC_VECTOR_THICKNESS_GROUP, "VectorSettings", "VectorThickness"},
                             {IDC_VECTOR_THIN, "VectorSettings", "Thin"},
                             {IDC_VECTOR_NORMAL, "VectorSettings", "Normal"},
                             {IDC_VECTOR_THICK, "VectorSettings", "Thick"},
                             {IDC_VECTOR_COLOR_GROUP, "VectorSettings", "VectorColor"},
                             {IDC_VECTOR_SAME_COLOR, "VectorSettings", "SameColor"},
                             {IDC_VECTOR_COLOR_BANDS, "VectorSettings", "ColorBands"},
                             {IDC_VECTOR_SELECT_COLOR_LABEL, "VectorSettings", "SelectColor"},
                             {IDC_VECTOR_BANDS_LABEL, "VectorSettings", "NoOfBands"},
                             {IDC_VECTOR_COLOR_BAND, "VectorSettings", "ColorBand"},
                             {IDC_VECTOR_POSITION_GROUP, "VectorSettings", "VectorPosOnElement"},
                             {IDC_VECTOR_CENTER, "VectorSettings", "Center"},
                             {IDC_VECTOR_FROM_CENTER, "VectorSettings", "FromCenter"},
                             {IDC_VECTOR_TO_CENTER, "VectorSettings", "ToCenter"},
                             {IDC_VECTOR_HEAD_SIZE_GROUP, "VectorSettings", "ArrowHeadSize"},
                             {IDC_VECTOR_HEAD_CONSTANT, "VectorSettings", "Constant"},
                             {IDC_VECTOR_HEAD_VARIABLE, "VectorSettings", "Variable"},
                             {IDC_VECTOR_HEAD_TYPE_GROUP, "VectorSettings", "ArrowHeadType"},
                             {IDC_VECTOR_DLG_SLIM, "VectorSettings", "Slim"},
                             {IDC_VECTOR_DLG_NORMAL, "VectorSettings", "Normal"},
                             {IDC_VECTOR_DLG_LARGE, "VectorSettings", "Large"},
                             {IDC_VECTOR_APPLY, "Common", "Apply"},
                             {IDC_VECTOR_CANCEL, "Common", "Cancel"}};

constexpr int kWidths[] = {1, 2, 5};
constexpr COLORREF kProvisionalColor = 250;

int IndexOfCode(int code, int count)
{
    return code >= 1 && code <= count ? code - 1 : -1;
}

int IndexOfWidth(int width)
{
    for (int i = 0; i < 3; ++i)
        if (width == kWidths[i])
            return i;
    return -1;
}

CViewMainFrame* Frame()
{
    return GetViewMainFrame();
}
} // namespace

FW_TABLE(CVectorSettingDlg, CToolDlg,
         fw::command<IDC_VECTOR_SAME_COLOR, &CVectorSettingDlg::OnSameColor>(),
         fw::command<IDC_VECTOR_COLOR_BANDS, &CVectorSettingDlg::OnColorBands>(),
         fw::command<IDC_VECTOR_HEAD_CONSTANT, &CVectorSettingDlg::OnConstantHead>(),
         fw::command<IDC_VECTOR_HEAD_VARIABLE, &CVectorSettingDlg::OnVariableHead>(),
         fw::command<IDC_VECTOR_APPLY, &CVectorSettingDlg::OnOKButton>(),
         fw::command<IDC_VECTOR_CANCEL, &CVectorSettingDlg::OnCancelButton>(),
         fw::command<IDC_VECTOR_COLOR_BAND, &CVectorSettingDlg::OnColorBand>())

CVectorSettingDlg::CVectorSettingDlg(int frameKey)
    : CToolDlg(IDD_VECTOR_SETTING, frameKey)
    , m_colorButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM)
{
    m_stored.InitHashTable(17);
}

void CVectorSettingDlg::EnableControl(int id, BOOL enable)
{
    if (const HWND control = ::GetDlgItem(GetSafeHwnd(), id))
        ::EnableWindow(control, enable);
}

BOOL CVectorSettingDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    InitControls();
    SetTexts();
    return TRUE;
}

void CVectorSettingDlg::InitControls()
{
    InitColorButton(m_colorButton, kProvisionalColor, kProvisionalColor);
    CVectorDisplayAttr stored;
    if (m_nResultId >= 1 && m_stored.Lookup(m_nResultId, stored))
        m_working = stored;
    EnableColorControls(m_working.IsSameColor());
    const int16_t head = m_working.GetArrowHeadSize();
    if (head == 1 || head == 2)
        EnableControl(IDC_VECTOR_HEAD_PERCENT, head == 2);
    UpdateData(FALSE);
}

void CVectorSettingDlg::SetTexts()
{
    SetDialogTexts(*this, "Dialog.str", kTexts);
    CViewMainFrame* frame = Frame();
    CProjectData* project = frame ? frame->GetProject() : nullptr;
    if (project == nullptr)
        return;
    const CModelSet& model = project->m_model;
    UINT packed = static_cast<UINT>(m_nResultId);
    if (!model.GetLoadCaseResultId(static_cast<UINT>(m_nResultId), 1, &packed))
        packed = static_cast<UINT>(m_nResultId);
    const CResultData* result = model.GetResult(packed);
    if (result == nullptr)
        return;
    CString line;
    line.Format("%s: %s", LoadUiText("Dialog.str", "VectorSettings", "ResultName").GetString(),
                result->GetName().GetString());
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_VECTOR_RESULT_NAME, line.GetString());
}

void CVectorSettingDlg::EnableColorControls(bool sameColor)
{
    EnableControl(IDC_VECTOR_COLOR, sameColor);
    EnableControl(IDC_VECTOR_BANDS, !sameColor);
    EnableControl(IDC_VECTOR_COLOR_BAND, !sameColor);
}

void CVectorSettingDlg::WorkingToMembers()
{
    const CVectorDisplayAttr& w = m_working;
    m_lengthMode = w.IsConstantLength() ? 0 : 1;
    m_lengthPercent = w.GetLengthPercent();
    m_scaleFactor = w.GetScaleFactor();
    if (IndexOfWidth(w.GetThickness()) >= 0)
        m_thickness = IndexOfWidth(w.GetThickness());
    m_colorMode = w.IsSameColor() ? 0 : 1;
    m_bands = w.GetNoOfBands();
    if (IndexOfCode(w.GetPosition(), 3) >= 0)
        m_position = IndexOfCode(w.GetPosition(), 3);
    if (IndexOfCode(w.GetArrowHeadSize(), 2) >= 0)
        m_arrowHeadSize = IndexOfCode(w.GetArrowHeadSize(), 2);
    m_arrowHeadPercent = w.GetArrowHeadPercLen() * 100.0;
    m_arrowHeadConst = w.GetArrowHeadConst() * 100.0;
    if (IndexOfCode(w.GetArrowHeadType(), 3) >= 0)
        m_arrowHeadType = IndexOfCode(w.GetArrowHeadType(), 3);
}

void CVectorSettingDlg::MembersToWorking(int previousBands)
{
    CVectorDisplayAttr& w = m_working;
    w.SetColor(COLORREFToColor(m_colorButton.GetColor()));
    if (m_lengthMode >= 0)
        w.SetConstantLength(m_lengthMode == 0);
    w.SetLengthPercent(m_lengthPercent);
    // The arrow length follows the model as the view shows it: its largest extent, so that a
    // model in a plane without x extent still gets arrows (as when the result was shown).
    CViewMainFrame* frame = Frame();
    CCAEView* view = frame ? frame->GetFrameView(m_nFrameKey) : nullptr;
    const CModelSet* model = view ? view->GetModel() : nullptr;
    if (model != nullptr)
    {
        const CBox3D box = model->GetBoundingBox();
        if (box.min.x <= box.max.x)
        {
            const float extent = static_cast<float>(
                std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z}));
            w.SetLength(m_lengthPercent * 0.01 * extent);
        }
    }
    w.SetScaleFactor(m_scaleFactor);
    if (m_thickness >= 0 && m_thickness <= 2)
        w.SetThickness(static_cast<int16_t>(kWidths[m_thickness]));
    if (m_colorMode >= 0)
        w.SetSameColor(m_colorMode == 0);
    w.SetNoOfBands(m_bands);
    if (m_bands != previousBands && setting_ranges::kBandCount.Contains(m_bands))
    {
        CResultDisplayAttr& bands = w.m_colorBands;
        bands.SetRange(bands.m_dataMin, bands.m_dataMax, bands.m_viewMin, bands.m_viewMax, m_bands);
    }
    if (m_position >= 0 && m_position <= 2)
        w.SetPosition(static_cast<int16_t>(m_position + 1));
    if (m_arrowHeadSize >= 0 && m_arrowHeadSize <= 1)
        w.SetArrowHeadSize(static_cast<int16_t>(m_arrowHeadSize + 1));
    w.SetArrowHeadPercLen(m_arrowHeadPercent * 0.01);
    w.SetArrowHeadConst(m_arrowHeadConst * 0.01);
    if (m_arrowHeadType >= 0 && m_arrowHeadType <= 2)
        w.SetArrowHeadType(static_cast<int16_t>(m_arrowHeadType + 1));
}

void CVectorSettingDlg::DoDataExchange(CDataExchange* dx)
{
    const int previousBands = m_bands;
    if (!dx->m_bSaveAndValidate)
    {
        const COLORREF color = ColorToCOLORREF(m_working.GetColor());
        InitColorButton(m_colorButton, color, color);
        WorkingToMembers();
    }
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_VECTOR_COLOR, m_colorButton);
    DDX_Radio(dx, IDC_VECTOR_LENGTH_CONSTANT, m_lengthMode);
    DDX_Radio(dx, IDC_VECTOR_THIN, m_thickness);
    DDX_Radio(dx, IDC_VECTOR_SAME_COLOR, m_colorMode);
    DDX_Radio(dx, IDC_VECTOR_DLG_SLIM, m_arrowHeadType);
    DDX_Text(dx, IDC_VECTOR_SCALE, m_scaleFactor);
    DDX_Text(dx, IDC_VECTOR_HEAD_PERCENT, m_arrowHeadPercent);
    DDX_Text(dx, IDC_VECTOR_LENGTH_PERCENT, m_lengthPercent);
    DDX_Text(dx, IDC_VECTOR_BANDS, m_bands);
    DDX_Radio(dx, IDC_VECTOR_CENTER, m_position);
    DDX_Radio(dx, IDC_VECTOR_HEAD_CONSTANT, m_arrowHeadSize);
    if (dx->m_bSaveAndValidate)
        MembersToWorking(previousBands);
}

bool CVectorSettingDlg::CheckBandCount()
{
    if (setting_ranges::kBandCount.Contains(m_bands))
        return true;
    ShowBandCountMessage(*this);
    return false;
}

void CVectorSettingDlg::OnSameColor()
{
    EnableColorControls(true);
}

void CVectorSettingDlg::OnColorBands()
{
    EnableColorControls(false);
}

void CVectorSettingDlg::OnConstantHead()
{
    EnableControl(IDC_VECTOR_HEAD_PERCENT, FALSE);
}

void CVectorSettingDlg::OnVariableHead()
{
    EnableControl(IDC_VECTOR_HEAD_PERCENT, TRUE);
}

void CVectorSettingDlg::OnOKButton()
{
    if (!UpdateData(TRUE) || !CheckBandCount())
        return;
    m_stored.SetAt(m_nResultId, m_working);
    CVectorSettingRecord record;
    record.nCode = CCmdRecord::kDialogOk;
    CopyVectorSettings(m_stored, record.m_Settings);
    const int frameKey = m_nFrameKey;
    // The command that applies the settings replaces the one holding this dialog: from here
    // on only locals are used.
    SendRecord(record);
    CPostCommandRecord reopen;
    reopen.bKeepRunning = 0;
    CViewMainFrame* frame = Frame();
    CCAEView* view = frame ? frame->GetFrameView(frameKey) : nullptr;
    reopen.nCommandId =
        view != nullptr && !view->Animation().IsAnimating() ? ID_RESULT_VECTOR_SETTINGS : 0;
    if (CCmdManager* manager = frame ? frame->GetCmdManager() : nullptr)
    {
        manager->m_nFrameKey = frameKey;
        manager->ExecuteCommand(&reopen);
    }
}

void CVectorSettingDlg::OnCancelButton()
{
    SendCode(CCmdRecord::kDialogCancel);
}

void CVectorSettingDlg::OnColorBand()
{
    if (!UpdateData(TRUE) || !CheckBandCount())
        return;
    CVectorColorBandsDlg bands;
    CVectorDisplayAttr stored;
    // The key the dialog edits: the record's own id may be another load case of the result.
    const int32_t resultId = m_nResultId;
    if (m_stored.Lookup(resultId, stored))
        bands.m_reference = stored;
    if (m_bands != bands.m_reference.GetNoOfBands())
    {
        CResultDisplayAttr& own = m_working.m_colorBands;
        own.SetRange(own.m_dataMin, own.m_dataMax, own.m_viewMin, own.m_viewMax, m_bands);
    }
    bands.m_working = m_working;
    m_stored.SetAt(resultId, m_working);
    bands.m_colorDepth = ScreenBitsPerPixel(*this);
    if (bands.DoModal() == IDOK)
        m_working = bands.m_working;
}
