// Dialog data exchange: each DDX_ function moves one member into its control (loading) or
// reads, checks and stores it back (saving); each DDV_ function validates the value just
// exchanged. A refused value tells the user (the texts of section "DataExchange"), puts the
// focus on the field and ends the exchange with Fail, so UpdateData returns FALSE.
//
//   void CBandsPage::DoDataExchange(CDataExchange* dx)
//   {
//       DDX_Text(dx, 1104, m_bands);
//       DDV_MinMaxInt(dx, m_bands, 1, 120);
//       DDX_Radio(dx, 1043, m_contourType); // -1: no button of the group is checked
//   }
#pragma once

#include "platform/base/string.h"

#include <windows.h>

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

    // The control of id, remembered for the DDV_ calls and Fail; Fail throws when it is missing.
    HWND PrepareCtrl(int id);
    // The same for an edit, whose text Fail also selects.
    HWND PrepareEditCtrl(int id);
    // Focuses the last prepared control (selecting an edit's text) and throws
    // CUserException: the user has already been told what is wrong.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Subclasses the control of id into control (once), so that it gets the control's messages.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Text fields. Loading writes the text only when it differs, so an unchanged value sends no
// EN_CHANGE. Saving accepts blanks around the value; doubles print with "%.15g".
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);

// A check box: 0 clear, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// A radio group starting at id (the button with WS_GROUP) up to the next WS_GROUP: the index
// of the checked button, -1 when none is.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// A slider's position.
void DDX_Slider(CDataExchange* dx, int id, int& value);
// A combo box's selected index, -1 for none.
void DDX_CBIndex(CDataExchange* dx, int id, int& index);

// Validation of the value just exchanged, when saving.
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue);
// Saving refuses a longer text; loading limits the edit to count characters.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int count);
