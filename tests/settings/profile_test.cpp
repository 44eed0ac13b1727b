#include "shell/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>

#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

using testing::TempDir;

TEST(ProfileTest, ReadsNamesWhateverTheirCaseAndTheFirstOfEachOnly) {
  const Profile p = Profile::Parse(
      "BGM=9\n"  // before any section: belongs to none
      "[ marvostel ]\n"
      "  bgm =  7  \n"
      "BGM=8\n"
      "Quoted=\"a b\"\n"
      "Single=' x '\n"
      "Half=\"open\n"
      "Mixed='x\"\n"
      "Empty=\n"
      "[other]\n"
      "HISCORE1=1\n"
      "[MARVOSTEL]\n"
      "HISCORE1=2\n"
      "Empty=filled\n");
  EXPECT_EQ(p.Get("MARVOSTEL", "BGM", "d"), "7");
  EXPECT_EQ(p.Get(" MarvoStel", "bGm ", "d"), "7");
  EXPECT_EQ(p.Get("MARVOSTEL", "Quoted", "d"), "a b");
  EXPECT_EQ(p.Get("MARVOSTEL", "Single", "d"), " x ");
  EXPECT_EQ(p.Get("MARVOSTEL", "Half", "d"), "\"open");
  EXPECT_EQ(p.Get("MARVOSTEL", "Mixed", "d"), "'x\"");
  EXPECT_EQ(p.Get("MARVOSTEL", "Empty", "d"), "");      // present though empty
  EXPECT_EQ(p.Get("MARVOSTEL", "HISCORE1", "d"), "d");  // only in the second section
  EXPECT_EQ(p.Get("other", "HISCORE1", "d"), "1");
  EXPECT_EQ(p.Get("missing", "BGM", "d"), "d");
  EXPECT_EQ(p.Get("", "BGM", "d"), "d");
  EXPECT_EQ(p.SectionNames(), (std::vector<std::string>{"marvostel", "other"}));
  EXPECT_EQ(p.KeyNames("MARVOSTEL"),
            (std::vector<std::string>{"bgm", "Quoted", "Single", "Half", "Mixed", "Empty"}));
}

TEST(ProfileTest, AValueIsReadUpToItsFirstNulAndAtMost254Characters) {
  const std::string long_value(300, '7');
  const Profile p = Profile::Parse("[S]\nLong=" + long_value + "\nNul=12" + std::string(1, '\0') +
                                   "34\nQuotedLong=\"" + long_value + "\"\n");
  EXPECT_EQ(p.Get("S", "Long", ""), std::string(254, '7'));
  EXPECT_EQ(p.Get("S", "QuotedLong", ""), std::string(254, '7'));
  EXPECT_EQ(p.Get("S", "Nul", ""), "12");
  EXPECT_EQ(p.Get("S", "None", long_value), std::string(254, '7'));
}

TEST(ProfileTest, LfCrlfAndCrOnlyReadAlikeAndEveryTextComesBackAsItWas) {
  for (const std::string eol : {"\n", "\r\n", "\r"}) {
    const std::string text = "; note" + eol + "[S]" + eol + "A=1" + eol + eol + "B=2";
    const Profile p = Profile::Parse(text);
    EXPECT_EQ(p.Get("S", "A", ""), "1");
    EXPECT_EQ(p.Get("S", "B", ""), "2");
    EXPECT_EQ(p.Text(), text);
  }
  const std::string mixed = "[S]\r\nA=1\rB=2\n\r\nC=3\r";
  const Profile p = Profile::Parse(mixed);
  EXPECT_EQ(p.Get("S", "C", ""), "3");
  EXPECT_EQ(p.Text(), mixed);
}

