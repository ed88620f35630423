// COXColorPickerButton: a drop-down bitmap button that shows its colour as a band under its
// face and opens COXColorPopupBar, a popup bar of colour swatches with a default-colour button
// and a custom button that opens the system colour dialog.
//
// The settings dialogs make every one alike and bind it to a dialog button (BS_OWNERDRAW):
//   COXColorPickerButton m_color{40, 4, 0xFFFFFFFF, 18, 18, 26536, 26537};
//   DDX_Control(dx, IDC_COLOR, m_color);
//   InitColorButton(m_color, 0, RGB(250, 0, 0));
// The parent hears BN_CLICKED once the popup has closed, with the new colour already set.
#pragma once

#include "widgets/bars/OXBitmapButton.h"
#include "widgets/bars/OXPopupBarControl.h"

#include <windows.h>

#include <vector>

class COXColorPopupBar : public COXPopupBarControl
{
public:
    // The 40 colours offered when none are set, in button order, and their names' string ids.
    static constexpr int kDefaultColorCount = 40;
    static COLORREF DefaultColor(int index);
    static UINT DefaultColorNameId(int index);

    COXColorPopupBar(int count, int rows, COLORREF defaultColor, int buttonWidth, int buttonHeight,
                     UINT defaultTextId, UINT customTextId);
    ~COXColorPopupBar() override;

    // Without colours the default 40 are taken, padded with black to the button count; without
    // names the default table's.
    BOOL Pick(UINT alignment = kBelowLeft, const RECT* anchor = nullptr, int dx = 0,
              int dy = 0) override;

    // Buttons from palette entries: a run from first, or a list of indexes, of the system
    // palette (palette devices) or else the screen's current palette. FALSE when an entry is
    // missing.
    BOOL SetButtonsFromPalette(int first, int count, BOOL systemPalette = TRUE);
    BOOL SetButtonsFromPalette(const std::vector<int>& indexes, BOOL systemPalette = TRUE);
    void AppendColors(const COLORREF* colors, int count);

protected:
    void DrawButton(HDC dc, int index) override;
    void DrawDefaultButton(HDC dc) override;
    // The system colour dialog, from the selected colour: TRUE with its colour on OK.
    BOOL OnCustomButton() override;

private:
    void BuildPalette();
};

class COXColorPickerButton : public COXBitmapButton
{
    FW_CLASS(COXColorPickerButton, COXBitmapButton)

public:
    // The value that stands for the popup's default colour.
    static constexpr COLORREF kDefaultColor = 0xFF000000;
    static constexpr COLORREF kNoColor = 0xFFFFFFFF;

    COXColorPickerButton(int count, int rows, COLORREF defaultColor, int buttonWidth,
                         int buttonHeight, UINT defaultTextId, UINT customTextId);

    // kDefaultColor stores the popup's default colour.
    void SetColor(COLORREF color, BOOL redraw = FALSE);
    COLORREF GetColor() const { return m_color; }
    // Through it the owner sets the default colour and the two button texts.
    COXColorPopupBar& GetColorBar() { return m_colorBar; }
    // Pixels; 0 hides the band.
    void SetColorBandHeight(int height);
    int GetColorBandHeight() const { return m_bandHeight; }

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    CSize GetReservedSpace() override;
    void OnDropDown() override;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;
    virtual void DrawColorBand(HDC dc, UINT state, const CRect& band);
    CRect BandRect(const CRect& content, const CRect& imageRect, const CRect& textRect) const;
    BOOL CreateColorBar();

    int OnCreate(LPCREATESTRUCTA cs);
    LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);

private:
    int m_bandHeight = 5;
    COLORREF m_color = kNoColor;
    COXColorPopupBar m_colorBar;
    BOOL m_bCreating = FALSE; // between PreCreateWindow and WM_CREATE
};
