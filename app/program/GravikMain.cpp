// The program's entry: WinMain (in the framework) runs the application made here.
#include "app/WendraApp.h"

CWinApp* fw::CreateApplication()
{
    return new CWendraApp;
}
