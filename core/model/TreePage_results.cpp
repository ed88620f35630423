// Result branch of the tree page: the heading, folders per result group and location, result
// nodes, their component nodes and the fixed order of principal stresses.
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/model/TreePage.h"
#include "core/services/StringFile.h"

namespace
{
constexpr int kHeadingIcon = 1;
constexpr int kScalarIcon = 2;
constexpr int kVectorIcon = 3;
constexpr int kNodal = CResultItemNode::kNodal;
constexpr int kElemental = CResultItemNode::kElemental;

CString LoadText(const char* file, const char* section, const CString& key,
                 const CString& fallback = CString())
{
    CString text = fallback;
    LoadStringFromFile(CString(file), CString(section), key, &text);
    return text;
}

bool IsSplitAllowed(const CResultData* result)
{
    return (result->m_flags & (CResultData::kFlagAtNodes | CResultData::kFlagElementNodes)) == 0;
}

bool IsAveraged(const CResultData* result)
{
    return result->m_average != 0;
}

// Values per element node, not at the nodes: activation shows them per element corner.
int ElementNodeBit(const CResultData* result)
{
    const int location = result->GetLocation();
    return location == CResultData::kFlagElementNodes ? CResultItemNode::kElementNodeBit : 0;
}

CString CategoryWord(int location)
{
    return LoadText("Dialog.str", "ResultCategory", location == kElemental ? "Elemental" : "Nodal");
}

// The words of one direction triple; a word missing from the file stays a blank.
CString DirectionWord(const char* key)
{
    return LoadText("Dialog.str", "Common", key, " ");
}

const char* const* DirectionKeys(int type)
{
    static const char* const kRotation[] = {"RXDirection", "RYDirection", "RZDirection"};
    static const char* const kShear[] = {"XYDirection", "YZDirection", "ZXDirection"};
    static const char* const kNormal[] = {"XXDirection", "YYDirection", "ZZDirection"};
    static const char* const kDisplacement[] = {"UXDirection", "UYDirection", "UZDirection"};
    static const char* const kPlain[] = {"XDirection", "YDirection", "ZDirection"};
    switch (type)
    {
    case 1008: return kRotation;
    case 1002:
    case 1003: return kShear;
    case 2:
    case 3: return kNormal;
    case 8: return kDisplacement;
    default: return kPlain;
    }
}

// Two results are one node of the tree when they differ only by load case.
bool IsSameResult(const CResultData* a, const CResultData* b)
{
    if (a == b)
        return true;
    if (a == nullptr || b == nullptr)
        return false;
    return ResultIdKey(a->m_id) == ResultIdKey(b->m_id) && a->m_groupName == b->m_groupName;
}
} // namespace

void CTreePage::CreateResultRootNode(TreeItem parent)
{
    struct GroupRow
    {
        const char* textKey;
        const char* key;
        int icon;
    };
    static const GroupRow kGroups[] = {{"VectorNode", "TKR_VECTOR", kVectorIcon},
                                       {"ScalarNode", "TKR_SCALAR", kScalarIcon}};

    auto heading = std::make_unique<CResultGroupNode>();
    heading->m_kind = CTreeNode::kGroupKind;
    heading->m_icon = kHeadingIcon;
    heading->SetText(LoadText("standard.str", "Tree", "ResultNode"));
    heading->SetKey("TK_RESULT");
    const TreeItem headingItem = AddNode(std::move(heading), parent);
    for (const GroupRow& row : kGroups)
    {
        auto group = std::make_unique<CResultGroupNode>();
        group->m_kind = CTreeNode::kGroupKind;
        group->m_icon = row.icon;
        group->SetText(LoadText("standard.str", "Tree", row.textKey));
        group->SetKey(row.key);
        AddNode(std::move(group), headingItem);
    }
}

void CTreePage::AddResultNodes(CResultData* result)
{
    if (result == nullptr || result->m_loaded != CResultData::kLoaded)
        return;
    switch (result->m_kind)
    {
    case CResultData::kVector: AddVectorResultNodes(result); break;
    case CResultData::kScalar: AddScalarResultNodes(result); break;
    case CResultData::kVectorXYZ:
        AddVectorResultNodes(result);
        AddXYZComponentNodes(result);
        break;
    case CResultData::kTensor: AddComponentResultNodes(result); break;
    default: break;
    }
}

