// A printer for tests of printing: the Wine PostScript driver with a small page description of
// its own (A4 at 300 dpi, colour), writing every job to one file.
#pragma once

#include <windows.h>

#include <string>

namespace fw::test
{
// Installs the printer under name (replacing one of that name), its port the file at
// outputPath. False when the driver or the printer cannot be installed.
bool InstallFilePrinter(const char* name, const std::string& outputPath);

// A DC of the printer, or null; the caller deletes it.
HDC CreateFilePrinterDC(const char* name);

// Deletes every printer that InstallFilePrinter installed, whatever its name: a system without
// printers for tests of printing without one (the printers of the system are left).
void RemoveFilePrinters();
} // namespace fw::test
