// Apply commands for settings, element properties and groups.
#include "view/ApplyCommands.h"

#include "core/model/FEElement.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

#include <exception>

namespace
{
constexpr UINT kMapHashSize = 17;

CCmdManager* Manager()
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetCmdManager() : nullptr;
}

void Send(CCmdRecord& record, int frameKey)
{
    if (CCmdManager* manager = Manager())
    {
        manager->m_nFrameKey = frameKey;
        manager->ExecuteCommand(&record);
    }
}

// Code 10 runs the command and deletes it; then the editing tool starts again (code 12). The
// command is gone after the first call: only the copied frame key is used for the second.
void RunAndRestart(int frameKey, int commandId)
{
    CCmdRecord done;
    done.nCode = CCmdRecord::kDone;
    Send(done, frameKey);
    if (commandId == 0)
        return;
    CPostCommandRecord restart;
    restart.nCommandId = commandId;
    restart.bKeepRunning = 0;
    Send(restart, frameKey);
}

CCAEView* FindView(int frameKey)
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetFrameView(frameKey) : nullptr;
}

CProjectData* FindProject()
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetProject() : nullptr;
}

using CVectorSettings = CMap<int32_t, int32_t, CVectorDisplayAttr, const CVectorDisplayAttr&>;

void CopySettings(const CVectorSettings& from, CVectorSettings& to)
{
    to.RemoveAll();
    to.InitHashTable(kMapHashSize);
    POSITION pos = from.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t resultId = 0;
        CVectorDisplayAttr attr;
        from.GetNextAssoc(pos, resultId, attr);
        to.SetAt(resultId, attr);
    }
}
} // namespace

// Contour settings.

CCmdCollContourApply::CCmdCollContourApply(int frameKey)
    : m_nFrameKey(frameKey)
{
}

void CCmdCollContourApply::OnApplyRecord(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    const auto& settings = *static_cast<const CContourSettingRecord*>(record);
    m_Attr = settings.m_Attr;
    m_nResultId = settings.nResultId;
    RunAndRestart(m_nFrameKey, 0);
}

void CCmdCollContourApply::Do()
{
    CContourSettingRecord apply;
    apply.nCode = CCmdRecord::kApplyContour;
    apply.m_Attr = m_Attr;
    apply.nResultId = m_nResultId;
    Send(apply, m_nFrameKey);
    m_bDone = 1;
}

void CCmdCollContourApply::Undo()
{
    m_bDone = 0;
}

// Vector settings.

CCmdCollVectorApply::CCmdCollVectorApply(int frameKey)
    : m_nFrameKey(frameKey)
{
    m_Settings.InitHashTable(kMapHashSize);
}

void CCmdCollVectorApply::StartOwn(CCmdColl* command, CCmdRecord* record)
{
    auto* self = static_cast<CCmdCollVectorApply*>(command);
    if (record == nullptr)
        return;
    CopySettings(static_cast<const CVectorSettingRecord*>(record)->m_Settings, self->m_Settings);
    RunAndRestart(self->m_nFrameKey, 0);
}

void CCmdCollVectorApply::Do()
{
    CVectorSettingRecord apply;
    apply.nCode = CCmdRecord::kApplyVector;
    CopySettings(m_Settings, apply.m_Settings);
    Send(apply, m_nFrameKey);
    m_bDone = 1;
}

void CCmdCollVectorApply::Undo()
{
    m_bDone = 0;
}

// Element properties.

CCmdCollElementPropertyApply::CCmdCollElementPropertyApply(int frameKey)
    : m_nFrameKey(frameKey)
{
}

void CCmdCollElementPropertyApply::StartOwn(CCmdColl* command, CCmdRecord* record)
{
    auto* self = static_cast<CCmdCollElementPropertyApply*>(command);
    if (record == nullptr)
        return;
    const auto& edit = *static_cast<const CElementPropertyRecord*>(record);
    self->m_Properties.RemoveAll();
    self->m_Properties.InitHashTable(static_cast<UINT>(edit.m_Properties.GetCount()) | 1u);
    POSITION pos = edit.m_Properties.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t elementId = 0;
        int32_t previous = 0;
        edit.m_Properties.GetNextAssoc(pos, elementId, previous);
        self->m_Properties.SetAt(elementId, previous);
    }
    self->m_nPropertyId = edit.nPropertyId;
    RunAndRestart(self->m_nFrameKey, ID_EDIT_ELEMENT_PROPERTY);
}

void CCmdCollElementPropertyApply::Do()
{
    try
    {
        Apply();
    }
    catch (const std::exception&)
    {
        m_bDone = 0;
    }
}

void CCmdCollElementPropertyApply::Apply()
{
    CProjectData* project = FindProject();
    if (project == nullptr || m_nPropertyId <= 0)
        return;
    CModelSet& model = project->m_model;
    POSITION pos = m_Properties.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t elementId = 0;
        int32_t previous = 0;
        m_Properties.GetNextAssoc(pos, elementId, previous);
        if (previous == -1)
            continue;
        if (CFEElement* element = model.FindElement(elementId))
            element->m_propertyId = m_nPropertyId;
    }
    model.AddPropertyColor(m_nPropertyId); // an id the model knows keeps its colour
    if (CCAEView* view = FindView(m_nFrameKey))
    {
        int shown = 0;
        const auto id = static_cast<UINT>(m_nPropertyId);
        if (!view->ElementFilter().Properties().Lookup(id, shown))
            view->ElementFilter().Properties().SetAt(id, 1);
        if (view->Scene().ColorMode() == kColorByProperty)
        {
            view->Renderer().RenderAll();
            view->InvalidateView();
        }
    }
    project->m_modified = 1;
    m_bDone = 1;
}

