#include "framework/utf8_text.h"

#include <gtest/gtest.h>

#include "framework/cp1252_code_page.h"

namespace tessaly {
namespace {

// "Ä" two bytes, "…" three, "😀" four.
const std::string kMixed = "A\xC3\x84\xE2\x80\xA6\xF0\x9F\x98\x80Z";

TEST(Utf8Text, CountsAndCutsWholeCharacters) {
  EXPECT_EQ(CountUtf8Chars(kMixed), 5u);
  EXPECT_EQ(FirstUtf8Chars(kMixed, 2), "A\xC3\x84");
  EXPECT_EQ(FirstUtf8Chars(kMixed, 4), "A\xC3\x84\xE2\x80\xA6\xF0\x9F\x98\x80");
  EXPECT_EQ(LastUtf8Chars(kMixed, 2), "\xF0\x9F\x98\x80Z");
  EXPECT_EQ(LastUtf8Chars(kMixed, 9), kMixed);
  EXPECT_EQ(Utf8CodePointAt(kMixed, 6), U'\U0001F600');
}

TEST(Utf8Text, AByteThatStartsNoCharacterIsOneOfItsOwn) {
  // A lone continuation byte, a lead byte cut short by the end, an overlong
  // form, a surrogate and a byte past U+10FFFF: each byte counts once and is
  // kept, so cutting and joining give back every byte.
  for (const std::string bad : {"\x80", "\xE2\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"}) {
    SCOPED_TRACE(testing::PrintToString(bad));
    EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_EQ(CountUtf8Chars(bad), bad.size());
    EXPECT_EQ(FirstUtf8Chars(bad, 1) + LastUtf8Chars(bad, bad.size() - 1), bad);
  }
  EXPECT_TRUE(IsValidUtf8(kMixed));
  EXPECT_TRUE(IsAscii("plain <A HREF>"));
  EXPECT_FALSE(IsAscii(kMixed));
}

TEST(Utf8Text, EncodesEveryLength) {
  std::string text;
  for (char32_t c : {U'A', U'\u00C4', U'\u2026', U'\U0001F600'}) AppendUtf8(text, c);
  EXPECT_EQ(text, "A\xC3\x84\xE2\x80\xA6\xF0\x9F\x98\x80");
}

TEST(Cp1252CodePage, ConvertsBothWaysAndRefusesWhatItLacks) {
  const Cp1252CodePage cp;
  EXPECT_EQ(cp.ToUtf8("Caf\xE9 \x80 \x85"), "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\xA6");
  EXPECT_EQ(cp.FromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\xA6"), "Caf\xE9 \x80 \x85");
  EXPECT_FALSE(cp.ToUtf8("\x81"));                        // undefined in the code page
  EXPECT_FALSE(cp.FromUtf8("\xCE\xA9"));                  // Greek capital omega
  EXPECT_FALSE(cp.FromUtf8("\xC3"));                      // no UTF-8
  EXPECT_EQ(cp.FromUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace tessaly
