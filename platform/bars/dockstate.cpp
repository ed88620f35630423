// CDockState: the dock state's stream.
#include "platform/bars/dockstate.h"

#include <memory>

namespace
{
// Flags of a bar in the stream.
constexpr uint32_t kVisible = 1;
constexpr uint32_t kFloating = 2;
constexpr uint32_t kHorizontal = 4;
constexpr uint32_t kDockBar = 8;
constexpr uint32_t kDocking = 16;

constexpr UINT kExtraChunk = 4096;

void WritePoint(CArchive& archive, const POINT& point)
{
    archive << static_cast<int32_t>(point.x) << static_cast<int32_t>(point.y);
}

CPoint ReadPoint(CArchive& archive)
{
    int32_t x = 0;
    int32_t y = 0;
    archive >> x >> y;
    return CPoint(x, y);
}

uint32_t FlagsOf(const CControlBarInfo& info)
{
    return (info.m_bVisible ? kVisible : 0) | (info.m_bFloating ? kFloating : 0) |
           (info.m_bHorz ? kHorizontal : 0) | (info.m_bDockBar ? kDockBar : 0) |
           (info.m_bDocking ? kDocking : 0);
}

void WriteInfo(CArchive& archive, const CControlBarInfo& info)
{
    archive << static_cast<uint32_t>(info.m_nBarID) << FlagsOf(info);
    WritePoint(archive, info.m_pointPos);
    archive << static_cast<uint32_t>(info.m_dwStyle) << static_cast<int32_t>(info.m_nMRUWidth);
    if (info.m_bDocking)
    {
        archive << static_cast<uint32_t>(info.m_uMRUDockID);
        WritePoint(archive, info.m_rectMRUDockPos.TopLeft());
        WritePoint(archive, info.m_rectMRUDockPos.BottomRight());
        archive << static_cast<uint32_t>(info.m_dwMRUFloatStyle);
        WritePoint(archive, info.m_ptMRUFloatPos);
    }
    if (info.m_bDockBar)
    {
        archive << static_cast<uint32_t>(info.m_arrBarID.size());
        for (const UINT id : info.m_arrBarID)
            archive << static_cast<uint32_t>(id);
    }
    archive << static_cast<uint32_t>(info.m_extraState.size());
    if (!info.m_extraState.empty())
        archive.Write(info.m_extraState.data(), static_cast<UINT>(info.m_extraState.size()));
}

// Reads what the stream says is there; a short stream ends in endOfFile, so a length that
// lies costs no more memory than the bytes that are really there.
std::unique_ptr<CControlBarInfo> ReadInfo(CArchive& archive)
{
    auto info = std::make_unique<CControlBarInfo>();
    uint32_t id = 0;
    uint32_t flags = 0;
    archive >> id >> flags;
    info->m_nBarID = id;
    info->m_bVisible = (flags & kVisible) != 0;
    info->m_bFloating = (flags & kFloating) != 0;
    info->m_bHorz = (flags & kHorizontal) != 0;
    info->m_bDockBar = (flags & kDockBar) != 0;
    info->m_bDocking = (flags & kDocking) != 0;
    info->m_pointPos = ReadPoint(archive);
    uint32_t style = 0;
    int32_t mruWidth = 0;
    archive >> style >> mruWidth;
    info->m_dwStyle = style;
    info->m_nMRUWidth = mruWidth;
    if (info->m_bDocking)
    {
        uint32_t dockId = 0;
        archive >> dockId;
        info->m_uMRUDockID = dockId;
        const CPoint topLeft = ReadPoint(archive);
        const CPoint bottomRight = ReadPoint(archive);
        info->m_rectMRUDockPos = CRect(topLeft, bottomRight);
        uint32_t floatStyle = 0;
        archive >> floatStyle;
        info->m_dwMRUFloatStyle = floatStyle;
        info->m_ptMRUFloatPos = ReadPoint(archive);
    }
    if (info->m_bDockBar)
    {
        uint32_t count = 0;
        archive >> count;
        for (uint32_t i = 0; i < count; ++i)
        {
            uint32_t entry = 0;
            archive >> entry;
            info->m_arrBarID.push_back(entry);
        }
    }
    uint32_t extraLength = 0;
    archive >> extraLength;
    for (uint32_t done = 0; done < extraLength;)
    {
        const UINT chunk = std::min<uint32_t>(kExtraChunk, extraLength - done);
        info->m_extraState.resize(done + chunk);
        if (archive.Read(info->m_extraState.data() + done, chunk) != chunk)
            fw::ThrowArchiveException(CArchiveException::endOfFile);
        done += chunk;
    }
    return info;
}
} // namespace

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (CControlBarInfo* info : m_arrBarInfo)
        delete info;
    m_arrBarInfo.RemoveAll();
}

void CDockState::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
    {
        archive << kMagic << kVersion << static_cast<uint32_t>(m_arrBarInfo.GetSize());
        for (const CControlBarInfo* info : m_arrBarInfo)
            WriteInfo(archive, *info);
        return;
    }
    uint32_t magic = 0;
    int32_t version = 0;
    archive >> magic;
    if (magic != kMagic)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    archive >> version;
    if (version < 1 || version > kVersion)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    uint32_t count = 0;
    archive >> count;
    // Read whole before anything is replaced: a failed read keeps the state as it was.
    std::vector<std::unique_ptr<CControlBarInfo>> read;
    for (uint32_t i = 0; i < count; ++i)
        read.push_back(ReadInfo(archive));
    Clear();
    for (auto& info : read)
        m_arrBarInfo.Add(info.release());
}
