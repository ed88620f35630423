// Test doubles of the contour tests: a drawing device that records what the contour code
// sends, and an entity set that serves node positions of a model with values set per node
// (or per element and node).
#pragma once

#include "core/geometry/EntitySet.h"
#include "core/model/ModelSet.h"
#include "render/DrawDevice.h"
#include "render/Facet.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace contour_test
{
struct Call
{
    explicit Call(std::string callName, std::vector<CPoint3D> callPoints = {})
        : name(std::move(callName))
        , points(std::move(callPoints))
    {
    }

    std::string name;
    std::string text; // DrawText3D
    std::vector<CPoint3D> points;
    std::vector<int> flags;
    std::vector<CColorRGBA> colors;
    CColorRGBA color; // SetColor, the material calls
    CPoint3D normal;  // DrawFacet
    int mode = -1;    // SetRenderMode
};

class RecordingDevice : public CDrawDevice
{
public:
    std::vector<Call> calls;

    void SetColor(CColorRGBA color) override
    {
        Call call{"Color"};
        call.color = color;
        calls.push_back(call);
    }
    void SetRenderMode(int mode) override
    {
        Call call{"Mode"};
        call.mode = mode;
        calls.push_back(call);
    }
    void DrawLine(const CPoint3D& a, const CPoint3D& b, UINT) override
    {
        calls.push_back(Call("Line", {a, b}));
    }
    void DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3,
                  UINT) override
    {
        calls.push_back(Call("Quad", {p0, p1, p2, p3}));
    }
    void DrawFacet(const CFacet* facet, UINT_PTR) override
    {
        Call call{"Facet"};
        for (INT_PTR i = 0; i < facet->GetVertexCount(); ++i)
        {
            call.points.push_back(*facet->m_vertices[i]);
            call.flags.push_back(static_cast<int>(facet->m_flags[i]));
        }
        call.normal = facet->m_normal;
        calls.push_back(call);
    }
    void DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA* colors) override
    {
        DrawColoredPolygon(points->GetData(), colors, static_cast<int>(points->GetSize()));
    }
    void DrawColoredPolygon(const CPoint3D* points, const CColorRGBA* colors, int count) override
    {
        Call call{"Smooth"};
        call.points.assign(points, points + count);
        call.colors.assign(colors, colors + count);
        calls.push_back(call);
    }
    void SetMaterialDiffuse(float r, float g, float b, float a) override
    {
        Material("Diffuse", r, g, b, a);
    }
    void SetMaterialAmbient(float r, float g, float b, float a) override
    {
        Material("Ambient", r, g, b, a);
    }
    void SetMaterialSpecular(float r, float g, float b, float a) override
    {
        Material("Specular", r, g, b, a);
    }
    void SetMaterialEmission(float r, float g, float b, float a) override
    {
        Material("Emission", r, g, b, a);
    }
    void SetLineWidth(float width) override
    {
        Call call{"LineWidth"};
        call.mode = static_cast<int>(width);
        calls.push_back(call);
    }
    void DrawText3D(const CPoint3D& point, const char* text) override
    {
        Call call("Text", {point});
        call.text = text;
        calls.push_back(call);
    }
    void DrawTextList(const CPoint3D& point, UINT list) override
    {
        Call call("TextList", {point});
        call.mode = static_cast<int>(list);
        calls.push_back(call);
    }
    void DeleteList(UINT list) override { List("DeleteList", list); }
    void BeginList(UINT list) override { List("BeginList", list); }
    void EndList() override { calls.push_back(Call("EndList")); }

    std::vector<const Call*> Find(const std::string& name) const
    {
        std::vector<const Call*> found;
        for (const Call& call : calls)
        {
            if (call.name == name)
                found.push_back(&call);
        }
        return found;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Call& call : calls)
            names.push_back(call.name);
        return names;
    }
    // The colour set last before call index i.
    CColorRGBA ColorBefore(size_t index) const
    {
        for (size_t i = index; i-- > 0;)
        {
            if (calls[i].name == "Color" || calls[i].name == "Diffuse")
                return calls[i].color;
        }
        return CColorRGBA();
    }
    size_t IndexOf(const Call* call) const { return static_cast<size_t>(call - calls.data()); }

private:
    void Material(const char* name, float r, float g, float b, float a)
    {
        Call call(name);
        call.color = CColorRGBA(r, g, b, a);
        calls.push_back(call);
    }
    void List(const char* name, UINT list)
    {
        Call call(name);
        call.mode = static_cast<int>(list);
        calls.push_back(call);
    }
};

// Node positions from a model, values from tables; a missing value reads as NaN ("no value").
class ValueSource : public CEntitySet
{
public:
    explicit ValueSource(const CModelSet* model = nullptr)
        : m_pModel(model)
    {
    }

    CFENode* GetNode(int id) const override { return m_pModel ? m_pModel->GetNode(id) : nullptr; }
    CPoint3D GetNodePoint(int id) const override
    {
        const auto found = points.find(id);
        if (found != points.end())
            return found->second;
        return m_pModel ? m_pModel->GetNodePoint(id) : CPoint3D();
    }
    double GetResultValue(int nodeId, int elementId) const override
    {
        const auto own = elementValues.find({elementId, nodeId});
        if (elementId != 0 && own != elementValues.end())
            return own->second;
        const auto found = nodeValues.find(nodeId);
        return found != nodeValues.end() ? found->second : std::nan("");
    }

    std::map<int, CPoint3D> points;
    std::map<int, double> nodeValues;
    std::map<std::pair<int, int>, double> elementValues; // (element id, node id)

private:
    const CModelSet* m_pModel;
};

inline void ExpectPoint(double x, double y, double z, const CPoint3D& p)
{
    EXPECT_NEAR(x, p.x, 1e-9);
    EXPECT_NEAR(y, p.y, 1e-9);
    EXPECT_NEAR(z, p.z, 1e-9);
}

inline void ExpectColor(const CColorRGBA& expected, const CColorRGBA& actual)
{
    EXPECT_NEAR(expected.r, actual.r, 1e-6);
    EXPECT_NEAR(expected.g, actual.g, 1e-6);
    EXPECT_NEAR(expected.b, actual.b, 1e-6);
}
} // namespace contour_test
