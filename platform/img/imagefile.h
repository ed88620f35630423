// Image files from 24-bit pixel rows: JPEG, PNG and TIFF through the Windows Imaging Component,
// BMP by our own code. Failures are returned, never shown: the caller decides what to tell.
//
//   fw::ImageDest* dest = fw::OpenFileDest(path);   // null: the file cannot be written
//   fw::FlipRows(rows, width * 3, height);          // OpenGL reads bottom-up
//   fw::WritePng(dest, rows, width, height);
//   fw::CloseDest(dest);                            // the file appears here, complete
//
// Rows are red, green, blue, three bytes a pixel, top row first, width * 3 bytes each with no
// padding. The file is written beside its final name and renamed into place on close, so an
// existing file survives a failed write and a failed write leaves no file.
#pragma once

#include <cstddef>

namespace fw
{
struct ImageDest;

// A destination for one image; null when the file cannot be created or is not writable.
ImageDest* OpenFileDest(const char* path);

// Reverses the order of rowCount rows of rowBytes bytes in place; false for a null buffer or
// a size that is not positive.
bool FlipRows(unsigned char* rows, std::size_t rowBytes, int rowCount);

// Each writer encodes the whole image into the destination; false on any failure, after which
// CloseDest leaves no file. One image per destination.
// JPEG: quality 1..100, chroma at full resolution (4:4:4) where the encoder supports it.
bool WriteJpg(ImageDest* dest, const unsigned char* rows, int width, int height, int quality);
bool WritePng(ImageDest* dest, const unsigned char* rows, int width, int height);
bool WriteTiff(ImageDest* dest, const unsigned char* rows, int width, int height);
// 24-bit uncompressed BMP.
bool WriteBmp(ImageDest* dest, const unsigned char* rows, int width, int height);

// Completes the file under its name and frees the destination (null is ignored). False, and
// no file written, when nothing was written successfully or the file cannot be put in place.
bool CloseDest(ImageDest* dest);
} // namespace fw
