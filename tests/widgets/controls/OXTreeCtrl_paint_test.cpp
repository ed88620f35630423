// Row painting of the tree control under Wine, checked pixel by pixel against positions
// worked out from the row layout: dotted lines, +/- buttons, ellipses, bold items, selection
// and the disabled background.
#include "tests/widgets/controls/TreeTestSupport.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{
class TreePaintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(60, 60, 400, 300));
        ASSERT_TRUE(
            m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                          CRect(0, 0, 400, 300), &m_host, CTreeHost::kTreeId));
        m_root = m_tree.InsertItem("Root");
        m_child = m_tree.InsertItem("Child", m_root);
        m_grandchild = m_tree.InsertItem("Grandchild", m_child);
        m_tree.InsertItem("Child2", m_root);
        m_second = m_tree.InsertItem("Second");
        m_tree.InsertItem("Hidden below", m_second);
        m_tree.Expand(m_root, TVE_EXPAND);
        m_tree.Expand(m_child, TVE_EXPAND);
        m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
        m_background = ::GetSysColor(COLOR_WINDOW);
        Repaint();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    void Repaint()
    {
        ::RedrawWindow(m_tree.GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        fw::test::Pump();
    }

    COLORREF Pixel(int x, int y) const
    {
        const HDC dc = ::GetDC(m_tree.GetSafeHwnd());
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(m_tree.GetSafeHwnd(), dc);
        return color;
    }

    CRect RowRect(HTREEITEM item) const
    {
        CRect rect;
        m_tree.GetItemRect(item, &rect, FALSE);
        return rect;
    }

    // The tree cell of an item: the strip one indent wide that ends where its content starts.
    CRect TreeCell(HTREEITEM item, int depth) const
    {
        const CRect row = RowRect(item);
        const int indentEnd = row.left + m_tree.GetIndent() * depth;
        return CRect(indentEnd - m_tree.GetIndent(), row.top, indentEnd, row.bottom);
    }

    int CountColor(int x, int top, int bottom, COLORREF color) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            count += Pixel(x, y) == color ? 1 : 0;
        return count;
    }

    CTreeHost m_host;
    COXTreeCtrl m_tree;
    HTREEITEM m_root = nullptr;
    HTREEITEM m_child = nullptr;
    HTREEITEM m_grandchild = nullptr;
    HTREEITEM m_second = nullptr;
    COLORREF m_shadow = 0;
    COLORREF m_background = 0;
};

// Renders text as the tree should, into a bitmap, for comparison with the tree's pixels.
class ReferenceText
{
public:
    ReferenceText(const CRect& area, const char* text, HFONT font, UINT ellipsis)
        : m_area(area)
    {
        const HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateCompatibleBitmap(screen, area.Width(), area.Height());
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, area.Width(), area.Height()};
        ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        const HGDIOBJ oldFont = ::SelectObject(m_dc, font);
        ::SetBkMode(m_dc, TRANSPARENT);
        ::SetTextColor(m_dc, ::GetSysColor(COLOR_WINDOWTEXT));
        RECT textRect = {2, 0, area.Width() - 2, area.Height()};
        ::DrawTextA(m_dc, text, -1, &textRect, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | ellipsis);
        ::SelectObject(m_dc, oldFont);
    }
    ~ReferenceText()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }

    // Pixels that differ between the reference and the window's area.
    int Differences(HWND hwnd) const
    {
        const HDC dc = ::GetDC(hwnd);
        int differences = 0;
        for (int y = 0; y < m_area.Height(); ++y)
            for (int x = 0; x < m_area.Width(); ++x)
                differences +=
                    ::GetPixel(dc, m_area.left + x, m_area.top + y) != ::GetPixel(m_dc, x, y) ? 1
                                                                                              : 0;
        ::ReleaseDC(hwnd, dc);
        return differences;
    }

private:
    CRect m_area;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};
} // namespace

