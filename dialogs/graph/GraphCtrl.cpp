// Graph control: margins, axes, ticks, grid, series, point marks, titles and the legend drawn
// with GDI into an off-screen bitmap or onto a printer page.
#include "dialogs/graph/GraphCtrl.h"

#include "core/services/StringFile.h"
#include "dialogs/graph/GraphLegendList.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/wnd.h"
#include "project/ProjectData.h"
#include "view/ViewMainFrame.h"
#include "widgets/bars/AnsiText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr COLORREF kGrey = 0xC8C8C8;
constexpr COLORREF kGridColour = 0x969696;
// Pixel positions far off the page are clipped here rather than overflowing an int.
constexpr double kPixelLimit = 1.0e7;
// More divisions than this cannot be told apart on any screen or page.
constexpr int kMaxDivisions = 100000;

// Selects a GDI object for one scope.
class Selected
{
public:
    Selected(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_previous(::SelectObject(dc, object))
    {
    }
    ~Selected() { ::SelectObject(m_dc, m_previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A GDI object made for one drawing step.
struct GdiDeleter
{
    void operator()(void* object) const { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using OwnedGdi = std::unique_ptr<void, GdiDeleter>;

int ToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

int Ceil(double value)
{
    return ToPixel(std::ceil(value));
}

// Texts are drawn as wide text of the process's code page: the A functions would read a
// Japanese text with the code page of the font's character set.
SIZE TextSize(HDC dc, const CString& text)
{
    const std::wstring wide = AnsiToWide(text.GetString(), text.GetLength());
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void Text(HDC dc, int x, int y, const CString& text)
{
    const std::wstring wide = AnsiToWide(text.GetString(), text.GetLength());
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
}

CString GraphMessage(const char* key, const char* english)
{
    CString text;
    if (!LoadStringFromFile(CString("Message.str"), CString("Graph"), CString(key), &text) ||
        text.IsEmpty())
        text = english;
    return text;
}

// The text's one "%d" takes the series number; a text without it gets the number appended.
std::string FormatSeriesMessage(const CString& format, int series)
{
    std::string text = format.GetString();
    const std::string number = std::to_string(series);
    const size_t at = text.find("%d");
    if (at == std::string::npos)
        return text + " " + number;
    return text.replace(at, 2, number);
}

// Wine strokes a wide pen's polyline as one shape, slowly for thousands of points (1.7 s for
// 20 × 5,000); short runs that share their end points look the same and take 20 ms.
void DrawLine(HDC dc, const std::vector<POINT>& line)
{
    constexpr size_t kRun = 16;
    for (size_t first = 0; first + 1 < line.size(); first += kRun)
    {
        const size_t count = std::min(kRun + 1, line.size() - first);
        ::Polyline(dc, line.data() + first, static_cast<int>(count));
    }
}

bool IsEmptyRect(const RECT& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

const LOGFONTA* OpenProjectLabelFont()
{
    CViewMainFrame* frame = GetViewMainFrame();
    const CProjectData* project = frame != nullptr ? frame->GetProject() : nullptr;
    return project != nullptr ? &project->m_settings.m_generalFont.font : nullptr;
}
} // namespace

CGraphCtrl::CGraphCtrl(CWnd* parent)
    : m_legend(new CGraphLegendList(this))
    , m_parent(parent)
    , m_greyBrush(::CreateSolidBrush(kGrey))
    , m_whiteBrush(::CreateSolidBrush(RGB(255, 255, 255)))
    , m_blackBrush(::CreateSolidBrush(RGB(0, 0, 0)))
    , m_gridPen(::CreatePen(PS_DOT, 0, kGridColour))
{
    LOGFONTA pointFont = {};
    pointFont.lfHeight = 8;
    pointFont.lfWeight = 600;
    pointFont.lfOutPrecision = OUT_TT_PRECIS;
    pointFont.lfQuality = PROOF_QUALITY;
    std::strcpy(pointFont.lfFaceName, "MS UI Gothic");
    m_pointLabelFont = ::CreateFontIndirectA(&pointFont);
    // Without a project the tick and title fonts take this face.
    m_labelFont = {};
    m_labelFont.lfHeight = -12;
    m_labelFont.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(m_labelFont.lfFaceName, "Arial");
    // Blue through red to green.
    for (int i = 0; i < kSeriesColours; ++i)
        m_colours[i] =
            i < 10 ? RGB(25 * (i + 1), 0, 230 - 25 * i) : RGB(250 - 25 * (i - 9), 25 * (i - 9), 5);
    if (parent != nullptr && parent->m_hWnd != nullptr)
        m_legend->CreateInParent(parent);
}

CGraphCtrl::~CGraphCtrl()
{
    ReleaseSurface();
    if (m_legend->m_hWnd != nullptr)
        m_legend->DestroyWindow();
    delete m_legend;
    ::DeleteObject(m_greyBrush);
    ::DeleteObject(m_whiteBrush);
    ::DeleteObject(m_blackBrush);
    ::DeleteObject(m_gridPen);
    ::DeleteObject(m_pointLabelFont);
}

void CGraphCtrl::SetLabelFont(const LOGFONTA& font)
{
    m_labelFont = font;
}

COLORREF CGraphCtrl::GetSeriesColour(int index) const
{
    if (index < 0)
        return RGB(0, 0, 0);
    return m_colours[index % kSeriesColours];
}

int CGraphCtrl::ScaleFontHeight(int current, int initial, int base, int growStep, int shrinkStep)
{
    // Before the first layout there is nothing to scale against.
    if (initial <= 0)
        return base;
    const int percent = static_cast<int>(static_cast<double>(current) / initial * 100.0);
    if (percent == 100)
        return base;
    if (percent > 100)
        return base + (percent - 100 + growStep - 1) / growStep;
    const int shrink = 100 - percent;
    if (shrink <= 7)
        return base;
    return base - (shrink - 7 + shrinkStep - 1) / shrinkStep;
}

void CGraphCtrl::ComputeMargins()
{
    m_width = static_cast<int>(m_rect.right - m_rect.left - 18.0);
    m_height = static_cast<int>(m_rect.bottom - m_rect.top - 18.0);
    m_leftMargin = static_cast<int>(std::ceil(m_width / 12.0));
    m_topMargin = static_cast<int>(std::ceil(m_height / 15.0));
    m_bottomMargin = static_cast<int>(std::ceil(m_height / 6.0));
    m_rightMargin = static_cast<int>(std::ceil(m_width * (m_legendShown == 1 ? 0.2 : 0.125)));
    m_axisLine = m_height - m_bottomMargin;
}

void CGraphCtrl::ReleaseSurface()
{
    if (m_memoryDC != nullptr)
    {
        ::SelectObject(m_memoryDC, m_oldBitmap);
        ::DeleteDC(m_memoryDC);
    }
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_memoryDC = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    if (!m_printing)
        m_dc = nullptr;
}

void CGraphCtrl::SetDrawRect(const RECT& rect, HDC windowDC)
{
    m_rect = rect;
    if (IsEmptyRect(rect))
        return;
    ComputeMargins();
    ReleaseSurface();
    m_memoryDC = ::CreateCompatibleDC(windowDC);
    const int bitmapWidth = std::max(1, static_cast<int>(rect.right - rect.left) - m_rightMargin);
    const int bitmapHeight = std::max(1, static_cast<int>(rect.bottom - rect.top));
    m_bitmap = ::CreateCompatibleBitmap(windowDC, bitmapWidth, bitmapHeight);
    m_oldBitmap = static_cast<HBITMAP>(::SelectObject(m_memoryDC, m_bitmap));
    const RECT whole = {0, 0, bitmapWidth, bitmapHeight};
    ::FillRect(m_memoryDC, &whole, m_greyBrush);
    m_dc = m_memoryDC;
}

void CGraphCtrl::Plot(int plotType, int pointDisplay, int legendShown)
{
    if (IsEmptyRect(m_rect) || m_dc == nullptr)
        return;
    m_plotType = plotType;
    m_pointDisplay = pointDisplay;
    m_legendShown = legendShown;
    m_warnings.clear();
    if (const LOGFONTA* font = OpenProjectLabelFont())
        m_labelFont = *font;
    DrawBackgroundAndAxes();
    m_labelsEnabled = m_width >= 300 && m_height >= 150 ? 1 : 0;
    Layout();
    if (m_initialPlotWidth == 0 && m_initialPlotHeight == 0)
    {
        m_initialPlotWidth = m_plotWidth;
        m_initialPlotHeight = m_plotHeight;
    }
    DrawTicksAndGrid();
    if (plotType == kLines || plotType == kMarksOnly)
        DrawSeries();
    DrawLegendAndTitles();
}

void CGraphCtrl::DrawBackgroundAndAxes()
{
    if (!m_printing)
        ::FillRect(m_dc, &m_rect, m_greyBrush);
    const RECT plotArea = {m_leftMargin, m_topMargin, m_width - m_rightMargin,
                           m_height - m_bottomMargin};
    ::FillRect(m_dc, &plotArea, m_whiteBrush);
    OwnedGdi axisPen(::CreatePen(PS_SOLID, m_printing ? 5 : 2, RGB(0, 0, 0)));
    Selected pen(m_dc, axisPen.get());
    Line(m_dc, m_leftMargin, m_axisLine, m_width - m_rightMargin, m_axisLine);
    Line(m_dc, m_leftMargin, m_topMargin, m_leftMargin, m_axisLine);
}

void CGraphCtrl::Layout()
{
    m_data.ComputeRange();
    m_data.WidenRange();
    const auto divisionsOf = [](double maximum)
    { return static_cast<int>(std::clamp(maximum, 1.0, static_cast<double>(kMaxDivisions))); };
    switch (m_data.m_axisKind)
    {
    case CGraphData::kXLabels:
        m_xDivisions = divisionsOf(m_data.m_xMax);
        m_yDivisions = 10;
        break;
    case CGraphData::kYLabels:
        m_xDivisions = 10;
        m_yDivisions = divisionsOf(m_data.m_yMax);
        break;
    case CGraphData::kBothLabels:
        m_xDivisions = divisionsOf(m_data.m_xMax);
        m_yDivisions = divisionsOf(m_data.m_yMax);
        break;
    default: m_xDivisions = m_yDivisions = 10; break; // numeric, or no series at all
    }
    if (m_data.m_xDegenerate == 1)
        m_xDivisions = 2;
    if (m_data.m_yDegenerate == 1)
        m_yDivisions = 2;
    m_xRange = m_data.m_xMax - m_data.m_xMin;
    m_yRange = m_data.m_yMax - m_data.m_yMin;
    m_plotWidth = m_width - m_rightMargin - m_leftMargin;
    m_plotHeight = m_height - m_bottomMargin - m_topMargin;
    m_axisLine = m_height - m_bottomMargin;
    m_xPixelsPerUnit = m_xRange != 0.0 ? m_plotWidth / m_xRange : 0.0;
    m_yPixelsPerUnit = m_yRange != 0.0 ? m_plotHeight / m_yRange : 0.0;
}

POINT CGraphCtrl::Position(double x, double y) const
{
    return {m_leftMargin + Ceil((x - m_data.m_xMin) * m_xPixelsPerUnit),
            m_axisLine - Ceil((y - m_data.m_yMin) * m_yPixelsPerUnit)};
}

void CGraphCtrl::DrawTicksAndGrid()
{
    m_tickFontHeight = std::min(ScaleFontHeight(m_plotWidth, m_initialPlotWidth, 13, 10, 10),
                                ScaleFontHeight(m_plotHeight, m_initialPlotHeight, 13, 10, 10));
    LOGFONTA tickFont = {};
    tickFont.lfHeight = m_tickFontHeight;
    // The face's own character set: a zero one would ask for a Western font.
    tickFont.lfCharSet = m_labelFont.lfCharSet;
    std::memcpy(tickFont.lfFaceName, m_labelFont.lfFaceName, sizeof tickFont.lfFaceName);
    OwnedGdi yFont(::CreateFontIndirectA(&tickFont));
    tickFont.lfEscapement = 900;
    OwnedGdi xFont(::CreateFontIndirectA(&tickFont));

    m_xPixelsPerDivision = static_cast<double>(m_plotWidth) / m_xDivisions;
    m_yPixelsPerDivision = static_cast<double>(m_plotHeight) / m_yDivisions;
    m_xValuePerDivision = m_xRange / m_xDivisions;
    m_yValuePerDivision = m_yRange / m_yDivisions;
    // Numeric labels are made even when too small a plot hides them: their count places the
    // grid lines.
    const int kind = m_data.m_axisKind;
    if (kind == CGraphData::kXLabels || kind == CGraphData::kBothNumeric)
        m_data.GenerateYLabels(m_yValuePerDivision, m_yPixelsPerDivision, m_plotHeight);
    if (kind == CGraphData::kYLabels || kind == CGraphData::kBothNumeric)
        m_data.GenerateXLabels(m_xValuePerDivision, m_xPixelsPerDivision, m_plotWidth);

    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, RGB(0, 0, 0));
    DrawXTicks(static_cast<HFONT>(xFont.get()));
    DrawYTicks(static_cast<HFONT>(yFont.get()));
}

void CGraphCtrl::DrawXTicks(HFONT font)
{
    Selected selectedFont(m_dc, font);
    const auto& labels = m_data.m_xLabelRegistry;
    for (size_t k = 1; k <= labels.size(); ++k)
    {
        const int x = Ceil(k * m_xPixelsPerDivision);
        if (x >= m_plotWidth)
            break;
        const int at = m_leftMargin + x;
        if (m_labelsEnabled == 1)
        {
            const CString text = labels[k - 1].Left(10);
            Text(m_dc, at, m_axisLine + TextSize(m_dc, text).cx + 4, text);
            Line(m_dc, at, m_axisLine, at, m_axisLine + 5);
        }
        Selected pen(m_dc, m_gridPen);
        Line(m_dc, at, m_axisLine, at, m_topMargin);
    }
    const int kind = m_data.m_axisKind;
    if (kind == CGraphData::kYLabels || kind == CGraphData::kBothNumeric)
    {
        const CString origin = CGraphData::FormatTickValue(m_data.m_xMin);
        Text(m_dc, m_leftMargin, m_axisLine + TextSize(m_dc, origin).cx + 4, origin);
    }
}

void CGraphCtrl::DrawYTicks(HFONT font)
{
    Selected selectedFont(m_dc, font);
    const int kind = m_data.m_axisKind;
    if (kind == CGraphData::kXLabels || kind == CGraphData::kBothNumeric)
    {
        const CString origin = CGraphData::FormatTickValue(m_data.m_yMin);
        const SIZE size = TextSize(m_dc, origin);
        Text(m_dc, m_leftMargin - size.cx - 2, m_axisLine - size.cy, origin);
    }
    if (m_yPixelsPerDivision == 0.0)
        return;
    const auto& labels = m_data.m_yLabelRegistry;
    for (size_t k = 1; k <= labels.size(); ++k)
    {
        const int y = k == 1 ? ToPixel(m_yPixelsPerDivision) : Ceil(k * m_yPixelsPerDivision);
        if (y >= m_plotHeight)
            break;
        const int at = m_axisLine - y;
        if (m_labelsEnabled == 1)
        {
            Line(m_dc, m_leftMargin - 5, at, m_leftMargin, at);
            const SIZE size = TextSize(m_dc, labels[k - 1]);
            Text(m_dc, m_leftMargin - size.cx - 4, at - size.cy, labels[k - 1]);
        }
        Selected pen(m_dc, m_gridPen);
        Line(m_dc, m_leftMargin, at, m_width - m_rightMargin, at);
    }
}

void CGraphCtrl::DrawPointMark(POINT at, const char* text)
{
    Selected brush(m_dc, m_whiteBrush);
    ::Ellipse(m_dc, at.x - 4, at.y - 4, at.x + 4, at.y + 4);
    Selected font(m_dc, m_pointLabelFont);
    Text(m_dc, at.x - 20, at.y - 15, text);
}

void CGraphCtrl::DrawSeries()
{
    const int count = m_data.SeriesCount();
    int outOfRange = 0;
    bool hasSecondPoint = false;
    int lastSingle = -1;
    POINT lastSinglePoint = {};
    std::vector<POINT> line;
    char text[128];
    ::SetBkMode(m_dc, TRANSPARENT);
    for (int i = 0; i < count; ++i)
    {
        OwnedGdi seriesPen(::CreatePen(PS_SOLID, 2, GetSeriesColour(i)));
        Selected pen(m_dc, seriesPen.get());
        const auto& points = m_data.Series(i).m_points;
        const auto first = std::find_if(points.begin(), points.end(),
                                        [](const CGraphPoint& p) { return p.IsValid(); });
        if (first == points.end())
        {
            const CString format =
                GraphMessage("SeriesOutOfRange", "All Graph Points are out of range for Series %d");
            m_warnings.push_back(FormatSeriesMessage(format, i + 1));
            ++outOfRange;
            continue;
        }
        line.clear();
        line.push_back(Position(first->x, first->y));
        if (m_pointDisplay == 1)
        {
            std::snprintf(text, sizeof text, "(%.5lf,%.5lf)", first->x, first->y);
            DrawPointMark(line.back(), text);
        }
        for (auto p = first + 1; p != points.end(); ++p)
        {
            if (!p->IsValid())
                continue;
            const POINT at = Position(p->x, p->y);
            if (m_pointDisplay == 1)
            {
                const bool isSmall = (p->x > -1.0 && p->x < 1.0) || (p->y > -1.0 && p->y < 1.0);
                std::snprintf(text, sizeof text, isSmall ? "(%.5lf,%.5lf)" : "(%.2lf,%.2lf)", p->x,
                              p->y);
                DrawPointMark(at, text);
            }
            line.push_back(at);
        }
        if (line.size() > 1)
        {
            hasSecondPoint = true;
            if (m_plotType == kLines)
                DrawLine(m_dc, line);
        }
        else
        {
            lastSingle = i;
            lastSinglePoint = line.front();
        }
    }
    // Single points would show nothing without their marks.
    if (lastSingle >= 0 && !hasSecondPoint)
    {
        OwnedGdi lastPen(::CreatePen(PS_SOLID, 2, GetSeriesColour(count - 1)));
        Selected pen(m_dc, lastPen.get());
        Selected brush(m_dc, m_blackBrush);
        ::Ellipse(m_dc, lastSinglePoint.x - 3, lastSinglePoint.y - 3, lastSinglePoint.x + 3,
                  lastSinglePoint.y + 3);
    }
    if (count > 0 && outOfRange == count)
        m_warnings.push_back(
            GraphMessage("AllSeriesOutOfRange", "Graph Points are out of range for All Series")
                .GetString());
}

void CGraphCtrl::DrawLegendAndTitles()
{
    // The legend is a window beside the drawing, never part of a printout.
    if (m_legendShown == 1 && !m_printing && m_legend->m_hWnd != nullptr)
    {
        const int rectWidth = m_rect.right - m_rect.left;
        const int rectHeight = m_rect.bottom - m_rect.top;
        m_legend->MoveWindow(rectWidth - m_rightMargin - 2, m_topMargin - 3, m_rightMargin - 2,
                             std::max(0, rectHeight - m_bottomMargin - m_topMargin - 14));
        m_legend->Refill();
    }
    CString& title = m_data.m_title;
    CString& xCaption = m_data.m_xCaption;
    CString& yCaption = m_data.m_yCaption;
    if (title.IsEmpty() && (xCaption.IsEmpty() || yCaption.IsEmpty()))
        return;
    title.MakeUpper();
    xCaption.MakeUpper();
    yCaption.MakeUpper();
    m_titleFontHeight = std::min(ScaleFontHeight(m_plotWidth, m_initialPlotWidth, 12, 8, 20),
                                 ScaleFontHeight(m_plotHeight, m_initialPlotHeight, 12, 8, 20));
    LOGFONTA titleFont = m_labelFont;
    titleFont.lfHeight = m_titleFontHeight;
    titleFont.lfWeight = 600;
    titleFont.lfOutPrecision = OUT_TT_PRECIS;
    titleFont.lfQuality = PROOF_QUALITY;
    OwnedGdi font(::CreateFontIndirectA(&titleFont));
    titleFont.lfEscapement = 900;
    OwnedGdi upwardFont(::CreateFontIndirectA(&titleFont));
    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, RGB(0, 0, 0));
    const int centreX = m_leftMargin + m_plotWidth / 2;
    const int centreY = m_topMargin + m_plotHeight / 2;
    {
        Selected selected(m_dc, font.get());
        Text(m_dc, centreX - TextSize(m_dc, title).cx / 2, m_topMargin - m_topMargin / 2, title);
        Text(m_dc, centreX - TextSize(m_dc, xCaption).cx / 2,
             static_cast<int>(m_axisLine + m_bottomMargin * 2.0 / 3.0), xCaption);
    }
    Selected selected(m_dc, upwardFont.get());
    Text(m_dc, m_leftMargin - static_cast<int>(m_leftMargin * 0.95),
         centreY + TextSize(m_dc, yCaption).cx / 2, yCaption);
}

void CGraphCtrl::Paint(HDC windowDC, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (m_memoryDC != nullptr)
        ::BitBlt(windowDC, rect.left, rect.top, width, height, m_memoryDC, 0, 0, SRCCOPY);
    if (m_printing)
        return;
    const auto fill = [&](int left, int top, int right, int bottom)
    {
        const RECT strip = {left, top, right, bottom};
        ::FillRect(windowDC, &strip, m_greyBrush);
    };
    if (m_legendShown == 1)
    {
        fill(width - m_rightMargin, 0, width, m_topMargin + 1);
        fill(width - 2, m_topMargin, width, height - m_bottomMargin);
        fill(width - m_rightMargin, height - m_bottomMargin - 14, width, height);
    }
    else
    {
        fill(width - m_rightMargin, 0, width, height);
    }
}
