// The choice of the results of one result file that are to be loaded: results and their load
// cases, steps or modes move between the offered and the selected lists; the choice is marked
// in the result records themselves (loaded flag 2 and the elemental-to-nodal conversion) and
// the caller loads them. Modal.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <functional>
#include <vector>

class CModelSet;
class CResultData;

class CSelectResultsDlg : public CDialog
{
public:
    explicit CSelectResultsDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Set before the dialog runs.
    CModelSet* m_model = nullptr; // borrowed
    CString m_path;               // the result file whose unloaded results are offered
    // True for the names of the default results; none when unset.
    std::function<bool(const CString&)> m_isDefaultResult;

    // The conversion check box: 1 when elemental results are to be converted to nodal ones.
    int m_nConversion = 1;

    FW_MESSAGE_TABLE()

protected:
    void OnResultsChanged();
    void OnMoveIn();
    void OnMoveOut();
    void OnLoadAll();

private:
    bool IsDefault(const CString& name) const;
    // "*name" for a default result, "name" otherwise.
    CString OfferedText(const CResultData& result) const;
    // The unloaded records of the file, in packed-id order.
    std::vector<CResultData*> FileResults() const;
    // The file's unloaded records of the name: those of one load case, or all for -1. A name
    // may stand for several results of the file (of different element types, say): the list
    // shows it once and moves them together.
    std::vector<CResultData*> UnloadedCases(const CString& name, int loadCase) const;
    void FillSteps();
    // Marks the record for loading and lists it as "[n] name".
    void AddSelected(CResultData& record);
    void AddOffered(const CResultData& record);
    void UpdateSelectedExtent();
    void EndChoice();
};