void CTreePage::AddTensorComponentNodes(CResultData* result)
{
    if (result == nullptr || result->m_loaded != CResultData::kLoaded)
        return;
    if (result->m_type == 1002 || result->m_type == 1003)
    {
        static const ComponentKeys kNodalKeys = {"_Scalar_XY_", "_Scalar_YZ_", "_Scalar_ZX_"};
        static const ComponentKeys kElementalKeys = {
            "_Elemental_Scalar_XY_", "_Elemental_Scalar_YZ_", "_Elemental_Scalar_ZX_"};
        const CString words[] = {DirectionWord("XYDirection"), DirectionWord("YZDirection"),
                                 DirectionWord("ZXDirection")};
        AddComponentLocations(result, kNodalKeys, kElementalKeys, words);
    }
    else if (result->m_type == 1)
    {
        if (result->m_kind == CResultData::kVector)
            AddVectorResultNodes(result);
        else if (result->m_kind == CResultData::kScalar)
            AddScalarResultNodes(result);
    }
}

TreeItem CTreePage::GetResultFolder(const CString& groupName, bool isVector, int location)
{
    const char* const groupKey = isVector ? "TKR_VECTOR" : "TKR_SCALAR";
    const char* const suffix = isVector ? "_VECTOR" : "_SCALAR";
    const int icon = isVector ? kVectorIcon : kScalarIcon;
    if (groupName.IsEmpty())
        return FindTreeNode(groupKey);

    TreeItem groupFolder = FindResultFolder(groupName, isVector);
    if (groupFolder == 0)
    {
        const TreeItem base = FindTreeNode(groupKey);
        if (base == 0)
            return 0;
        auto folder = std::make_unique<CResultItemNode>();
        folder->SetText(LoadText("Standard.str", "RESULT_GROUP_TITLE", groupName, groupName));
        folder->SetKey(groupName + suffix);
        folder->m_icon = icon;
        folder->m_resultKind = CResultItemNode::kFolder;
        groupFolder = AddNode(std::move(folder), base);
    }
    if (location == -1 || groupFolder == 0)
        return groupFolder;

    const CString keyBase = groupName + (location == kElemental ? "_ELEMENTAL" : "_NODAL");
    const TreeItem found = FindResultFolder(keyBase, isVector);
    if (found != 0)
        return found;
    auto folder = std::make_unique<CResultItemNode>();
    folder->SetText(CategoryWord(location));
    folder->SetKey(keyBase + suffix);
    folder->m_icon = icon;
    folder->m_resultKind = CResultItemNode::kFolder;
    return AddNode(std::move(folder), groupFolder);
}

TreeItem CTreePage::FindResultFolder(const CString& keyBase, bool isVector) const
{
    return FindTreeNode(keyBase + (isVector ? "_VECTOR" : "_SCALAR"));
}

TreeItem CTreePage::AddVectorResultNode(CResultData* result, const CString& label,
                                        const char* keyPart, int location)
{
    const bool isSplit = IsSplitAllowed(result) && IsAveraged(result);
    CString text = label;
    if (isSplit && result->m_groupName.IsEmpty())
        text = CategoryWord(location) + " - " + label;
    const TreeItem folder = GetResultFolder(result->m_groupName, true, isSplit ? location : -1);
    if (folder == 0)
        return 0;
    return AddResultItem(result, text, keyPart, location, CResultItemNode::kVectorResult,
                         kVectorIcon, folder);
}

TreeItem CTreePage::AddScalarResultNode(CResultData* result, const CString& label,
                                        const char* keyPart, int location)
{
    const bool isSplitAllowed = IsSplitAllowed(result);
    CString text = label;
    if (isSplitAllowed && result->m_groupName.IsEmpty())
        text = CategoryWord(location) + " - " + label;
    const int folderLocation = isSplitAllowed && IsAveraged(result) ? location : -1;
    const TreeItem folder = GetResultFolder(result->m_groupName, false, folderLocation);
    if (folder == 0)
        return 0;
    return AddResultItem(result, text, keyPart, location,
                         CResultItemNode::kScalarResult + ElementNodeBit(result), kScalarIcon,
                         folder);
}

TreeItem CTreePage::AddResultItem(CResultData* result, const CString& label, const CString& keyPart,
                                  int location, int resultKind, int icon, TreeItem parent)
{
    auto node = std::make_unique<CResultItemNode>();
    node->m_result = result;
    node->SetText(label);
    node->m_resultKind = resultKind;
    node->m_icon = icon;
    node->m_location = location;
    node->SetKey(MakeResultKey(result, keyPart));
    if (result->m_type == 1)
        return InsertPrincipalResultNode(result, std::move(node), parent, location);
    return AddNode(std::move(node), parent);
}

