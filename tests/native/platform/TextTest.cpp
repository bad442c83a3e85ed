#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "platform/Text.h"

TEST(Text, ParsesOnlyWholeDecimalIntegers) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {{"8080", true, 8080}, {"-3", true, -3}, {"+7", true, 7}, {"", false, 0},
                        {" 80", false, 0},    {"80a", false, 0}, {"-", false, 0}, {"99999999999", false, 0}};
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(text::TryParseInt(c.text, v), c.ok) << c.text;
    if (c.ok) EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(Text, SplitsLinesOfAnyEndingWithoutAPhantomLastLine) {
  EXPECT_EQ(text::SplitLines("a\r\nb\nc\rd\r\n"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(text::SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(text::SplitLines("").empty());
}

TEST(OSError, MessageCarriesCodeAndTrimmedSystemText) {
  EXPECT_EQ(MakeOSError(2, "The system cannot find the file specified.\r\n").Message(),
            "System Error.  Code: 2.\r\nThe system cannot find the file specified");
  EXPECT_EQ(MakeOSError(0, "ignored").Message(), "A call to an OS function failed");
  EXPECT_EQ(MakeOSError(5, "x").ErrorCode, 5u);
  EXPECT_EQ(MakeOSError(0x80070005u, "Access is denied.").Message(), "System Error.  Code: -2147024891.\r\nAccess is denied");
}
