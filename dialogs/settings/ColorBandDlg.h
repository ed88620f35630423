// What the per-view contour settings dialog and the vector colour bands dialog share: the list
// of a band record's in-range bands, highest first, with a colour swatch each; the borders and
// colour of the band clicked; and the colour bar's range (and band count) applied to the bands.
// Band counts are accepted in the band range of project/SettingRanges.h. The record's colour-bar
// range and band count change only together with its levels (SetRange), never by the controls'
// exchange alone, so the list, the levels and the count always agree.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <windows.h>

#include <memory>

class CColorBandDlg : public CToolDlg
{
public:
    // Texts of the list's value columns.
    struct BandFormats
    {
        const char* fillLower; // when the list is filled
        const char* fillUpper;
        const char* border;     // after a border moved, both columns
        const char* colorLower; // the row whose colour was chosen
        const char* colorUpper;
    };

    ~CColorBandDlg() override;

    // Row r shows band n - 1 - r; -1 for a row the list does not have.
    int BandOfRow(int row) const;
    // The band list's row count.
    int RowCount() const;

    CListCtrl m_bandList;
    COXColorPickerButton m_colorButton;
    int m_selectedRow = 0; // last row clicked
    // Set while a range message is up, so that the focus change it causes is not checked again.
    BYTE m_bErrorShown = 0;
    double m_lower = 0.0; // borders of the selected band
    double m_upper = 0.0;
    double m_dataMax = 0.0;
    double m_dataMin = 0.0;
    double m_rangeMin = 0.0; // the colour bar
    double m_rangeMax = 0.0;
    int m_bands = 0;
    int m_reverse = 0;

    FW_MESSAGE_TABLE()

protected:
    // bands: the derived dialog's record being edited, which outlives the base's use of it.
    CColorBandDlg(UINT templateId, int frameKey, CResultDisplayAttr& bands,
                  const BandFormats& formats);

    CResultDisplayAttr& Bands() { return *m_pBands; }
    const CResultDisplayAttr& Bands() const { return *m_pBands; }
    // Before a fill: false leaves the list empty.
    virtual bool PrepareFill() = 0;
    virtual int SwatchBitsPerPixel() = 0;
    // Smoothed contours have no bands to pick.
    virtual bool IsSmooth() const { return false; }
    // The border edit shows what it showed when it got the focus.
    virtual bool IsBorderUnchanged(bool isUpper) const
    {
        (void)isUpper;
        return false;
    }
    // Default Value: the record as it was; false (and nothing changed) when it cannot be.
    virtual bool RestoreDefaults() = 0;
    virtual void AfterDefaults() {}
    virtual bool ChecksBandCount() const = 0;

    void InitBandListColumns();
    void FillBandList();
    // level takes value; the levels below and above follow so that none decreases upwards.
    void SetBandBorder(int level, double value);
    void UpdateBandTexts();
    void UpdateSelectedBand();
    // The colour bar's range and band count as new levels, unless the bands have them already
    // (colours chosen for single bands then stay); false after a message.
    bool ApplyWholeColorBar();
    // Shows the band's colour in the colour button.
    void ShowBandColor(int band);
    void SelectRow(int row);
    void EnableControl(int id, BOOL enable);
    bool IsRangeValid() const { return m_dataMax >= m_dataMin && m_rangeMax >= m_rangeMin; }
    void ShowRangeMessage();
    // The out-of-range bands take the project's background colour.
    void UseBackgroundForOutOfRange();

    // Handlers.
    void OnBandClick(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnLowerKillFocus() { OnBorderKillFocus(false); }
    void OnUpperKillFocus() { OnBorderKillFocus(true); }
    void OnBorderKillFocus(bool isUpper);
    void OnWholeBarKillFocus();
    void OnSelectColor();
    void OnReverseBand();
    void OnDefaultValue();

private:
    int LowBandOffset() const;
    int BandCount() const;
    // A swatch appended to the list's images, or in place of image replace (>= 0).
    bool AddSwatch(COLORREF color, int replace);

    CResultDisplayAttr* m_pBands; // the derived dialog's
    BandFormats m_formats;
    std::unique_ptr<CImageList> m_swatches; // owned; the list shows it
};