void CTreePage::AddVectorResultNodes(CResultData* result)
{
    const CString label = GetShortResultTitle(result->m_title);
    if (!IsSplitAllowed(result))
    {
        AddVectorResultNode(result, label, "_Vector_", kNodal);
        return;
    }
    if (IsAveraged(result))
        AddVectorResultNode(result, label, "_Vector_", kNodal);
    AddVectorResultNode(result, label, "_Elemental_Vector_", kElemental);
}

void CTreePage::AddScalarResultNodes(CResultData* result)
{
    const CString label = GetShortResultTitle(result->m_title);
    if (!IsSplitAllowed(result))
    {
        AddScalarResultNode(result, label, "_Scalar_", kNodal);
        return;
    }
    if (IsAveraged(result))
        AddScalarResultNode(result, label, "_Scalar_", kNodal);
    AddScalarResultNode(result, label, "_Elemental_Scalar_", kElemental);
}

void CTreePage::AddXYZComponentNodes(CResultData* result)
{
    static const ComponentKeys kNodalKeys = {"_Scalar_X_", "_Scalar_Y_", "_Scalar_Z_"};
    static const ComponentKeys kElementalKeys = {"_Elemental_Scalar_X_", "_Elemental_Scalar_Y_",
                                                 "_Elemental_Scalar_Z_"};
    const CString label = GetShortResultTitle(result->m_title);
    const CString words[] = {GetXDirectionWord(result->m_type), GetYDirectionWord(result->m_type),
                             GetZDirectionWord(result->m_type)};
    const bool isSplitAllowed = IsSplitAllowed(result);
    if (!isSplitAllowed || IsAveraged(result))
    {
        const TreeItem parent = AddScalarResultNode(result, label, "_Scalar_", kNodal);
        AddComponentTriple(result, parent, kNodalKeys, words, kNodal, false);
    }
    if (isSplitAllowed)
    {
        const TreeItem parent =
            AddScalarResultNode(result, label, "_Elemental_Scalar_", kElemental);
        AddComponentTriple(result, parent, kElementalKeys, words, kElemental, false);
    }
}

void CTreePage::AddComponentResultNodes(CResultData* result)
{
    static const ComponentKeys kNodalKeys = {"_Scalar_X_", "_Scalar_Y_", "_Scalar_Z_"};
    static const ComponentKeys kElementalKeys = {"_Elemental_Scalar_X_", "_Elemental_Scalar_Y_",
                                                 "_Elemental_Scalar_Z_"};
    const CString words[] = {GetXDirectionWord(result->m_type), GetYDirectionWord(result->m_type),
                             GetZDirectionWord(result->m_type)};
    AddComponentLocations(result, kNodalKeys, kElementalKeys, words);
}

void CTreePage::AddComponentLocations(CResultData* result, const ComponentKeys& nodal,
                                      const ComponentKeys& elemental, const CString* words)
{
    const TreeItem top = GetResultFolder(result->m_groupName, false, -1);
    if (top == 0)
        return;
    if (!IsSplitAllowed(result))
    {
        AddComponentTriple(result, top, nodal, words, kNodal, true);
    }
    else if (IsAveraged(result))
    {
        AddComponentTriple(result, GetResultFolder(result->m_groupName, false, kNodal), nodal,
                           words, kNodal, true);
        AddComponentTriple(result, GetResultFolder(result->m_groupName, false, kElemental),
                           elemental, words, kElemental, true);
    }
    else
    {
        AddComponentTriple(result, top, elemental, words, kElemental, true);
    }
}

void CTreePage::AddComponentTriple(CResultData* result, TreeItem parent, const ComponentKeys& keys,
                                   const CString* words, int location, bool withTitle)
{
    CString labels[3];
    for (int i = 0; i < 3; ++i)
    {
        labels[i] = words[i];
        if (withTitle)
            labels[i] = GetShortResultTitle(result->m_title) + " - " + words[i];
    }
    AddXComponentNode(result, parent, keys.x, labels[0], location);
    AddYComponentNode(result, parent, keys.y, labels[1], location);
    AddZComponentNode(result, parent, keys.z, labels[2], location);
}

TreeItem CTreePage::AddXComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                                      const CString& label, int location)
{
    return AddComponentNode(result, parent, keyPart, label, location,
                            CResultItemNode::kFirstComponent);
}

