#include <gtest/gtest.h>

#include "BenchFixture.h"
#include "bench/DemoChoice.h"

using namespace bench;

class PlaceDemoTest : public BenchFixture {
 protected:
  DemoChoice Place(int item, const std::string& map = "", const std::string& demo = "",
                   const DemoChoice& previous = {}) {
    return PlaceDemo(DemoControls{item, map, demo}, previous, programFolder, systemFolder, fake.files, fileOp);
  }
};

TEST_F(PlaceDemoTest, BuiltInDemosAreCopiedIntoTheSystemFolderWhenMissing) {
  const char* expected[][2] = {{"01_Lighthouse", "01_Lighthouse.dem"},
                               {"02_Cargoship", "02_voru3v.dem"},
                               {"03_Bank", "03_voru3v.dem"}};
  for (int item = 0; item < 3; ++item) {
    const std::string file = expected[item][1];
    fake.files.AddFile(programFolder + "Demos\\" + file, "demo " + file);
    DemoChoice choice = Place(item);
    EXPECT_EQ(choice.MapName, expected[item][0]);
    EXPECT_EQ(choice.DemoFile, file);
    EXPECT_EQ(fake.files.Content(systemFolder + file), "demo " + file);
  }
  ASSERT_EQ(fake.shellFiles.requests.size(), 3u);
  EXPECT_EQ(fake.shellFiles.requests[0].function, platform::FoCopy);
  EXPECT_EQ(fake.shellFiles.requests[0].to, systemFolder + std::string(1, '\0') + std::string(1, '\0'));
}

TEST_F(PlaceDemoTest, ADemoAlreadyInPlaceIsNeverReplaced) {
  fake.files.AddFile(programFolder + "Demos\\02_voru3v.dem", "shipped");
  fake.files.AddFile(systemFolder + "02_voru3v.dem", "the player's own");
  Place(1);
  EXPECT_EQ(fake.files.Content(systemFolder + "02_voru3v.dem"), "the player's own");
  EXPECT_TRUE(fake.shellFiles.requests.empty());
}

TEST_F(PlaceDemoTest, AMissingShippedDemoStillFixesTheChoice) {
  DemoChoice choice = Place(0);
  EXPECT_EQ(choice.DemoFile, "01_Lighthouse.dem");
  EXPECT_FALSE(fake.files.FileExists(systemFolder + "01_Lighthouse.dem"));
}

TEST_F(PlaceDemoTest, TheUserDemoTakesTheTextsAsTheyStandAndCopiesNothing) {
  DemoChoice choice = Place(3, "12_MyOwnMap", "mine.dem");
  EXPECT_EQ(choice.MapName, "12_MyOwnMap");
  EXPECT_EQ(choice.DemoFile, "mine.dem");
  EXPECT_TRUE(fake.shellFiles.requests.empty());
}

TEST_F(PlaceDemoTest, NoSelectionKeepsThePreviousChoice) {
  DemoChoice previous{"03_Bank", "03_voru3v.dem"};
  DemoChoice choice = Place(-1, "x", "y", previous);
  EXPECT_EQ(choice.MapName, "03_Bank");
  EXPECT_EQ(choice.DemoFile, "03_voru3v.dem");
}

TEST(BatchSafety, RefusesWhatTheCommandInterpreterWouldActOn) {
  for (const char* safe : {"01_Lighthouse", "my demo.dem", "demo(2).dem", "caf\xE9.dem", "a=b,c;d"})
    EXPECT_TRUE(IsSafeForBatch(safe)) << safe;
  for (const char* bad : {"a&calc", "a|b", "a<b", "a>b", "a^b", "%PATH%", "a\"b", "a\tb", "a\rb", "a\nb"})
    EXPECT_FALSE(IsSafeForBatch(bad)) << bad;
  EXPECT_FALSE(IsSafeForBatch(std::string("a\0b", 3)));
}

class CustomDemoCheck : public BenchFixture {};

TEST_F(CustomDemoCheck, NeedsAnExistingFileAMapAndHarmlessNames) {
  fake.files.AddFile("C:\\Users\\me\\Demos\\mine.dem", "x");
  fake.files.AddFile("C:\\Users\\me\\Demos\\a&b.dem", "x");
  ASSERT_TRUE(fake.files.ChangeDirectory("C:\\Users\\me\\Demos"));
  EXPECT_TRUE(CustomDemoParametersOk(fake.files, "mine.dem", 4, "04_Penthouse"));
  EXPECT_TRUE(CustomDemoParametersOk(fake.files, "mine.dem", -1, "99_Typed"));  // a typed name passes
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "mine.dem", 0, "Please select your demo's map"));
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "other.dem", 4, "04_Penthouse"));
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "", 4, "04_Penthouse"));
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "a&b.dem", 4, "04_Penthouse"));
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "mine.dem", -1, "x & del *.*"));

  // The name is taken against the current directory, not the game's folder.
  ASSERT_TRUE(fake.files.ChangeDirectory(systemFolder));
  EXPECT_FALSE(CustomDemoParametersOk(fake.files, "mine.dem", 4, "04_Penthouse"));
}
