// The file system on real temporary directories: file queries (files, directories, wildcards,
// missing paths), input streams, the replaceable implementation and the platform lookup.
#include <gtest/gtest.h>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif
#include <utime.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/testsupport.h"
#include "tarn/io/cfilename.h"
#include "tarn/io/cfilesystem.h"
#include "tarn/io/cfilesystembasicimpl.h"
#include "tarn/io/cinputstream.h"
#include "tarn/io/pathutils.h"
#include "tarn/platform/platform.h"

using namespace tarn;
using testsupport::WriteFile;

namespace {

void SetModified(const std::string& path, long long seconds) {
#if defined(_WIN32)
    // The C runtime's utime cannot touch a directory there; a directory reports 0 anyway.
    if (std::filesystem::is_directory(path)) return;
#endif
    utimbuf times{};
    times.actime = static_cast<time_t>(seconds);
    times.modtime = static_cast<time_t>(seconds);
    ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
}

// A fresh temporary working directory with a fresh basic implementation in the program-wide
// file system, which reads that directory as the working directory of paths.
class FileSystem : public ::testing::Test {
protected:
    void SetUp() override { CFileSystem::GetSingleton()->SetImplementation(std::make_shared<CFileSystemBasicImpl>()); }
    void TearDown() override { CFileSystem::GetSingleton()->SetImplementation(nullptr); }

    testsupport::CTempDir myTemp;
};

std::string ReadAll(CFileSystem& fileSystem, std::size_t chunk) {
    std::string bytes;
    std::string buffer(chunk, '\0');
    for (;;) {
        const std::size_t count = fileSystem.Read(&buffer[0], chunk);
        if (count == 0) break;
        bytes.append(buffer, 0, count);
    }
    return bytes;
}

}  // namespace

TEST_F(FileSystem, CreatingTheBasicImplementationReadsTheWorkingDirectory) {
    EXPECT_EQ(GetPathWorkingDirectory(), platform::GetWorkingDirectory());
    EXPECT_EQ(CFileName("x.txt").GetAbsolute(), platform::GetWorkingDirectory() + "/x.txt");
}

TEST_F(FileSystem, FileInformation) {
    WriteFile("a.txt", "hello");
    SetModified("a.txt", 1000000000);
    std::filesystem::create_directory("sub");
    WriteFile("sub/b.dat", std::string(3000, 'x'));
    SetModified("sub", 1234567890);
    CFileSystem* fileSystem = CFileSystem::GetSingleton();

    CFileInfo info = fileSystem->GetFileInfo("a.txt");
    EXPECT_TRUE(info.myExists);
    EXPECT_EQ(info.mySize, 5u);
    EXPECT_EQ(info.myModified, 1000000000);

    info = fileSystem->GetFileInfo(myTemp.Path() + "/sub/b.dat");
    EXPECT_TRUE(info.myExists);
    EXPECT_EQ(info.mySize, 3000u);

    // A directory exists, with size and time 0.
    info = fileSystem->GetFileInfo("sub");
    EXPECT_TRUE(info.myExists);
    EXPECT_TRUE(info.myIsDirectory);
    EXPECT_EQ(info.mySize, 0u);
    EXPECT_EQ(info.myModified, 0);

    for (const char* missing : {"nothing.txt", "sub/nothing", "nodir/a.txt", "", "sub/", "a.txt/x"}) {
        info = fileSystem->GetFileInfo(missing);
        EXPECT_FALSE(info.myExists) << "'" << missing << "'";
        EXPECT_EQ(info.mySize, 0u);
        EXPECT_EQ(info.myModified, 0);
    }
}

TEST_F(FileSystem, WildcardsInTheLastComponentFindTheFirstMatch) {
    std::filesystem::create_directory("sub");
    WriteFile("sub/level1.xml", "1234");
    WriteFile("sub/readme", "x");
    CFileSystem* fileSystem = CFileSystem::GetSingleton();
    CFileInfo info = fileSystem->GetFileInfo("sub/*.xml");
    EXPECT_TRUE(info.myExists);
    EXPECT_EQ(info.mySize, 4u);
    EXPECT_EQ(fileSystem->GetFileInfo("sub/level?.xml").mySize, 4u);
    EXPECT_EQ(fileSystem->GetFileInfo("sub\\read*").mySize, 1u);
    EXPECT_FALSE(fileSystem->GetFileInfo("sub/*.png").myExists);
    EXPECT_FALSE(fileSystem->GetFileInfo("s*/level1.xml").myExists);
}

TEST_F(FileSystem, SizesAndTimesBeyondThirtyTwoBits) {
    std::error_code error;
    WriteFile("big.bin", "");
    std::filesystem::resize_file("big.bin", 5000000000ull, error);
    if (error) GTEST_SKIP() << "cannot make a sparse 5 GB file here: " << error.message();
    SetModified("big.bin", 4102444800LL);  // 2100-01-01
    const CFileName file("big.bin");
    EXPECT_EQ(file.GetSize(), 5000000000ull);
    EXPECT_EQ(file.GetModificationTime(), 4102444800LL);
}

