#include "framework/win/win32_code_page.h"

#include <windows.h>

namespace tessaly::win {

namespace {
// Both directions through UTF-16; flags for the reading of the source.
std::optional<std::wstring> ToWide(UINT codePage, DWORD flags, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (MultiByteToWideChar(codePage, flags, text.data(), size, &wide[0], n) != n) return std::nullopt;
  return wide;
}
}  // namespace

std::optional<std::string> Win32CodePage::ToUtf8(const std::string& bytes) const {
  // Whether the bytes come back as themselves is the caller's to check
  // (bookmarks/bookmark_text.h): a double-byte code page reads a lead byte
  // without its trail byte as a default character.
  std::optional<std::wstring> wide = ToWide(CP_ACP, 0, bytes);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int length = static_cast<int>(wide->size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  if (n <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide->data(), length, &text[0], n, nullptr, nullptr) != n)
    return std::nullopt;
  return text;
}

std::optional<std::string> Win32CodePage::FromUtf8(const std::string& text) const {
  std::optional<std::wstring> wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int length = static_cast<int>(wide->size());
  // No best fit ("é" for "ė" would pass for the text): a character the code
  // page lacks makes the conversion fail.
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, &bytes[0], n, nullptr, &lost);
  if (lost) return std::nullopt;
  return bytes;
}

}  // namespace tessaly::win
