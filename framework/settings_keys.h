#pragma once

namespace tessaly {

// The keys under HKEY_LOCAL_MACHINE where the program keeps its settings, one
// per group, named here once for every part of the program that stores some.
inline constexpr const char* kPositionKey = "\\Software\\Corvane\\Tessaly\\Position";
inline constexpr const char* kDefaultsKey = "\\Software\\Corvane\\Tessaly\\Defaults";
inline constexpr const char* kCustomSizesKey = "\\Software\\Corvane\\Tessaly\\CustomSizes";
inline constexpr const char* kHotkeysKey = "\\Software\\Corvane\\Tessaly\\Hotkeys";

}  // namespace tessaly
