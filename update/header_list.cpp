#include "update/header_list.h"

#include <algorithm>
#include <cctype>

namespace tessaly {

namespace {

bool IsNamed(const std::string& line, const std::string& name) {
  return line.size() > name.size() && line[name.size()] == ':' &&
         std::equal(name.begin(), name.end(), line.begin(), [](unsigned char a, unsigned char b) {
           return std::tolower(a) == std::tolower(b);
         });
}

}  // namespace

std::vector<std::string>::iterator THeaderList::Find(const std::string& name) {
  return std::find_if(lines_.begin(), lines_.end(), [&](const std::string& l) { return IsNamed(l, name); });
}

void THeaderList::SetValue(const std::string& name, const std::string& value) {
  auto it = Find(name);
  if (value.empty()) {
    if (it != lines_.end()) lines_.erase(it);
  } else if (it != lines_.end()) {
    *it = name + ": " + value;
  } else {
    lines_.push_back(name + ": " + value);
  }
}

std::string THeaderList::Text() const {
  std::string text;
  for (const std::string& l : lines_) text += l + "\r\n";
  return text + "\r\n";
}

}  // namespace tessaly
