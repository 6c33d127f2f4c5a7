// Reading pictures back with ImageMagick's convert (a program we did not write), so tests can
// compare what the engine saves with what an independent reader sees.
#ifndef TESTS_SUPPORT_IMAGEMAGICK_H
#define TESTS_SUPPORT_IMAGEMAGICK_H

#include <string>
#include <vector>

namespace testsupport {

struct CDumpedPixel {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;
};

struct CDumpedImage {
    int myWidth = 0;
    int myHeight = 0;
    std::vector<CDumpedPixel> myPixels;  // row by row
    const CDumpedPixel& At(int x, int y) const { return myPixels[static_cast<size_t>(y) * myWidth + x]; }
};

// True when ImageMagick's convert can be run.
bool HaveImageMagick();
// Runs "convert <arguments>" in the working directory; true when it exits with 0.
bool RunConvert(const std::string& arguments);
// Reads file through "convert file -depth 8 txt:-"; false when convert fails or its output
// cannot be understood. Pictures without alpha read as alpha 255.
bool DumpWithImageMagick(const std::string& file, CDumpedImage& image);

}  // namespace testsupport

#endif
