// Command records: what a view, a tool dialog or a command hands to the command manager. The
// sender builds one on its stack, fills it, passes the address of its CCmdRecord part and
// destroys it when the call returns; the manager and the commands copy what they keep. A
// receiver converts the header to the record its code implies.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/model/DataSeries.h"
#include "platform/base/coll_array.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"
#include "render/EntityArray.h"

#include <windows.h>

#include <cstdint>

class CResultData;

// Element, property or group ids. Entity lists are CEntityArray: pointers do not fit 32 bits.
using CIdArray = CArray<int32_t>;

struct CCmdRecord
{
    enum Code : int32_t
    {
        kApplyContour = 6, // contour attributes to the active view
        kApplyVector = 8,  // vector attributes to the active view
        kDone = 10,        // perform the running command's action and end it
        kCandidates = 11,  // the running command's Start with the entities under the cursor
        kPostCommand = 12, // post a menu command to the active view
        kEndCommand = 13,  // end the running command
        kUndo = 14,        // take the last action back
        kRedo = 15,        // perform the last action taken back again
        kElementDirection = 16,
        kContourSetting = 505,
        kVectorSetting = 506,
        kEntityDistance = 510,
        kEntityInfo = 511,
        kSelectedModelInfo = 512,
        kModelInfo = 513,
        kResultListNodal = 514,
        kResultListElemental = 515,
        kResultGraphNodal = 517,
        kResultGraphElemental = 518,
        kTransientGraph = 519,
        kNodeIdLabel = 520,
        kDistanceGraphNodal = 521,
        kDistanceGraphElemental = 522,
        kDistanceGraphDialog = 523,
        kElementIdLabel = 524,
        kCustomSection = 525,
        kElementProperty = 526, // start the element property tool
        kSectionPlane = 527,
        kPickRequest = 500,    // suspend the running command and open a selection
        kSelectionEnded = 600, // resume the suspended command with the picked entities
        kContourApply = 606,
        kVectorApply = 607,
        kCsvSheet = 612,
        kElementPropertyApply = 613,
        kRotationCenter = 614,
        kGroupCreate = 615,
        kGroupCreateApply = 616,
        kGroupEdit = 617,
        kGroupEditApply = 618,
        kGroupDelete = 619,
        kDialogOk = 700,     // the running command's dialog: OK, Apply or a list action
        kDialogCancel = 701, // its Cancel or close
        kDialogNotify = 702  // a further notification
    };

    // Code 11 only: the sender's CEntityArray of candidates, valid for the call (receivers copy
    // what they keep).
    void* pData = nullptr;
    int32_t nCode = -1;
    BYTE bKeepRunning = 1; // 0: end every command (and the selection) before handling the code
};

// Code 527: the standard plane of a section.
struct CSectionPlaneRecord : CCmdRecord
{
    enum Plane : int32_t
    {
        kPlusXY,
        kMinusXY,
        kPlusXZ,
        kMinusXZ,
        kPlusYZ,
        kMinusYZ
    };
    CSectionPlaneRecord() { nCode = kSectionPlane; }
    virtual ~CSectionPlaneRecord() = default;

    int32_t nPlane = kPlusXY;
};

// Code 12: the command to post to the active view.
struct CPostCommandRecord : CCmdRecord
{
    CPostCommandRecord()
    {
        nCode = kPostCommand;
        bKeepRunning = 1;
    }
    virtual ~CPostCommandRecord() = default;

    int32_t nCommandId = 0;
};

// Codes 505, 606, 6 and 700: contour attributes and the result they belong to.
struct CContourSettingRecord : CCmdRecord
{
    virtual ~CContourSettingRecord() = default;

    CResultDisplayAttr m_Attr;
    int32_t nResultId = 0;
};

// Codes 613 and 700: the elements concerned with their previous property ids, and the chosen
// property id.
struct CElementPropertyRecord : CCmdRecord
{
    virtual ~CElementPropertyRecord() = default;

    CMap<int32_t, int32_t, int32_t, int32_t> m_Properties; // element id -> property id
    int32_t nPropertyId = 0;
};

// Code 600: how the selection ended and the picked entities in hand-over order.
struct CSelectionRecord : CCmdRecord
{
    CSelectionRecord() { nCode = kSelectionEnded; }
    virtual ~CSelectionRecord() = default;

    BYTE bOk = 0;
    BYTE bCancel = 0;
    CEntityArray m_Entities;
};

// Codes 616 to 619 and 700: a group's element ids, id and name.
struct CGroupRecord : CCmdRecord
{
    virtual ~CGroupRecord() = default;

    CIdArray m_Ids;
    int32_t nGroupId = -1; // set by the sender
    CString m_strName;
};

// Code 523: what the distance graph shows.
struct CDistanceGraphRecord : CCmdRecord
{
    CDistanceGraphRecord() { nCode = kDistanceGraphDialog; }
    virtual ~CDistanceGraphRecord() = default;

    CEntityArray m_Entities;
    CArray<CResultData*> m_Results; // owned by the model
    CArray<int32_t> m_Components;   // 12 scalar, 13 X, 14 Y, 15 Z, 16 magnitude
    BYTE bNodal = 0;
    CStringArray m_Names; // display names of the results
};

// Code 519: the result graph over the steps of one result.
struct CResultGraphRecord : CCmdRecord
{
    CResultGraphRecord() { nCode = kTransientGraph; }
    virtual ~CResultGraphRecord() = default;

    CEntityArray m_Entities;
    int32_t nResultId = -1;
    int32_t nComponent = -1;
    BYTE bNodal = 0;
};

// Code 612: the columns of the result sheet.
struct CResultListRecord : CCmdRecord
{
    CResultListRecord() { nCode = kCsvSheet; }
    virtual ~CResultListRecord() = default;

    CDataSeriesArray m_Series; // one per chosen result, values in the order of m_Ids
    CIdArray m_Ids;            // ids of the picked entities, ascending
    BYTE bNodal = 0;
};

// Code 500: what a command asks of the selection.
struct CPickRequestRecord : CCmdRecord
{
    static constexpr int32_t kInPickOrder = 2; // nPickOrder: other values sort by id

    CPickRequestRecord() { nCode = kPickRequest; }
    virtual ~CPickRequestRecord() = default;

    BYTE bAreaSelect = 1;       // rectangle, circle and polygon offered
    int32_t nMaxPicks = -1;     // count at which the selection ends by itself; -1 none
    int32_t nMinPicks = 1;      // count needed before Decision is accepted
    int32_t nAllowedKinds = 0;  // EntityKindBit the command accepts
    int32_t nInitialFilter = 0; // EntityKindBit of the selection filter to start with
    int32_t nPickOrder = kInPickOrder;
};

// Codes 506, 607, 8 and 700: vector attributes by result id.
struct CVectorSettingRecord : CCmdRecord
{
    CVectorSettingRecord() { m_Settings.InitHashTable(10); }
    virtual ~CVectorSettingRecord() = default;

    CMap<int32_t, int32_t, CVectorDisplayAttr, const CVectorDisplayAttr&> m_Settings;
};
