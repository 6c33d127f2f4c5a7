// Tests of the system font generator: running it again from the packaged source font writes
// exactly the glyph data compiled into the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testsupport.h"

namespace {

const char* const kSourceFont = "/usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz";

TEST(MakeSystemFont, RunningItAgainReproducesTheCompiledData) {
    if (std::system("python3 -c 'import gzip' > /dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";
    if (!std::filesystem::exists(kSourceFont)) GTEST_SKIP() << "xfonts-base is not installed";
    testsupport::CTempDir dir;
    const std::string source = MARBLES_SOURCE_DIR;
    const std::string command = "python3 '" + source + "/tools/make_system_font.py' out.h > /dev/null 2>&1";
    ASSERT_EQ(0, std::system(command.c_str()));
    EXPECT_TRUE(testsupport::ReadFile("out.h") == testsupport::ReadFile(source + "/src/tarn/gfx/font/systemfontdata.h"))
        << "the generator's output differs from the committed glyph data";
}

}  // namespace