TEST_F(TreePaintTest, LinesAreDottedAndFollowTheTree)
{
    // Root is on the first row and has a sibling below: its line starts at the centre.
    const CRect rootCell = TreeCell(m_root, 1);
    const int rootX = rootCell.left + m_tree.GetIndent() / 2;
    const int rootY = (rootCell.top + rootCell.bottom) / 2;
    EXPECT_EQ(0, CountColor(rootX, rootCell.top, rootY - 5, m_shadow));

    // The grandchild is a last sibling: its line runs from the top to the centre and right.
    const CRect cell = TreeCell(m_grandchild, 3);
    const int x = cell.left + m_tree.GetIndent() / 2;
    const int y = (cell.top + cell.bottom) / 2;
    const int upper = CountColor(x, cell.top, y, m_shadow);
    EXPECT_GE(upper, (y - cell.top) / 2 - 1);
    EXPECT_LE(upper, (y - cell.top) / 2 + 1);
    EXPECT_EQ(0, CountColor(x, y + 1, cell.bottom, m_shadow));
    for (int dx = 0; dx < cell.right - x; dx += 2)
    {
        // Every other pixel: one of each pair is the line's.
        const int lit =
            (Pixel(x + dx, y) == m_shadow ? 1 : 0) + (Pixel(x + dx + 1, y) == m_shadow ? 1 : 0);
        EXPECT_EQ(1, lit) << "at " << x + dx;
    }
    // Its parent and grandparent have siblings below: their lines pass through this row.
    for (int level = 1; level <= 2; ++level)
    {
        const int ancestorX = x - level * m_tree.GetIndent();
        const int count = CountColor(ancestorX, cell.top, cell.bottom, m_shadow);
        EXPECT_GE(count, cell.Height() / 2 - 1) << "level " << level;
        EXPECT_EQ(cell.Height() - count,
                  CountColor(ancestorX, cell.top, cell.bottom, m_background));
    }
}

TEST_F(TreePaintTest, ButtonsShowMinusWhenExpandedAndPlusWhenCollapsed)
{
    struct Case
    {
        HTREEITEM item;
        bool expanded;
    };
    for (const Case& c : {Case{m_root, true}, Case{m_second, false}})
    {
        SCOPED_TRACE(c.expanded ? "expanded" : "collapsed");
        const CRect cell = TreeCell(c.item, 1);
        const int size = cell.Height() / 2;
        const int side = std::max(size, 9);
        const CPoint centre = cell.CenterPoint();
        const int left = centre.x - size / 2 + (size - side + 1) / 2;
        const int top = centre.y - size / 2 + (size - side + 1) / 2;
        const int middleX = left + side / 2;
        const int middleY = top + side / 2;
        EXPECT_EQ(m_shadow, Pixel(left, top));
        EXPECT_EQ(m_shadow, Pixel(left + side - 1, top + side - 1));
        EXPECT_EQ(m_background, Pixel(left + 1, top + 1));
        const COLORREF stroke = ::GetSysColor(COLOR_WINDOWTEXT);
        EXPECT_EQ(stroke, Pixel(left + 2, middleY));
        EXPECT_EQ(stroke, Pixel(left + side - 3, middleY));
        EXPECT_EQ(c.expanded ? m_background : stroke, Pixel(middleX, top + 2));
        EXPECT_EQ(c.expanded ? m_background : stroke, Pixel(middleX, top + side - 3));
    }
    // A leaf has no button: the line goes straight through the cell's centre.
    const CRect leaf = TreeCell(m_grandchild, 3);
    EXPECT_NE(::GetSysColor(COLOR_WINDOWTEXT),
              Pixel(leaf.CenterPoint().x, leaf.CenterPoint().y - 2));
}

TEST_F(TreePaintTest, AParentWhoseOnlyChildMovesAwayLosesItsButton)
{
    ASSERT_TRUE(m_tree.MoveItem(m_grandchild, TVI_ROOT, TVI_LAST));
    Repaint();
    // No box and no stroke of a minus: the line runs straight through the cell's centre.
    const CRect cell = TreeCell(m_child, 2);
    const CPoint centre = cell.CenterPoint();
    const COLORREF stroke = ::GetSysColor(COLOR_WINDOWTEXT);
    for (int dx = -3; dx <= 3; ++dx)
        EXPECT_NE(stroke, Pixel(centre.x + dx, centre.y)) << "at " << dx;
    EXPECT_NE(m_shadow, Pixel(centre.x - 4, centre.y - 4));
    EXPECT_FALSE(m_tree.ItemHasChildren(m_child));
}

TEST_F(TreePaintTest, ACutOffTextEndsWithAnEllipsisOrIsClipped)
{
    const HTREEITEM longItem = m_tree.InsertItem("A text far too long for its narrow column");
    m_tree.SetColumnWidth(0, 150);
    Repaint();
    const CRect row = RowRect(longItem);
    const CRect cell(row.left + m_tree.GetIndent(), row.top, row.left + 150, row.bottom);
    const HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const char* text = "A text far too long for its narrow column";
    EXPECT_EQ(0,
              ReferenceText(cell, text, font, DT_END_ELLIPSIS).Differences(m_tree.GetSafeHwnd()));

    m_tree.SetItemEllipsis(longItem, 0);
    Repaint();
    EXPECT_EQ(0, ReferenceText(cell, text, font, 0).Differences(m_tree.GetSafeHwnd()));
    EXPECT_NE(0,
              ReferenceText(cell, text, font, DT_END_ELLIPSIS).Differences(m_tree.GetSafeHwnd()));
}

