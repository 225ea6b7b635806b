#include "framework/comma_text.h"

#include <gtest/gtest.h>

using tessaly::SplitCommaText;
using V = std::vector<std::string>;

TEST(CommaText, PlainItemsAndPlacement) {
  EXPECT_EQ(SplitCommaText("100,50,908,658"), (V{"100", "50", "908", "658"}));
  EXPECT_EQ(SplitCommaText(""), V{});
  EXPECT_EQ(SplitCommaText("   "), V{});
}

TEST(CommaText, BlanksEndUnquotedItems) {
  EXPECT_EQ(SplitCommaText("a b,c"), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitCommaText("  a ,  b  "), (V{"a", "b"}));
  EXPECT_EQ(SplitCommaText("a\tb\r\nc"), (V{"a", "b", "c"}));
}

TEST(CommaText, QuotedItemsKeepCommasBlanksAndDoubledQuotes) {
  EXPECT_EQ(SplitCommaText("\"a, b\",c"), (V{"a, b", "c"}));
  EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (V{"say \"hi\""}));
  EXPECT_EQ(SplitCommaText("\"\",x"), (V{"", "x"}));
  // An unterminated quote takes the rest of the text.
  EXPECT_EQ(SplitCommaText("\"open, end"), (V{"open, end"}));
}

TEST(CommaText, EmptyItemsBetweenCommasButNotAtTheEnd) {
  EXPECT_EQ(SplitCommaText("a,,b"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitCommaText("a,"), (V{"a"}));
  EXPECT_EQ(SplitCommaText(",a"), (V{"", "a"}));
}