TEST(ProfileTest, SetChangesOneValueInPlaceAndAddsWhatIsMissingWhereItBelongs) {
  Profile p = Profile::Parse(
      "; the game's settings\r\n"
      "[marvostel]\r\n"
      "  bgm = 1 ; off\r\n"
      "; tracks\r\n"
      "Bgm_Type=2\r\n"
      "\r\n"
      "[Window]\r\n"
      "Left=10\r\n");
  EXPECT_TRUE(p.Set("MARVOSTEL", "BGM", "0"));
  EXPECT_TRUE(p.Set("MARVOSTEL", "HISCORE1", "5000"));
  EXPECT_TRUE(p.Set("Extra", "Key", "v=w"));
  EXPECT_EQ(p.Text(),
            "; the game's settings\r\n"
            "[marvostel]\r\n"
            "bgm=0\r\n"
            "; tracks\r\n"
            "Bgm_Type=2\r\n"
            "HISCORE1=5000\r\n"
            "\r\n"
            "[Window]\r\n"
            "Left=10\r\n"
            "\r\n"
            "[Extra]\r\n"
            "Key=v=w\r\n");
  EXPECT_EQ(Profile::Parse(p.Text()).Get("extra", "KEY", ""), "v=w");

  // A section without keys takes its first after the header; a last line
  // without its line ending gets one before anything follows it.
  Profile bare = Profile::Parse("[S]\n[T]\nA=1");
  EXPECT_TRUE(bare.Set("S", "K", "1"));
  EXPECT_TRUE(bare.Set("T", "B", "2"));
  EXPECT_EQ(bare.Text(), "[S]\nK=1\n[T]\nA=1\nB=2\n");

  Profile empty = Profile::Parse("");
  EXPECT_TRUE(empty.Set("MARVOSTEL", "BGM", "0"));
  EXPECT_EQ(empty.Text(), "[MARVOSTEL]\nBGM=0\n");
}

TEST(ProfileTest, SetRefusesWhatWouldNotReadBackAndLeavesTheTextAlone) {
  const std::string text = "[S]\nA=1\n";
  Profile p = Profile::Parse(text);
  EXPECT_FALSE(p.Set("S", "A", "1\n[T]"));
  EXPECT_FALSE(p.Set("S", "A", std::string("1\0002", 3)));
  EXPECT_FALSE(p.Set("S", "A", " 1"));
  EXPECT_FALSE(p.Set("S", "A", "'1'"));
  EXPECT_FALSE(p.Set("S", "A", std::string(255, '1')));
  EXPECT_FALSE(p.Set("S", "A=B", "1"));
  EXPECT_FALSE(p.Set("S", "[A", "1"));
  EXPECT_FALSE(p.Set("S", "", "1"));
  EXPECT_FALSE(p.Set("S]", "A", "1"));
  EXPECT_FALSE(p.Set(" S", "A", "1"));
  EXPECT_FALSE(p.Set("", "A", "1"));
  EXPECT_EQ(p.Text(), text);
  EXPECT_TRUE(p.Set("S", "A", std::string(254, '1')));
  EXPECT_EQ(Profile::Parse(p.Text()).Get("S", "A", ""), std::string(254, '1'));
}

TEST(ProfileTest, DamagedTextsKeepWhatCanBeKept) {
  // A byte-order mark before the first header.
  Profile bom = Profile::Parse("\xEF\xBB\xBF[MARVOSTEL]\nBGM=1\n");
  EXPECT_EQ(bom.Get("MARVOSTEL", "BGM", ""), "1");
  EXPECT_TRUE(bom.Set("MARVOSTEL", "BGM_TYPE", "2"));
  EXPECT_EQ(bom.Text(), "\xEF\xBB\xBF[MARVOSTEL]\nBGM=1\nBGM_TYPE=2\n");

  // A megabyte on one line, NUL bytes and a header without its bracket.
  const std::string huge(1 << 20, 'x');
  const std::string nul(1, '\0');
  Profile damaged = Profile::Parse("[MARVOSTEL\n" + huge + "\nA" + nul + "=1\nB=2" + nul +
                                   "\n=3\n" + huge + "=4\n");
  EXPECT_EQ(damaged.Get("MARVOSTEL", "B", ""), "2");
  EXPECT_EQ(damaged.Get("MARVOSTEL", "A", "d"), "d");
  EXPECT_EQ(damaged.Get("MARVOSTEL", huge, ""), "4");
  EXPECT_TRUE(damaged.Set("MARVOSTEL", "B", "5"));
  EXPECT_EQ(Profile::Parse(damaged.Text()).Get("marvostel", "b", ""), "5");

  // Random bytes: whatever comes of them, a value set reads back and the text
  // parses to the same again.
  std::mt19937 random(20240501);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& c : bytes)
      c = static_cast<char>(random() % 7 == 0 ? "[]=\r\n"[random() % 5] : random());
    Profile p = Profile::Parse(bytes);
    ASSERT_EQ(p.Text(), bytes);
    ASSERT_TRUE(p.Set("MARVOSTEL", "BGM", "1"));
    const Profile again = Profile::Parse(p.Text());
    ASSERT_EQ(again.Get("MARVOSTEL", "BGM", ""), "1");
    ASSERT_EQ(Profile::Parse(again.Text()).Text(), p.Text());
  }
}

