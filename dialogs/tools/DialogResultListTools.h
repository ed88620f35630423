// The result list tools the program installs for the view's result list commands: the result
// filter as a modeless window.
#pragma once

#include "view/ResultListTools.h"

class CDialogResultListTools : public CResultListTools
{
public:
    std::unique_ptr<CResultFilterWindow> CreateResultFilter() override;
};
