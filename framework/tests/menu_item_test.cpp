#include "framework/menu_item.h"

#include <gtest/gtest.h>

using tessaly::MenuItem;

TEST(MenuItem, TreeKeepsParentsAndIndexes) {
  MenuItem root;
  MenuItem& head = root.Add("Active Window", {}, 2);
  head.Add("Check Color");
  MenuItem& custom = head.Add("Custom Sizes");
  head.AddSeparator();
  MenuItem& preset = head.Add("640 x 480");
  EXPECT_EQ(preset.MenuIndex(), 3);
  EXPECT_EQ(preset.Parent(), &head);
  EXPECT_TRUE(head[2].IsSeparator());
  EXPECT_EQ(root.MenuIndex(), -1);

  custom.Add("300 x 200");
  EXPECT_EQ(custom[0].Parent(), &custom);
  custom.Clear();
  EXPECT_EQ(custom.Count(), 0);

  std::unique_ptr<MenuItem> taken = head.Remove(0);
  EXPECT_EQ(taken->Parent(), nullptr);
  EXPECT_EQ(preset.MenuIndex(), 2);
  EXPECT_EQ(head.Find("Custom Sizes"), &custom);
  EXPECT_EQ(head.Find("nothing"), nullptr);
  EXPECT_THROW(head.Remove(9), std::out_of_range);
}

TEST(MenuItem, ClickCallsHandlerWithItself) {
  MenuItem* seen = nullptr;
  MenuItem item("E&xit", [&](MenuItem& m) { seen = &m; });
  item.Click();
  EXPECT_EQ(seen, &item);
  MenuItem silent("no handler");
  silent.Click();  // must not throw
}
