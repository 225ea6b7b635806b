#pragma once
#include <windows.h>

#include <string>

namespace tessaly::win {

// The program's texts are UTF-8; the platform's wide-character calls take
// UTF-16. Bytes that are no UTF-8 become U+FFFD, which the platform shows as
// a box or a question mark: the text in memory keeps them.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* wide, int length);
inline std::string Utf8(const std::wstring& wide) { return Utf8(wide.data(), static_cast<int>(wide.size())); }

}  // namespace tessaly::win
