// The result list tools the program installs for the view's result commands: the result filter
// and the result id selection as modeless windows.
#pragma once

#include "view/ResultListTools.h"

class CDialogResultListTools : public CResultListTools
{
public:
    std::unique_ptr<CResultFilterWindow> CreateResultFilter() override;
    std::unique_ptr<CResultIdSelectionWindow> CreateResultIdSelection() override;
};