void CCmdCollElementPropertyApply::Undo()
{
    m_bDone = 0;
}

// Groups.

CCmdCollGroupApply::CCmdCollGroupApply(int frameKey, bool isEdit)
    : m_nFrameKey(frameKey)
    , m_isEdit(isEdit)
{
    m_Elements.InitHashTable(kMapHashSize);
}

void CCmdCollGroupApply::StartOwn(CCmdColl* command, CCmdRecord* record)
{
    auto* self = static_cast<CCmdCollGroupApply*>(command);
    if (record == nullptr)
        return;
    const auto& group = *static_cast<const CGroupRecord*>(record);
    self->m_Elements.RemoveAll();
    self->m_Elements.InitHashTable(static_cast<UINT>(group.m_Ids.GetSize()) | 1u);
    for (const int32_t id : group.m_Ids)
        self->m_Elements.SetAt(id, 1);
    self->m_nGroupId = group.nGroupId;
    self->m_strName = group.m_strName;
    RunAndRestart(self->m_nFrameKey, self->m_isEdit ? ID_GROUP_EDIT : ID_GROUP_CREATE);
}

void CCmdCollGroupApply::Do()
{
    // The default group is never changed; a record without an id names no group.
    if (m_nGroupId <= CModelSet::kDefaultGroupId)
        return;
    try
    {
        if (m_isEdit)
            Edit();
        else
            Create();
        m_bDone = 1;
    }
    catch (const std::exception&)
    {
        m_bDone = 0;
    }
}

void CCmdCollGroupApply::Create()
{
    CProjectData* project = FindProject();
    if (project == nullptr)
        return;
    CModelSet& model = project->m_model;
    CGroupSet* group = model.LookupGroup(m_nGroupId);
    const bool isNew = group == nullptr;
    if (isNew)
        group = new CGroupSet;
    group->m_id = m_nGroupId;
    group->SetName(m_strName);
    POSITION pos = m_Elements.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t elementId = 0;
        int32_t flag = 0;
        m_Elements.GetNextAssoc(pos, elementId, flag);
        if (CFEElement* element = model.FindElement(elementId))
            group->AddElement(element);
    }
    CCAEView* view = FindView(m_nFrameKey);
    if (view != nullptr)
        view->ClearStoredIdMaps();
    group->RemoveAll();
    if (isNew && !model.AddGroup(group))
        delete group;
    if (view != nullptr)
    {
        int shown = 0;
        if (!view->ElementFilter().Groups().Lookup(static_cast<UINT>(m_nGroupId), shown))
            view->ElementFilter().Groups().SetAt(static_cast<UINT>(m_nGroupId), 1);
    }
}

void CCmdCollGroupApply::Edit()
{
    CProjectData* project = FindProject();
    CGroupSet* group = project ? project->m_model.LookupGroup(m_nGroupId) : nullptr;
    if (group == nullptr)
        return;
    group->m_id = m_nGroupId;
    group->SetName(m_strName);
    CElementMap members;
    group->CollectElements(members);
    POSITION pos = members.GetStartPosition();
    while (pos != nullptr)
    {
        UINT id = 0;
        CFEElement* element = nullptr;
        members.GetNextAssoc(pos, id, element);
        group->RemoveElement(element);
    }
    pos = m_Elements.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t elementId = 0;
        int32_t flag = 0;
        m_Elements.GetNextAssoc(pos, elementId, flag);
        if (CFEElement* element = project->m_model.FindElement(elementId))
            group->AddElement(element);
    }
}

CCmdCollGroupDelete::CCmdCollGroupDelete(int frameKey)
    : m_nFrameKey(frameKey)
{
}

void CCmdCollGroupDelete::StartOwn(CCmdColl* command, CCmdRecord* record)
{
    auto* self = static_cast<CCmdCollGroupDelete*>(command);
    if (record == nullptr)
        return;
    self->m_nGroupId = static_cast<const CGroupRecord*>(record)->nGroupId;
    RunAndRestart(self->m_nFrameKey, ID_GROUP_DELETE);
}

void CCmdCollGroupDelete::Do()
{
    CProjectData* project = FindProject();
    if (project == nullptr || m_nGroupId == CModelSet::kDefaultGroupId)
        return;
    CModelSet& model = project->m_model;
    CGroupSet* group = model.LookupGroup(m_nGroupId);
    if (group == nullptr)
        return;
    // A view that shows the group goes back to the whole model before the group goes.
    CCAEView* view = FindView(m_nFrameKey);
    if (view != nullptr && view->Renderer().Group() == group)
    {
        view->SetCurrentGroup(model.GetDefaultGroup());
        view->Renderer().RenderAll();
        view->InvalidateView();
    }
    model.DeleteGroup(m_nGroupId);
    m_bDone = 1;
}
