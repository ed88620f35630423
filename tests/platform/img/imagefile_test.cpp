// Image files written from pixel rows decode back through WIC with their size, orientation
// and colours; unwritable destinations fail without leaving files behind.
#include "platform/img/imagefile.h"

#include "platform/ole/oleinit.h"
#include "platform/test/decode_image.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct Rgb
{
    int r, g, b;
};

constexpr Rgb kBackground = {10, 120, 230};
constexpr Rgb kCentre = {200, 40, 90};
constexpr Rgb kTopBand = {30, 220, 40};

// A view 803 pixels wide is exported at a stride of 800 pixels: whole rows of 4-byte multiples.
constexpr int kViewWidth = 803;
constexpr int kStride = kViewWidth / 4 * 4;
constexpr int kHeight = 61;

// Top band, background, and a block around the centre, each covering whole 16-pixel JPEG
// blocks, since an encoder may halve the colour resolution.
std::vector<unsigned char> MakeRows()
{
    std::vector<unsigned char> rows(static_cast<size_t>(kStride) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
    {
        for (int x = 0; x < kStride; ++x)
        {
            Rgb c = kBackground;
            if (y < 16)
                c = kTopBand;
            else if (std::abs(x - kStride / 2) < 24 && std::abs(y - kHeight / 2) < 17)
                c = kCentre;
            unsigned char* p = &rows[(static_cast<size_t>(y) * kStride + x) * 3];
            p[0] = static_cast<unsigned char>(c.r);
            p[1] = static_cast<unsigned char>(c.g);
            p[2] = static_cast<unsigned char>(c.b);
        }
    }
    return rows;
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder under the temporary folder, removed with its files.
class ImageFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "gravik_img_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
            {
                const std::string file = m_folder + "\\" + found.cFileName;
                ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(file.c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::string Path(const char* name) const { return m_folder + "\\" + name; }

    int FileCount() const
    {
        int count = 0;
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++count;
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return count;
    }

    std::string m_folder;
};

using Writer = bool (*)(fw::ImageDest*, const unsigned char*, int, int);

bool WriteJpgAt100(fw::ImageDest* dest, const unsigned char* rows, int width, int height)
{
    return fw::WriteJpg(dest, rows, width, height, 100);
}

struct FormatCase
{
    const char* name;
    Writer write;
    int tolerance; // per channel
};

const FormatCase kFormats[] = {{"view.png", &fw::WritePng, 0},
                               {"view.bmp", &fw::WriteBmp, 0},
                               {"view.tiff", &fw::WriteTiff, 0},
                               {"view.jpg", &WriteJpgAt100, 12}};

void ExpectNear(const Rgb& expected, const std::array<int, 3>& actual, int tolerance)
{
    EXPECT_NEAR(expected.r, actual[0], tolerance);
    EXPECT_NEAR(expected.g, actual[1], tolerance);
    EXPECT_NEAR(expected.b, actual[2], tolerance);
}
} // namespace

TEST_F(ImageFile, EveryFormatDecodesWithItsSizeOrientationAndCentrePixel)
{
    const std::vector<unsigned char> rows = MakeRows();
    for (const FormatCase& format : kFormats)
    {
        SCOPED_TRACE(format.name);
        const std::string path = Path(format.name);
        fw::ImageDest* dest = fw::OpenFileDest(path.c_str());
        ASSERT_NE(nullptr, dest);
        EXPECT_TRUE(format.write(dest, rows.data(), kStride, kHeight));
        EXPECT_TRUE(fw::CloseDest(dest));

        const fw::test::DecodedImage image = fw::test::DecodeImage(path);
        ASSERT_EQ(static_cast<UINT>(kStride), image.width);
        ASSERT_EQ(static_cast<UINT>(kHeight), image.height);
        ExpectNear(kCentre, image.At(kStride / 2, kHeight / 2), format.tolerance);
        ExpectNear(kTopBand, image.At(kStride / 2, 3), format.tolerance);
        ExpectNear(kBackground, image.At(5, kHeight - 3), format.tolerance);
    }
    // Only the images: no temporary file is left beside them.
    EXPECT_EQ(4, FileCount());
}

TEST_F(ImageFile, FlipRowsReversesTheRowOrder)
{
    unsigned char rows[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(fw::FlipRows(rows, 3, 3));
    const unsigned char flipped[] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
    EXPECT_EQ(0, std::memcmp(flipped, rows, sizeof rows));
    EXPECT_FALSE(fw::FlipRows(nullptr, 3, 3));
    EXPECT_FALSE(fw::FlipRows(rows, 3, 0));
}

TEST_F(ImageFile, UnwritableDestinationsFailAndLeaveNoFile)
{
    const std::string readOnly = Path("locked.png");
    const HANDLE file = ::CreateFileA(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);

    const std::string missingFolder = Path("no such folder\\view.png");
    for (const std::string& path : {missingFolder, m_folder, readOnly, std::string()})
    {
        SCOPED_TRACE(path);
        EXPECT_EQ(nullptr, fw::OpenFileDest(path.c_str()));
    }
    EXPECT_FALSE(FileExists(missingFolder));
    EXPECT_EQ(1, FileCount()); // only the read-only file itself
}

TEST_F(ImageFile, AFailedWriteLeavesNoFileAndKeepsAnOldOne)
{
    const std::vector<unsigned char> rows = MakeRows();
    const std::string fresh = Path("fresh.png");
    fw::ImageDest* dest = fw::OpenFileDest(fresh.c_str());
    ASSERT_NE(nullptr, dest);
    EXPECT_FALSE(fw::WritePng(dest, rows.data(), kStride, 0));
    EXPECT_FALSE(fw::CloseDest(dest));
    EXPECT_FALSE(FileExists(fresh));

    // An image that is already there survives an attempt that writes nothing.
    const std::string old = Path("old.bmp");
    dest = fw::OpenFileDest(old.c_str());
    ASSERT_TRUE(fw::WriteBmp(dest, rows.data(), kStride, kHeight));
    ASSERT_TRUE(fw::CloseDest(dest));
    dest = fw::OpenFileDest(old.c_str());
    ASSERT_NE(nullptr, dest);
    EXPECT_FALSE(fw::CloseDest(dest));
    EXPECT_EQ(static_cast<UINT>(kStride), fw::test::DecodeImage(old).width);
    EXPECT_EQ(1, FileCount());
}

TEST_F(ImageFile, ADestinationTakesOneImage)
{
    const std::vector<unsigned char> rows = MakeRows();
    const std::string path = Path("once.png");
    fw::ImageDest* dest = fw::OpenFileDest(path.c_str());
    ASSERT_TRUE(fw::WritePng(dest, rows.data(), kStride, kHeight));
    EXPECT_FALSE(fw::WriteBmp(dest, rows.data(), kStride, kHeight));
    EXPECT_TRUE(fw::CloseDest(dest));
    EXPECT_EQ(static_cast<UINT>(kHeight), fw::test::DecodeImage(path).height);
}
