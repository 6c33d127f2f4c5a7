// Where a point of the physics world lands on the 640x480 screen: screen = world * scale +
// offset, in pixels; the game's levels use offset (320, 160) and 16 pixels per world unit.
#ifndef TARN_MARBLES_GAME_CSCREENMAPPING_H
#define TARN_MARBLES_GAME_CSCREENMAPPING_H

namespace marbles {

class CScreenMapping {
public:
    float myOffsetX = 320.0f;
    float myOffsetY = 160.0f;
    float myScaleX = 16.0f;
    float myScaleY = 16.0f;

    // Where world point (x, y) lands on the screen, truncated towards zero.
    int ToScreenX(float x) const { return static_cast<int>(x * myScaleX + myOffsetX); }
    int ToScreenY(float y) const { return static_cast<int>(y * myScaleY + myOffsetY); }
};

}  // namespace marbles

#endif
