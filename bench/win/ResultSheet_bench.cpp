// The result list of a million picked nodes under Wine: the values of three results read for
// the picks, the result sheet shown with them (filled and painted), a formula column over them
// and the CSV file written. Run from the repository root:
// wine build/win/ResultSheet_bench.exe [quads per side]
#include "dialogs/tools/ResultSheet.h"

#include "WinBench.h"
#include "core/model/ResultData.h"
#include "dialogs/tools/XLSControlDlg.h"
#include "platform/base/os.h"
#include "platform/win/app.h"
#include "platform/win/msgloop.h"
#include "platform/win/wnd.h"
#include "resources/resource.h"
#include "view/CmdRecord.h"
#include "view/ResultListTable.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
std::vector<double> Column(const CResultListRecord& record, int index)
{
    const CDataSeries& series = record.m_Series[index];
    return std::vector<double>(series.m_values.GetData(),
                               series.m_values.GetData() + series.m_values.GetSize());
}
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 999;
    CWinApp app("ResultSheetBench");
    CModelSet model;
    win_bench::BuildQuadPlate(model, side, 1);
    const int nodeCount = model.GetNodeCount();

    // A scalar and a vector at the nodes, with values of full precision.
    CResultData scalar;
    scalar.m_flags = CResultData::kFlagAtNodes;
    CResultData vector;
    vector.m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector;
    for (int id = 1; id <= nodeCount; ++id)
    {
        scalar.SetNodeValue(id, 1.0e-6 * id / 3.0);
        vector.SetNodeVector(id, CPoint3D(id * 0.1, -id * 0.2, id / 7.0));
    }
    // Every node picked, in reverse order: the list sorts them.
    CEntityArray picks;
    for (int id = nodeCount; id >= 1; --id)
        picks.Add(model.GetNode(id));
    const std::vector<CChosenResult> chosen = {
        {&scalar, 12, "Strain"}, {&vector, 16, "Resultant : Disp"}, {&vector, 14, "Y : Disp"}};

    double start = win_bench::Now();
    CResultListRecord record;
    BuildResultList(model, picks, true, chosen, &record);
    const double read = win_bench::Now() - start;
    std::printf("%d picked nodes, %d results: values read and sorted in %.3f s\n",
                int(record.m_Ids.GetSize()), int(record.m_Series.GetSize()), read);

    // The sheet as the command shows it: the record copied in, the window made and painted.
    start = win_bench::Now();
    CXLSControlDlg sheet;
    sheet.m_ids.assign(record.m_Ids.GetData(), record.m_Ids.GetData() + record.m_Ids.GetSize());
    for (INT_PTR i = 0; i < record.m_Series.GetSize(); ++i)
        sheet.m_columns.Add(record.m_Series[i]);
    if (!sheet.Create(IDD_XLS_CONTROL, nullptr))
    {
        std::printf("no sheet\n");
        return 1;
    }
    sheet.ShowWindow(SW_SHOW);
    sheet.UpdateWindow();
    fw::PumpMessages();
    const double shown = win_bench::Now() - start;
    std::printf("sheet filled and painted: %.3f s (%zu rows)\n", shown,
                sheet.Sheet() != nullptr ? sheet.Sheet()->RowCount() : size_t(0));

    // A formula column over the three columns (the sheet's table, as its Formula button adds).
    CResultSheet table("Node ID", sheet.m_ids);
    for (int i = 0; i < 3; ++i)
        table.AddResultColumn(record.m_Series[i].m_title.GetString(), Column(record, i));
    start = win_bench::Now();
    const bool added = table.AddFormulaColumn("2*(C1+C2)-C3/1.5e-3");
    const double formula = win_bench::Now() - start;
    std::printf("formula column 2*(C1+C2)-C3/1.5e-3: %.3f s%s\n", formula,
                added ? "" : " (refused)");

    // The CSV file, text and write.
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "gravik_sheet_bench.csv";
    start = win_bench::Now();
    const std::string csv = table.ToCsv();
    const double text = win_bench::Now() - start;
    const bool saved = fw::os::SaveWholeFile(path, csv);
    const double written = win_bench::Now() - start;
    std::printf("CSV of %.1f MB: text %.3f s, written %.3f s in all%s\n", csv.size() / 1e6, text,
                written, saved ? "" : " (not saved)");
    ::DeleteFileA(path.c_str());

    sheet.DestroyWindow();
    return 0;
}