TEST_F(TreePaintTest, ABoldItemIsPaintedInTheBoldFont)
{
    m_tree.SetItemState(m_second, TVIS_BOLD, TVIS_BOLD);
    Repaint();
    const CRect row = RowRect(m_second);
    const CRect cell(row.left + m_tree.GetIndent(), row.top, row.left + 200, row.bottom);
    LOGFONTA logFont = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfWeight = FW_BOLD;
    const HFONT bold = ::CreateFontIndirectA(&logFont);
    EXPECT_EQ(
        0, ReferenceText(cell, "Second", bold, DT_END_ELLIPSIS).Differences(m_tree.GetSafeHwnd()));
    ::DeleteObject(bold);
}

TEST_F(TreePaintTest, TheSelectedLabelIsHighlightedWithFocus)
{
    ::SetFocus(m_tree.GetSafeHwnd());
    m_tree.SelectItem(m_second);
    Repaint();
    CRect label;
    m_tree.GetItemRect(m_second, &label, TRUE);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), Pixel(label.left + 1, label.top + 1));
    const CRect other = RowRect(m_root);
    EXPECT_EQ(m_background, Pixel(label.left + 1, other.top + 1));
}

TEST_F(TreePaintTest, WithoutLinesAtRootTopLevelItemsHaveNoTreePart)
{
    m_tree.ModifyStyle(TVS_LINESATROOT, 0);
    Repaint();
    const CRect row = RowRect(m_second);
    for (int x = row.left; x < row.left + m_tree.GetIndent(); ++x)
        EXPECT_NE(m_shadow, Pixel(x, (row.top + row.bottom) / 2)) << "at " << x;
    CRect label;
    m_tree.GetItemRect(m_second, &label, TRUE);
    EXPECT_EQ(row.left, label.left);
}

TEST_F(TreePaintTest, ADisabledControlPaintsItsBackgroundsInButtonFace)
{
    ::EnableWindow(m_tree.GetSafeHwnd(), FALSE);
    Repaint();
    const CRect row = RowRect(m_child);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(row.left + 2, row.top + 1));
}

namespace
{
// An image list of solid squares, one per colour.
std::unique_ptr<CImageList> SolidImages(std::initializer_list<COLORREF> colors)
{
    auto images = std::make_unique<CImageList>();
    images->Create(16, 16, ILC_COLOR24, 0, 4);
    const HDC screen = ::GetDC(nullptr);
    for (COLORREF color : colors)
    {
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), 16, 16);
        const HDC dc = ::CreateCompatibleDC(screen);
        const HGDIOBJ old = ::SelectObject(dc, bitmap.GetSafeHandle());
        const HBRUSH brush = ::CreateSolidBrush(color);
        RECT all = {0, 0, 16, 16};
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        images->Add(&bitmap, static_cast<CBitmap*>(nullptr));
    }
    ::ReleaseDC(nullptr, screen);
    return images;
}
} // namespace

TEST_F(TreePaintTest, ImagesFollowTheIndentationAndTheSelectedImageShowsWhenSelected)
{
    auto images = SolidImages({RGB(255, 0, 0), RGB(0, 0, 255)});
    m_tree.SetImageList(images.get(), TVSIL_NORMAL);
    m_tree.SetItemImage(m_child, 0, 1);
    m_tree.SetRowHeight(18);
    Repaint();
    const CRect row = RowRect(m_child);
    const int imageLeft = row.left + 2 * m_tree.GetIndent();
    const CPoint inImage(imageLeft + 8, row.bottom - 8);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(inImage.x, inImage.y));
    UINT flags = 0;
    EXPECT_EQ(m_child, m_tree.HitTest(inImage, &flags));
    EXPECT_EQ(static_cast<UINT>(TVHT_ONITEMICON), flags);
    CRect label;
    m_tree.GetItemRect(m_child, &label, TRUE);
    EXPECT_EQ(imageLeft + 16, label.left);

    ::SetFocus(m_tree.GetSafeHwnd());
    m_tree.SelectItem(m_child);
    Repaint();
    EXPECT_EQ(RGB(0, 0, 255), Pixel(inImage.x, inImage.y));
    m_tree.SetImageList(nullptr, TVSIL_NORMAL);
}
