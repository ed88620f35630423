// The project the save tests write and the open tests read back: twelve shells on two
// properties, one group, three results of which two are loaded, and three frames (1 normal
// with a contour, 2 active and maximised with a vector result it has no record for, 3
// minimised with vector arrows); and the solver files such a project names: the plate deck of
// those twelve shells and its displacement results.
#pragma once

#include "core/model/FEElement.h"
#include "core/model/ResultId.h"
#include "project/ProjectData.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/ProjectTestSupport.h"

constexpr UINT kContourResultId = (1u << 23) | (1u << 13) | (1u << 3); // 8396808
constexpr UINT kVectorResultId = (1u << 23) | (2u << 13) | (1u << 3);  // 8405000
constexpr UINT kUnloadedResultId = (1u << 23) | (3u << 13) | (1u << 3);

inline CResultData* AddFixtureResult(CModelSet& model, UINT id, int loaded, BYTE average)
{
    CResultData* result = new CResultData();
    result->m_id = id;
    result->m_loaded = loaded;
    result->m_average = average;
    result->m_kind = CResultData::kScalar;
    model.AddResult(result);
    model.AddLoadCaseValueById(id, 0.0);
    return result;
}

// Everything but the input files.
inline void FillFixtureSettings(CAESettings& settings)
{
    settings.m_displayFilter = 63;
    settings.m_triadPosition = 3;
    settings.m_showCentralTriad = 1;
    settings.m_showReferenceTriad = 0;
    settings.m_viewAngles = CPoint3D(30.0, -45.5, 1.5);
    CFontSetting& font = settings.m_generalFont;
    font.color = 255;
    font.font.lfHeight = 14;
    font.font.lfWidth = 0;
    font.font.lfWeight = 700;
    font.font.lfItalic = 1;
    SetFontFaceName(font.font, "Arial");
    settings.m_modelSource = CAESettings::kBulkData;
    settings.m_sameOnBothSides = 1;
    settings.m_materials[CAESettings::kSolidMaterial].m_ambient[0] = RGB(0, 0, 255);
    settings.m_materials[CAESettings::kShellMaterial].m_shininess[1] = 20;
    const COLORREF colors[] = {65280, 16776960, 65535, 16711935, 33023, 16777215};
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        settings.m_entityColors[kind] = colors[kind];
        settings.m_entitySizes[kind] = kind == CAESettings::kGrid ? 3 : 1;
    }
    settings.m_backgroundColor = RGB(10, 20, 30);
}

// Group 5 "Left side" of elements 1 to 12, and the colours of properties 1, 2 and material 1.
inline void FillFixtureGroupAndColors(CModelSet& model)
{
    auto group = std::make_unique<CGroupSet>();
    group->m_id = 5;
    group->SetName("Left side");
    for (int id = 1; id <= 12; ++id)
        group->AddElement(model.FindElement(id));
    model.AddGroup(group.release());
    model.AddPropertyColor(1);
    model.AddPropertyColor(2);
    model.AddMaterialColor(1);
    model.LookupPropertyColor(1)->color = 255;
    model.LookupPropertyColor(2)->color = 65280;
    model.LookupMaterialColor(1)->color = 16711680;
}

inline void FillFixtureModel(CModelSet& model)
{
    for (int id = 1; id <= 12; ++id)
    {
        CFEElement* element = new CFEElement();
        element->type = kTagShell;
        element->m_id = id;
        element->m_propertyId = id <= 6 ? 1 : 2;
        element->m_materialId = 1;
        model.AddElement(element);
    }
    FillFixtureGroupAndColors(model);
    AddFixtureResult(model, kContourResultId, CResultData::kLoaded, 1);
    AddFixtureResult(model, kVectorResultId, CResultData::kLoaded, 0);
    AddFixtureResult(model, kUnloadedResultId, CResultData::kNotLoaded, 1);
}

