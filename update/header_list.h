#pragma once
#include <string>
#include <vector>

namespace tessaly {

// The lines of a request header, in the order they are sent. A named line is
// "name: value"; other lines (the request line) are added as they stand.
class THeaderList {
 public:
  void Add(const std::string& line) { lines_.push_back(line); }
  // Replaces the first line of that name (compared without regard to case)
  // or appends one; an empty value removes the line.
  void SetValue(const std::string& name, const std::string& value);

  const std::vector<std::string>& Lines() const { return lines_; }
  // The header as sent: each line followed by CR LF, then one more CR LF.
  std::string Text() const;

 private:
  std::vector<std::string>::iterator Find(const std::string& name);
  std::vector<std::string> lines_;
};

}  // namespace tessaly
