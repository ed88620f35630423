// 3-D view: printing. The view is rendered into a bitmap of a fixed size in an OpenGL context of
// its own, every list rebuilt there with fonts scaled to the bitmap, and the bitmap is stretched
// to the page width; the view's own context and state are as before afterwards.
#include "core/services/StringFile.h"
#include "platform/docview/print.h"
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/dib.h"
#include "platform/win/platform_ids.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ImageExporter.h"

#include <GL/gl.h>
#include <algorithm>
#include <vector>

namespace
{
// The printed picture, whatever the window's size.
constexpr int kPrintWidth = 2384;
constexpr int kPrintHeight = 1460;

BYTE AskReverseBlackAndWhite()
{
    CString question;
    LoadStringFromFile(CString("Message.str"), CString("Confirm"), CString("ReverseBlackAndWhite"),
                       &question);
    return AfxMessageBox(question.GetString(), MB_YESNO | MB_ICONQUESTION) == IDYES ? 1 : 0;
}

// The volume widened about its centre to the bitmap's proportions, so that the printout shows
// what the view shows, undistorted.
void FitToAspect(CViewVolume& volume, double width, double height)
{
    CPoint3D& start = volume.m_volumeStart;
    CPoint3D& end = volume.m_volumeEnd;
    const double volumeWidth = end.x - start.x;
    const double volumeHeight = end.y - start.y;
    if (volumeWidth <= 0.0 || volumeHeight <= 0.0)
        return;
    const double aspect = width / height;
    if (volumeWidth / volumeHeight < aspect)
    {
        const double grow = (volumeHeight * aspect - volumeWidth) / 2;
        start.x -= grow;
        end.x += grow;
    }
    else
    {
        const double grow = (volumeWidth / aspect - volumeHeight) / 2;
        start.y -= grow;
        end.y += grow;
    }
}

// Rows of red, green, blue from the top as a bottom-up 24-bit DIB (blue, green, red); the
// bitmap's width makes every row a multiple of 4 bytes.
std::vector<unsigned char> ToBottomUpBgr(const std::vector<unsigned char>& rows, int width,
                                         int height)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> dib(rows.size());
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* from = rows.data() + static_cast<size_t>(height - 1 - y) * rowBytes;
        unsigned char* to = dib.data() + static_cast<size_t>(y) * rowBytes;
        for (size_t x = 0; x < rowBytes; x += 3)
        {
            to[x] = from[x + 2];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x];
        }
    }
    return dib;
}
} // namespace

// What a printout changes in the view and puts back: the printing flag, the current context,
// the cameras of the scene and the corner triad, the general font and the lists made from
// fonts in the view's context.
class CPrintSession
{
public:
    // settings: the project's, or null.
    CPrintSession(CCAEView& view, CAESettings* settings)
        : m_view(view)
        , m_settings(settings)
        , m_dc(wglGetCurrentDC())
        , m_context(wglGetCurrentContext())
        , m_scene(view.Camera(CSceneView::kSceneViewport))
        , m_triad(view.Camera(CSceneView::kCornerTriadViewport))
        , m_textFontBase(view.TextFontBase())
        , m_elementLabelFontBase(view.ElementLabelFontBase())
        , m_nodeLabelFontBase(view.NodeLabelFontBase())
        , m_textLists(view.GetTextLists())
    {
        if (m_settings != nullptr)
            m_generalFont = m_settings->m_generalFont.font;
        m_view.SetPrinting(true);
    }
    ~CPrintSession()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (m_context != nullptr)
            wglMakeCurrent(m_dc, m_context);
        m_view.Camera(CSceneView::kSceneViewport) = m_scene;
        m_view.Camera(CSceneView::kCornerTriadViewport) = m_triad;
        if (m_settings != nullptr)
            m_settings->m_generalFont.font = m_generalFont;
        m_view.SetTextFontBase(m_textFontBase);
        m_view.SetLabelFontBases(m_nodeLabelFontBase, m_elementLabelFontBase);
        m_view.SetTextLists(m_textLists);
        m_view.Device().SetFontListBase(m_textFontBase);
        m_view.SetPrinting(false);
    }
    CPrintSession(const CPrintSession&) = delete;
    CPrintSession& operator=(const CPrintSession&) = delete;

    // The bitmap's context is current: the cameras of the bitmap, the fonts scaled from the
    // window's height to the bitmap's, and every list rebuilt in it.
    void Prepare(int clientHeight)
    {
        // What the view's own context got when it was made.
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        CViewVolume& scene = m_view.Camera(CSceneView::kSceneViewport);
        scene.SetViewport(CPoint3D(0, 0, 0), CPoint3D(kPrintWidth, kPrintHeight, 0));
        FitToAspect(scene, kPrintWidth, kPrintHeight);
        const double triadSide = 0.1 * kPrintWidth;
        m_view.Camera(CSceneView::kCornerTriadViewport)
            .SetViewport(CPoint3D(0, 0, 0), CPoint3D(triadSide, triadSide, 0));
        RebuildFontLists(clientHeight);
        m_view.Renderer().RenderAll();
        m_view.Renderer().RebuildPickedLists();
    }

