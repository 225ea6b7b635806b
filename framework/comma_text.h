#pragma once
#include <string>
#include <vector>

namespace tessaly {

// Splits a comma text: items are separated by commas; an unquoted item also ends
// at a blank or control character; a double-quoted item may hold commas and
// blanks, and a doubled quote inside it stands for one quote.
std::vector<std::string> SplitCommaText(const std::string& text);

}  // namespace tessaly
