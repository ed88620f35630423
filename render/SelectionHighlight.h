// The renderer's selection highlight: the picked entities (red) and the one under the cursor
// (pink) drawn over the scene, and the fixed lists that commands fill for picked entities
// (element direction arrows, element and node id labels), kept by id so that they can be built
// again in another context.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "core/geometry/Point3D.h"
#include "render/EntityArray.h"

#include <windows.h>

#include <optional>
#include <vector>

class CAESet;
class CFEFace;
class CModelEntity;

class CSelectionHighlight
{
public:
    explicit CSelectionHighlight(CAESet& renderer)
        : m_renderer(renderer)
    {
    }
    CSelectionHighlight(const CSelectionHighlight&) = delete;
    CSelectionHighlight& operator=(const CSelectionHighlight&) = delete;

    // The picked and hovered entities, thick, and through the model in wireframe and ridge-line
    // modes; nothing picked or hovered changes no device state.
    void Draw();
    // Positions may have changed: a listed highlight is compiled again before its next call.
    void Forget() { m_isListed = false; }
    // The fixed lists; each replaces its list, entities of another kind are left out.
    void CreateDirectionArrows(const CEntityArray& elements);
    void CreateIdLabels(const CEntityArray& entities, bool isNodes);
    // The three lists built again in the context current now, for the entities they were last
    // built for that the shown group still has.
    void RebuildPickedLists();

private:
    struct Style;
    // What a listed highlight shows: the list is compiled again when any of it changes.
    struct Key
    {
        INT_PTR count = 0;
        UINT_PTR sum = 0; // of the picked entities' addresses
        UINT generation = 0;
        double shrink = 1.0;
        int curveDivisions = 0;
        int elassSize = 0;
        bool outlinesCurvedFaces = false;

        bool operator==(const Key& other) const;
    };

    void DrawHighlights(bool showsThrough);
    void DrawPicked(const Style& style);
    void CallPickedList(const Style& style);
    void DrawHighlighted(CModelEntity* entity, const Style& style);
    void DrawFaceDirectionArrow(const CFEFace& face);
    void DrawDirectionArrow(const CPoint3D& start, const CPoint3D& end, CColorRGBA color);
    // A tenth of the model box's diagonal.
    double ArrowLengthOfModel() const;
    // The ids of the nodes (or elements) among the entities.
    static std::vector<int> IdsOf(const CEntityArray& entities, bool isNodes);
    void DrawIdLabel(const CModelEntity* entity, bool isNodes);

    CAESet& m_renderer;
    // The highlight of many picked entities, kept in a list (kHighlightList) while unchanged.
    Key m_key;
    bool m_isListed = false;
    // The ids the picked entities' lists were last built for; none while never built.
    std::optional<std::vector<int>> m_arrowElementIds;
    std::optional<std::vector<int>> m_labelElementIds;
    std::optional<std::vector<int>> m_labelNodeIds;
};