private:
    // The font as tall to the bitmap as it is to the window; a window without height keeps it,
    // and a window a few pixels high does not make letters taller than an eighth of the bitmap.
    static LOGFONT Scaled(LOGFONT font, int clientHeight)
    {
        if (clientHeight <= 0)
            return font;
        const double height = static_cast<double>(kPrintHeight) * font.lfHeight / clientHeight;
        const double limit = kPrintHeight / 8.0;
        font.lfHeight = static_cast<LONG>(std::clamp(height, -limit, limit));
        return font;
    }
    void RebuildFontLists(int clientHeight)
    {
        CAESettings* settings = m_settings;
        if (settings == nullptr)
            return;
        CGLDevice& device = m_view.Device();
        const LOGFONT general = Scaled(m_generalFont, clientHeight);
        settings->m_generalFont.font = general;
        m_view.SetTextFontBase(device.CreateFontLists(&general));
        device.SetFontListBase(m_view.TextFontBase());
        const LOGFONT elementLabels = Scaled(settings->m_elementLabelFont.font, clientHeight);
        const LOGFONT nodeLabels = Scaled(settings->m_nodeLabelFont.font, clientHeight);
        const UINT elementBase = device.CreateFontLists(&elementLabels);
        m_view.SetLabelFontBases(device.CreateFontLists(&nodeLabels), elementBase);
        const auto make = [&](const CString& text)
        { return text.IsEmpty() ? -1 : device.CreateTextList(text.GetString(), general); };
        CResultDisplay::TextLists lists;
        lists.legend = make(m_view.LegendText());
        lists.title1 = make(m_view.ResultTitle());
        lists.title2 = make(m_view.ResultSubTitle());
        m_view.SetTextLists(lists);
    }

    CCAEView& m_view;
    CAESettings* m_settings;
    HDC m_dc;
    HGLRC m_context;
    CViewVolume m_scene;
    CViewVolume m_triad;
    LOGFONT m_generalFont = {};
    UINT m_textFontBase;
    UINT m_elementLabelFontBase;
    UINT m_nodeLabelFontBase;
    CResultDisplay::TextLists m_textLists;
};

void CCAEView::OnPrintAsking()
{
    m_bReverseBlackWhite = AskReverseBlackAndWhite();
    OnFilePrint();
}

void CCAEView::OnPrintPreviewAsking()
{
    m_bReverseBlackWhite = AskReverseBlackAndWhite();
    OnFilePrintPreview();
}

BOOL CCAEView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CCAEView::OnPrint(CDC* dc, CPrintInfo* info)
{
    RenderToBitmap(dc, info);
}

void CCAEView::RenderToBitmap(CDC* dc, CPrintInfo*)
{
    CRect client;
    GetClientRect(&client);
    // 32 bits a pixel: OpenGL under Wine draws nothing into a 24-bit bitmap.
    fw::GlOffscreen bitmap;
    if (!bitmap.Create(kPrintWidth, kPrintHeight))
        return; // nothing printed; the view is untouched
    std::vector<unsigned char> rows;
    {
        CPrintSession session(*this, GetSettings());
        if (!bitmap.MakeCurrent())
            return;
        session.Prepare(client.Height());
        DrawForPrint(Device().GetClientDC());
        glFlush();
        rows = bitmap.ReadRgbRows();
    }
    bitmap.Destroy();
    if (m_bReverseBlackWhite)
        ReverseBlackAndWhite(rows.data(), rows.size() / 3, 3);
    const std::vector<unsigned char> dib = ToBottomUpBgr(rows, kPrintWidth, kPrintHeight);
    // The picture fills the page width and keeps its proportions, centred.
    const int pageWidth = dc->GetDeviceCaps(HORZRES);
    const int pageHeight = dc->GetDeviceCaps(VERTRES);
    const int width = pageWidth;
    const int height =
        static_cast<int>(static_cast<double>(pageWidth) * kPrintHeight / kPrintWidth);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kPrintWidth;
    info.bmiHeader.biHeight = kPrintHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(dib.size());
    if (!dib.empty())
        ::StretchDIBits(dc->GetSafeHdc(), (pageWidth - width) / 2, (pageHeight - height) / 2, width,
                        height, 0, 0, kPrintWidth, kPrintHeight, dib.data(), &info, DIB_RGB_COLORS,
                        SRCCOPY);
    // The lists again in the window's context.
    MakeCurrent();
    m_AESet.RenderAll();
    UpdateWindow();
    Invalidate(TRUE);
}

CCAEView::EntrySpan CCAEView::PrintEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_VIEW_PRINT, &CCAEView::OnPrintAsking>(),
        fw::command<ID_FILE_PRINT, &CCAEView::OnFilePrint>(),
        fw::command<ID_FILE_PRINT_DIRECT, &CCAEView::OnFilePrint>(),
        fw::command<ID_FILE_PRINT_PREVIEW, &CCAEView::OnPrintPreviewAsking>(),
    };
    return {kEntries, std::size(kEntries)};
}
