// The project's tree nodes: labels and keys in both languages, kinds and pictures, and the
// entity-kind switches flipping their bits of the display filter.
#include "app/ProjectTreeNodes.h"

#include "core/services/AppEnvironment.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{
// The program's string files in the given language; the earlier settings come back afterwards.
class Strings
{
public:
    explicit Strings(const char* suffix)
        : m_folder(GetExecutableFolder())
        , m_suffix(GetLanguageSuffix())
    {
        SetExecutableFolder("resources/bin");
        SetLanguageSuffix(suffix);
    }
    ~Strings()
    {
        SetExecutableFolder(m_folder);
        SetLanguageSuffix(m_suffix);
    }

private:
    std::string m_folder;
    std::string m_suffix;
};

struct SwitchCase
{
    const char* label;
    std::unique_ptr<CEntityFilterNode> (*make)();
    BYTE kind;
    DWORD bit;
    int plainIcon;
    int checkedIcon;
};

template <class T>
std::unique_ptr<CEntityFilterNode> Make()
{
    return std::make_unique<T>();
}

const SwitchCase kSwitches[] = {
    {"Solid", &Make<CSolidNode>, 7, 0x01, 9, 15},
    {"Shell", &Make<CShellNode>, 6, 0x02, 10, 16},
    {"Beam", &Make<CBeamNode>, 10, 0x04, 7, 13},
    {"Mass", &Make<CMassNode>, 8, 0x08, 6, 12},
    {"Elastic spring", &Make<CElassNode>, 9, 0x10, 8, 14},
    {"Grid", &Make<CGridNode>, 11, 0x20, 5, 11},
};
} // namespace

TEST(ProjectTreeNodes, RootAndGeometryNodes)
{
    Strings english("_ENG");
    CFolderNode root;
    EXPECT_EQ(1, root.m_kind);
    EXPECT_EQ(0, root.m_icon);
    EXPECT_EQ(CString("RUVO_ROOT_TREE_NODE"), root.GetKey());
    EXPECT_TRUE(root.GetText().IsEmpty());
    EXPECT_EQ(nullptr, root.m_project);
    EXPECT_EQ(-1, root.m_subMenu);

    CGeometryNode geometry;
    EXPECT_EQ(2, geometry.m_kind);
    EXPECT_EQ(4, geometry.m_icon);
    EXPECT_EQ(CString("Geometry"), geometry.GetText());
    EXPECT_EQ(CString("Geometry"), geometry.GetKey());
    EXPECT_EQ(-1, geometry.m_subMenu);
    // Neither does anything when double-clicked.
    root.Execute();
    geometry.Execute();
    EXPECT_EQ(0, root.m_icon);
    EXPECT_EQ(4, geometry.m_icon);
}

TEST(ProjectTreeNodes, SwitchesFlipTheirBitAndPicture)
{
    Strings english("_ENG");
    for (const SwitchCase& c : kSwitches)
    {
        SCOPED_TRACE(c.label);
        const std::unique_ptr<CEntityFilterNode> node = c.make();
        EXPECT_EQ(c.kind, node->m_kind);
        EXPECT_EQ(CString(c.label), node->GetText());
        EXPECT_EQ(CString(c.label), node->GetKey());
        EXPECT_EQ(c.bit, node->GetFilterBit());
        EXPECT_EQ(-1, node->m_subMenu);

        // The builder's first picture follows the filter.
        DWORD filter = 0x3F;
        node->m_displayFilter = &filter;
        node->RefreshIcon();
        EXPECT_EQ(c.checkedIcon, node->m_icon);
        filter = 0x3F & ~c.bit;
        node->RefreshIcon();
        EXPECT_EQ(c.plainIcon, node->m_icon);

        // Twice back to where it started; the other bits stay.
        node->Execute();
        EXPECT_EQ(0x3Fu, filter);
        EXPECT_EQ(c.checkedIcon, node->m_icon);
        node->Execute();
        EXPECT_EQ(0x3Fu & ~c.bit, filter);
        EXPECT_EQ(c.plainIcon, node->m_icon);
    }
}

TEST(ProjectTreeNodes, SwitchWithoutAFilterDoesNothing)
{
    Strings english("_ENG");
    CGridNode grid;
    EXPECT_EQ(5, grid.m_icon);
    grid.Execute();
    grid.RefreshIcon();
    EXPECT_EQ(5, grid.m_icon);
}

TEST(ProjectTreeNodes, JapaneseLabelsAreTheirKeys)
{
    Strings japanese("_JPN");
    CGeometryNode geometry;
    CSolidNode solid;
    EXPECT_EQ(CString("\x8c\x60\x8f\xf3"), geometry.GetText()); // 形状 in code page 932
    EXPECT_EQ(geometry.GetText(), geometry.GetKey());
    EXPECT_FALSE(solid.GetText().IsEmpty());
    EXPECT_NE(CString("Solid"), solid.GetText());
    EXPECT_EQ(solid.GetText(), solid.GetKey());
}
