// The project's own tree nodes: the root, which stands for the project, the geometry heading,
// and below it one switch per entity kind that flips that kind's bit of the project's display
// filter. Labels come from "standard.str", section "Tree", and serve as keys as well.
#pragma once

#include "core/model/TreeNode.h"
#include "platform/base/types.h"

class CProjectData;

class CFolderNode : public CTreeNode
{
public:
    static constexpr BYTE kKind = 1;
    static constexpr const char* kRootKey = "RUVO_ROOT_TREE_NODE";

    // Key kRootKey, picture 0; the builder sets the project's name as text.
    CFolderNode();

    void Execute() override {}

    CProjectData* m_project = nullptr; // borrowed: the open project
};

class CGeometryNode : public CTreeNode
{
public:
    static constexpr BYTE kKind = 2;

    CGeometryNode();

    void Execute() override {}
};

// A switch of one entity kind: its picture shows a check mark while the kind is displayed.
class CEntityFilterNode : public CTreeNode
{
public:
    // Flips the kind's bit of the display filter and shows the matching picture.
    void Execute() override;
    // Takes the picture that the display filter calls for.
    void RefreshIcon();

    DWORD GetFilterBit() const { return m_bit; }

    DWORD* m_displayFilter = nullptr; // borrowed: the project's display-filter word

protected:
    CEntityFilterNode(BYTE kind, const char* labelKey, DWORD bit, int plainIcon, int checkedIcon);

private:
    DWORD m_bit;
    int m_plainIcon;
    int m_checkedIcon;
};

class CSolidNode : public CEntityFilterNode
{
public:
    CSolidNode();
};

class CShellNode : public CEntityFilterNode
{
public:
    CShellNode();
};

class CBeamNode : public CEntityFilterNode
{
public:
    CBeamNode();
};

class CMassNode : public CEntityFilterNode
{
public:
    CMassNode();
};

class CElassNode : public CEntityFilterNode
{
public:
    CElassNode();
};

class CGridNode : public CEntityFilterNode
{
public:
    CGridNode();
};
