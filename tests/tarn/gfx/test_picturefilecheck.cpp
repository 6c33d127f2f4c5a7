// Tests of the picture file check: complete files pass, files cut short at any point and
// sizes beyond what the game shows are refused. Uses files made by ImageMagick where present,
// and hand-written headers for the sizes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/imagemagick.h"
#include "support/testsupport.h"
#include "tarn/gfx/cpicturefilecheck.h"

namespace {

using tarn::CPictureFileCheck;

bool Loadable(const std::string& bytes, const std::string& name = "x", std::string* reason = nullptr) {
    return CPictureFileCheck::IsLoadable(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name, reason);
}

std::string Little16(int v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string Big32(uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Little32(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string PngHeader(uint32_t w, uint32_t h) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Big32(13) + "IHDR" + Big32(w) + Big32(h) + std::string("\x08\x02\0\0\0", 5);
}

std::string GifOf(int w, int h, bool trailer) {
    // Header, screen descriptor without colour table, one image with one empty data block.
    std::string gif = "GIF89a" + Little16(w) + Little16(h) + std::string("\0\0\0", 3);
    gif += "\x2C" + Little16(0) + Little16(0) + Little16(w) + Little16(h) + std::string("\0", 1);
    gif += std::string("\x02\x01\x44\0", 4);
    if (trailer) gif += "\x3B";
    return gif;
}

std::string JpegOf(int w, int h, bool end) {
    std::string jpeg("\xFF\xD8", 2);
    jpeg += std::string("\xFF\xE0", 2) + std::string("\0\x04\0\0", 4);                     // APP0
    jpeg += std::string("\xFF\xC0\0\x0B\x08", 5) + std::string{char(h >> 8), char(h), char(w >> 8), char(w)} +
            std::string("\x01\x01\x11\0", 4);                                                 // frame
    jpeg += std::string("\xFF\xDA\0\x08\x01\x01\0\0\x3F\0", 10) + std::string("\x12\xFF\0\x34", 4);  // scan
    if (end) jpeg += std::string("\xFF\xD9", 2);
    return jpeg;
}

TEST(PictureFileCheck, HandWrittenHeadersKnownAnswers) {
    std::string reason;
    EXPECT_TRUE(Loadable(PngHeader(1, 1)));
    // Larger than the game shows: refused before a decoder spends seconds and gigabytes.
    EXPECT_TRUE(Loadable(PngHeader(4096, 4096)));
    EXPECT_FALSE(Loadable(PngHeader(4097, 1), "x", &reason));
    EXPECT_EQ("PNG size out of range: 4097 x 1 (at most 4096 a side)", reason);
    EXPECT_FALSE(Loadable(PngHeader(16383, 16383)));
    EXPECT_FALSE(Loadable(GifOf(4, 4097, true)));
    EXPECT_FALSE(Loadable(PngHeader(1, 0xFFFFFFFF)));
    EXPECT_FALSE(Loadable(PngHeader(0, 5)));
    EXPECT_FALSE(Loadable(PngHeader(5, 5).substr(0, 20)));

    EXPECT_TRUE(Loadable(GifOf(4, 4, true)));
    EXPECT_FALSE(Loadable(GifOf(4, 4, false), "x", &reason));
    EXPECT_EQ("GIF cut short", reason);
    EXPECT_FALSE(Loadable(GifOf(20000, 4, true)));
    EXPECT_FALSE(Loadable(GifOf(4, 4, true).replace(13, 1, "\x77"), "x", &reason));
    EXPECT_EQ("GIF with an unknown block", reason);

    EXPECT_TRUE(Loadable(JpegOf(40, 30, true)));
    EXPECT_FALSE(Loadable(JpegOf(40, 30, false), "x", &reason));
    EXPECT_EQ("JPEG cut short", reason);
    EXPECT_TRUE(Loadable(JpegOf(4096, 4096, true)));
    EXPECT_FALSE(Loadable(JpegOf(30, 4097, true), "x", &reason));
    EXPECT_EQ("JPEG size out of range: 30 x 4097 (at most 4096 a side)", reason);
    EXPECT_FALSE(Loadable(std::string("\xFF\xD8\xFF\xD9", 4)));

    const std::string bmp = "BM" + std::string(12, '\0') + Little32(40) + Little32(8) + Little32(uint32_t(-8));
    EXPECT_TRUE(Loadable(bmp, "x", &reason)) << reason;  // a top-down bitmap has a negative height
    EXPECT_FALSE(Loadable("BM" + std::string(12, '\0') + Little32(40) + Little32(70000) + Little32(8)));
    EXPECT_FALSE(Loadable("BM" + std::string(12, '\0') + Little32(40) + Little32(8) + Little32(0x80000000u)));
    EXPECT_FALSE(Loadable("BMshort"));

    const std::string tga = std::string(12, '\0') + Little16(65535) + Little16(2) + std::string("\x20\x20", 2);
    EXPECT_FALSE(Loadable(tga, "big.tga"));
    EXPECT_FALSE(Loadable(tga, "big.TGA"));
    EXPECT_TRUE(Loadable(tga, "not-a-targa.xyz"));  // unknown formats are the decoder's business
    EXPECT_FALSE(Loadable("", "empty.png"));
    EXPECT_FALSE(CPictureFileCheck::IsLoadable(nullptr, 0, "null.png", nullptr));
}

TEST(PictureFileCheck, RealFilesPassWholeAndFailCutAnywhere) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    testsupport::CTempDir dir;
    ASSERT_TRUE(testsupport::RunConvert("-size 48x32 gradient:red-blue -swirl 90 picture.png"));
    ASSERT_TRUE(testsupport::RunConvert("picture.png picture.gif"));
    ASSERT_TRUE(testsupport::RunConvert("picture.png picture.jpg"));
    ASSERT_TRUE(testsupport::RunConvert("picture.png -interlace JPEG progressive.jpg"));
    ASSERT_TRUE(testsupport::RunConvert("picture.png picture.bmp"));
    ASSERT_TRUE(testsupport::RunConvert("picture.png picture.tga"));
    for (const char* name : {"picture.gif", "picture.jpg", "progressive.jpg"}) {
        const std::string whole = testsupport::ReadFile(name);
        ASSERT_FALSE(whole.empty()) << name;
        EXPECT_TRUE(Loadable(whole, name)) << name;
        // Cut anywhere after the signature: never accepted, never read past the end (sanitizer
        // build). Shorter pieces are unknown formats the decoder turns down.
        for (size_t length = 6; length + 1 < whole.size(); ++length) {
            EXPECT_FALSE(Loadable(whole.substr(0, length), name)) << name << " cut at " << length;
        }
    }
    for (const char* name : {"picture.png", "picture.bmp", "picture.tga"}) {
        const std::string whole = testsupport::ReadFile(name);
        EXPECT_TRUE(Loadable(whole, name)) << name;
        for (size_t length = 0; length < whole.size(); ++length) Loadable(whole.substr(0, length), name);
    }
}

}  // namespace
