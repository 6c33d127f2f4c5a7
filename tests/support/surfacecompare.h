// Compares two SDL surfaces the way the engine sees them: size, pixel format, palette and keys,
// then every pixel's colour, reporting how far the two sides lie apart.
#ifndef TESTS_SUPPORT_SURFACECOMPARE_H
#define TESTS_SUPPORT_SURFACECOMPARE_H

#include <string>

struct SDL_Surface;

namespace testsupport {

struct CSurfaceDifference {
    // What differs besides the pixels ("" when nothing): size, depth, masks, keys, the
    // palette's size and the entries pixels use.
    std::string myLayout;
    // The largest difference of one channel (red, green, blue or alpha) between the colours
    // of two pixels at the same place, and how many pixels differ at all.
    int myLargestChannel = 0;
    int myPixels = 0;
};

// The difference of b from a; with different sizes only the layout is compared. Surfaces
// that are both null are equal; one null is a layout difference.
CSurfaceDifference CompareSurfaces(SDL_Surface* a, SDL_Surface* b);
// "size 4x4, 32 bits R000000ff ..., key 5": the layout in one line.
std::string DescribeLayout(SDL_Surface* surface);

}  // namespace testsupport

#endif
