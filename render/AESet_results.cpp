// Renderer: the element value of the shown component, values scaled for the animation frame,
// elements coloured whole by their value, and the colour bands in effect.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/ContourCutter.h"
#include "render/SceneView.h"

#include <cmath>
#include <limits>

namespace
{
constexpr int kElementBlock = 8;
} // namespace

CResultData* CAESet::FindResult(int resultId) const
{
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    return model && resultId != -1 ? model->GetResult(static_cast<UINT>(resultId)) : nullptr;
}

int CAESet::VectorPlotKey(int resultId) const
{
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    UINT key = static_cast<UINT>(-1);
    if (model)
        model->GetLoadCaseResultId(static_cast<UINT>(resultId), 1, &key);
    return static_cast<int>(key);
}

const CResultDisplayAttr* CAESet::FindDisplayAttr() const
{
    if (m_pView == nullptr)
        return nullptr;
    if (m_nContourResultId != -1)
        return &m_pView->Scene().DisplayAttr();
    if (m_nVectorResultId == -1)
        return nullptr;
    const CVectorPlotEntry* entry =
        m_pView->Scene().VectorPlots().Find(VectorPlotKey(m_nVectorResultId));
    return entry ? &entry->m_attr.m_colorBands : nullptr;
}

CResultDisplayAttr CAESet::GetDisplayAttr() const
{
    const CResultDisplayAttr* attr = FindDisplayAttr();
    return attr ? *attr : CResultDisplayAttr();
}

int CAESet::CopyDisplayAttr(const CResultDisplayAttr& attr)
{
    if (m_pView == nullptr)
        return -1;
    // The bands belong to the view's scene; this is the one place the renderer changes them.
    CSceneState& scene = m_pView->EditScene();
    if (m_nContourResultId != -1)
    {
        scene.EditDisplayAttr() = attr;
        return 1;
    }
    if (m_nVectorResultId == -1)
        return -1;
    CVectorPlotEntry* entry = scene.EditVectorPlots().Find(VectorPlotKey(m_nVectorResultId));
    if (entry == nullptr)
        return -1;
    entry->m_attr.m_colorBands = attr;
    return 1;
}

double CAESet::GetElementResultValue(const CResultData* result, int index) const
{
    const double noValue = std::numeric_limits<double>::quiet_NaN();
    const int k = m_nResultComponent;
    if (result == nullptr || k < 0 || (k & kElementBlock))
        return noValue;
    if (k == 1)
    {
        double value = 0.0;
        return result->GetElementValue(index, &value) ? value : noValue;
    }
    CPoint3D vector;
    if (k < 2 || k > 4 || !result->GetElementVector(index, &vector))
        return noValue;
    return k == 2 ? vector.x : k == 3 ? vector.y : vector.z;
}

double CAESet::GetAnimatedValue(double value) const
{
    const CResultDisplayAttr* attr = FindDisplayAttr();
    const double min = attr ? attr->m_dataMin : CResultDisplayAttr().m_dataMin;
    const double max = attr ? attr->m_dataMax : CResultDisplayAttr().m_dataMax;
    const double scaled = (value - min) * m_dResultFactor + min;
    // Outside the data range (and NaN) the value stays as it is.
    return min <= scaled && scaled <= max ? scaled : value;
}

bool CAESet::FindElementBand(const CResultDisplayAttr& bands, const CResultData* result, int id,
                             int& band) const
{
    double value = GetElementResultValue(result, id);
    if (m_nShowDeformation != kNoDeformation)
        value = GetAnimatedValue(value);
    int kind = 0;
    return FindBandClamped(bands, value, kind, band);
}

void CAESet::DrawElementConstantContours(const CElementMap& elements, const CResultData* result)
{
    CDrawDevice* device = Target();
    if (device == nullptr || m_pView == nullptr)
        return;
    const CResultDisplayAttr attr = GetDisplayAttr();
    device->SetRenderMode(kRenderFill);
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (element == nullptr || m_pView->IsEntityVisible(element) != 1)
            continue;
        int band = 0;
        if (!FindElementBand(attr, result, static_cast<int>(id), band))
            continue; // no value: left out rather than drawn as some band's value
        device->SetColor(attr.m_bandColors[band]);
        DrawElementFaces(element, nullptr, kFacePass);
    }
}
