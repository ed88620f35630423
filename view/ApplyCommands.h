// Apply commands: made by the manager in place of a settings or editing tool whose dialog
// confirmed, each copies its record, has the manager run it through the history (code 10: Do,
// then deletion) and, for the editing tools, starts the tool again for the next edit.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"
#include "view/CmdColl.h"

#include <cstdint>

struct CCmdRecord;

// Code 606: contour attributes to the view (code 6).
class CCmdCollContourApply : public CCmdColl
{
public:
    explicit CCmdCollContourApply(int frameKey);
    void OnApplyRecord(CCmdRecord* record) override;
    void Do() override;
    void Undo() override;

    CResultDisplayAttr m_Attr;
    int32_t m_nResultId = 0;
    int m_nFrameKey;
};

// Code 607: vector attributes to the view (code 8).
class CCmdCollVectorApply : public CCmdColl
{
public:
    explicit CCmdCollVectorApply(int frameKey);
    static void StartOwn(CCmdColl* command, CCmdRecord* record);
    void Do() override;
    void Undo() override;

    CMap<int32_t, int32_t, CVectorDisplayAttr, const CVectorDisplayAttr&> m_Settings;
    int m_nFrameKey;
};

// Code 613: the listed elements take the new property id; the tool starts again.
class CCmdCollElementPropertyApply : public CCmdColl
{
public:
    explicit CCmdCollElementPropertyApply(int frameKey);
    static void StartOwn(CCmdColl* command, CCmdRecord* record);
    void Do() override;
    void Undo() override;

    CMap<int32_t, int32_t, int32_t, int32_t> m_Properties; // element id -> previous property id
    int32_t m_nPropertyId = 0;
    int m_nFrameKey;

private:
    void Apply();
};

// Codes 616 and 618: a group made or filled (616), or its name and members replaced (618). The
// default group (id 0) is never changed.
class CCmdCollGroupApply : public CCmdColl
{
public:
    CCmdCollGroupApply(int frameKey, bool isEdit);
    static void StartOwn(CCmdColl* command, CCmdRecord* record);
    void Do() override;

    CMap<int32_t, int32_t, int32_t, int32_t> m_Elements; // element id -> 1
    int32_t m_nGroupId = 0;
    CString m_strName;
    int m_nFrameKey;
    bool m_isEdit;

private:
    void Create();
    void Edit();
};

// Code 619: a group deleted (never the default group).
class CCmdCollGroupDelete : public CCmdColl
{
public:
    explicit CCmdCollGroupDelete(int frameKey);
    static void StartOwn(CCmdColl* command, CCmdRecord* record);
    void Do() override;

    int32_t m_nGroupId = 0;
    int m_nFrameKey;
};
