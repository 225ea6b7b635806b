#include "framework/menu_item.h"

#include <gtest/gtest.h>

#include <string>

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

// A handler that frees its own item, as a bookmark command does when the
// bookmarks change while it waits, still has its own captures afterwards
// (under the sanitizers, reading them from the freed item would be reported).
TEST(MenuItem, AHandlerThatFreesItsItemKeepsItsOwnState) {
  MenuItem root;
  std::string read;
  const std::string address(200, 'u');  // long enough not to sit in the lambda's small-string buffer
  root.Add("Validator", [&root, &read, address](MenuItem& item) {
    const std::string url = item.Caption;  // what the handler needs, taken first
    root.Clear();                          // frees item and the handler stored in it
    read = url + ":" + address;
  });
  root[0].Click();
  EXPECT_EQ(root.Count(), 0);
  EXPECT_EQ(read, "Validator:" + address);
}

TEST(MenuItem, NamedTagsAreTheStoredHelpContext) {
  MenuItem option("Always on Top");
  EXPECT_FALSE(option.IsChecked());
  option.SetChecked(true);
  EXPECT_EQ(option.HelpContext, 3);  // the value the menu drawing reads
  EXPECT_TRUE(option.IsChecked());
  option.SetChecked(false);
  EXPECT_EQ(option.HelpContext, 0);
  EXPECT_TRUE(MenuItem("Home", {}, 4).IsBookmarkEntry());
}

TEST(MenuItem, DeleteFromFreesTheTail) {
  MenuItem root;
  for (const char* caption : {"a", "b", "c", "d"}) root.Add(caption);
  root[2].Add("child");
  root.DeleteFrom(2);
  ASSERT_EQ(root.Count(), 2);
  EXPECT_EQ(root[1].Caption, "b");
  root.DeleteFrom(5);  // past the end: nothing
  EXPECT_EQ(root.Count(), 2);
  EXPECT_THROW(root.DeleteFrom(-1), std::out_of_range);
}
