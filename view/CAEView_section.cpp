// 3-D view: the Solid Sectioning commands.
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

#include <iterator>

namespace
{
struct SectionPlaneCommand
{
    UINT commandId;
    int32_t plane;
};

constexpr SectionPlaneCommand kPlanes[] = {{ID_SECTION_XY_PLUS, CSectionPlaneRecord::kPlusXY},
                                           {ID_SECTION_XY_MINUS, CSectionPlaneRecord::kMinusXY},
                                           {ID_SECTION_XZ_PLUS, CSectionPlaneRecord::kPlusXZ},
                                           {ID_SECTION_XZ_MINUS, CSectionPlaneRecord::kMinusXZ},
                                           {ID_SECTION_YZ_PLUS, CSectionPlaneRecord::kPlusYZ},
                                           {ID_SECTION_YZ_MINUS, CSectionPlaneRecord::kMinusYZ}};
} // namespace

void CCAEView::OnSectionPlane(UINT commandId)
{
    for (const SectionPlaneCommand& command : kPlanes)
    {
        if (command.commandId != commandId)
            continue;
        CSectionPlaneRecord record;
        record.nPlane = command.plane;
        record.bKeepRunning = 0;
        SendCommand(record);
        return;
    }
}

void CCAEView::OnCustomSection()
{
    ShowStatus("SolidSectioning");
    CCmdRecord record;
    record.nCode = CCmdRecord::kCustomSection;
    record.bKeepRunning = 0;
    SendCommand(record);
}

CCAEView::EntrySpan CCAEView::SectionEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        // The six planes have the ids 32920 to 32925.
        fw::command_range<ID_SECTION_XY_MINUS, ID_SECTION_XZ_MINUS, &CCAEView::OnSectionPlane>(),
        fw::command<ID_SECTION_CUSTOM, &CCAEView::OnCustomSection>(),
    };
    return {kEntries, std::size(kEntries)};
}
