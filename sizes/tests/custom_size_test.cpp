#include "sizes/custom_size.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/memory_registry.h"

using namespace tessaly;
using Lines = std::vector<std::string>;

namespace {
const char* kKey = "\\Software\\Corvane\\Tessaly\\CustomSizes";

TEST(StrToInt, AcceptsLeadingBlanksAndSignsOnly) {
  EXPECT_EQ(StrToInt("480"), 480);
  EXPECT_EQ(StrToInt(" 480"), 480);
  EXPECT_EQ(StrToInt("-5"), -5);
  EXPECT_EQ(StrToInt("0042"), 42);
  EXPECT_THROW(StrToInt(""), std::invalid_argument);
  EXPECT_THROW(StrToInt("480 "), std::invalid_argument);
  EXPECT_THROW(StrToInt("4a"), std::invalid_argument);
  EXPECT_THROW(StrToInt("99999999999"), std::invalid_argument);
}

TEST(CustomSizeEditor, AddNormalisesNumbersAndRefusesDuplicates) {
  Lines lines;
  EXPECT_EQ(AddCustomSize(lines, " 800 ", "600"), SizeEditResult::kDone);
  EXPECT_EQ(AddCustomSize(lines, "0300", "\t200"), SizeEditResult::kDone);
  EXPECT_EQ(lines, (Lines{"800 x 600", "300 x 200"}));
  EXPECT_EQ(AddCustomSize(lines, "800", "600"), SizeEditResult::kAlreadySet);
  EXPECT_EQ(lines.size(), 2u);
}

TEST(CustomSizeEditor, ChecksInOrderNumericThenPositiveThenSelection) {
  Lines lines{"640 x 480"};
  EXPECT_EQ(EditCustomSize(lines, -1, "", ""), SizeEditResult::kNotNumeric);
  EXPECT_EQ(EditCustomSize(lines, -1, "0", "x"), SizeEditResult::kNotNumeric);
  EXPECT_EQ(EditCustomSize(lines, -1, "0", "100"), SizeEditResult::kNotPositive);
  EXPECT_EQ(AddCustomSize(lines, "640", "-480"), SizeEditResult::kNotPositive);
  EXPECT_EQ(EditCustomSize(lines, -1, "10", "10"), SizeEditResult::kNoEditSelection);
  EXPECT_EQ(DeleteCustomSize(lines, -1), SizeEditResult::kNoDeleteSelection);
  EXPECT_EQ(lines, (Lines{"640 x 480"}));
  EXPECT_STREQ(MessageFor(SizeEditResult::kNotNumeric), "You must enter numeric values greater that zero.");
  EXPECT_STREQ(MessageFor(SizeEditResult::kNotPositive), "You must enter values greater that zero.");
  EXPECT_STREQ(MessageFor(SizeEditResult::kAlreadySet), "Custom value already set.");
  EXPECT_STREQ(MessageFor(SizeEditResult::kNoEditSelection), "You must select an item to edit.");
  EXPECT_STREQ(MessageFor(SizeEditResult::kNoDeleteSelection), "You must select an item to delete.");
}

TEST(CustomSizeEditor, EditReplacesWithoutDuplicateTestAndDeleteRemoves) {
  Lines lines{"640 x 480", "800 x 600"};
  EXPECT_EQ(EditCustomSize(lines, 0, "800", "600"), SizeEditResult::kDone);
  EXPECT_EQ(lines, (Lines{"800 x 600", "800 x 600"}));
  EXPECT_EQ(DeleteCustomSize(lines, 1), SizeEditResult::kDone);
  EXPECT_EQ(lines, (Lines{"800 x 600"}));
}

TEST(OtherSize, TypedSizeFollowsTheEditorsRulesAndItsAddOnlyWhenAsked) {
  Lines lines{"800 x 600"};
  std::string text;
  EXPECT_EQ(TypedCustomSize(lines, false, "abc", "600", text), SizeEditResult::kNotNumeric);
  EXPECT_EQ(TypedCustomSize(lines, true, "0", "600", text), SizeEditResult::kNotPositive);
  EXPECT_EQ(text, "");
  EXPECT_EQ(TypedCustomSize(lines, false, " 0300", "200 ", text), SizeEditResult::kDone);
  EXPECT_EQ(text, "300 x 200");
  EXPECT_EQ(lines, (Lines{"800 x 600"}));
  EXPECT_EQ(TypedCustomSize(lines, true, "800", "600", text), SizeEditResult::kAlreadySet);
  EXPECT_EQ(TypedCustomSize(lines, true, "300", "200", text), SizeEditResult::kDone);
  EXPECT_EQ(lines, (Lines{"800 x 600", "300 x 200"}));
}

TEST(CustomSizeEditor, SplitLineForTheEditBoxes) {
  std::string w, h;
  SplitCustomSizeLine("640 x 480", w, h);
  EXPECT_EQ(w, "640");
  EXPECT_EQ(h, "480");
  SplitCustomSizeLine("1024 x 768", w, h);
  EXPECT_EQ(w, "1024");
  EXPECT_EQ(h, "768");
}

TEST(CustomSizeStorage, StoreDeletesEverythingThenWritesInOrder) {
  MemoryRegistry reg;
  reg.KeyAt(kKey).values = {{"1 x 1", 1}, {"stray", std::string("x")}};
  StoreCustomSizes(reg, {"300 x 200", "800 x 600"});
  EXPECT_EQ(LoadCustomSizes(reg), (Lines{"300 x 200", "800 x 600"}));
  EXPECT_EQ(std::get<int>(*reg.Find(kKey, "300 x 200")), 1);
  // Duplicate lines become one value.
  StoreCustomSizes(reg, {"800 x 600", "800 x 600"});
  EXPECT_EQ(LoadCustomSizes(reg), (Lines{"800 x 600"}));
  // An emptied list leaves the key present and empty.
  StoreCustomSizes(reg, {});
  EXPECT_TRUE(reg.HasKey(kKey));
  EXPECT_TRUE(LoadCustomSizes(reg).empty());
}

TEST(CustomSizeStorage, NoKeyLoadsEmptyAndCreatesNothing) {
  MemoryRegistry reg;
  EXPECT_TRUE(LoadCustomSizes(reg).empty());
  EXPECT_FALSE(reg.HasKey(kKey));
}

}  // namespace
