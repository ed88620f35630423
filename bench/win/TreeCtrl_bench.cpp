// The multi-column tree control under Wine with many items: appending top-level items,
// filling a collapsed folder and expanding it, sorting the expanded tree by a column, and
// deleting everything. Run from the repository root: wine build/win/TreeCtrl_bench.exe [items]
#include "platform/win/wnd.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace
{
double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Names in a scrambled order, so that sorting has work to do.
std::string Name(int i, int count)
{
    const long long scrambled = (static_cast<long long>(i) * 7919) % count;
    return "item " + std::to_string(scrambled);
}
} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(std::atoi(argv[1]), 10) : 5000;
    CWnd host;
    host.CreateEx(0, fw::RegisterWndClass(0), "bench", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr);
    COXTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                CRect(0, 0, 600, 400), &host, 1);
    tree.InsertColumn(1, "value", LVCFMT_LEFT, 100);

    const double append = Seconds(
        [&]
        {
            for (int i = 0; i < count; ++i)
                tree.InsertItem(Name(i, count).c_str());
        });
    HTREEITEM folder = nullptr;
    const double fill = Seconds(
        [&]
        {
            folder = tree.InsertItem("folder", TVI_ROOT, TVI_FIRST);
            for (int i = 0; i < count; ++i)
                tree.SetItemText(tree.InsertItem(Name(i, count).c_str(), folder), "v", 1);
        });
    const double expand = Seconds([&] { tree.Expand(folder, TVE_EXPAND); });
    const double sort = Seconds([&] { tree.SortByColumn(nullptr, 0, TRUE); });
    const double collapse = Seconds([&] { tree.Expand(folder, TVE_COLLAPSE); });
    const double clear = Seconds([&] { tree.DeleteAllItems(); });

    std::printf("tree of %d + %d items under Wine (seconds)\n", count, count);
    std::printf("  append top-level items     %8.3f\n", append);
    std::printf("  fill a collapsed folder    %8.3f\n", fill);
    std::printf("  expand the folder          %8.3f\n", expand);
    std::printf("  sort everything by name    %8.3f\n", sort);
    std::printf("  collapse the folder        %8.3f\n", collapse);
    std::printf("  delete all                 %8.3f\n", clear);
    host.DestroyWindow();
    return 0;
}
