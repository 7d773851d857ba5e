// The outputs of a run put in place together, and what a rename that fails leaves.
#include "platform/OutputSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace traverse;

namespace fs = std::filesystem;

namespace {
std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int Temporaries(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().extension() == ".tmp";
    return n;
}
} // namespace

// The second target became a folder after it was staged: the first file is already in
// place, the failure says so, and no temporary file stays.
TEST(OutputSet, ARenameThatFailsSaysHowManyFilesAreInPlace) {
    const fs::path dir =
        fs::temp_directory_path() / ("ta-output-set-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path a = dir / "a.txt", b = dir / "b.txt";
    std::ofstream(a) << "old a";
    COutputSet set;
    ASSERT_EQ(set.Stage(a.string(), "new a", std::nullopt).status, WriteStatus::Written);
    ASSERT_EQ(set.Stage(b.string(), "new b", std::nullopt).status, WriteStatus::Written);
    EXPECT_EQ(Temporaries(dir), 2);
    EXPECT_EQ(Read(a), "old a") << "nothing in place before the commit";
    fs::create_directories(b / "inside");

    const auto failure = set.Commit();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->index, 1u);
    EXPECT_EQ(failure->result.status, WriteStatus::WriteFailed);
    EXPECT_EQ(failure->filesInPlace, 1u);
    EXPECT_EQ(Read(a), "new a");
    EXPECT_EQ(Temporaries(dir), 0);
    fs::remove_all(dir);
}