TEST_F(FileSystem, FileNamesAskTheProgramWideFileSystem) {
    WriteFile("a.txt", "hello");
    EXPECT_TRUE(CFileName("a.txt").Exists());
    EXPECT_EQ(CFileName("./x/../a.txt").GetSize(), 5u);
    EXPECT_FALSE(CFileName("b.txt").Exists());
    EXPECT_TRUE(CFileSystem::GetSingleton()->MakeFileName("a.txt") == CFileName("a.txt"));
}

TEST_F(FileSystem, ReadsTheCurrentStreamExactly) {
    std::string bytes = "line\r\nsecond\0third\x1a\xff end";
    bytes += std::string(10000, 'z');
    WriteFile("data.bin", bytes);
    CFileSystem* fileSystem = CFileSystem::GetSingleton();
    ASSERT_TRUE(fileSystem->Open("data.bin"));
    EXPECT_EQ(ReadAll(*fileSystem, 7), bytes);
    char c = 0;
    EXPECT_EQ(fileSystem->Read(&c, 1), 0u);

    ASSERT_TRUE(fileSystem->Open("data.bin"));
    EXPECT_EQ(fileSystem->Read(nullptr, 5), 0u);
    EXPECT_EQ(fileSystem->Read(&c, 0), 0u);
    EXPECT_EQ(ReadAll(*fileSystem, 4096).size(), bytes.size());
    fileSystem->Close();
    EXPECT_EQ(fileSystem->Read(&c, 1), 0u);
    fileSystem->Close();
}

TEST_F(FileSystem, FailedOpensLeaveNoStream) {
    WriteFile("a.txt", "abc");
    std::filesystem::create_directory("sub");
    CFileSystem* fileSystem = CFileSystem::GetSingleton();
    ASSERT_TRUE(fileSystem->Open("a.txt"));
    EXPECT_FALSE(fileSystem->Open("missing.txt"));
    char buffer[4] = {};
    EXPECT_EQ(fileSystem->Read(buffer, 4), 0u);
    EXPECT_FALSE(fileSystem->Open("sub"));
    EXPECT_FALSE(fileSystem->Open("*.txt"));  // matches a file, but no file has that name
    EXPECT_FALSE(fileSystem->Open(""));

#if !defined(_WIN32)
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    EXPECT_FALSE(fileSystem->Open("pipe"));  // would block until a writer comes
    EXPECT_FALSE(fileSystem->Open("/dev/zero"));  // would read without end
    chmod("a.txt", 0);
    if (geteuid() != 0) {
        EXPECT_FALSE(fileSystem->Open("a.txt"));  // exists, but cannot be opened
    }
#endif
}

TEST_F(FileSystem, StreamHandlesFromTheImplementation) {
    WriteFile("a.txt", "abcdef");
    std::shared_ptr<CFileSystemBasicImpl> impl = CFileSystem::GetSingleton()->GetImplementation();
    std::shared_ptr<CInputStream> stream = impl->OpenInputStream("a.txt");
    ASSERT_TRUE(stream);
    char buffer[8] = {};
    EXPECT_EQ(impl->Read(stream, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    impl->Release(stream);
    EXPECT_EQ(impl->Read(stream, buffer, 4), 0u);
    EXPECT_EQ(impl->Read(nullptr, buffer, 4), 0u);
    impl->Release(nullptr);
    EXPECT_FALSE(impl->OpenInputStream("missing"));
}

TEST_F(FileSystem, TheImplementationCanBeReplaced) {
    class CEverythingExists : public CFileSystemBasicImpl {
    public:
        CFileInfo GetFileInfo(const std::string&) const override {
            CFileInfo info;
            info.myExists = true;
            info.mySize = 42;
            return info;
        }
    };
    WriteFile("a.txt", "abc");
    CFileSystem* fileSystem = CFileSystem::GetSingleton();
    ASSERT_TRUE(fileSystem->Open("a.txt"));
    fileSystem->SetImplementation(std::make_shared<CEverythingExists>());
    char c = 0;
    EXPECT_EQ(fileSystem->Read(&c, 1), 0u);  // replacing closes the current stream
    EXPECT_TRUE(CFileName("anything").Exists());
    EXPECT_EQ(CFileName("anything").GetSize(), 42u);
}

TEST(PlatformFindFirstEntry, ReportsNameAndKind) {
    testsupport::CTempDir temp;
    WriteFile("one.txt", "1");
    std::filesystem::create_directory("dir");
    platform::FileEntry entry{"untouched", false, 7, 7};
    EXPECT_FALSE(platform::FindFirstEntry("none", entry));
    EXPECT_EQ(entry.myName, "untouched");
    ASSERT_TRUE(platform::FindFirstEntry("o*", entry));
    EXPECT_EQ(entry.myName, "one.txt");
    EXPECT_FALSE(entry.myIsDirectory);
    ASSERT_TRUE(platform::FindFirstEntry(temp.Path() + "/dir", entry));
    EXPECT_EQ(entry.myName, "dir");
    EXPECT_TRUE(entry.myIsDirectory);
    EXPECT_FALSE(platform::FindFirstEntry("dir/", entry));
}
