#include "common/atomic_file.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
