#include "app/settings.h"

#include <gtest/gtest.h>

#include "framework/memory_registry.h"

using namespace tessaly;

namespace {

MemoryRegistry::Key& Key(MemoryRegistry& reg, const char* path) { return reg.KeyAt(path); }

TEST(StartupSettings, NoKeysMeansShown) {
  MemoryRegistry reg;
  EXPECT_TRUE(ReadShowMainFormAtStart(reg));
  EXPECT_FALSE(reg.HasKey(kPositionKey));  // reading never creates a key
}

TEST(StartupSettings, VisibleOnStartZeroStartsInTheTray) {
  MemoryRegistry reg;
  Key(reg, kPositionKey).values = {{"VisibleOnStart", 0}};
  EXPECT_FALSE(ReadShowMainFormAtStart(reg));
  Key(reg, kPositionKey).values = {{"VisibleOnStart", 1}};
  EXPECT_TRUE(ReadShowMainFormAtStart(reg));
  Key(reg, kPositionKey).values = {{"VisibleOnStart", std::string("0")}};  // damaged: default
  EXPECT_TRUE(ReadShowMainFormAtStart(reg));
}

TEST(WindowSettings, DefaultsWithoutKeys) {
  MemoryRegistry reg;
  WindowSettings s = ReadWindowSettings(reg);
  EXPECT_EQ(s.left, 1068);
  EXPECT_EQ(s.top, 109);
  EXPECT_FALSE(s.runMinimized);
  EXPECT_EQ(s.browser, "ie");
  EXPECT_FALSE(s.alwaysOnTop);
}

TEST(WindowSettings, AbsentBrowserValueReadsEmptyWhenTheKeyExists) {
  MemoryRegistry reg;
  Key(reg, kDefaultsKey).values = {{"AlwaysOnTop", 1}};
  WindowSettings s = ReadWindowSettings(reg);
  EXPECT_EQ(s.browser, "");
  EXPECT_TRUE(s.alwaysOnTop);
  EXPECT_FALSE(s.sizePageArea);  // off unless stored
  EXPECT_FALSE(s.bookmarksInDefaultBrowser);
}

// A key that lacks a value, or holds it with another type, must not stop the
// program from starting: that value keeps its default.
TEST(WindowSettings, DamagedValuesKeepTheirDefaults) {
  MemoryRegistry reg;
  Key(reg, kPositionKey).values = {{"Top", std::string("50")}, {"VisibleOnStart", 0}};
  Key(reg, kDefaultsKey).values = {{"Browser", 7}, {"AlwaysOnTop", std::string("yes")}};
  WindowSettings s;
  ASSERT_NO_THROW(s = ReadWindowSettings(reg));
  EXPECT_EQ(s.left, 1068);
  EXPECT_EQ(s.top, 109);
  EXPECT_TRUE(s.runMinimized);
  EXPECT_FALSE(s.alwaysOnTop);
}

TEST(WindowSettings, StoreWritesSixValuesWithTheirTypesAndReadsBack) {
  MemoryRegistry reg;
  WindowSettings s;
  s.left = 10;
  s.top = -20;
  s.runMinimized = true;
  s.alwaysOnTop = true;
  s.sizePageArea = true;
  s.bookmarksInDefaultBrowser = true;
  StoreWindowSettings(reg, s, 1);
  EXPECT_EQ(std::get<int>(*reg.Find(kPositionKey, "Left")), 10);
  EXPECT_EQ(std::get<int>(*reg.Find(kPositionKey, "Top")), -20);
  EXPECT_EQ(std::get<int>(*reg.Find(kPositionKey, "VisibleOnStart")), 0);
  EXPECT_EQ(std::get<std::string>(*reg.Find(kDefaultsKey, "Browser")), "ns");
  EXPECT_EQ(std::get<int>(*reg.Find(kDefaultsKey, "AlwaysOnTop")), 1);
  EXPECT_EQ(std::get<int>(*reg.Find(kDefaultsKey, "SizePageArea")), 1);
  EXPECT_EQ(std::get<int>(*reg.Find(kDefaultsKey, "BookmarksInDefaultBrowser")), 1);

  WindowSettings back = ReadWindowSettings(reg);
  EXPECT_EQ(back.left, 10);
  EXPECT_EQ(back.top, -20);
  EXPECT_TRUE(back.runMinimized);
  EXPECT_EQ(back.browser, "ns");
  EXPECT_TRUE(back.alwaysOnTop);
  EXPECT_TRUE(back.sizePageArea);
  EXPECT_TRUE(back.bookmarksInDefaultBrowser);

  StoreWindowSettings(reg, WindowSettings{}, 0);
  EXPECT_EQ(std::get<int>(*reg.Find(kDefaultsKey, "BookmarksInDefaultBrowser")), 0);
  EXPECT_EQ(std::get<int>(*reg.Find(kDefaultsKey, "SizePageArea")), 0);
  EXPECT_EQ(std::get<std::string>(*reg.Find(kDefaultsKey, "Browser")), "ie");
  EXPECT_EQ(std::get<int>(*reg.Find(kPositionKey, "VisibleOnStart")), 1);
}

// An account that may read HKEY_LOCAL_MACHINE but not write it gets every
// stored value, and its exit stores nothing without an error.
TEST(WindowSettings, ReadOnlyAccountReadsEveryValueAndStoresNothing) {
  MemoryRegistry reg;
  Key(reg, kPositionKey).values = {{"Left", 300}, {"Top", 200}, {"VisibleOnStart", 0}};
  Key(reg, kDefaultsKey).values = {{"Browser", std::string("ns")},
                                   {"AlwaysOnTop", 1},
                                   {"HomePageUrl", std::string("http://h/")},
                                   {"UpdateURL", std::string("http://u/")}};
  reg.DenyWrites(true);
  EXPECT_FALSE(ReadShowMainFormAtStart(reg));
  WebAddresses a;
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, "http://h/");
  EXPECT_EQ(a.updateUrl, "http://u/");
  WindowSettings s = ReadWindowSettings(reg);
  EXPECT_EQ(s.left, 300);
  EXPECT_EQ(s.top, 200);
  EXPECT_TRUE(s.runMinimized);
  EXPECT_EQ(s.browser, "ns");
  EXPECT_TRUE(s.alwaysOnTop);

  EXPECT_NO_THROW(StoreWindowSettings(reg, WindowSettings{}, 0));
  EXPECT_EQ(std::get<int>(*reg.Find(kPositionKey, "Left")), 300);
  EXPECT_EQ(std::get<std::string>(*reg.Find(kDefaultsKey, "Browser")), "ns");
}

}  // namespace
