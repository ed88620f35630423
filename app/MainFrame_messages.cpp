// The main frame's reports to the user, the default-result check and the id sort.
#include "app/MainFrame.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "framework/OXHistoryCtrl.h"
#include "project/ProjectData.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

void CMainFrame::ShowMessage(const char* section, const char* key, const char* file)
{
    ShowMessageWithArg(section, key, file, "");
}

void CMainFrame::ShowMessageWithArg(const char* section, const char* key, const char* file,
                                    const char* argument)
{
    // A missing text still adds its (empty) line, so that the log shows every step.
    CString text;
    LoadStringFromFile(CString(file), CString(section), CString(key), &text);
    // The text file loses a text's trailing blank: a name or path must not run into the words.
    const bool needsBlank = !text.IsEmpty() && argument != nullptr && *argument != '\0' &&
                            text[text.GetLength() - 1] != ' ' && *argument != ' ';
    if (needsBlank)
        text += ' ';
    text += argument;
    AddOutputLine(text);
}

void CMainFrame::AddOutputLine(const char* text)
{
    if (::IsWindow(m_outputBar.GetHistory().m_hWnd))
        m_outputBar.GetHistory().AddLine(text, TRUE);
}

void CMainFrame::SetStatusText(const char* text)
{
    SetMessageText(text);
}

void CMainFrame::GetMessageString(UINT id, CString& message) const
{
    const CString text = LoadCommandText("Prompt", id);
    if (!text.IsEmpty())
        message = text;
    else
        COXMenuBarHostFrame::GetMessageString(id, message); // the English resource string
}

void CMainFrame::GetToolTipString(UINT id, CString& tip) const
{
    const CString text = LoadCommandText("ToolTip", id);
    if (!text.IsEmpty())
        tip = text;
    else
        COXMenuBarHostFrame::GetToolTipString(id, tip); // the English resource string
}

void CMainFrame::OnEnable(BOOL enable)
{
    Default();
    // A modal dialog or message box disables the frame while it waits for the user: the prompt
    // of the button or item that opened it no longer describes anything under the mouse. Texts
    // the program set itself stay.
    if (!enable && IsTracking())
        SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::FillLoadCaseCombo(int resultId)
{
    FillLoadCaseCombo(m_pProject != nullptr ? &m_pProject->m_model : nullptr, resultId);
}

void CMainFrame::FillLoadCaseCombo(const CModelSet* model, int resultId)
{
    if (m_loadCaseCombo.m_hWnd == nullptr)
        return;
    m_loadCaseCombo.ResetContent();
    const UINT packedId = static_cast<UINT>(resultId);
    const CResultData* result = model != nullptr ? model->GetResult(packedId) : nullptr;
    if (result == nullptr)
        return;
    const int count = model->GetLoadCaseCount(packedId);
    std::string label;
    switch (result->GetStepKind())
    {
    case CResultData::kFlagStepKind:
        LoadStringFromFile("standard.str", "CaseCombo", "Step", &label);
        break;
    case 0x08: LoadStringFromFile("standard.str", "CaseCombo", "LoadCase", &label); break;
    case 0x10: LoadStringFromFile("standard.str", "CaseCombo", "Mode", &label); break;
    default: break;
    }
    for (int n = 1; n < count; ++n)
    {
        UINT caseId = 0;
        if (!model->GetLoadCaseResultId(packedId, n, &caseId))
            continue;
        const CResultData* loadCase = model->GetResult(caseId);
        if (loadCase == nullptr || !loadCase->IsLoaded())
            continue;
        CString entry;
        entry.Format("%s %d", label.c_str(), n);
        const int index = m_loadCaseCombo.AddString(entry);
        m_loadCaseCombo.SetItemData(index, caseId);
    }
    SelectLoadCaseCombo(resultId);
}

void CMainFrame::SelectLoadCaseCombo(int resultId)
{
    for (int i = 0; i < m_loadCaseCombo.GetCount(); ++i)
    {
        if (static_cast<int>(m_loadCaseCombo.GetItemData(i)) == resultId)
        {
            m_loadCaseCombo.SetCurSel(i);
            return;
        }
    }
}

bool CMainFrame::GetSelectedLoadCase(int& resultId)
{
    const int index = m_loadCaseCombo.m_hWnd != nullptr ? m_loadCaseCombo.GetCurSel() : CB_ERR;
    if (index == CB_ERR)
        return false;
    resultId = static_cast<int>(m_loadCaseCombo.GetItemData(index));
    return true;
}

BOOL CMainFrame::IsDefaultResult(const CString& name) const
{
    // The section's entries are "key=result name"; the names are what counts.
    std::vector<char> buffer(32768, '\0');
    const DWORD length =
        ::GetPrivateProfileSectionA("DefaultResults", buffer.data(),
                                    static_cast<DWORD>(buffer.size()), ProductIniPath().c_str());
    for (const char* entry = buffer.data(); entry < buffer.data() + length && *entry != '\0';
         entry += std::strlen(entry) + 1)
    {
        const char* equals = std::strchr(entry, '=');
        CString value = equals != nullptr ? CString(equals + 1) : CString(entry);
        value.Trim();
        if (!value.IsEmpty() && value == name)
            return TRUE;
    }
    return FALSE;
}

void CMainFrame::QuickSort(int* values, int low, int high)
{
    // Merge sort: ids come already in order or reversed, where a first-element pivot
    // degrades to quadratic time and a recursion as deep as the array.
    if (values != nullptr && high > low)
        std::stable_sort(values + low, values + high + 1);
}
