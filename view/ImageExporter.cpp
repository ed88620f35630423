// Image export: capture, black and white, and the image writers of the framework.
#include "view/ImageExporter.h"

#include "core/services/StringFile.h"
#include "platform/img/imagefile.h"
#include "platform/win/app.h"
#include "view/CAEView.h"

#include <GL/gl.h>
#include <vector>

namespace
{
constexpr int kBlackAtMost = 2;
constexpr int kWhiteAtLeast = 250;

CString ErrorText(const char* key)
{
    CString text;
    LoadStringFromFile(CString("Message.str"), CString("Error"), CString(key), &text);
    return text;
}

// The image library's destination, closed (and the file completed or removed) when it goes.
class ImageFile
{
public:
    explicit ImageFile(const char* path)
        : m_dest(fw::OpenFileDest(path))
    {
    }
    ~ImageFile() { Close(); }
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    fw::ImageDest* Get() const { return m_dest; }
    bool Close()
    {
        fw::ImageDest* dest = m_dest;
        m_dest = nullptr;
        return dest != nullptr && fw::CloseDest(dest);
    }

private:
    fw::ImageDest* m_dest;
};

bool WriteFormat(fw::ImageDest* dest, const unsigned char* rows, int width, int height, int quality,
                 int format)
{
    switch (format)
    {
    case CImageExporter::kJpg: return fw::WriteJpg(dest, rows, width, height, quality);
    case CImageExporter::kBmp: return fw::WriteBmp(dest, rows, width, height);
    case CImageExporter::kPng: return fw::WritePng(dest, rows, width, height);
    case CImageExporter::kTiff: return fw::WriteTiff(dest, rows, width, height);
    default: return false;
    }
}
} // namespace

void ReverseBlackAndWhite(unsigned char* pixels, std::size_t count, int bytesPerPixel)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        unsigned char* p = pixels + i * static_cast<std::size_t>(bytesPerPixel);
        // Both tests look at the colour as read.
        if (p[0] <= kBlackAtMost && p[1] <= kBlackAtMost && p[2] <= kBlackAtMost)
            p[0] = p[1] = p[2] = 255;
        else if (p[0] >= kWhiteAtLeast && p[1] >= kWhiteAtLeast && p[2] >= kWhiteAtLeast)
            p[0] = p[1] = p[2] = 0;
    }
}

bool CImageExporter::FormatOfPath(const CString& path, int* format)
{
    const int dot = path.ReverseFind('.');
    const int slash = path.ReverseFind('\\');
    if (dot < 0 || dot < slash)
        return false;
    CString extension = path.Mid(dot + 1);
    extension.MakeUpper();
    struct Known
    {
        const char* extension;
        int format;
    };
    static const Known kKnown[] = {{"JPG", kJpg}, {"BMP", kBmp}, {"PNG", kPng}, {"TIFF", kTiff}};
    for (const Known& known : kKnown)
    {
        if (extension == known.extension)
        {
            *format = known.format;
            return true;
        }
    }
    return false;
}

CImageExporter::Outcome CImageExporter::CaptureViewImage(const char* path, int quality,
                                                         CCAEView* view, int format)
{
    CRect client;
    view->GetClientRect(&client);
    const int width = client.Width() / 4 * 4;
    const int height = client.Height();
    CString question;
    LoadStringFromFile(CString("Message.str"), CString("Confirm"), CString("ReverseBlackAndWhite"),
                       &question);
    if (AfxMessageBox(question.GetString(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_bReverseBlackWhite = 1;
    std::vector<unsigned char> rows(static_cast<std::size_t>(width) * height * 3);
    if (width <= 0 || height <= 0 || !view->CaptureFrame(width, height, GL_RGB, rows.data()))
    {
        m_bReverseBlackWhite = 0;
        return kNoPicture;
    }
    if (m_bReverseBlackWhite)
        ReverseBlackAndWhite(rows.data(), static_cast<std::size_t>(width) * height, 3);
    m_bReverseBlackWhite = 0;
    return WriteImage(path, rows.data(), width, height, quality, format);
}

CImageExporter::Outcome CImageExporter::WriteImage(const char* path, unsigned char* rows, int width,
                                                   int height, int quality, int format)
{
    ImageFile file(path);
    if (file.Get() == nullptr)
    {
        AfxMessageBox(ErrorText("FileOpen").GetString(), MB_OK);
        return kNotWritten;
    }
    // OpenGL reads from the bottom row up; files start at the top.
    const bool isWritten = fw::FlipRows(rows, static_cast<std::size_t>(width) * 3, height) &&
                           WriteFormat(file.Get(), rows, width, height, quality, format) &&
                           file.Close();
    if (!isWritten)
    {
        AfxMessageBox(ErrorText("ImageFlip").GetString(), MB_OK | MB_ICONSTOP);
        return kNotWritten;
    }
    return kWritten;
}
