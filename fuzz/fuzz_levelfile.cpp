// Fuzz target for level files as the game loads them: the bytes are written to a file that a
// level file object reads into a physics task (with the game's marble sprite table taking the
// "SpriteData"), and the world is stepped. A load that succeeds comes from a whole document
// with the root "MarblesLevel"; nothing may crash or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "marbles/game/cmarblespritetable.h"
#include "marbles/level/clevelfile.h"
#include "marbles/physics/cphysicstask.h"
#include "support/fuzztempdir.h"
#include "tarn/utils/logger/clogger.h"

namespace {

bool Initialize() {
    fuzzsupport::EnterTemporaryDirectory("levelfile");
    marbles::CMarbleSpriteTable::GetSingleton();  // the game's "SpriteData" reader
    return true;
}

}  // namespace

// Paths on the command line are resolved before the private folder is entered.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::ResolveArgumentsThenEnter(argc, argv, "levelfile");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialized = Initialize();
    static unsigned runs = 0;
    (void)initialized;
    if (size > 64 * 1024) return 0;
    if (++runs % 1024 == 0) std::remove("log.txt");
    {
        std::ofstream out("level.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    marbles::CPhysicsTask physics;
    marbles::CLevelFile level(&physics);
    const bool loaded = level.Load("level.xml");
    if (loaded && std::string(reinterpret_cast<const char*>(data), size).find("MarblesLevel") == std::string::npos)
        std::abort();
    for (int step = 0; step < 10; ++step) physics.Step(50);
    return 0;
}
