// Reading files of checked kind and size: regular files within the limit are read whole;
// folders, devices, pipes, larger files and missing ones are refused before reading, with a
// reason for the caller or a log line naming the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/testsupport.h"
#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"

namespace {

using tarn::ReadRegularFile;

class RegularFile : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        testsupport::WriteFile("ten.txt", "0123456789");
        testsupport::WriteFile("empty.txt", "");
        std::filesystem::create_directory("folder");
#if !defined(_WIN32)
        ASSERT_EQ(mkfifo("pipe", 0600), 0);
        std::filesystem::create_symlink("ten.txt", "link.txt");
#endif
    }
    void TearDown() override { testsupport::ResetEngine(); }

    testsupport::CTempDir myTemp;
};

TEST_F(RegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
    struct Case {
        const char* path;
        std::uint64_t maxBytes;
        const char* bytes;  // null: refused
        const char* why;
    } cases[] = {
        {"ten.txt", 10, "0123456789", ""},
        {"empty.txt", 0, "", ""},
        {"ten.txt", 9, nullptr, "it holds 10 bytes, more than the 9 allowed"},
        {"missing.txt", 10, nullptr, "the file cannot be opened"},
        {"", 10, nullptr, "the file cannot be opened"},
        {"folder", 1u << 20, nullptr, "it is a folder"},
#if !defined(_WIN32)
        {"link.txt", 10, "0123456789", ""},
        {"pipe", 1u << 20, nullptr, "not a regular file"},
        {"/dev/zero", 1u << 20, nullptr, "not a regular file"},
        {"/dev/null", 1u << 20, nullptr, "not a regular file"},
#endif
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        std::string why;
        EXPECT_EQ(ReadRegularFile(c.path, c.maxBytes, bytes, &why), c.bytes != nullptr) << c.path;
        EXPECT_EQ(bytes, c.bytes ? c.bytes : "") << c.path;
        EXPECT_NE(why.find(c.why), std::string::npos) << c.path << ": " << why;
        why.clear();
        EXPECT_EQ(tarn::CheckRegularFile(c.path, c.maxBytes, &why), c.bytes != nullptr) << c.path;
        EXPECT_NE(why.find(c.why), std::string::npos) << c.path << ": " << why;
    }
    std::unique_ptr<char[]> data;
    std::size_t size = 99;
    ASSERT_TRUE(ReadRegularFile("ten.txt", 10, data, size));
    EXPECT_EQ(std::string(data.get()), "0123456789");  // a zero byte follows the text
    EXPECT_EQ(size, 10u);
    EXPECT_FALSE(ReadRegularFile("folder", 10, data, size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(RegularFile, WithoutAPlaceForTheReasonARefusalIsLoggedButAMissingFileIsNot) {
    std::string bytes;
    EXPECT_FALSE(ReadRegularFile("missing.txt", 10, bytes));
    EXPECT_FALSE(tarn::CheckRegularFile("ten.txt", 5));
    EXPECT_FALSE(ReadRegularFile("folder", 10, bytes));
    tarn::CLogger::DeleteSingleton();
    EXPECT_EQ(testsupport::LogBody(),
              "(!) Refused to read the file ten.txt: it holds 10 bytes, more than the 5 allowed for its kind\n"
              "(!) Refused to read the file folder: it is a folder, not a file\n");
}

}  // namespace
