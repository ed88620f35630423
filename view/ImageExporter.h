// Image export of a 3-D view: the picture read back from OpenGL, optionally with black and white
// exchanged for printing on white paper, written as JPEG, BMP, PNG or TIFF.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cstddef>

class CCAEView;

// Black (every channel 2 or less) becomes white and white (every channel 250 or more) black;
// other colours stay. count pixels of bytesPerPixel bytes whose first three are the colour.
void ReverseBlackAndWhite(unsigned char* pixels, std::size_t count, int bytesPerPixel);

class CImageExporter
{
public:
    // Format codes of CaptureViewImage.
    enum Format
    {
        kJpg = 0,
        kBmp = 1,
        kPng = 2,
        kTiff = 4
    };
    enum Outcome
    {
        kWritten,
        kNoPicture, // the view has no picture to read: nothing was said yet
        kNotWritten // the file could not be written: the user was told
    };

    // The format of a path's extension: JPG, BMP, PNG or TIFF in any letter case.
    static bool FormatOfPath(const CString& path, int* format);

    // Asks whether to exchange black and white, reads the view's picture (its width rounded
    // down to a multiple of 4) and writes it to path in format.
    Outcome CaptureViewImage(const char* path, int quality, CCAEView* view, int format);

    BYTE m_bReverseBlackWhite = 0;

private:
    Outcome WriteImage(const char* path, unsigned char* rows, int width, int height, int quality,
                       int format);
};
