// 3-D view: the Image command, and the frame captures that image and AVI export share.
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "platform/dlg/commdlg.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/glpresent.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ImageExporter.h"
#include "view/ViewMainFrame.h"
#include "view/WaitCursor.h"

#include <GL/gl.h>

namespace
{
constexpr char kImageFilter[] = "JPEG Files (*.jpg)|*.jpg|BMP Files (*.bmp)|*.bmp|PNG Files "
                                "(*.png)|*.png|TIFF Files (*.tiff)|*.tiff||";
constexpr int kImageQuality = 100;

CString MessageText(const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString("Message.str"), CString(section), CString(key), &text);
    return text;
}

// Pixel rows packed as the caller sized them, whatever the context's store settings were.
class PackedRows
{
public:
    PackedRows()
    {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    }
    ~PackedRows() { glPopClientAttrib(); }
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;
};
} // namespace

// The back buffer holds the frame just drawn; after the swap (or any later one) it is
// undefined, and reading the front buffer gives black under some drivers.
bool CCAEView::CaptureFrame(int width, int height, UINT format, unsigned char* pixels)
{
    CClientDC* dc = Device().GetClientDC();
    if (dc == nullptr || Device().GetRenderingContext() == nullptr || width <= 0 || height <= 0)
        return false;
    MakeCurrent();
    DrawForPrint(dc);
    glFinish();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    {
        PackedRows packing;
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
    }
    const bool isRead = glGetError() == GL_NO_ERROR;
    fw::PresentGLFrame(dc->GetSafeHdc());
    return isRead;
}

void CCAEView::ShowExportStatus(const char* key)
{
    const CString text = MessageText("MsgPane", key);
    if (CFrameWnd* frame = GetTopLevelFrame())
        frame->SetMessageText(text.GetString());
    if (m_pMainFrame)
        m_pMainFrame->AddOutputLine(text.GetString());
}

void CCAEView::OnExportImage()
{
    CProjectData* project = GetProject();
    CAESettings* settings = GetSettings();
    const CString name = project ? project->m_name : CString();
    for (;;)
    {
        CFileDialog dialog(FALSE, "jpg", name.GetString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           kImageFilter, this);
        const CString folder =
            settings ? settings->m_fileIoFolders[CAESettings::kFolderImg] : CString();
        dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
        if (dialog.DoModal() != IDOK)
            return;
        InvalidateView();
        const CString path = dialog.GetPathName();
        int format = CImageExporter::kJpg;
        if (!CImageExporter::FormatOfPath(path, &format))
        {
            AfxMessageBox(MessageText("Error", "JPGExtNotFound").GetString(), MB_OK | MB_ICONSTOP);
            continue;
        }
        ShowExportStatus("Export");
        CImageExporter::Outcome outcome = CImageExporter::kNoPicture;
        {
            CWaitCursorScope wait(*this);
            CImageExporter exporter;
            outcome = exporter.CaptureViewImage(path.GetString(), kImageQuality, this, format);
            // The folder keeps its backslash.
            const CString chosenFolder = path.Left(path.ReverseFind('\\') + 1);
            if (settings)
                settings->m_fileIoFolders[CAESettings::kFolderImg] = chosenFolder;
            SetIniString("FileIOPaths", "IMG", chosenFolder.GetString());
        }
        if (outcome == CImageExporter::kWritten)
            ShowExportStatus("ExportDone");
        else if (outcome == CImageExporter::kNoPicture)
            AfxMessageBox(MessageText("Error", "ImageCapture").GetString(), MB_OK | MB_ICONSTOP);
        InvalidateView();
        return;
    }
}

CCAEView::EntrySpan CCAEView::ExportEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_EXPORT_IMAGE, &CCAEView::OnExportImage>(),
    };
    return {kEntries, std::size(kEntries)};
}
