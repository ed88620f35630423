// The settings pages' colour-button set-up.
#include "dialogs/settings/ColorButtonInit.h"

#include "widgets/bars/OXColorPickerButton.h"

void InitColorButton(COXColorPickerButton& button, COLORREF, COLORREF color)
{
    COXColorPopupBar& bar = button.GetColorBar();
    bar.SetDefaultValue(color);
    button.SetColor(color, TRUE);
    bar.SetDefaultButtonText("Default");
    bar.SetCustomButtonText("Custom...");
}
