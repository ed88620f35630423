// The main frame's reports to the user, the default-result check and the id sort.
#include "app/MainFrame.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "framework/OXHistoryCtrl.h"

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
    text += argument;
    AddOutputLine(text);
}

void CMainFrame::AddOutputLine(const char* text)
{
    if (m_outputLog != nullptr)
        m_outputLog->AddLine(text, TRUE);
}

void CMainFrame::SetStatusText(const char* text)
{
    SetMessageText(text);
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
    if (high <= low)
        return;
    const int split = Partition(values, low, high);
    QuickSort(values, low, split - 1);
    QuickSort(values, split + 1, high);
}

int CMainFrame::Partition(int* values, int low, int high)
{
    const int pivot = values[low];
    int i = low;
    int j = high;
    while (i < j)
    {
        while (i < high && values[i] <= pivot)
            ++i;
        while (values[j] > pivot)
            --j;
        if (i < j)
            std::swap(values[i], values[j]);
    }
    values[low] = values[j];
    values[j] = pivot;
    return j;
}
