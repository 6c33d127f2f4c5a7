// The stb_image decoder against SDL_image, both built into this program: every shipped picture
// and a table of edge pictures made by ImageMagick decode to the same surface layout and the
// same pixels, apart from the JPEG decoders' rounding, which is bounded and reported.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/imagemagick.h"
#include "support/surfacecompare.h"
#include "support/testsupport.h"
#include "tarn/gfx/sdl/cpicturedecodersdlimage.h"
#include "tarn/gfx/sdl/cpicturedecoderstb.h"

namespace {

using testsupport::CSurfaceDifference;

std::vector<uint8_t> Bytes(const std::string& path) {
    const std::string text = testsupport::ReadFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string Extension(const std::string& path) { return std::filesystem::path(path).extension().string().substr(1); }

// Decodes the file both ways, prints the figures and gives the difference.
CSurfaceDifference DecodeBoth(const std::string& path) {
    const std::vector<uint8_t> bytes = Bytes(path);
    SDL_Surface* reference = tarn::CPictureDecoderSDLImage::Decode(bytes.data(), bytes.size(), Extension(path));
    const std::string referenceError = reference ? "" : SDL_GetError();
    SDL_Surface* ours = tarn::CPictureDecoderStb::Decode(bytes.data(), bytes.size(), Extension(path));
    const std::string ourError = ours ? "" : SDL_GetError();
    CSurfaceDifference difference = testsupport::CompareSurfaces(reference, ours);
    std::printf("%-28s %-44.44s largest channel difference %3d in %d pixels%s%s\n",
                std::filesystem::path(path).filename().string().c_str(),
                testsupport::DescribeLayout(reference).c_str(), difference.myLargestChannel, difference.myPixels,
                reference ? "" : (" SDL_image: " + referenceError).c_str(),
                ours ? "" : (" stb_image: " + ourError).c_str());
    SDL_FreeSurface(reference);
    SDL_FreeSurface(ours);
    return difference;
}

// JPEG decoders may round their colour conversion and upsampling differently.
int Tolerance(const std::string& path) { return Extension(path) == "jpg" ? 6 : 0; }

TEST(PictureDecoderStb, ShippedPicturesDecodeAsWithSDLImage) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(MARBLES_SOURCE_DIR "/game")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".png" && extension != ".gif" && extension != ".jpg") continue;
        const CSurfaceDifference difference = DecodeBoth(entry.path().string());
        EXPECT_EQ("", difference.myLayout) << entry.path();
        EXPECT_LE(difference.myLargestChannel, Tolerance(entry.path().string())) << entry.path();
        ++count;
    }
    EXPECT_GT(count, 30);
}

