#include "common/atomic_file.h"
#include "support/test_support.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string path = dir / "show.PRJ";
    WriteBytes(path, {1, 2, 3});
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, std::string("new")));
    EXPECT_EQ(ReadBytes(path), (Bytes{'n', 'e', 'w'}));
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary left";
}

TEST(AtomicFile, AFailureReportsTheSystemsReasonAndKeepsTheOldFile)
{
    TempDir dir;
    WriteResult r = WriteFileAtomically(dir / "no/such/folder/x.PRJ", std::string("data"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "No such file or directory");

    // A folder where the file should be: the rename fails, the folder stays.
    std::filesystem::create_directory(dir / "taken");
    WriteBytes(dir / "taken/inner", {7});
    r = WriteFileAtomically(dir / "taken", std::string("data"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(ReadBytes(dir / "taken/inner"), Bytes{7});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

namespace {

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFile, ALinkIsFollowedToItsFileAndStays)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "shows");
    std::filesystem::create_directory(dir / "links");
    WriteBytes(dir / "shows/show.PRJ", {1});
    // A relative link to an absolute one to the file.
    std::filesystem::create_symlink(dir / "shows/show.PRJ", dir / "links/abs.PRJ");
    std::filesystem::create_symlink("abs.PRJ", dir / "links/show.PRJ");
    ASSERT_TRUE(WriteFileAtomically(dir / "links/show.PRJ", std::string("new")));
    EXPECT_EQ(ReadBytes(dir / "shows/show.PRJ"), (Bytes{'n', 'e', 'w'}));
    ASSERT_TRUE(std::filesystem::is_symlink(dir / "links/show.PRJ"));
    EXPECT_EQ(std::filesystem::read_symlink(dir / "links/show.PRJ"), "abs.PRJ");
    EXPECT_EQ(Names(dir / "links"), (std::vector<std::string>{"abs.PRJ", "show.PRJ"}));
    EXPECT_EQ(Names(dir / "shows"), (std::vector<std::string>{"show.PRJ"}));

    // A dangling link creates its target, relative to the link's folder.
    std::filesystem::create_symlink("../shows/new.PRJ", dir / "links/new.PRJ");
    ASSERT_TRUE(WriteFileAtomically(dir / "links/new.PRJ", std::string("x")));
    EXPECT_EQ(ReadBytes(dir / "shows/new.PRJ"), Bytes{'x'});
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "links/new.PRJ"));
}

TEST(AtomicFile, LinksThatLeadNowhereAreErrorsNamingThePlace)
{
    TempDir dir;
    std::filesystem::create_symlink("b.PRJ", dir / "a.PRJ");
    std::filesystem::create_symlink("a.PRJ", dir / "b.PRJ");
    WriteResult r = WriteFileAtomically(dir / "a.PRJ", std::string("data"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Too many levels of symbolic links");

    std::filesystem::create_symlink(dir / "gone/show.PRJ", dir / "show.PRJ");
    r = WriteFileAtomically(dir / "show.PRJ", std::string("data"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, dir / "gone/show.PRJ: No such file or directory");
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"a.PRJ", "b.PRJ", "show.PRJ"}));
}

TEST(AtomicFile, LeftoversOfKilledSavesGoAtTheNextSaveButNotThoseStillHeld)
{
    TempDir dir;
    const std::string path = dir / "show.PRJ";
    for (const char* name : {"show.PRJ.~2PR07h", "show.PRJ.~held01", "show.PRJ.~abc", "show.PRJ.~abc12!",
                             "other.PRJ.~2PR07h"})
        WriteBytes(dir / name, {1});
    const int held = open((dir / "show.PRJ.~held01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileAtomically(path, std::string("new")));
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"other.PRJ.~2PR07h", "show.PRJ", "show.PRJ.~abc",
                                                           "show.PRJ.~abc12!", "show.PRJ.~held01"}));
    close(held);
    ASSERT_TRUE(WriteFileAtomically(path, std::string("newer")));
    EXPECT_FALSE(std::filesystem::exists(dir / "show.PRJ.~held01")) << "its save has ended";
}

} // namespace
