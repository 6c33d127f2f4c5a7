// Selects SDL's dummy video and audio drivers for every test program before main runs,
// unless the environment already names drivers (the Xvfb tests set their own).
#include "support/testsupport.h"

namespace {

struct CHeadlessDrivers {
    CHeadlessDrivers() {
        testsupport::SetEnvironment("SDL_VIDEODRIVER", "dummy", false);
        testsupport::SetEnvironment("SDL_AUDIODRIVER", "dummy", false);
    }
} theHeadlessDrivers;

}  // namespace