TreeItem CTreePage::AddYComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                                      const CString& label, int location)
{
    return AddComponentNode(result, parent, keyPart, label, location,
                            CResultItemNode::kSecondComponent);
}

TreeItem CTreePage::AddZComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                                      const CString& label, int location)
{
    return AddComponentNode(result, parent, keyPart, label, location,
                            CResultItemNode::kThirdComponent);
}

TreeItem CTreePage::AddComponentNode(CResultData* result, TreeItem parent, const char* keyPart,
                                     const CString& label, int location, int resultKind)
{
    if (parent == 0)
        return 0;
    auto node = std::make_unique<CResultItemNode>();
    node->m_result = result;
    node->SetText(label);
    node->m_icon = kScalarIcon;
    node->m_location = location;
    node->m_resultKind = resultKind + ElementNodeBit(result);
    node->SetKey(MakeResultKey(result, keyPart));
    return AddNode(std::move(node), parent);
}

CString CTreePage::GetXDirectionWord(int type)
{
    return DirectionWord(DirectionKeys(type)[0]);
}

CString CTreePage::GetYDirectionWord(int type)
{
    return DirectionWord(DirectionKeys(type)[1]);
}

CString CTreePage::GetZDirectionWord(int type)
{
    return DirectionWord(DirectionKeys(type)[2]);
}

CString CTreePage::GetShortResultTitle(const CString& title)
{
    const int dash = title.Find(" - ");
    if (dash < 0 || dash + 3 >= title.GetLength())
        return title;
    return title.Mid(dash + 3);
}

// "Result" + key part + full title. Another result that already holds that key (a result of
// another group or number with the same title) gets the key made unique by its result key and
// group, so that it is not taken for the first.
CString CTreePage::MakeResultKey(const CResultData* result, const CString& keyPart) const
{
    const CString key = CString("Result") + keyPart + result->m_title;
    const CTreeNode* holder = GetTreeNode(FindTreeNode(key));
    if (holder == nullptr || IsSameResult(holder->m_result, result))
        return key;
    CString unique;
    unique.Format("%s#%08X#%s", key.GetString(), ResultIdKey(result->m_id),
                  result->m_groupName.GetString());
    return unique;
}

TreeItem CTreePage::FindChildByResultKey(TreeItem parent, const CString& key) const
{
    const TreeItem registered = FindTreeNode(key);
    const auto found = m_items.find(registered);
    if (found != m_items.end() && found->second.parent == parent)
        return registered;
    // A sibling whose key was made unique.
    const CString uniquePrefix = key + "#";
    for (const auto& [item, entry] : m_items)
    {
        if (entry.parent == parent &&
            entry.node->GetKey().Left(uniquePrefix.GetLength()) == uniquePrefix)
            return item;
    }
    return 0;
}

TreeItem CTreePage::InsertPrincipalResultNode(CResultData* result, std::unique_ptr<CTreeNode> node,
                                              TreeItem parent, int location)
{
    if (parent == 0 || !node)
        return 0;
    // The same result added again keeps its node, as for every other result node.
    const TreeItem registered = FindTreeNode(node->GetKey());
    const CTreeNode* holder = GetTreeNode(registered);
    if (holder != nullptr && IsSameResult(holder->m_result, result))
        return registered;
    const bool isScalar = (result->m_flags & CResultData::kFlagVector) == 0;
    const TreeItem position =
        FindPrincipalInsertPosition(result->m_title, isScalar, location, parent);
    return InsertNode(std::move(node), parent, position, true);
}

TreeItem CTreePage::FindPrincipalInsertPosition(const CString& title, bool isScalar, int location,
                                                TreeItem parent) const
{
    const CString maxTitle = LoadText("Result.str", "ResultType", "PrincipalStressMax");
    const CString interimTitle = LoadText("Result.str", "ResultType", "PrincipalStressInterim");
    const CString minTitle = LoadText("Result.str", "ResultType", "PrincipalStressMin");
    const char* prefix = nullptr;
    if (location == kElemental)
        prefix = isScalar ? "Result_Elemental_Scalar_" : "Result_Elemental_Vector_";
    else
        prefix = isScalar ? "Result_Scalar_" : "Result_Vector_";

    if (title == interimTitle)
        return FindChildByResultKey(parent, prefix + minTitle);
    if (title == maxTitle)
    {
        const TreeItem interim = FindChildByResultKey(parent, prefix + interimTitle);
        return interim != 0 ? interim : FindChildByResultKey(parent, prefix + minTitle);
    }
    return 0;
}
