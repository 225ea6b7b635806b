#pragma once
#include <string>
#include <vector>

#include "framework/registry.h"

namespace tessaly {

// Integer conversion of a text: blanks before the number are allowed, nothing
// after it. Raises std::invalid_argument naming the text otherwise.
int StrToInt(const std::string& text);

// "width x height": the registry value name, the combo box item and the menu
// caption of one custom size.
std::string CustomSizeText(int width, int height);

// Outcome of an editor command, with the message the user sees for a failure.
enum class SizeEditResult { kDone, kNotNumeric, kNotPositive, kAlreadySet, kNoEditSelection, kNoDeleteSelection };
const char* MessageFor(SizeEditResult result);

// The editor's reading of its two edit boxes: two integers (blanks around
// them allowed), both greater than zero.
SizeEditResult ReadCustomSize(const std::string& widthText, const std::string& heightText, int& width, int& height);

// The editor's rules over its copy of the list; selected is -1 for none.
SizeEditResult AddCustomSize(std::vector<std::string>& lines, const std::string& widthText,
                             const std::string& heightText);
SizeEditResult EditCustomSize(std::vector<std::string>& lines, int selected, const std::string& widthText,
                              const std::string& heightText);
SizeEditResult DeleteCustomSize(std::vector<std::string>& lines, int selected);

// A size typed on the spot ("Other Size"): the editor's rules for the two
// numbers and, when it is to be added, its Add over lines. text gets the
// size's text either way.
SizeEditResult TypedCustomSize(std::vector<std::string>& lines, bool add, const std::string& widthText,
                               const std::string& heightText, std::string& text);

// The width and height texts of a line, as the edit boxes show them.
void SplitCustomSizeLine(const std::string& line, std::string& widthText, std::string& heightText);

// The stored list, in the registry's enumeration order; empty without a key.
std::vector<std::string> LoadCustomSizes(Registry& reg);
// Deletes every stored size, then writes one value per line in list order.
void StoreCustomSizes(Registry& reg, const std::vector<std::string>& lines);

}  // namespace tessaly
