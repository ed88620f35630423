// The test printer: a PostScript page description beside the system's drivers, the driver
// that reads it and a printer whose port is a file.
#include "platform/test/file_printer.h"

#include <fstream>
#include <string>
#include <vector>
#include <winspool.h>

namespace fw::test
{
namespace
{
constexpr char kDriverName[] = "Gravik Test PostScript";
constexpr char kPageDescription[] = "gravik_test.ppd";

// A4 at 300 dpi, the whole sheet printable: 2480 x 3508 printer pixels.
constexpr char kPpd[] = "*PPD-Adobe: \"4.3\"\n"
                        "*FormatVersion: \"4.3\"\n"
                        "*LanguageVersion: English\n"
                        "*ModelName: \"Gravik Test\"\n"
                        "*NickName: \"Gravik Test\"\n"
                        "*LanguageLevel: \"2\"\n"
                        "*ColorDevice: True\n"
                        "*DefaultColorSpace: RGB\n"
                        "*DefaultResolution: 300dpi\n"
                        "*OpenUI *PageSize: PickOne\n"
                        "*DefaultPageSize: A4\n"
                        "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
                        "*CloseUI: *PageSize\n"
                        "*DefaultImageableArea: A4\n"
                        "*ImageableArea A4/A4: \"0 0 595 842\"\n"
                        "*DefaultPaperDimension: A4\n"
                        "*PaperDimension A4/A4: \"595 842\"\n";

bool InstallDriver()
{
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                      sizeof folder, &needed))
        return false;
    // The driver reads its page description from the drivers' folder.
    std::ofstream ppd(std::string(folder) + "\\" + kPageDescription, std::ios::binary);
    ppd << kPpd;
    ppd.close();
    if (!ppd)
        return false;
    std::string name = kDriverName;
    std::string module = "wineps.drv";
    std::string data = kPageDescription;
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = name.data();
    driver.pDriverPath = module.data();
    driver.pDataFile = data.data();
    driver.pConfigFile = module.data();
    return ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != FALSE;
}

void DeletePrinterNamed(const char* name)
{
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(name), &printer, &access))
        return;
    ::DeletePrinter(printer);
    ::ClosePrinter(printer);
}
} // namespace

bool InstallFilePrinter(const char* name, const std::string& outputPath)
{
    if (!InstallDriver())
        return false;
    DeletePrinterNamed(name);
    std::string printerName = name;
    std::string port = outputPath;
    std::string driver = kDriverName;
    // The plain processor copies the job to the port; the driver's own leaves no file.
    char processor[] = "winprint";
    char dataType[] = "RAW";
    PRINTER_INFO_2A info = {};
    info.pPrinterName = printerName.data();
    info.pPortName = port.data();
    info.pDriverName = driver.data();
    info.pPrintProcessor = processor;
    info.pDatatype = dataType;
    const HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer == nullptr)
        return false;
    ::ClosePrinter(printer);
    return true;
}

HDC CreateFilePrinterDC(const char* name)
{
    return ::CreateDCA(nullptr, name, nullptr, nullptr);
}

void RemoveFilePrinters()
{
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 ||
        !::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
        return;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    std::vector<std::string> ours;
    for (DWORD i = 0; i < count; ++i)
    {
        if (printers[i].pDriverName != nullptr &&
            std::string(printers[i].pDriverName) == kDriverName)
            ours.push_back(printers[i].pPrinterName);
    }
    for (const std::string& name : ours)
        DeletePrinterNamed(name.c_str());
}
} // namespace fw::test
