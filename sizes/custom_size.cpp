#include "sizes/custom_size.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <stdexcept>

#include "framework/settings_keys.h"

namespace tessaly {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool ValidIndex(const std::vector<std::string>& lines, int i) {
  return i >= 0 && static_cast<size_t>(i) < lines.size();
}
}  // namespace

int StrToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  size_t digits = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (digits == 0 || i != text.size() || value > INT_MAX || value < INT_MIN)
    throw std::invalid_argument("'" + text + "' is not a valid integer value");
  return static_cast<int>(value);
}

std::string CustomSizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

const char* MessageFor(SizeEditResult result) {
  switch (result) {
    case SizeEditResult::kNotNumeric:
      return "You must enter numeric values greater that zero.";
    case SizeEditResult::kNotPositive:
      return "You must enter values greater that zero.";
    case SizeEditResult::kAlreadySet:
      return "Custom value already set.";
    case SizeEditResult::kNoEditSelection:
      return "You must select an item to edit.";
    case SizeEditResult::kNoDeleteSelection:
      return "You must select an item to delete.";
    case SizeEditResult::kDone:
      break;
  }
  return "";
}

SizeEditResult ReadCustomSize(const std::string& widthText, const std::string& heightText, int& width,
                              int& height) {
  try {
    width = StrToInt(Trim(widthText));
    height = StrToInt(Trim(heightText));
  } catch (const std::invalid_argument&) {
    return SizeEditResult::kNotNumeric;
  }
  return width <= 0 || height <= 0 ? SizeEditResult::kNotPositive : SizeEditResult::kDone;
}

SizeEditResult AddCustomSize(std::vector<std::string>& lines, const std::string& widthText,
                             const std::string& heightText) {
  int w = 0, h = 0;
  const SizeEditResult read = ReadCustomSize(widthText, heightText, w, h);
  if (read != SizeEditResult::kDone) return read;
  const std::string text = CustomSizeText(w, h);
  if (std::find(lines.begin(), lines.end(), text) != lines.end()) return SizeEditResult::kAlreadySet;
  lines.push_back(text);
  return SizeEditResult::kDone;
}

SizeEditResult EditCustomSize(std::vector<std::string>& lines, int selected, const std::string& widthText,
                              const std::string& heightText) {
  int w = 0, h = 0;
  const SizeEditResult read = ReadCustomSize(widthText, heightText, w, h);
  if (read != SizeEditResult::kDone) return read;
  if (!ValidIndex(lines, selected)) return SizeEditResult::kNoEditSelection;
  lines[static_cast<size_t>(selected)] = CustomSizeText(w, h);
  return SizeEditResult::kDone;
}

SizeEditResult DeleteCustomSize(std::vector<std::string>& lines, int selected) {
  if (!ValidIndex(lines, selected)) return SizeEditResult::kNoDeleteSelection;
  lines.erase(lines.begin() + selected);
  return SizeEditResult::kDone;
}

SizeEditResult TypedCustomSize(std::vector<std::string>& lines, bool add, const std::string& widthText,
                               const std::string& heightText, std::string& text) {
  int w = 0, h = 0;
  const SizeEditResult read = ReadCustomSize(widthText, heightText, w, h);
  if (read != SizeEditResult::kDone) return read;
  text = CustomSizeText(w, h);
  return add ? AddCustomSize(lines, widthText, heightText) : SizeEditResult::kDone;
}

void SplitCustomSizeLine(const std::string& line, std::string& widthText, std::string& heightText) {
  const size_t x = line.find('x');
  if (x == std::string::npos) {
    widthText = line;
    heightText.clear();
    return;
  }
  // The blank on each side of the "x" belongs to neither number.
  widthText = line.substr(0, x > 0 ? x - 1 : 0);
  heightText = x + 2 <= line.size() ? line.substr(x + 2) : std::string();
}

std::vector<std::string> LoadCustomSizes(Registry& reg) {
  RegistryKeyScope key(reg, kCustomSizesKey, false);
  if (!key.IsOpen()) return {};
  return reg.GetValueNames();
}

void StoreCustomSizes(Registry& reg, const std::vector<std::string>& lines) {
  // The names are listed through a key opened for reading: one opened for
  // writing cannot enumerate.
  const std::vector<std::string> stored = LoadCustomSizes(reg);
  RegistryKeyScope key(reg, kCustomSizesKey, true);
  if (!key.IsOpen()) return;
  for (const std::string& name : stored) reg.DeleteValue(name);
  for (const std::string& line : lines) reg.WriteBool(line, true);
}

}  // namespace tessaly
