// Text in any language through the platform: the ANSI code page's adapter,
// the controls' texts, and a character typed that the code page lacks, which
// the message loop must hand on whole.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/application.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/win32_code_page.h"

namespace tessaly::win {
namespace {

const std::string kGreek = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1";  // Ωμέγα
const std::string kChinese = "\xE4\xB8\xAD\xE6\x96\x87";                  // 中文

class TestForm : public Form {
 public:
  TestForm() {
    FormParams fp;
    fp.className = "TWideTextTestForm";
    CreateForm(fp);
  }
};

TEST(WideTextOnWine, TheAnsiCodePageConvertsWithoutLookAlikes) {
  if (GetACP() != 1252) GTEST_SKIP() << "the prefix's ANSI code page is " << GetACP();
  const Win32CodePage codePage;
  EXPECT_EQ(codePage.ToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(codePage.FromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
  EXPECT_FALSE(codePage.FromUtf8(kGreek));
  EXPECT_FALSE(codePage.FromUtf8("\xC4\x97"));  // "ė": no "e" in its place
  EXPECT_FALSE(codePage.FromUtf8("\xC3"));      // no UTF-8
  // Every byte comes back as itself: what keeps an ANSI file's titles exact.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::optional<std::string> text = codePage.ToUtf8(all);
  ASSERT_TRUE(text);
  EXPECT_EQ(codePage.FromUtf8(*text), all);
}

TEST(WideTextOnWine, ControlsTakeAndTypeAnyCharacter) {
  Application app;
  TestForm form;
  Edit edit(form, Bounds{8, 8, 200, 21});
  edit.SetText(kGreek + " " + kChinese);
  EXPECT_EQ(edit.Text(), kGreek + " " + kChinese);

  // Typed: WM_CHAR in UTF-16 through the program's own message loop.
  edit.SetText("");
  for (wchar_t c : std::wstring(L"\x03A9 \x4E2D")) PostMessageW(edit.Handle(), WM_CHAR, c, 1);
  MSG msg;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(app.HandleOneMessage(msg));
  EXPECT_EQ(edit.Text(), "\xCE\xA9 " + std::string("\xE4\xB8\xAD"));
}

}  // namespace
}  // namespace tessaly::win
