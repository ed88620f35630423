// The views in the project file: one "ViewSettings%d" section per view with its window,
// camera, display and result settings, and their contour and vector keys.
#include "core/geometry/ColorConvert.h"
#include "core/services/LogFile.h"
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectHost.h"
#include "project/ProjectView.h"
#include "project/SettingRanges.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char kViewSettings[] = "ViewSettings";

std::string ViewSection(int number)
{
    return kViewSettings + std::to_string(number);
}

void WritePoint(const char* section, const char* stem, const CPoint3D& point)
{
    const std::string key = stem;
    WriteProjectDouble(section, (key + "X").c_str(), point.x);
    WriteProjectDouble(section, (key + "Y").c_str(), point.y);
    WriteProjectDouble(section, (key + "Z").c_str(), point.z);
}

CPoint3D ReadPoint(const char* section, const char* stem)
{
    const std::string key = stem;
    return CPoint3D(GetProjectDoubleOr(section, (key + "X").c_str(), 0.0),
                    GetProjectDoubleOr(section, (key + "Y").c_str(), 0.0),
                    GetProjectDoubleOr(section, (key + "Z").c_str(), 0.0));
}

// A component of 0..1 as a byte: scaled by 255 and truncated, kept inside the byte.
DWORD ToByte(float component)
{
    const float scaled = component * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    return scaled >= 255.0f ? 255 : static_cast<DWORD>(scaled);
}

// Alpha, red, green and blue, a byte each from the top.
DWORD PackColor(const CColorRGBA& color)
{
    return ToByte(color.a) << 24 | ToByte(color.r) << 16 | ToByte(color.g) << 8 | ToByte(color.b);
}

CColorRGBA UnpackColor(DWORD packed)
{
    constexpr float kScale = 1.0f / 255.0f;
    return CColorRGBA(((packed >> 16) & 0xFF) * kScale, ((packed >> 8) & 0xFF) * kScale,
                      (packed & 0xFF) * kScale, ((packed >> 24) & 0xFF) * kScale);
}
// The camera, display, deformation and result keys of a view section; keys without a default
// leave the view's own value.
void ReadViewKeys(const char* section, CViewFileState& state)
{
    state.camera.volumeStart = ReadPoint(section, "stViewVolume");
    state.camera.volumeEnd = ReadPoint(section, "endViewVolume");
    state.camera.pan = ReadPoint(section, "PanPt");
    state.camera.rotationDeg = ReadPoint(section, "RotationAngle");
    state.displayMode = GetProjectIntOr(section, "DisplayMode", state.displayMode);
    state.shrinkFactor = GetProjectDoubleOr(section, "ShrinkFactor", 1.0);
    state.isShrunk = GetProjectFlagOr(section, "ShrinkView", 0) == 1;
    state.contourResultId = GetProjectIntOr(section, "ContourResultID", -1);
    state.vectorResultId = GetProjectIntOr(section, "VectorResultID", -1);
    state.showDeformation = static_cast<int16_t>(GetProjectIntOr(section, "ShowDeformation", 0));
    state.animationInterval =
        GetProjectIntOr(section, "AnimationInterval", state.animationInterval);
    state.maxLoadCaseSteps = GetProjectIntOr(section, "MaxLCSteps", state.maxLoadCaseSteps);
    state.deformationScale =
        GetProjectDoubleOr(section, "DeformationScaleFactor", state.deformationScale);
    state.modelScale = GetProjectDoubleOr(section, "ModelScaleFactor", state.modelScale);
    state.loadCaseStep = GetProjectIntOr(section, "LCStep", state.loadCaseStep);
    state.showModel = GetProjectFlagOr(section, "ShowModel", 0) != 0;
    state.showContour = GetProjectFlagOr(section, "ShowContour", 1) != 0;
    if (state.contourResultId != -1 || state.vectorResultId != -1)
        state.resultType = GetProjectIntOr(section, "ResultType", state.resultType);
}
} // namespace

