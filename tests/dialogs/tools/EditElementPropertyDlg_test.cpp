// Element property edit under Wine: the ids offered, the texts refused, and an accepted id that
// the picked elements take, drawn in its colour and kept visible by the property filter.
#include "dialogs/tools/EditElementPropertyDlg.h"

#include "core/model/ModelSet.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using tools_test::ToolFixture;
using view_window_test::ReadPixel;

namespace
{
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Two quads of property 1 (red) side by side; property 12 (blue) known to the model, 5 too.
class ElementProperty : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        for (int i = 0; i < 3; ++i)
        {
            AddTestNode(Model(), 2 * i + 1, 10 * i, 0, 0);
            AddTestNode(Model(), 2 * i + 2, 10 * i, 10, 0);
        }
        AddQuad(Model(), 1, 1, 3, 4, 2);
        AddQuad(Model(), 2, 3, 5, 6, 4);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        for (const auto& [id, color] : {std::pair<int, COLORREF>{12, kBlue}, {1, kRed}, {5, kRed}})
        {
            Model().AddPropertyColor(id);
            Model().LookupPropertyColor(id)->color = static_cast<int>(color);
        }
        OpenToolView();
        m_view->EditScene().SetDisplayMode(kHiddenLine);
        m_view->EditScene().SetColorMode(kColorByProperty);
        m_view->ElementFilter().SetMode(CCAEView::kFilterByProperty);
        m_view->ElementFilter().Properties().RemoveAll();
        m_view->ElementFilter().Properties().SetAt(1, 1);
        m_view->Renderer().RenderAll();
        Menu(ID_EDIT_ELEMENT_PROPERTY);
        Pick({Element(1), Element(2)});
        m_dialog = OnlyDialog();
        ASSERT_NE(nullptr, m_dialog);
        TakeCodes();
    }

    // The colour at the middle of quad 1.
    std::array<int, 3> QuadPixel()
    {
        DrawFrame(m_view);
        m_view->MakeCurrent();
        const CPoint3D p = m_view->Device().ProjectToWindow(CPoint3D(5, 5, 0), &m_view->Camera(0));
        CRect client;
        m_view->GetClientRect(&client);
        return ReadPixel(static_cast<int>(p.x), static_cast<int>(p.y), client.Height());
    }
    void Type(const char* text)
    {
        ::SetDlgItemTextA(m_dialog, IDC_ELEMPROP_COMBO, text);
        Click(m_dialog, IDOK);
    }

    HWND m_dialog = nullptr;
};
} // namespace

TEST_F(ElementProperty, OffersTheModelsPropertyIdsAscending)
{
    EXPECT_EQ("Element Property", Caption(m_dialog));
    EXPECT_EQ("Property ID", ControlText(m_dialog, IDC_ELEMPROP_LABEL));
    const HWND combo = ::GetDlgItem(m_dialog, IDC_ELEMPROP_COMBO);
    ASSERT_EQ(3, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((std::vector<int>{1, 5, 12})[i], ::SendMessageA(combo, CB_GETITEMDATA, i, 0));
    EXPECT_EQ(CB_ERR, ::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("", ControlText(m_dialog, IDC_ELEMPROP_COMBO));
}

TEST_F(ElementProperty, RefusesEverythingButAPositiveWholeNumberOfDigits)
{
    for (const char* text :
         {"0", "00", "-3", "+3", "1.5", "12a", " 12", "", "99999999999", "2147483648"})
    {
        SCOPED_TRACE(text);
        const size_t boxes = (*m_services)->messageBoxes.size();
        Type(text);
        ASSERT_EQ(boxes + 1, (*m_services)->messageBoxes.size());
        EXPECT_EQ("Type a property ID of digits only, from 1 to 2147483647.", LastMessage());
        EXPECT_NE(0u, (*m_services)->messageBoxes.back().type & MB_ICONERROR);
        EXPECT_TRUE(TakeCodes().empty());
        EXPECT_TRUE(::IsWindowVisible(m_dialog));
    }
    EXPECT_EQ(1, static_cast<CFEElement*>(Element(1))->m_propertyId);
}

TEST_F(ElementProperty, TypedIdIsAppliedDrawnInItsColourAndTheToolStartsAgain)
{
    EXPECT_EQ(GetRValue(kRed), QuadPixel()[0]);
    Type("012");
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk, CCmdRecord::kElementPropertyApply,
                                CCmdRecord::kDone, CCmdRecord::kPostCommand,
                                CCmdRecord::kElementProperty, CCmdRecord::kPickRequest}),
              TakeCodes());
    EXPECT_FALSE(::IsWindow(m_dialog));
    EXPECT_EQ(12, static_cast<CFEElement*>(Element(1))->m_propertyId);
    EXPECT_EQ(12, static_cast<CFEElement*>(Element(2))->m_propertyId);
    int shown = 0;
    EXPECT_TRUE(m_view->ElementFilter().Properties().Lookup(12, shown));
    EXPECT_EQ(1, shown) << "the new property is visible under the filter";
    EXPECT_EQ(1, Frame().m_project->m_modified);
    EXPECT_EQ((std::array<int, 3>{0, 0, 255}), QuadPixel());
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting()) << "waiting for the next elements";
}

TEST_F(ElementProperty, ChosenIdAndAnIdNoRecordNamesAreAccepted)
{
    ::SendDlgItemMessageA(m_dialog, IDC_ELEMPROP_COMBO, CB_SETCURSEL, 1, 0);
    Click(m_dialog, IDOK);
    EXPECT_EQ(5, static_cast<CFEElement*>(Element(2))->m_propertyId);

    Pick({Element(2)});
    m_dialog = OnlyDialog();
    Type("77");
    EXPECT_EQ(77, static_cast<CFEElement*>(Element(2))->m_propertyId);
    EXPECT_EQ(5, static_cast<CFEElement*>(Element(1))->m_propertyId) << "not picked";
    EXPECT_NE(nullptr, Model().LookupPropertyColor(77));
}

TEST_F(ElementProperty, CancelChangesNothingAndEndsTheTool)
{
    Click(m_dialog, IDCANCEL);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kEndCommand}, TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(1, static_cast<CFEElement*>(Element(1))->m_propertyId);
    EXPECT_EQ(0, Frame().m_project->m_modified);
}