inline void FillFixtureViews(CFakeProjectHost& host)
{
    CFakeProjectView* contour = host.AddFrame(1);
    CViewFileState& a = contour->state;
    a.windowState = CViewFileState::kNormal;
    a.left = 10;
    a.top = 20;
    a.width = 640;
    a.height = 480;
    a.camera.volumeStart = CPoint3D(-7, -7, -7);
    a.camera.volumeEnd = CPoint3D(4, 4, 4);
    a.camera.pan = CPoint3D(0.5, 0, 0);
    a.camera.rotationDeg = CPoint3D(30, 45, 0);
    a.displayMode = 2;
    a.shrinkFactor = 0.8;
    a.showDeformation = 1;
    a.contourResultId = static_cast<int>(kContourResultId);
    a.showModel = true;
    a.resultType = 1;
    a.maxLoadCaseSteps = 10;
    a.loadCaseStep = 3;
    a.deformationScale = 2.5;
    a.modelScale = 0.1;
    contour->displayAttr.m_viewMin = 1.5;
    contour->displayAttr.m_viewMax = 20.25;
    contour->displayAttr.m_dataMin = -3.125;
    contour->displayAttr.m_dataMax = 40.0;
    contour->displayAttr.m_nBands = 12;

    CFakeProjectView* noRecord = host.AddFrame(2);
    noRecord->state.windowState = CViewFileState::kMaximized;
    noRecord->state.left = -4;
    noRecord->state.top = -4;
    noRecord->state.width = 1288;
    noRecord->state.height = 1032;
    noRecord->state.vectorResultId = static_cast<int>(kVectorResultId);

    CFakeProjectView* arrows = host.AddFrame(3);
    arrows->state.windowState = CViewFileState::kMinimized;
    arrows->state.vectorResultId = static_cast<int>(kVectorResultId);
    CVectorDisplayAttr record;
    record.SetThickness(2);
    record.SetSameColor(true);
    record.SetColor(CColorRGBA(1.0f, 0.5f, 0.0f, 0.0f));
    record.SetNoOfBands(8);
    record.SetPosition(2);
    record.SetArrowHeadSize(2);
    record.SetArrowHeadPercLen(0.3);
    record.SetArrowHeadType(3);
    record.SetScaleFactor(1.5);
    record.SetLength(2.0);
    record.SetConstantLength(true);
    arrows->vectorAttrs[kVectorResultId] = record;
    host.activeFrameId = 2;
}

inline int PlateNodeId(int column, int row)
{
    return row * 5 + column + 1;
}

// Twenty grids and the twelve quads of the fixture, properties 1 (elements 1-6) and 2.
inline std::string PlateDeck()
{
    std::string deck;
    for (int row = 0; row < 4; ++row)
    {
        for (int column = 0; column < 5; ++column)
        {
            const std::string id = std::to_string(PlateNodeId(column, row));
            const std::string x = std::to_string(column) + ".";
            const std::string y = std::to_string(row) + ".";
            deck += bulk_test::Card("GRID", {id.c_str(), "", x.c_str(), y.c_str(), "0."});
        }
    }
    for (int id = 1; id <= 12; ++id)
    {
        const int row = (id - 1) / 4;
        const int column = (id - 1) % 4;
        const std::string fields[] = {std::to_string(id),
                                      id <= 6 ? "1" : "2",
                                      std::to_string(PlateNodeId(column, row)),
                                      std::to_string(PlateNodeId(column + 1, row)),
                                      std::to_string(PlateNodeId(column + 1, row + 1)),
                                      std::to_string(PlateNodeId(column, row + 1))};
        deck +=
            bulk_test::Card("CQUAD4", {fields[0].c_str(), fields[1].c_str(), fields[2].c_str(),
                                       fields[3].c_str(), fields[4].c_str(), fields[5].c_str()});
    }
    return deck;
}

// Displacements of the twenty grids for two load sets, without geometry.
inline std::string WritePlateResults(const std::string& folder, const char* name,
                                     int firstLoadSet = 1)
{
    Op2TestFile f;
    f.Label().BlockHeader("OUGV1");
    for (int loadSet = firstLoadSet; loadSet <= firstLoadSet + 1; ++loadSet)
    {
        Op2Words entries;
        for (int node = 1; node <= 20; ++node)
            entries.Append(DisplacementEntry(node, 0.1f * node * loadSet, 0, 0, 0, 0, 0.01f));
        f.Subcase(MakeIdent(1, 1, loadSet), entries);
    }
    f.EndBlock().EndFile();
    return f.Save(folder, name);
}
