// The program's entry: the application object comes from the program's
// fw::CreateApplication; WinMain runs it and deletes it.
#include "platform/win/app.h"

#include <windows.h>

#include <memory>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    const std::unique_ptr<CWinApp> app(fw::CreateApplication());
    if (!app)
        return -1;
    return fw::RunApplication(app.get(), instance, cmdLine, cmdShow);
}
