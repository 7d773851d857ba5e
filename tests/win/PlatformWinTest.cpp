// The Windows platform layer on its own: file names with Chinese characters through the
// wide-character APIs, the checks that stand for POSIX's (the file index for the inode,
// the link count, the read-only attribute, folders and devices), paths with backslashes.
// Symbolic links and signals have no test here: Wine gives no reliable symbolic links,
// and a console's Ctrl-C is not a signal to raise.
#include "platform/PathNames.h"
#include "platform/ReplaceFile.h"
#include "platform/ShownText.h"
#include "platform/StandardStreams.h"
#include "platform/WideText.h"
#include "read/FileBytes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

using namespace traverse;

namespace fs = std::filesystem;

namespace {
class PlatformWin : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / Widen("报告-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        for (const auto& e : fs::directory_iterator(dir))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(dir);
    }
    std::string Path(const std::string& name) const {
        return Narrow((dir / Widen(name)).wstring());
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / Widen(name), std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(fs::path(Widen(path)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    fs::path dir;
};
} // namespace

TEST_F(PlatformWin, ReportsAreReplacedOrRefusedAsOnLinux) {
    FileBytes observations;
    ASSERT_EQ(ReadRegularFile(Write("观测.txt", "*K1 K0 1\n"), 1000, observations),
              FileReadStatus::Ok);
    const FileId keep{observations.device, observations.inode};
    ASSERT_TRUE(
        CreateHardLinkW(Widen(Path("别名.txt")).c_str(), Widen(Path("观测.txt")).c_str(), nullptr));
    Write("linked.txt", "old");
    ASSERT_TRUE(CreateHardLinkW(Widen(Path("link2.txt")).c_str(), Widen(Path("linked.txt")).c_str(),
                                nullptr));
    SetFileAttributesW(Widen(Write("readonly.txt", "old")).c_str(), FILE_ATTRIBUTE_READONLY);
    fs::create_directory(dir / L"folder.txt");
    struct Case {
        const char* name;
        std::string path;
        WriteStatus status;
        std::string content; // afterwards; "-" when there is no file to read
    };
    const Case cases[] = {
        {"new file, Chinese name", Path("成果.txt"), WriteStatus::Written, "report"},
        {"replaced", Write("old.txt", "old"), WriteStatus::Written, "report"},
        {"the observation file", Path("观测.txt"), WriteStatus::Protected, "*K1 K0 1\n"},
        {"a hard link to it", Path("别名.txt"), WriteStatus::Protected, "*K1 K0 1\n"},
        {"hard-linked", Path("linked.txt"), WriteStatus::HardLinked, "old"},
        {"read-only", Path("readonly.txt"), WriteStatus::CannotCreate, "old"},
        {"a folder", Path("folder.txt"), WriteStatus::NotAFile, "-"},
        {"missing folder", Path("无\\out.txt"), WriteStatus::CannotCreate, "-"},
        {"the null device", "NUL", WriteStatus::Written, "-"},
        {"no path", "", WriteStatus::NoPath, "-"},
    };
    for (const Case& c : cases) {
        const size_t files = FileCount();
        const WriteResult result = WriteWholeFile(c.path, "report", keep);
        EXPECT_EQ(result.status, c.status) << c.name;
        if (c.content != "-") {
            EXPECT_EQ(Read(c.path), c.content) << c.name;
        }
        EXPECT_LE(FileCount(), files + 1) << c.name << ": a temporary file was left";
    }
    EXPECT_FALSE(ErrorText(ERROR_ACCESS_DENIED).empty());
}

TEST_F(PlatformWin, ReplacementKeepsTheHiddenAttribute) {
    const std::string path = Write("hidden.txt", "old");
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(WriteWholeFile(path, "new", std::nullopt).status, WriteStatus::Written);
    EXPECT_EQ(Read(path), "new");
    EXPECT_TRUE(GetFileAttributesW(Widen(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(PlatformWin, FilesAreKnownByTheirIndexWhateverTheirName) {
    FileBytes a, b, c, folder;
    ASSERT_EQ(ReadRegularFile(Write("甲.txt", "a"), 10, a), FileReadStatus::Ok);
    ASSERT_TRUE(
        CreateHardLinkW(Widen(Path("乙.txt")).c_str(), Widen(Path("甲.txt")).c_str(), nullptr));
    ASSERT_EQ(ReadRegularFile(Path("乙.txt"), 10, b), FileReadStatus::Ok);
    ASSERT_EQ(ReadRegularFile(Write("丙.txt", "c"), 10, c), FileReadStatus::Ok);
    EXPECT_EQ(a.bytes, "a");
    EXPECT_TRUE(a.device == b.device && a.inode == b.inode);
    EXPECT_FALSE(a.device == c.device && a.inode == c.inode);
    EXPECT_EQ(ReadRegularFile(Narrow(dir.wstring()), 10, folder), FileReadStatus::NotRegular);
    EXPECT_EQ(ReadRegularFile("NUL", 10, folder), FileReadStatus::NotRegular);
    EXPECT_EQ(ReadRegularFile(Write("big.txt", "12345"), 4, folder), FileReadStatus::TooLarge);
}

TEST(PathNamesWin, BothSeparatorsAndTheDrive) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"C:\\测量\\closed.txt", "C:\\测量\\", "closed.txt"},
        {"examples/closed.txt", "examples/", "closed.txt"},
        {"C:closed.txt", "C:", "closed.txt"},
        {"closed.txt", "", "closed.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
    EXPECT_EQ(StandardStreamOf("/dev/stdout"), 1);
    EXPECT_EQ(Narrow(Widen("导线 \xFF")), "导线 \xEF\xBF\xBD");
}
