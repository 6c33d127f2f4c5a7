// Tests of the picture file check: complete files pass, files cut short at any point, sizes
// beyond what the game shows and every format but the five checked ones are refused. Uses files made by ImageMagick where present,
// and hand-written headers for the sizes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/imagemagick.h"
#include "support/testsupport.h"
#include "tarn/gfx/cpicturefilecheck.h"

namespace {

using tarn::CPictureFileCheck;

CPictureFileCheck::EFormat Identify(const std::string& bytes, std::string* reason = nullptr) {
    return CPictureFileCheck::Identify(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), reason);
}

bool Loadable(const std::string& bytes, std::string* reason = nullptr) {
    return CPictureFileCheck::IsLoadable(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), reason);
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

// A true-colour (image type 2) TGA: 18-byte header and pixelBytes bytes of pixels.
std::string TgaOf(int w, int h, int depth, size_t pixelBytes) {
    return std::string("\0\0\x02\0\0\0\0\0\0\0\0\0", 12) + Little16(w) + Little16(h) + char(depth) + '\x20' +
           std::string(pixelBytes, '\x7F');
}

TEST(PictureFileCheck, HandWrittenHeadersKnownAnswers) {
    std::string reason;
    EXPECT_TRUE(Loadable(PngHeader(1, 1)));
    // Larger than the game shows: refused before a decoder spends seconds and gigabytes.
    EXPECT_TRUE(Loadable(PngHeader(4096, 4096)));
    EXPECT_FALSE(Loadable(PngHeader(4097, 1), &reason));
    EXPECT_EQ("PNG size out of range: 4097 x 1 (at most 4096 a side)", reason);
    EXPECT_FALSE(Loadable(PngHeader(16383, 16383)));
    EXPECT_FALSE(Loadable(GifOf(4, 4097, true)));
    EXPECT_FALSE(Loadable(PngHeader(1, 0xFFFFFFFF)));
    EXPECT_FALSE(Loadable(PngHeader(0, 5)));
    EXPECT_FALSE(Loadable(PngHeader(5, 5).substr(0, 20)));

    EXPECT_TRUE(Loadable(GifOf(4, 4, true)));
    EXPECT_FALSE(Loadable(GifOf(4, 4, false), &reason));
    EXPECT_EQ("GIF cut short", reason);
    EXPECT_FALSE(Loadable(GifOf(20000, 4, true)));
    EXPECT_FALSE(Loadable(GifOf(4, 4, true).replace(13, 1, "\x77"), &reason));
    EXPECT_EQ("GIF with an unknown block", reason);

    EXPECT_TRUE(Loadable(JpegOf(40, 30, true)));
    EXPECT_FALSE(Loadable(JpegOf(40, 30, false), &reason));
    EXPECT_EQ("JPEG cut short", reason);
    EXPECT_TRUE(Loadable(JpegOf(4096, 4096, true)));
    EXPECT_FALSE(Loadable(JpegOf(30, 4097, true), &reason));
    EXPECT_EQ("JPEG size out of range: 30 x 4097 (at most 4096 a side)", reason);
    EXPECT_FALSE(Loadable(std::string("\xFF\xD8\xFF\xD9", 4)));

    const std::string bmp = "BM" + std::string(12, '\0') + Little32(40) + Little32(8) + Little32(uint32_t(-8));
    EXPECT_TRUE(Loadable(bmp, &reason)) << reason;  // a top-down bitmap has a negative height
    EXPECT_FALSE(Loadable("BM" + std::string(12, '\0') + Little32(40) + Little32(70000) + Little32(8)));
    EXPECT_FALSE(Loadable("BM" + std::string(12, '\0') + Little32(40) + Little32(8) + Little32(0x80000000u)));
    EXPECT_FALSE(Loadable("BMshort"));

    EXPECT_FALSE(Loadable(TgaOf(65535, 2, 24, 0)));
    EXPECT_FALSE(Loadable(""));
    EXPECT_FALSE(CPictureFileCheck::IsLoadable(nullptr, 0, nullptr));
}

TEST(PictureFileCheck, OnlyTheFiveCheckedFormatsAreAcceptedByTheirSignatureWhateverTheName) {
    const std::string xpm = "/* XPM */\nstatic char *x[] = {\n\"4 4 2 1\",\n\"a c #ff0000\",\n\"b c #0000ff\",\n\"abab\"\n};\n";
    const std::string xcf = std::string("gimp xcf file\0", 14) + Big32(16383) + Big32(16383) + std::string(24, '\0');
    const struct {
        std::string bytes;
        CPictureFileCheck::EFormat format;
        const char* reason;
    } cases[] = {
        {PngHeader(2, 2), CPictureFileCheck::FORMAT_PNG, ""},
        {GifOf(2, 2, true), CPictureFileCheck::FORMAT_GIF, ""},
        {JpegOf(2, 2, true), CPictureFileCheck::FORMAT_JPEG, ""},
        {"BM" + std::string(12, '\0') + Little32(40) + Little32(2) + Little32(2), CPictureFileCheck::FORMAT_BMP, ""},
        {TgaOf(2, 2, 24, 12), CPictureFileCheck::FORMAT_TGA, ""},
        {TgaOf(2, 2, 32, 16), CPictureFileCheck::FORMAT_TGA, ""},
        {TgaOf(2, 2, 24, 11), CPictureFileCheck::FORMAT_NONE, "TGA cut short"},
        {TgaOf(4097, 2, 24, 0), CPictureFileCheck::FORMAT_NONE, "TGA size out of range: 4097 x 2 (at most 4096 a side)"},
        {TgaOf(2, 2, 7, 12), CPictureFileCheck::FORMAT_NONE, "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {xpm, CPictureFileCheck::FORMAT_NONE, "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {xcf, CPictureFileCheck::FORMAT_NONE, "not a PNG, GIF, JPEG, BMP or TGA picture"},
        {std::string("II*\0\x08\0\0\0", 8) + std::string(64, '\0'), CPictureFileCheck::FORMAT_NONE, "not a PNG"},
        {std::string("MM\0*\0\0\0\x08", 8) + std::string(64, '\0'), CPictureFileCheck::FORMAT_NONE, "not a PNG"},
        {std::string("\x0A\x05\x01\x08", 4) + std::string(124, '\0'), CPictureFileCheck::FORMAT_NONE, "not a PNG"},
        {"P6\n16383 16383\n255\n", CPictureFileCheck::FORMAT_NONE, "not a PNG"},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_EQ(Identify(c.bytes, &reason), c.format) << c.bytes.substr(0, 16);
        EXPECT_EQ(reason.compare(0, std::string(c.reason).size(), c.reason), 0) << reason;
    }
    EXPECT_STREQ(CPictureFileCheck::GetName(CPictureFileCheck::FORMAT_TGA), "TGA");
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
        EXPECT_TRUE(Loadable(whole)) << name;
        // Cut anywhere after the signature: never accepted, never read past the end (sanitizer
        // build). Shorter pieces are no known format, refused as well.
        for (size_t length = 6; length + 1 < whole.size(); ++length) {
            EXPECT_FALSE(Loadable(whole.substr(0, length))) << name << " cut at " << length;
        }
    }
    for (const char* name : {"picture.png", "picture.bmp", "picture.tga"}) {
        const std::string whole = testsupport::ReadFile(name);
        EXPECT_TRUE(Loadable(whole)) << name;
        for (size_t length = 0; length < whole.size(); ++length) Loadable(whole.substr(0, length));
    }
}

}  // namespace
