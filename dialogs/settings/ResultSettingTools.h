// The per-view contour and vector settings dialogs as their commands see them: the program
// installs these tools while its main frame lives.
#pragma once

#include "view/SettingCommands.h"

class CDialogResultSettingTools : public CResultSettingTools
{
public:
    std::unique_ptr<CContourSettingWindow> CreateContourSettingWindow() override;
    std::unique_ptr<CVectorSettingWindow> CreateVectorSettingWindow() override;
};
