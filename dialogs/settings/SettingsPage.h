// What the pages of the settings sheets share: the frame that opened them (reached through
// CSettingsHost, so that a page never touches a view itself), a modified flag of their own
// beside the sheet's, and the texts and band-count message of every page.
#pragma once

#include "core/geometry/Point3D.h"
#include "platform/dlg/propsheet.h"
#include "project/SettingRanges.h"

#include <windows.h>

class CDataExchange;
class CProjectData;

// What the settings pages ask of the main frame.
class CSettingsHost
{
public:
    virtual ~CSettingsHost() = default;
    // The open project, or null.
    virtual CProjectData* GetProject() = 0;
    // Every view: lists rebuilt when render is set, triad placed, redrawn.
    virtual void ApplySettingsToAllViews(BOOL render) = 0;
    // A new background colour reaches the out-of-range band of every view showing a result.
    virtual void ApplyBackgroundColor(COLORREF color) = 0;
    // The rotation angles of the active view in degrees; false (angles unchanged) without one.
    virtual bool GetActiveViewAngles(CPoint3D& anglesDeg) = 0;
    // The active view takes the display mode; nothing without a view.
    virtual void SetActiveViewDisplayMode(int mode) = 0;
};

class CSettingsPage : public CPropertyPage
{
    FW_CLASS(CSettingsPage, CPropertyPage)

public:
    CSettingsPage() = default;
    explicit CSettingsPage(UINT templateId)
        : CPropertyPage(templateId)
    {
    }

    void SetHost(CSettingsHost* host) { m_pHost = host; }
    // The sheet's Apply button and the page's own flag together.
    void SetModifiedFlag(BOOL modified);
    bool IsPageModified() const { return m_bModified != 0; }

protected:
    // Enables the control when the page has it.
    void EnableControl(int id, BOOL enable);
    // Every control change of a page ends here; what initialisation writes into the controls
    // is no change of the user's.
    void OnControlChanged()
    {
        if (m_isInitialised)
            SetModifiedFlag(TRUE);
    }
    void OnControlInRangeChanged(UINT) { OnControlChanged(); }
    // The project through the host, or null.
    CProjectData* Project() const;

    CSettingsHost* m_pHost = nullptr;
    BYTE m_bModified = 0;
    bool m_isInitialised = false; // set at the end of OnInitDialog
};

// The "NoOfBands" message with the largest count accepted.
void ShowBandCountMessage(CWnd& dialog);
// A band count typed or loaded is refused outside setting_ranges::kBandCount with the
// "NoOfBands" message; for DoDataExchange while values are read.
void DDV_BandCount(CDataExchange* dx, CWnd& dialog, int bands);
// A value read from a field is kept to its setting's range, for DoDataExchange while values are
// read: from a field the user can edit it is refused outside the range with the framework's
// range message; a greyed field's value, which the user cannot mend, is brought into the range.
void DDV_SettingRange(CDataExchange* dx, int& value, const CIntRange& range, bool isEditable);
void DDV_SettingRange(CDataExchange* dx, double& value, const CRealRange& range, bool isEditable);
