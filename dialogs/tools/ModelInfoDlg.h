// Model Information: counts of each entity kind, the summed element measure ("volume": beam
// lengths, shell areas, solid volumes) and the extents, of the whole model or of the picked
// entities, as lines of one list. It changes nothing.
#pragma once

#include "core/geometry/Point3D.h"
#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/stdctrl.h"
#include "render/EntityArray.h"

class CModelSet;

class CModelInfoDlg : public CToolDlg
{
public:
    enum Selection
    {
        kWholeModel = 0,
        kPickedEntities = 1
    };

    explicit CModelInfoDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // Reports 700; the command closes the window.
    void OnOK() override;
    // Closes the window and ends the running command.
    void OnCancel() override;

    // Appends a count line of section "ModelInfo", and a blank line when asked.
    void AddCountLine(const char* key, int count, bool blankAfter);

    int m_nSelection = kWholeModel;
    CEntityArray m_Entities; // the picked entities; not owned
    CPoint3D m_extentsMin;
    CPoint3D m_extentsMax;
    CListBox m_list;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnClose();

private:
    struct Counts
    {
        int beams = 0;
        int solids = 0;
        int shells = 0;
        int springs = 0;
        int masses = 0;
        int nodes = 0;
    };

    void FillList();
    // Counts, volume and extents of the picked entities.
    Counts MeasurePicked(const CModelSet* model, double& volume);
    void AddLine(const CString& line);
};
