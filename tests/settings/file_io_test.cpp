#include "shell/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

TEST(FileIoTest, ReadsOnlyRegularFilesAndTellsMissingFromUnreadable) {
  support::TempDir dir;
  std::string text = "unchanged", reason;
  const std::pair<std::string, FileRead> failures[] = {
      {dir / "none", FileRead::kMissing},
      {dir / "none/deeper", FileRead::kMissing},
      {dir.path(), FileRead::kFailed},  // a pipe, a device: BadFilesTest
  };
  for (const auto& [path, result] : failures) {
    EXPECT_EQ(ReadFileChecked(path, kMaxTextFileSize, text, reason), result) << path;
    EXPECT_FALSE(FileExists(path)) << path;
  }
  EXPECT_EQ(text, "unchanged");
}

TEST(FileIoTest, AReplacementIsAllOrNothingAndLeavesNoTemporaryFile) {
  support::TempDir dir;
  const std::string path = dir / "marvo.ini";
  EXPECT_TRUE(ReplaceFileAtomically(path, "first\n"));
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_TRUE(ReplaceFileAtomically(path, "second\n"));
  EXPECT_EQ(dir.Read("marvo.ini"), "second\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the old file's permissions carry over

  // A full disk, before the first byte and part-way through.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, SIG_IGN);
  for (rlim_t limit : {rlim_t{0}, rlim_t{4096}}) {
    rlimit full_disk{limit, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full_disk);
    const bool replaced = ReplaceFileAtomically(path, std::string(10000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(dir.Read("marvo.ini"), "second\n");
  }
  EXPECT_FALSE(ReplaceFileAtomically(dir / "missing/marvo.ini", "x"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(ReplaceFileAtomically(dir.path() + "/", "x"));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"marvo.ini"}));
}

TEST(FileIoTest, AReplacementWritesThroughSymbolicLinksAndKeepsThem) {
  support::TempDir dir;
  ASSERT_EQ(::mkdir((dir / "real").c_str(), 0700), 0);
  dir.Write("real/scores.ini", "old\n");
  // A relative link to a link: both stay, the file at the end gets the text.
  ASSERT_EQ(::symlink("real/scores.ini", (dir / "hop").c_str()), 0);
  ASSERT_EQ(::symlink("hop", (dir / "marvo.ini").c_str()), 0);
  EXPECT_TRUE(ReplaceFileAtomically(dir / "marvo.ini", "new\n"));
  EXPECT_EQ(dir.Read("real/scores.ini"), "new\n");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"hop", "marvo.ini", "real"}));

  // A link to nothing yet makes its target; links in a loop write nothing.
  ASSERT_EQ(::symlink("real/made.ini", (dir / "dangling").c_str()), 0);
  EXPECT_TRUE(ReplaceFileAtomically(dir / "dangling", "made\n"));
  EXPECT_EQ(dir.Read("real/made.ini"), "made\n");
  ASSERT_EQ(::symlink("loop", (dir / "loop").c_str()), 0);
  EXPECT_FALSE(ReplaceFileAtomically(dir / "loop", "x"));
  EXPECT_EQ(errno, ELOOP);
}

}  // namespace
}  // namespace marvo
