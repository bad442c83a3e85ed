#include <gtest/gtest.h>

#include <stdexcept>

#include "bench/StepTable.h"
#include "bench/ResolutionEntry.h"

using namespace bench;

TEST(StepTable, RowsGiveProgressTextsPositionsAndDerivedLines) {
  struct Row {
    const char* width;
    const char* progress;
    int left;
    const char* x;
    const char* y;
    const char* tokens;
    const char* heading;
  } rows[] = {
      {"640", "Resolution: 640\xD7" "480", 94, "FullscreenViewportX=640", "FullscreenViewportY=480",
       " 640 480 -nosound ", "<BR><B><FONT size=5>Resolution: 640\xD7" "480</FONT></B><BR>"},
      {"800", "Resolution: 800\xD7" "600", 94, "FullscreenViewportX=800", "FullscreenViewportY=600",
       " 800 600 -nosound ", "<BR><B><FONT size=5>Resolution: 800\xD7" "600</FONT></B><BR>"},
      {"1024", "Resolution: 1024\xD7" "768", 92, "FullscreenViewportX=1024", "FullscreenViewportY=768",
       " 1024 768 -nosound ", "<BR><B><FONT size=5>Resolution: 1024\xD7" "768</FONT></B><BR>"},
      {"1280", "Resolution: 1280\xD7" "1024", 90, "FullscreenViewportX=1280", "FullscreenViewportY=1024",
       " 1280 1024 -nosound ", "<BR><B><FONT size=5>Resolution: 1280\xD7" "1024</FONT></B><BR>"},
      {"1600", "Resolution: 1600\xD7" "1200", 90, "FullscreenViewportX=1600", "FullscreenViewportY=1200",
       " 1600 1200 -nosound ", "<BR><B><FONT size=5>Resolution: 1600\xD7" "1200</FONT></B><BR>"},
      {"2048", "Resolution: 2048\xD7" "1536", 90, "FullscreenViewportX=2048", "FullscreenViewportY=1536",
       " 2048 1536 -nosound ", "<BR><B><FONT size=5>Resolution: 2048\xD7" "1536</FONT></B><BR>"},
  };
  for (int i = 0; i < 6; ++i) {
    const BenchStep& step = StepAt(i);
    const Row& row = rows[i];
    EXPECT_EQ(step.Index, i);
    EXPECT_STREQ(step.CurrentWidth, row.width);
    EXPECT_EQ(ProgressText(step), row.progress);
    EXPECT_EQ(step.LabelLeft, row.left);
    EXPECT_EQ(ConfigXLine(step), row.x);
    EXPECT_EQ(ConfigYLine(step), row.y);
    EXPECT_EQ(ResolutionTokens(step), row.tokens);
    EXPECT_EQ(ReportHeading(step), row.heading);
    EXPECT_EQ(FindStep(row.width), &step);
  }
  EXPECT_EQ(FindStep("1366"), nullptr);
  EXPECT_THROW(StepAt(6), std::out_of_range);
  EXPECT_THROW(StepAt(-1), std::out_of_range);
}

TEST(StepTable, AgreesWithTheResolutionTable) {
  for (const auto& entry : kResolutions) {
    const BenchStep& step = StepAt(entry.Index);
    EXPECT_EQ(step.Width, entry.Width);
    EXPECT_EQ(step.Height, entry.Height);
    EXPECT_STREQ(step.CurrentWidth, entry.ValueName);
    EXPECT_EQ(ConfigXLine(step), entry.ConfigLineX);
    EXPECT_EQ(ConfigYLine(step), entry.ConfigLineY);
  }
}
