// Model Information under Wine: the lines of the whole model and of picked entities, and what
// OK, Escape and the close box report.
#include "dialogs/tools/ModelInfoDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
using Lines = std::vector<std::string>;

Lines ExpectedLines(const char* counts[6], const char* volume, const char* x, const char* y,
                    const char* z)
{
    Lines lines = {"Model statistics", "   "};
    const char* labels[] = {"Beams",           "Solids", "Shells",
                            "Elastic springs", "Masses", "Grid points"};
    for (int i = 0; i < 6; ++i)
        lines.push_back(std::string("    ") + labels[i] + " : " + counts[i]);
    lines.push_back(" ");
    lines.push_back(std::string("    Volume (lengths, areas and volumes) : ") + volume);
    lines.insert(lines.end(), {" ", "Extents", " "});
    lines.push_back(std::string("    X : ") + x);
    lines.push_back(std::string("    Y : ") + y);
    lines.push_back(std::string("    Z : ") + z);
    return lines;
}

class ModelInfo : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        BuildInfoModel();
        TakeCodes();
    }
};
} // namespace

TEST_F(ModelInfo, WholeModelShowsCountsVolumeAndExtents)
{
    Menu(ID_INFO_MODEL);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Model Information", Caption(dialog));
    EXPECT_EQ("OK", ControlText(dialog, IDOK));
    const char* counts[6] = {"3", "0", "2", "0", "1", "8"};
    EXPECT_EQ(ExpectedLines(counts, "9.000000", "0.000000 to 3.000000", "0.000000 to 1.000000",
                            "0.000000 to 2.000000"),
              ListLines(dialog, IDC_INFO_LIST));
    EXPECT_EQ(std::vector<int>{CCmdRecord::kModelInfo}, TakeCodes());

    // OK reports to the command, which ends: the window goes.
    Click(dialog, IDOK);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kEndCommand}), TakeCodes());
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(ModelInfo, EscapeEndsTheCommandAndTheCloseBoxOnlyCloses)
{
    Menu(ID_INFO_MODEL);
    HWND dialog = OnlyDialog();
    TakeCodes();
    Escape(dialog);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kEndCommand}, TakeCodes());
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(VisibleDialogs().empty());

    Menu(ID_INFO_MODEL);
    dialog = OnlyDialog();
    TakeCodes();
    CloseBox(dialog);
    EXPECT_TRUE(TakeCodes().empty()) << "the whole-model variant closes without a word";
    EXPECT_TRUE(VisibleDialogs().empty());
}

TEST_F(ModelInfo, PickedEntitiesAreCountedAndMeasuredAlone)
{
    Menu(ID_INFO_SELECTED_MODEL);
    EXPECT_TRUE(VisibleDialogs().empty()) << "nothing opens before the pick";
    Pick({Element(1), Node(8), Element(4)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Selected Model Information", Caption(dialog));
    const char* counts[6] = {"1", "0", "1", "0", "0", "1"};
    EXPECT_EQ(ExpectedLines(counts, "3.500000", "0.000000 to 3.000000", "0.000000 to 1.000000",
                            "0.000000 to 2.000000"),
              ListLines(dialog, IDC_INFO_LIST));
    TakeCodes();
    // The close box reports like OK here; the tool starts again for the next pick.
    CloseBox(dialog);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kPostCommand,
                                CCmdRecord::kSelectedModelInfo, CCmdRecord::kPickRequest}),
              TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());
}

TEST_F(ModelInfo, EmptySelectionShowsZerosAndTheStartExtents)
{
    auto dialog = m_tools.CreateToolDialog(CToolDialog::kSelectedModelInfo, m_view->FrameKey());
    ASSERT_TRUE(dialog->Open(CEntityArray()));
    const char* counts[6] = {"0", "0", "0", "0", "0", "0"};
    const char* start = "99999999.990000 to -99999999.990000";
    EXPECT_EQ(ExpectedLines(counts, "0.000000", start, start, start),
              ListLines(OnlyDialog(), IDC_INFO_LIST));

    // The selection tool opens nothing for an empty pick.
    dialog.reset();
    fw::test::Pump();
    Menu(ID_INFO_SELECTED_MODEL);
    Pick({});
    EXPECT_TRUE(VisibleDialogs().empty());
}
