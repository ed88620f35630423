// Model Information dialog.
#include "dialogs/tools/ModelInfoDlg.h"

#include "core/geometry/FENode.h"
#include "core/model/ElementMeasure.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CmdRecord.h"

#include <algorithm>

namespace
{
constexpr double kExtentsStart = 99999999.99;

void Grow(CPoint3D& min, CPoint3D& max, const CPoint3D& p)
{
    min = CPoint3D(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
    max = CPoint3D(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
}

CString Text(const char* key)
{
    return ToolText("Dialog.str", "ModelInformation", key);
}
} // namespace

FW_TABLE(CModelInfoDlg, CToolDlg, fw::on<WM_CLOSE, &CModelInfoDlg::OnClose>())

CModelInfoDlg::CModelInfoDlg(int frameKey)
    : CToolDlg(IDD_MODEL_INFO, frameKey)
{
}

void CModelInfoDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_INFO_LIST, m_list);
}

BOOL CModelInfoDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "ModelInfo",
                           m_nSelection != kWholeModel ? "Sel_Model_Info" : "Model_Info"));
    SetDlgItemText(IDOK, ToolText("Dialog.str", "Common", "OK").GetString());
    FillList();
    return TRUE;
}

void CModelInfoDlg::OnOK()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CModelInfoDlg::OnCancel()
{
    CToolDlg::OnCancel();
    SendCode(CCmdRecord::kEndCommand);
}

void CModelInfoDlg::OnClose()
{
    if (m_nSelection == kWholeModel)
        CToolDlg::OnOK();
    else if (m_nSelection == kPickedEntities)
        SendCode(CCmdRecord::kDialogOk);
}

void CModelInfoDlg::AddCountLine(const char* key, int count, bool blankAfter)
{
    AddLine(FormatTextInt(ToolText("Dialog.str", "ModelInfo", key), count));
    if (blankAfter)
        AddLine(" ");
}

void CModelInfoDlg::AddLine(const CString& line)
{
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.AddString(line.GetString());
}

CModelInfoDlg::Counts CModelInfoDlg::MeasurePicked(const CModelSet* model, double& volume)
{
    Counts counts;
    const CElementMeasure measure(model);
    for (CModelEntity* entity : m_Entities)
    {
        if (entity == nullptr)
            continue;
        const auto* element = static_cast<const CFEElement*>(entity);
        switch (entity->type)
        {
        case kTagBeam:
            ++counts.beams;
            volume += measure.Length(*element, 1.0);
            break;
        case kTagSolid:
            ++counts.solids;
            volume += measure.Volume(*element);
            break;
        case kTagShell:
            ++counts.shells;
            volume += measure.Area(*element, 1.0);
            break;
        case kTagSpring: ++counts.springs; break;
        case kTagMass: ++counts.masses; break;
        case kTagNode: ++counts.nodes; break;
        default: break;
        }
        if (entity->type == kTagNode)
        {
            Grow(m_extentsMin, m_extentsMax, static_cast<const CFENode*>(entity)->m_coord);
        }
        else
        {
            CPoint3D low;
            CPoint3D high;
            model->ComputeBoxOfIds(entity, low, high);
            Grow(m_extentsMin, m_extentsMax, low);
            Grow(m_extentsMin, m_extentsMax, high);
        }
    }
    return counts;
}

void CModelInfoDlg::FillList()
{
    m_extentsMin = CPoint3D(kExtentsStart, kExtentsStart, kExtentsStart);
    m_extentsMax = CPoint3D(-kExtentsStart, -kExtentsStart, -kExtentsStart);
    Counts counts;
    double volume = 0.0;
    const CModelSet* model = FindModel();
    if (model != nullptr && m_nSelection == kWholeModel)
    {
        if (const CGroupSet* group = model->GetDefaultGroup())
        {
            counts.beams = static_cast<int>(group->GetBeams().GetCount());
            counts.solids = static_cast<int>(group->GetSolids().GetCount());
            counts.shells = static_cast<int>(group->GetShells().GetCount());
            counts.springs = static_cast<int>(group->GetSprings().GetCount());
            counts.masses = static_cast<int>(group->GetMasses().GetCount());
            counts.nodes = static_cast<int>(group->GetNodes().GetCount());
        }
        volume = model->ComputeVolume();
        const CBox3D box = model->GetBoundingBox();
        m_extentsMin = box.min;
        m_extentsMax = box.max;
    }
    else if (model != nullptr)
    {
        counts = MeasurePicked(model, volume);
    }

    AddLine(Text("ModelHeader"));
    AddLine("   ");
    const struct
    {
        const char* key;
        int count;
    } lines[] = {{"NoofBeam", counts.beams},   {"NoofSolid", counts.solids},
                 {"NoofShell", counts.shells}, {"NoofElass", counts.springs},
                 {"NoofMass", counts.masses},  {"NoofGrid", counts.nodes}};
    for (const auto& line : lines)
        AddLine("    " + FormatTextInt(Text(line.key), line.count));
    AddLine(" ");
    AddLine("    " + FormatTextDouble(Text("ModelVolume"), volume));
    AddLine(" ");
    AddLine(Text("ModelExtends"));
    AddLine(" ");
    AddLine("    " + FormatTextDoubles(Text("XExtends"), m_extentsMin.x, m_extentsMax.x));
    AddLine("    " + FormatTextDoubles(Text("YExtends"), m_extentsMin.y, m_extentsMax.y));
    AddLine("    " + FormatTextDoubles(Text("ZExtends"), m_extentsMin.z, m_extentsMax.z));
}
