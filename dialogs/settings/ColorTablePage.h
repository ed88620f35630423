// The property colour and material colour pages of the Display settings sheet: one list of the
// ids of a model colour table with a swatch each, sorted by id; a click shows the item's colour
// on the colour button, and choosing a colour there recolours the item. The page keeps a working
// copy of the table; the model's table changes only through Apply or OK.
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <map>
#include <memory>
#include <vector>

class CModelSet;

class CColorTablePage : public CSettingsPage
{
    FW_CLASS(CColorTablePage, CSettingsPage)

public:
    // The colour the button shows before an item is chosen.
    static constexpr COLORREF kInitialColor = RGB(250, 0, 0);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

    // The working copy: id to colour; ids ascending.
    std::map<int, COLORREF> m_colors;
    std::vector<int> m_ids;
    int m_current = -1; // the list item whose colour the button shows; -1 for none

    CListCtrl& GetList() { return m_list; }
    COXColorPickerButton& GetColorButton() { return m_colorButton; }

    FW_MESSAGE_TABLE()

protected:
    CColorTablePage(UINT templateId, const char* idHeadingKey);

    // The model's table: every id with its colour; whether it holds an id; setting one.
    virtual void ReadTable(CModelSet& model, std::map<int, COLORREF>& colors) = 0;
    virtual bool HasId(CModelSet& model, int id) = 0;
    virtual void WriteColor(CModelSet& model, int id, COLORREF color) = 0;

    void DoDataExchange(CDataExchange* dx) override;
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnSelectColor();

private:
    CModelSet* Model() const;
    void InitListColumns();
    void BuildColorTable();
    void FillList();

    const char* m_idHeadingKey;
    std::unique_ptr<CImageList> m_imageList;
    COXColorPickerButton m_colorButton;
    CListCtrl m_list;
};

class CPropertyColorDlg : public CColorTablePage
{
    FW_CREATABLE(CPropertyColorDlg, CColorTablePage)

public:
    CPropertyColorDlg();

protected:
    void ReadTable(CModelSet& model, std::map<int, COLORREF>& colors) override;
    bool HasId(CModelSet& model, int id) override;
    void WriteColor(CModelSet& model, int id, COLORREF color) override;
};

class CMaterialColorDlg : public CColorTablePage
{
    FW_CREATABLE(CMaterialColorDlg, CColorTablePage)

public:
    CMaterialColorDlg();

protected:
    void ReadTable(CModelSet& model, std::map<int, COLORREF>& colors) override;
    bool HasId(CModelSet& model, int id) override;
    void WriteColor(CModelSet& model, int id, COLORREF color) override;
};