void CProjectData::WriteViewSettings()
{
    // Every frame but the active one in the map's order, then the active one: opening
    // recreates it last. Frames without an active view get no section.
    std::vector<std::pair<int, CProjectView*>> views;
    if (m_host != nullptr)
    {
        const std::vector<int> frameIds = m_host->GetFrameIds();
        const int activeId = m_host->GetActiveFrameId();
        for (int frameId : frameIds)
        {
            CProjectView* view = frameId != activeId ? m_host->GetFrameView(frameId) : nullptr;
            if (view != nullptr)
                views.emplace_back(frameId, view);
        }
        CProjectView* active = std::count(frameIds.begin(), frameIds.end(), activeId) > 0
                                   ? m_host->GetFrameView(activeId)
                                   : nullptr;
        if (active != nullptr)
            views.emplace_back(activeId, active);
    }
    // "ViewCnt" counts the sections written, and older sections above it go, so that no
    // view of an earlier save comes back.
    const int count = static_cast<int>(views.size());
    WriteProjectInt(kViewSettings, "ViewCnt", count);
    WriteProjectInt(kViewSettings, "DisplayFilters", static_cast<int>(m_settings.m_displayFilter));
    for (int n = 0; n < count; ++n)
        WriteViewSection(n + 1, views[n].first, *views[n].second);
    EraseProjectSectionsAbove(kViewSettings, count);
}

void CProjectData::WriteViewSection(int number, int frameId, const CProjectView& view)
{
    const std::string name = ViewSection(number);
    const char* section = name.c_str();
    EraseProjectSection(section);
    const CViewFileState state = view.GetFileState();
    WriteProjectInt(section, "ViewID", frameId);
    if (state.windowState != CViewFileState::kMinimized)
    {
        WriteProjectInt(section, "PositionStartX", state.left);
        WriteProjectInt(section, "PositionStartY", state.top);
        WriteProjectInt(section, "Height", state.height);
        WriteProjectInt(section, "Width", state.width);
    }
    WriteProjectInt(section, "ViewState", state.windowState);
    WritePoint(section, "stViewVolume", state.camera.volumeStart);
    WritePoint(section, "endViewVolume", state.camera.volumeEnd);
    WritePoint(section, "PanPt", state.camera.pan);
    WritePoint(section, "RotationAngle", state.camera.rotationDeg);
    WriteProjectInt(section, "DisplayMode", state.displayMode);
    WriteProjectDouble(section, "ShrinkFactor", state.shrinkFactor);
    WriteProjectFlag(section, "ShrinkView", state.isShrunk ? 1 : 0);
    WriteProjectInt(section, "ShowDeformation", state.showDeformation);
    WriteProjectInt(section, "AnimationInterval", state.animationInterval);
    WriteProjectInt(section, "ContourResultID", state.contourResultId);
    WriteProjectFlag(section, "ShowModel", state.showModel ? 1 : 0);
    WriteProjectFlag(section, "ShowContour", state.showContour ? 1 : 0);
    WriteProjectInt(section, "ResultType", state.resultType);
    WriteProjectInt(section, "MaxLCSteps", state.maxLoadCaseSteps);
    WriteProjectInt(section, "LCStep", state.loadCaseStep);
    WriteProjectDouble(section, "DeformationScaleFactor", state.deformationScale);
    WriteProjectDouble(section, "ModelScaleFactor", state.modelScale);

    if (state.vectorResultId == -1)
    {
        WriteContourKeys(section, view.GetDisplayAttr());
        return;
    }
    // The vector record is filed under load case 1 of the result; without it nothing more.
    UINT firstCaseId = 0;
    const CVectorDisplayAttr* vector =
        m_model.GetLoadCaseResultId(static_cast<UINT>(state.vectorResultId), 1, &firstCaseId)
            ? view.FindVectorAttr(firstCaseId)
            : nullptr;
    if (vector == nullptr)
        return;
    WriteProjectInt(section, "VectorResultId", state.vectorResultId);
    WriteVectorKeys(section, *vector);
    WriteContourKeys(section, view.GetDisplayAttr());
}

void CProjectData::WriteContourKeys(const char* section, const CResultDisplayAttr& attr)
{
    WriteProjectInt(section, "ContourType", attr.m_nContourType);
    WriteProjectInt(section, "DisplayType", attr.m_nDisplayType);
    WriteProjectInt(section, "BandType", attr.m_nBandType);
    WriteProjectInt(section, "ResultCategory", attr.m_nResultCategory);
    WriteProjectFlag(section, "ReverseBand", attr.m_bReverseBand);
    WriteProjectPreciseDouble(section, "ViewMin", attr.m_viewMin);
    WriteProjectPreciseDouble(section, "ViewMax", attr.m_viewMax);
    WriteProjectPreciseDouble(section, "DataMin", attr.m_dataMin);
    WriteProjectPreciseDouble(section, "DataMax", attr.m_dataMax);
    WriteProjectInt(section, "Bands", attr.m_nBands);
}

