// Entity Information: the properties of the picked entities one at a time (id, kind, element
// type, measure, property, material and node ids of an element; id, kind, elements and
// coordinates of a node), with Previous and Next, the shown entity highlighted in the view.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/stdctrl.h"
#include "render/EntityArray.h"

class CFEElement;
class CFENode;
class CModelEntity;

class CEntityInfoDlg : public CToolDlg
{
public:
    explicit CEntityInfoDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // Starts at the first entity; with one or none Previous and Next are off.
    void ShowFirstEntity();
    // OK and the close box report 700, Escape ends the command (13); the command closes the
    // window.
    void OnOK() override;
    void OnCancel() override;

    // The text of an element type by its descriptor id, "  ---\t" for an unknown one.
    static CString ElementTypeName(int descriptorId);
    // The name of an entity kind by its type tag.
    static CString EntityKindName(int typeTag);

    int m_nCurrent = 0;
    int m_nCount = 0;
    CEntityArray m_Entities; // not owned
    CButton m_previous;
    CButton m_next;
    CListBox m_list;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnNext();
    void OnPrevious();
    void OnClose();

private:
    void ShowCurrentEntity();
    void AddElementLines(const CFEElement& element);
    void AddNodeLines(const CFENode& node);
    // "header : a ,b ,c " with at most five ids a line.
    void AddIdLines(const CString& header, const CArray<int>& ids);
    void AddLine(const CString& line, bool blankAfter);
    // The entity becomes the only one in the view's selection map.
    void Highlight(CModelEntity* entity) const;
};
