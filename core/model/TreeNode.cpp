// Project tree nodes.
#include "core/model/TreeNode.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultShowHost.h"

namespace
{
constexpr uint32_t kNoResultId = 0xFFFFFFFFu; // a packed id of -1
} // namespace

void CTreeNode::SetText(const CString& text)
{
    const std::string& bytes = text.Str();
    if (static_cast<int>(bytes.size()) <= kMaxTextBytes)
    {
        m_text = text;
        return;
    }
    // Walk whole characters so that a cut never leaves a lone lead byte.
    size_t end = 0;
    while (end < bytes.size())
    {
        const size_t width =
            fw::IsLeadByte(static_cast<unsigned char>(bytes[end])) && end + 1 < bytes.size() ? 2
                                                                                             : 1;
        if (end + width > static_cast<size_t>(kMaxTextBytes))
            break;
        end += width;
    }
    m_text = CString(bytes.substr(0, end));
}

CResultGroupNode::CResultGroupNode()
{
    m_icon = -1;
    m_subMenu = -1;
}

CResultItemNode::CResultItemNode()
{
    m_kind = kItemKind;
    m_icon = 7;
    m_subMenu = -1;
}

void CResultItemNode::Execute()
{
    ShowResult(TRUE);
}

void CResultItemNode::ShowResult(BOOL flag)
{
    CResultShowHost* const host = GetResultShowHost();
    if (host == nullptr)
        return;
    const CModelSet* const model = host->GetProjectModel();
    if (!host->HasActiveView() || model == nullptr || m_result == nullptr ||
        m_result->m_id == kNoResultId)
        return;
    const int loadCase = model->GetFirstLoadCase(m_result->m_id);
    int mode = 0;
    if (GetDisplayMode(&mode))
        host->DisplayResultView(loadCase, mode, m_location, flag);
    if ((m_resultKind & ~kElementNodeBit) == kFolder)
        return;
    host->FillLoadCaseCombo(loadCase);
}

bool CResultItemNode::GetDisplayMode(int* mode) const
{
    if (m_result == nullptr || m_resultKind == kFolder)
        return false;
    int base = 0;
    switch (m_resultKind & ~kElementNodeBit)
    {
    case kVectorResult: base = 0; break;
    case kFirstComponent: base = 2; break;
    case kSecondComponent: base = 3; break;
    case kThirdComponent: base = 4; break;
    case kScalarResult: base = 1; break;
    default: return false;
    }
    *mode = base + ((m_resultKind & kElementNodeBit) != 0 ? 8 : 0);
    return true;
}
