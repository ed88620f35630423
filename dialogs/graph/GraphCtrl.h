// The graph control: lays out and draws one XY graph from its data into an off-screen bitmap
// with GDI, copies that bitmap into the graph window on paint, and prints the same drawing.
#pragma once

#include "dialogs/graph/GraphData.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CGraphLegendList;
class CWnd;

class CGraphCtrl
{
public:
    enum PlotType
    {
        kLines = 1,     // lines through the points
        kMarksOnly = 3, // point marks with their coordinates only
    };
    static constexpr int kSeriesColours = 20;

    // Creates the legend list as a child of parent, the window the graph is drawn in.
    explicit CGraphCtrl(CWnd* parent);
    virtual ~CGraphCtrl();
    CGraphCtrl(const CGraphCtrl&) = delete;
    CGraphCtrl& operator=(const CGraphCtrl&) = delete;

    // A client rectangle and the window's DC: a new drawing surface of that size.
    void SetDrawRect(const RECT& rect, HDC windowDC);
    // Draws the whole graph into the drawing surface; any plot type but the two named draws
    // no series.
    void Plot(int plotType, int pointDisplay, int legendShown);
    // Copies the drawing surface into the window and fills the legend's surroundings.
    void Paint(HDC windowDC, const RECT& rect);
    // Asks for a printer and prints the graph on one landscape page. False when nothing was
    // printed; a missing printer is told to the user. The caller lays the screen out again.
    bool Print(const RECT& rect);

    COLORREF GetSeriesColour(int index) const;
    // The project's label font: face of the tick fonts, the whole font for the titles.
    void SetLabelFont(const LOGFONTA& font);

    // A font height scaled by how far the plot grew or shrank against its first size.
    static int ScaleFontHeight(int current, int initial, int base, int growStep, int shrinkStep);

    CGraphData& Data() { return m_data; }
    const CGraphData& Data() const { return m_data; }
    CGraphLegendList* Legend() const { return m_legend; }
    // The warnings of the last Plot, for the caller to show once.
    const std::vector<std::string>& Warnings() const { return m_warnings; }

    // Layout of the last Plot, in pixels of the drawing rectangle.
    POINT Position(double x, double y) const;
    int LeftMargin() const { return m_leftMargin; }
    int TopMargin() const { return m_topMargin; }
    int RightMargin() const { return m_rightMargin; }
    int BottomMargin() const { return m_bottomMargin; }
    int PlotWidth() const { return m_plotWidth; }
    int PlotHeight() const { return m_plotHeight; }
    int XDivisions() const { return m_xDivisions; }
    int YDivisions() const { return m_yDivisions; }
    int TickFontHeight() const { return m_tickFontHeight; }
    int TitleFontHeight() const { return m_titleFontHeight; }
    int LabelsEnabled() const { return m_labelsEnabled; }
    int PointDisplay() const { return m_pointDisplay; }

private:
    void ComputeMargins();
    void ReleaseSurface();
    void Layout();
    void DrawBackgroundAndAxes();
    void DrawTicksAndGrid();
    void DrawXTicks(HFONT font);
    void DrawYTicks(HFONT font);
    void DrawSeries();
    void DrawPointMark(POINT at, const char* text);
    void DrawLegendAndTitles();
    // One page with the graph straight on the printer; false when the page failed.
    bool PrintPage(HDC printer);

    CGraphData m_data;
    HDC m_memoryDC = nullptr; // owned; holds the off-screen bitmap
    HDC m_dc = nullptr;       // where Plot draws: the memory DC, or the printer's
    bool m_printing = false;
    CGraphLegendList* m_legend; // owned window object
    CWnd* m_parent;
    HBITMAP m_bitmap = nullptr; // owned
    HBITMAP m_oldBitmap = nullptr;
    HBRUSH m_greyBrush;
    HBRUSH m_whiteBrush;
    HBRUSH m_blackBrush;
    HPEN m_gridPen;
    HFONT m_pointLabelFont;
    LOGFONTA m_labelFont;
    RECT m_rect = {};
    double m_xPixelsPerUnit = 1.0;
    double m_yPixelsPerUnit = 1.0;
    int m_width = 0;
    int m_height = 0;
    double m_xRange = 0.0;
    double m_yRange = 0.0;
    int m_plotWidth = 0;
    int m_plotHeight = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
    int m_axisLine = 0;
    double m_xPixelsPerDivision = 0.0;
    double m_yPixelsPerDivision = 0.0;
    double m_xValuePerDivision = 0.0;
    double m_yValuePerDivision = 0.0;
    int m_xDivisions = 0;
    int m_yDivisions = 0;
    int m_pointDisplay = 0;
    int m_legendShown = 1;
    int m_plotType = kLines;
    int m_initialPlotWidth = 0;
    int m_initialPlotHeight = 0;
    COLORREF m_colours[kSeriesColours];
    int m_labelsEnabled = 1;
    int m_tickFontHeight = 0;
    int m_titleFontHeight = 0;
    std::vector<std::string> m_warnings;
};
