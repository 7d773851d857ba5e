// The file a symbolic link names, whether it exists or not.
#include "platform/LinkTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdlib.h>

using namespace traverse;

namespace fs = std::filesystem;

TEST(LinkTarget, FollowsLinksToFilesThatNeedNotExist) {
    std::string pattern = (fs::temp_directory_path() / "link-target.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::string d = pattern + "/";
    fs::create_directory(d + "sub");
    const struct {
        const char* link;
        const char* target; // what the link holds
    } links[] = {{"rel", "new.txt"},  {"sub/up", "../x.txt"}, {"abs", "/nowhere/y.txt"},
                 {"chain", "sub/up"}, {"loop1", "loop2"},     {"loop2", "loop1"}};
    for (const auto& l : links)
        fs::create_symlink(l.target, d + l.link);
    const struct {
        std::string path, expected;
    } cases[] = {
        {d + "plain.txt", d + "plain.txt"}, {d + "rel", d + "new.txt"},
        {d + "sub/up", d + "sub/../x.txt"}, {d + "abs", "/nowhere/y.txt"},
        {d + "chain", d + "sub/../x.txt"},  {d + "loop1", d + "loop1"},
        {"rel-from-here", "rel-from-here"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkTarget(c.path), c.expected) << c.path;
    fs::remove_all(pattern);
}