TEST(PictureDecoderStb, EdgePicturesDecodeAsWithSDLImage) {
    if (!testsupport::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    testsupport::CTempDir dir;
    const struct {
        const char* file;
        const char* make;
    } pictures[] = {
        {"one.png", "-size 1x1 xc:'rgb(10,20,30)' PNG24:one.png"},
        {"odd.png", "-size 7x5 gradient:red-blue -alpha set -channel A -fx 'i/w' +channel PNG32:odd.png"},
        {"clear.png", "-size 5x3 xc:none PNG32:clear.png"},
        {"palette.png", "-size 4x3 xc:red -size 3x3 xc:'rgb(0,0,200)' +append PNG8:palette.png"},
        {"keyed.png", "-size 4x3 xc:red -size 3x3 xc:none +append PNG8:keyed.png"},
        {"translucent.png", "-size 3x2 xc:'rgba(0,255,0,0.5)' -size 2x2 xc:red +append "
                            "-define png:color-type=3 -define png:bit-depth=8 translucent.png"},
        {"interlaced.png", "-size 9x7 gradient:yellow-green -interlace PNG PNG24:interlaced.png"},
        {"deep.png", "-size 6x5 gradient:'rgb(10,200,30)'-'rgb(250,3,90)' -depth 16 PNG48:deep.png"},
        {"deepalpha.png", "-size 6x5 gradient:'rgba(10,200,30,0.2)'-'rgba(250,3,90,0.9)' -depth 16 PNG64:deepalpha.png"},
        {"grey.png", "-size 8x3 gradient:black-white -define png:color-type=0 -define png:bit-depth=8 grey.png"},
        {"grey2.png", "-size 8x3 gradient:black-white -define png:color-type=0 -define png:bit-depth=2 grey2.png"},
        {"greyalpha.png", "-size 8x3 gradient:black-white -alpha set -channel A -fx 'j/h' +channel "
                          "-define png:color-type=4 greyalpha.png"},
        {"keyedrgb.png", "-size 4x3 xc:'rgb(1,2,3)' -size 3x3 xc:none +append -define png:color-type=2 "
                         "-define png:bit-depth=8 keyedrgb.png"},
        {"opaque.gif", "-size 5x3 gradient:red-blue opaque.gif"},
        {"keyed.gif", "-size 4x3 xc:red -size 3x3 xc:none +append keyed.gif"},
        {"interlaced.gif", "-size 9x7 gradient:yellow-green -interlace GIF interlaced.gif"},
        {"baseline.jpg", "-size 13x11 gradient:'rgb(250,10,30)'-'rgb(20,240,200)' -quality 90 baseline.jpg"},
        {"progressive.jpg", "-size 17x9 gradient:red-blue -interlace Plane -quality 90 progressive.jpg"},
        {"grey.jpg", "-size 13x11 gradient:black-white -colorspace Gray grey.jpg"},
        {"true.bmp", "-size 5x3 gradient:red-blue -type TrueColor BMP3:true.bmp"},
        {"palette.bmp", "-size 5x3 xc:red -type Palette BMP3:palette.bmp"},
        {"alpha.bmp", "-size 5x3 xc:'rgba(10,20,30,0.5)' BMP:alpha.bmp"},
        {"four.bmp", "-size 3x3 xc:red -size 2x3 xc:blue +append -colors 3 -type Palette BMP3:four.bmp"},
        {"one.bmp", "-size 9x3 xc:black -size 2x3 xc:white +append -type Bilevel BMP3:one.bmp"},
        {"true.tga", "-size 5x3 gradient:red-blue -type TrueColor true.tga"},
        {"alpha.tga", "-size 5x3 gradient:'rgba(255,0,0,0.3)'-blue -type TrueColorAlpha alpha.tga"},
        {"rle.tga", "-size 9x3 xc:red -size 2x3 xc:blue +append -type TrueColor -compress RLE rle.tga"},
        {"palette.tga", "-size 4x3 xc:red -size 3x3 xc:'rgb(0,0,200)' +append -type Palette palette.tga"},
        {"grey.tga", "-size 5x3 gradient:black-white -type Grayscale grey.tga"},
    };
    for (const auto& picture : pictures) {
        ASSERT_TRUE(testsupport::RunConvert(picture.make)) << picture.make;
        const CSurfaceDifference difference = DecodeBoth(picture.file);
        EXPECT_EQ("", difference.myLayout) << picture.file;
        EXPECT_LE(difference.myLargestChannel, Tolerance(picture.file)) << picture.file;
    }
}

TEST(PictureDecoderStb, BrokenPicturesAreRefusedByBoth) {
    testsupport::CTempDir dir;
    const std::string png = "\x89PNG\r\n\x1a\n";
    const std::string header = png + std::string("\0\0\0\x0dIHDR\0\0\0\x04\0\0\0\x04\x08\x02\0\0\0\0\0\0\0", 25);
    const struct {
        const char* file;
        std::string bytes;
    } broken[] = {
        {"empty.png", ""},
        {"signature.png", png},
        {"noimage.png", header},
        {"garbage.png", header + std::string("\0\0\0\x04IDATabcd\0\0\0\0", 16)},
        {"cut.gif", "GIF89a\x04\0\x04\0"},
        {"cut.jpg", "\xFF\xD8\xFF\xE0"},
        {"unknown.xyz", "just some text"},
        {"cut.tga", std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\x04\0\x04\0\x18\0", 18)},
    };
    for (const auto& picture : broken) {
        testsupport::WriteFile(picture.file, picture.bytes);
        EXPECT_EQ("", DecodeBoth(picture.file).myLayout) << picture.file;
    }
}

}  // namespace
