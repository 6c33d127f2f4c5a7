// Selects SDL's dummy video and audio drivers for every test program before main runs,
// unless the environment already names drivers (the Xvfb tests set their own).
#include <cstdlib>

namespace {

struct CHeadlessDrivers {
    CHeadlessDrivers() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
} theHeadlessDrivers;

}  // namespace