TEST(ProfileFileTest, ReadsOnlyRegularFilesAndTellsMissingFromUnreadable) {
  TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  std::string text = "unchanged";
  EXPECT_EQ(ReadTextFile(dir / "none", text), FileRead::kMissing);
  EXPECT_EQ(ReadTextFile(dir / "none/deeper", text), FileRead::kMissing);
  EXPECT_EQ(ReadTextFile(dir.path(), text), FileRead::kFailed);
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadTextFile(dir / "pipe", text), FileRead::kFailed);  // and does not wait
  EXPECT_FALSE(FileExists(dir / "pipe"));
  EXPECT_EQ(text, "unchanged");

  dir.Write("big", std::string(kMaxTextFileSize + 1, 'x'));
  EXPECT_EQ(ReadTextFile(dir / "big", text), FileRead::kFailed);
  dir.Write("ok", std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadTextFile(dir / "ok", text), FileRead::kOk);
  EXPECT_EQ(text, std::string("a\0b\r\n", 5));
  dir.Write("empty", "");
  EXPECT_EQ(ReadTextFile(dir / "empty", text), FileRead::kOk);
  EXPECT_EQ(text, "");

  EXPECT_TRUE(FileExists(dir / "empty"));
  EXPECT_FALSE(FileExists(dir / "none"));
  EXPECT_FALSE(FileExists(dir.path()));
}

TEST(ProfileFileTest, AReplacementIsAllOrNothingAndLeavesNoTemporaryFile) {
  TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string path = dir / "marvo.ini";
  EXPECT_TRUE(ReplaceFileAtomically(path, "first\n"));
  EXPECT_EQ(dir.Read("marvo.ini"), "first\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_TRUE(ReplaceFileAtomically(path, "second\n"));
  EXPECT_EQ(dir.Read("marvo.ini"), "second\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the old file's permissions carry over

  // A full disk, before the first byte and part-way through.
  for (rlim_t limit : {rlim_t{0}, rlim_t{4096}}) {
    const std::string text(10000, 'n');
    EXPECT_EQ(
        testing::RunWithFileSizeLimit(limit, [&] { return ReplaceFileAtomically(path, text); }), 0);
    EXPECT_EQ(dir.Read("marvo.ini"), "second\n");
  }
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"marvo.ini"}));

  EXPECT_FALSE(ReplaceFileAtomically(dir / "missing/marvo.ini", "x"));
  EXPECT_FALSE(ReplaceFileAtomically(dir.path() + "/", "x"));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"marvo.ini"}));
}

TEST(ProfileFileTest, AReadOnlyFolderKeepsTheOldFile) {
  if (testing::RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  dir.Write("marvo.ini", "old\n");
  ASSERT_EQ(::chmod(dir.path().c_str(), 0500), 0);
  EXPECT_FALSE(ReplaceFileAtomically(dir / "marvo.ini", "new\n"));
  EXPECT_EQ(dir.Read("marvo.ini"), "old\n");
}

}  // namespace
}  // namespace marvo
