#include "framework/memory_registry.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(MemoryRegistry, OpenWithoutCreateFailsAndCreatesNothing) {
  MemoryRegistry reg;
  EXPECT_FALSE(reg.OpenKey("\\Software\\Corvane\\Tessaly\\Position", false));
  EXPECT_FALSE(reg.HasKey("\\Software\\Corvane\\Tessaly\\Position"));
  EXPECT_TRUE(reg.OpenKey("\\Software\\Corvane\\Tessaly\\Position", true));
  EXPECT_TRUE(reg.HasKey("Software\\Corvane"));
}

TEST(MemoryRegistry, TypedReads) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\K", true));
  reg.WriteBool("B", true);
  reg.WriteString("S", "text");
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_TRUE(reg.ReadBool("b"));  // value names ignore case
  EXPECT_EQ(reg.ReadString("S"), "text");
  EXPECT_EQ(reg.ReadString("missing"), "");
  EXPECT_THROW(reg.ReadInteger("missing"), RegistryError);
  EXPECT_THROW(reg.ReadInteger("S"), RegistryError);
  EXPECT_THROW(reg.ReadString("B"), RegistryError);
  EXPECT_EQ(reg.ReadIntegerOr("S", 7), 7);
  EXPECT_EQ(reg.ReadIntegerOr("B", 7), 1);
}

TEST(MemoryRegistry, ValueNamesInWriteOrderAndDelete) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\K", true));
  reg.WriteInteger("b", 1);
  reg.WriteInteger("a", 1);
  reg.WriteInteger("b", 2);  // rewriting keeps the place
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"b", "a"}));
  ASSERT_TRUE(reg.OpenKey("\\K", true));
  EXPECT_TRUE(reg.DeleteValue("B"));
  EXPECT_FALSE(reg.DeleteValue("B"));
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"a"}));
  ASSERT_TRUE(reg.OpenKey("\\K\\Sub", true));
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"sub"}));
}

TEST(MemoryRegistry, KeyScopeClosesOnlyWhatItOpened) {
  MemoryRegistry reg;
  {
    RegistryKeyScope scope(reg, "\\Missing", false);
    EXPECT_FALSE(scope.IsOpen());
  }
  {
    RegistryKeyScope scope(reg, "\\K", true);
    EXPECT_TRUE(scope.IsOpen());
    reg.WriteInteger("x", 3);
  }
  EXPECT_THROW(reg.WriteInteger("y", 1), RegistryError);  // closed again
}

// A key is open for reading or for writing, as on the platform: programs that
// read through a key opened for writing find nothing there.
TEST(MemoryRegistry, KeyOpensForReadingOrForWriting) {
  MemoryRegistry reg;
  reg.KeyAt("\\K").values = {{"n", 5}, {"s", std::string("x")}};
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.ReadInteger("n"), 5);
  EXPECT_THROW(reg.WriteInteger("n", 6), RegistryError);
  EXPECT_FALSE(reg.DeleteValue("n"));

  ASSERT_TRUE(reg.OpenKey("\\K", true));
  EXPECT_FALSE(reg.ValueExists("n"));
  EXPECT_EQ(reg.ReadString("s"), "");
  EXPECT_TRUE(reg.GetValueNames().empty());
  reg.WriteInteger("n", 6);
  EXPECT_EQ(std::get<int>(*reg.Find("\\K", "n")), 6);
}
