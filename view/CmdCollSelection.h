// The selection command: runs while a view's interactive selection is open (code 500) and lets
// the user choose, in its decision dialog, among several entities a click hit (code 11).
#pragma once

#include "view/CmdColl.h"

#include <memory>

class CCAEView;
class CSelectionDecision;

class CCmdCollSelection : public CCmdColl
{
public:
    // Creates the hidden decision dialog of the view's selection.
    explicit CCmdCollSelection(CCAEView* view);
    ~CCmdCollSelection() override; // destroys the dialog

    // Code 11: the candidates under the cursor (the record's data, a CEntityArray).
    void Start(CCmdRecord* record) override;
    // Code 700: the chosen entity is the record's data.
    void OnDialogOk(CCmdRecord* record) override;
    void OnDialogCancel(CCmdRecord* record) override;

private:
    CCAEView* m_pView; // the view whose selection runs
    std::unique_ptr<CSelectionDecision> m_decision;
};