void CProjectData::WriteVectorKeys(const char* section, const CVectorDisplayAttr& attr)
{
    WriteProjectInt(section, "VectorThickness", attr.GetThickness());
    WriteProjectFlag(section, "IsSameVectorColor", attr.IsSameColor() ? 1 : 0);
    WriteProjectUInt(section, "VectorColor", PackColor(attr.GetColor()));
    WriteProjectInt(section, "VectorColorBands", attr.GetNoOfBands());
    WriteProjectInt(section, "VectorPosition", attr.GetPosition());
    WriteProjectInt(section, "VectorArrowHeadSize", attr.GetArrowHeadSize());
    WriteProjectDouble(section, "VectorArrowHeadPercLen", attr.GetArrowHeadPercLen());
    WriteProjectInt(section, "VectorArrowHeadType", attr.GetArrowHeadType());
    WriteProjectDouble(section, "ScaleFactor", attr.GetScaleFactor());
    WriteProjectDouble(section, "VectorLength", attr.GetLength());
    WriteProjectFlag(section, "IsVectorLenConst", attr.IsConstantLength() ? 1 : 0);
}

void CProjectData::ReadViewSettings()
{
    int filter = static_cast<int>(m_settings.m_displayFilter);
    GetProjectInt(kViewSettings, "DisplayFilters", &filter);
    m_settings.m_displayFilter = static_cast<DWORD>(filter);
    if (m_host == nullptr)
        return;
    m_host->CreateMainView(2, false, nullptr); // frame 1, whatever the file holds
    const int count = GetProjectIntOr(kViewSettings, "ViewCnt", 0);

    // Only sections that are there can make a view: a large count costs nothing more.
    std::vector<long long> numbers =
        GetCurrentProjectFileContent().GetNumberedSections(kViewSettings);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    int comboResultId = -1;
    bool isLastRecreated = false;
    int viewsMade = 0;
    for (long long number : numbers)
    {
        if (number < 1 || number > count)
            continue;
        // Each view is a window with its own drawing context: a file cannot ask for thousands.
        if (viewsMade == kMaxViews)
        {
            ReportError("TooManyViews", m_filePath);
            break;
        }
        const bool isRecreated = ReadViewSection(static_cast<int>(number), &comboResultId);
        viewsMade += isRecreated ? 1 : 0;
        isLastRecreated = number == count && isRecreated;
    }
    if (isLastRecreated)
        m_host->FillLoadCaseCombo(comboResultId);
}

bool CProjectData::ReadViewSection(int number, int* comboResultId)
{
    const std::string name = ViewSection(number);
    const char* section = name.c_str();
    int viewId = 0;
    if (!GetProjectInt(section, "ViewID", &viewId))
        return false;
    // The stored id is not reused: any view but the first is made anew.
    CProjectView* view =
        viewId == 1 ? m_host->GetFrameView(1) : m_host->CreateMainView(2, false, nullptr);
    if (view == nullptr)
        return false;

    view->SetCurrentGroup(m_model.GetDefaultGroup());
    CViewFileState state = view->GetFileState();
    state.left = GetProjectIntOr(section, "PositionStartX", 0);
    state.top = GetProjectIntOr(section, "PositionStartY", 0);
    state.height = GetProjectIntOr(section, "Height", 0);
    state.width = GetProjectIntOr(section, "Width", 0);
    state.windowState = GetProjectIntOr(section, "ViewState", CViewFileState::kNormal);
    const bool hasRectangle =
        state.left > 0 || state.top > 0 || state.height > 0 || state.width > 0;
    if (state.windowState == CViewFileState::kMinimized)
        view->ShowFrameMinimized();
    else if (state.windowState == CViewFileState::kMaximized && !hasRectangle)
        view->MaximizeFrame();
    else
        view->RestoreFrame(state.left, state.top, state.width, state.height);

    ReadViewKeys(section, state);
    view->ApplyFileState(state);

    view->LoadElementFilter(&m_model);
    view->LoadViewIdMaps(m_model.GetDefaultGroup());
    view->SetBackgroundColor(COLORREFToColor(m_settings.m_backgroundColor));
    RestoreViewResult(*view, state, section);
    view->BuildResultTitle();
    view->ActivateFrame();
    view->SetCamera(state.camera);
    if (state.windowState == CViewFileState::kMaximized)
        view->MaximizeFrame();
    if (viewId == 1)
    {
        m_settings.m_displayType = static_cast<int16_t>(state.displayMode);
        view->RenderAll();
    }
    view->UpdateAndInvalidate();
    *comboResultId = state.contourResultId != -1 ? state.contourResultId : state.vectorResultId;
    return true;
}

