// Reading pictures back with ImageMagick's convert (a program we did not write), so tests can
// compare what the engine saves with what an independent reader sees.
#include "imagemagick.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testsupport {

bool HaveImageMagick() { return std::system("convert -version > /dev/null 2>&1") == 0; }

bool RunConvert(const std::string& arguments) {
    return std::system(("convert " + arguments + " > /dev/null 2>&1").c_str()) == 0;
}

bool DumpWithImageMagick(const std::string& file, CDumpedImage& image) {
    const std::string dump = file + ".dump.txt";
    if (std::system(("convert '" + file + "' -depth 8 txt:- > '" + dump + "' 2>/dev/null").c_str()) != 0) return false;
    std::ifstream in(dump);
    std::string line;
    if (!std::getline(in, line)) return false;
    int maxValue = 0;
    if (std::sscanf(line.c_str(), "# ImageMagick pixel enumeration: %d,%d,%d", &image.myWidth, &image.myHeight,
                    &maxValue) != 3 ||
        maxValue != 255 || image.myWidth <= 0 || image.myHeight <= 0) {
        return false;
    }
    image.myPixels.assign(static_cast<size_t>(image.myWidth) * image.myHeight, CDumpedPixel());
    size_t seen = 0;
    while (std::getline(in, line)) {
        int x = 0, y = 0;
        CDumpedPixel pixel;
        const int read = std::sscanf(line.c_str(), "%d,%d: (%d,%d,%d,%d)", &x, &y, &pixel.r, &pixel.g, &pixel.b, &pixel.a);
        if (read < 3 || x < 0 || y < 0 || x >= image.myWidth || y >= image.myHeight) return false;
        if (read == 3) pixel.g = pixel.b = pixel.r;  // grey pictures list one value
        if (read <= 5) pixel.a = 255;
        image.myPixels[static_cast<size_t>(y) * image.myWidth + x] = pixel;
        ++seen;
    }
    std::remove(dump.c_str());
    return seen == image.myPixels.size();
}

}  // namespace testsupport
