#include "shell/profile.h"

#include <gtest/gtest.h>

#include <string>

namespace marvo {
namespace {

TEST(ProfileTest, ReadsNamesWhateverTheirCaseTheFirstOfEachOnlyAndValuesAsTheGameWouldOfAnyText) {
  const std::string long_value(300, '7'), nul(1, '\0');
  const Profile p = Profile::Parse(
      "BGM=9\n"  // before any section: belongs to none
      "[ marvostel ]\n  bgm =  7  \nBGM=8\nQuoted=\"a b\"\nSingle=' x '\nHalf=\"open\n"
      "Mixed='x\"\nEmpty=\nLong=" +
      long_value + "\nNul=12" + nul + "34\nQuotedLong=\"" + long_value +
      "\"\n[other]\nHISCORE1=1\n[MARVOSTEL]\nHISCORE1=2\nEmpty=filled\n");
  // Empty is there though empty; HISCORE1 only in the second section of the name.
  std::string read;
  for (const char* key : {"BGM", "Quoted", "Single", "Half", "Mixed", "Empty", "HISCORE1", "Nul"})
    read += p.Get("MARVOSTEL", key, "d") + "|";
  EXPECT_EQ(read, "7|a b| x |\"open|'x\"||d|12|");
  for (const char* key : {"Long", "QuotedLong"})
    EXPECT_EQ(p.Get("MARVOSTEL", key, "d"), std::string(254, '7')) << key;
  EXPECT_EQ(p.Get(" MarvoStel", "bGm ", "d"), "7");
  EXPECT_EQ(p.Get("other", "HISCORE1", "d"), "1");
  EXPECT_EQ(p.Get("missing", "BGM", "d"), "d");
  EXPECT_EQ(p.Get("", "BGM", "d"), "d");
  EXPECT_EQ(p.Get("S", "None", long_value), std::string(254, '7'));

  // Line endings of every kind, mixed.
  const std::string mixed = "; note\r[S]\r\nA=1\rB=2\n\r\nC=3\r";
  const Profile m = Profile::Parse(mixed);
  EXPECT_EQ(m.Get("S", "B", "") + m.Get("S", "C", ""), "23");
  EXPECT_EQ(m.Text(), mixed);

  // A megabyte on one line, NUL bytes and a header without its bracket.
  const std::string huge(1 << 20, 'x');
  Profile damaged = Profile::Parse("\xEF\xBB\xBF[MARVOSTEL\n" + huge + "\nA" + nul + "=1\nB=2" +
                                   nul + "\n=3\n" + huge + "y=4\n");
  EXPECT_EQ(damaged.Get("MARVOSTEL", "B", ""), "2");
  EXPECT_EQ(damaged.Get("MARVOSTEL", "A", "d"), "d");
  // The bare megabyte line is that key first, without a value.
  EXPECT_EQ(damaged.Get("MARVOSTEL", huge, "d"), "d");
  EXPECT_EQ(damaged.Get("MARVOSTEL", huge + "y", ""), "4");
}

TEST(ProfileTest, SetChangesOneValueInPlaceAndAddsWhatIsMissingWhereItBelongs) {
  // A line without "=" is a key without a value: read as missing, set where it
  // stands. A comment is no key: new keys go after the last key, before it.
  Profile p = Profile::Parse(
      "; the game's settings\r\n[marvostel]\r\n  bgm = 1 ; off\r\n; tracks\r\nBgm_Type=2\r\n"
      " HISCORE4 \r\n; end\r\n\r\n[Window]\r\nLeft=10\r\n");
  EXPECT_EQ(p.Get("MARVOSTEL", "HISCORE4", "03000"), "03000");
  EXPECT_TRUE(p.Set("MARVOSTEL", "BGM", "0"));
  EXPECT_TRUE(p.Set("MARVOSTEL", "HISCORE1", "5000") && p.Set("MARVOSTEL", "HISCORE4", "3000"));
  EXPECT_TRUE(p.Set("Extra", "Key", "v=w"));
  EXPECT_EQ(p.Text(),
            "; the game's settings\r\n[marvostel]\r\nbgm=0\r\n; tracks\r\nBgm_Type=2\r\n"
            "HISCORE4=3000\r\nHISCORE1=5000\r\n; end\r\n\r\n[Window]\r\nLeft=10\r\n\r\n"
            "[Extra]\r\nKey=v=w\r\n");
  EXPECT_EQ(Profile::Parse(p.Text()).Get("extra", "KEY", ""), "v=w");

  // A section without keys takes its first after the header; a last line
  // without its line ending gets one before anything follows it.
  Profile bare = Profile::Parse("[S]\n[T]\nA=1");
  EXPECT_TRUE(bare.Set("S", "K", "1") && bare.Set("T", "B", "2"));
  EXPECT_EQ(bare.Text(), "[S]\nK=1\n[T]\nA=1\nB=2\n");
  // What would not read back is refused; the fuzz target tries values of every other kind.
  EXPECT_FALSE(bare.Set("S", "K", std::string(255, '1')) || bare.Set("S", "A=B", "1") ||
               bare.Set("S]", "K", "1") || bare.Set("S", "[K", "1"));
  EXPECT_EQ(bare.Text(), "[S]\nK=1\n[T]\nA=1\nB=2\n");
  Profile bom = Profile::Parse("\xEF\xBB\xBF[MARVOSTEL]\nBGM=1\n");
  EXPECT_TRUE(bom.Set("MARVOSTEL", "BGM_TYPE", "2"));
  EXPECT_EQ(bom.Text(), "\xEF\xBB\xBF[MARVOSTEL]\nBGM=1\nBGM_TYPE=2\n");
}

}  // namespace
}  // namespace marvo