void CProjectData::RestoreViewResult(CProjectView& view, const CViewFileState& state,
                                     const char* section)
{
    const bool isContour = state.contourResultId != -1;
    const int resultId = isContour ? state.contourResultId : state.vectorResultId;
    if (resultId == -1)
        return;
    CResultData* result = m_model.GetResult(static_cast<UINT>(resultId));
    if (result != nullptr)
        view.SetCurrentResult(result);
    else if (!isContour)
    {
        // The arrows need the result itself; its file may be gone since the save.
        CAELogFile log("Project");
        log.WriteLog(1, "CProjectData::ReadViewSettings",
                     "%s: vector result %d is not in the catalogue and is not shown", section,
                     resultId);
        return;
    }
    CResultDisplayAttr attr = view.GetOwnDisplayAttr();
    ReadContourKeys(section, attr);
    if (attr.m_bReverseBand == 1)
        attr.SetReverseBand(true);
    attr.SetRange(attr.m_dataMin, attr.m_dataMax, attr.m_viewMin, attr.m_viewMax, attr.m_nBands);
    view.SetOwnDisplayAttr(attr);
    if (isContour)
    {
        view.DisplayContourView(resultId, 1);
        return;
    }
    CVectorDisplayAttr vector;
    vector.m_colorBands = attr;
    vector.SetResultID(resultId);
    ReadVectorKeys(section, vector);
    view.DisplayVectorView(resultId, vector, 1);
}

void CProjectData::ReadContourKeys(const char* section, CResultDisplayAttr& attr)
{
    GetProjectInt(section, "ContourType", &attr.m_nContourType);
    GetProjectInt(section, "DisplayType", &attr.m_nDisplayType);
    attr.m_nBandType = static_cast<unsigned char>(GetProjectIntOr(section, "BandType", 0));
    GetProjectInt(section, "ResultCategory", &attr.m_nResultCategory);
    attr.m_bReverseBand = static_cast<unsigned char>(GetProjectFlagOr(section, "ReverseBand", 0));
    GetProjectDouble(section, "ViewMin", &attr.m_viewMin);
    GetProjectDouble(section, "ViewMax", &attr.m_viewMax);
    GetProjectDouble(section, "DataMin", &attr.m_dataMin);
    GetProjectDouble(section, "DataMax", &attr.m_dataMax);
    int bands = attr.m_nBands;
    if (GetProjectInt(section, "Bands", &bands))
        attr.m_nBands = ClampBandCount(bands, "CProjectData::ReadContourKeys");
}

void CProjectData::ReadVectorKeys(const char* section, CVectorDisplayAttr& attr)
{
    attr.SetThickness(
        static_cast<int16_t>(GetProjectIntOr(section, "VectorThickness", attr.GetThickness())));
    attr.SetSameColor(GetProjectFlagOr(section, "IsSameVectorColor", attr.IsSameColor() ? 1 : 0) !=
                      0);
    DWORD packed = 0;
    if (GetProjectUInt(section, "VectorColor", &packed))
        attr.SetColor(UnpackColor(packed));
    int bands = attr.GetNoOfBands();
    if (GetProjectInt(section, "VectorColorBands", &bands))
        attr.SetNoOfBands(ClampBandCount(bands, "CProjectData::ReadVectorKeys"));
    attr.SetPosition(
        static_cast<int16_t>(GetProjectIntOr(section, "VectorPosition", attr.GetPosition())));
    attr.SetArrowHeadSize(static_cast<int16_t>(
        GetProjectIntOr(section, "VectorArrowHeadSize", attr.GetArrowHeadSize())));
    attr.SetArrowHeadPercLen(GetProjectDoubleOr(section, "VectorArrowHeadPercLen", 0.0));
    attr.SetArrowHeadType(static_cast<int16_t>(
        GetProjectIntOr(section, "VectorArrowHeadType", attr.GetArrowHeadType())));
    attr.SetLength(GetProjectDoubleOr(section, "VectorLength", 0.0));
    attr.SetScaleFactor(GetProjectDoubleOr(section, "ScaleFactor", 0.0));
    attr.SetConstantLength(GetProjectFlagOr(section, "IsVectorLenConst", 1) != 0);
}
