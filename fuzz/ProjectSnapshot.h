// What an opened project holds of its file, as text: settings, colours, groups, loaded results
// and the views the main frame was given. Reals appear in the form the file stores them in, so
// that a value and the value read back from its saved text compare equal. What the file keeps
// only in part by design is left out: the rectangle of a minimised view, and a view's result
// display keys, which a view files only with the arrows' record that the fake views lack, and
// which the project tests check against a golden file.
#pragma once

#include "core/model/FEElement.h"
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "tests/support/ProjectTestSupport.h"

#include <string>

namespace project_fuzz
{
class CSnapshotText
{
public:
    CSnapshotText& Key(const std::string& key)
    {
        m_text.append(key).append("=");
        return *this;
    }
    CSnapshotText& Int(long long value) { return Word(std::to_string(value)); }
    CSnapshotText& Real(double value) { return Word(FormatFixed(value, 6)); }
    CSnapshotText& Precise(double value) { return Word(FormatFixed(value, 20)); }
    CSnapshotText& Word(const std::string& text)
    {
        m_text.append(text).append(" ");
        return *this;
    }
    CSnapshotText& Point(const CPoint3D& point)
    {
        return Real(point.x).Real(point.y).Real(point.z);
    }
    void End() { m_text.append("\n"); }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

inline void AddSettings(const CAESettings& s, CSnapshotText& out)
{
    out.Key("inputs").Int(s.m_inputFileCount);
    for (int i = 0; i < s.m_inputFileCount && i < CAESettings::kMaxInputFiles; ++i)
        out.Word("[" + s.m_inputFiles[i].Str() + "]");
    out.End();
    out.Key("source").Int(s.m_modelSource).End();
    out.Key("axis").Int(s.m_triadPosition).Int(s.m_showCentralTriad).Int(s.m_showReferenceTriad);
    out.Point(s.m_viewAngles).End();
    const LOGFONT& font = s.m_generalFont.font;
    // Any italic value other than 0 is italic, and is saved as 1.
    out.Key("font").Int(font.lfHeight).Int(font.lfWidth).Int(font.lfWeight);
    out.Int(font.lfItalic != 0);
    out.Word(std::string("[") + font.lfFaceName + "]").Int(s.m_generalFont.color).End();
    // The display type for new views is left out: it follows view 1 only when the file has it.
    out.Key("filter").Int(s.m_displayFilter).End();
    out.Key("sameSides").Int(s.m_sameOnBothSides).End();
    for (const CGLMaterial& m : s.m_materials)
    {
        for (int side = 0; side < 2; ++side)
        {
            out.Key("material").Int(m.m_flag[side]).Int(m.m_ambient[side]);
            out.Int(m.m_ambientPercent[side]).Int(m.m_diffuse[side]).Int(m.m_diffusePercent[side]);
            out.Int(m.m_specular[side]).Int(m.m_specularPercent[side]).Int(m.m_emission[side]);
            out.Int(m.m_emissionPercent[side]).Int(m.m_shininess[side]).End();
        }
    }
    out.Key("entities");
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
        out.Int(s.m_entityColors[kind]).Int(s.m_entitySizes[kind]);
    out.Int(s.m_backgroundColor).End();
}

template <class Table>
void AddColorTable(const char* name, const Table& table, CSnapshotText& out)
{
    out.Key(name);
    for (UINT id : table.SortedKeys())
        out.Int(id).Int(table.PLookup(id)->color);
    out.End();
}

inline void AddModel(CModelSet& model, CSnapshotText& out)
{
    out.Key("model").Int(model.GetNodeCount()).Int(model.GetElementCount()).End();
    AddColorTable("propertyColors", model.GetPropertyColors(), out);
    AddColorTable("materialColors", model.GetMaterialColors(), out);
    const std::vector<UINT> elementIds = model.GetElements().SortedKeys();
    for (UINT id : model.GetGroups().SortedKeys())
    {
        const CGroupSet* group = model.LookupGroup(static_cast<int>(id));
        out.Key("group").Int(id).Word("[" + group->GetName().Str() + "]");
        for (UINT element : elementIds)
        {
            if (group->FindElement(static_cast<int>(element)) != nullptr)
                out.Int(element);
        }
        out.End();
    }
    out.Key("loaded");
    for (UINT id : model.GetResults().SortedKeys())
    {
        CResultData* result = model.GetResult(id);
        if (result != nullptr && result->IsLoaded())
            out.Int(id).Int(result->m_average);
    }
    out.End();
}

inline void AddView(int frameId, const CFakeProjectView& view, CSnapshotText& out)
{
    const CViewFileState& s = view.state;
    out.Key("view").Int(frameId).Int(s.windowState);
    if (s.windowState != CViewFileState::kMinimized)
        out.Int(s.left).Int(s.top).Int(s.width).Int(s.height);
    out.End();
    out.Key(" camera").Point(s.camera.volumeStart).Point(s.camera.volumeEnd);
    out.Point(s.camera.pan).Point(s.camera.rotationDeg).End();
    out.Key(" display").Int(s.displayMode).Real(s.shrinkFactor).Int(s.isShrunk);
    out.Int(s.showModel).Int(s.showContour).End();
    out.Key(" animation").Int(s.showDeformation).Int(s.animationInterval);
    out.Int(s.maxLoadCaseSteps).Int(s.loadCaseStep).Real(s.deformationScale);
    out.Real(s.modelScale).End();
    out.Key(" contour").Int(s.contourResultId).End();
}

inline std::string Snapshot(CProjectData& project, CFakeProjectHost& host)
{
    CSnapshotText out;
    out.Key("name").Word("[" + project.m_name.Str() + "]").End();
    AddSettings(project.m_settings, out);
    AddModel(project.m_model, out);
    for (const CFakeProjectHost::Frame& frame : host.frames)
    {
        if (frame.view != nullptr)
            AddView(frame.id, *frame.view, out);
    }
    return out.Text();
}
} // namespace project_fuzz
