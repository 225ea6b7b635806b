#include "tools/palette_reduce/options.h"

#include <cstdlib>
#include <vector>

namespace tessaly {

std::optional<PaletteReduceOptions> ParsePaletteReduceOptions(int argc, const char* const* argv, std::string& error) {
  PaletteReduceOptions options;
  std::vector<std::string> files;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "--mode" || arg == "--dither" || arg == "--bench" || arg == "--simulate";
    if (takesValue && i + 1 >= argc) {
      error = arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "--mode") {
      const std::string value = argv[++i];
      if (value == "websafe") {
        options.mode = ReductionMode::WebSafe;
      } else if (value == "windows") {
        options.mode = ReductionMode::OptimizedWindows;
      } else {
        error = "unknown mode '" + value + "' (websafe or windows)";
        return std::nullopt;
      }
    } else if (arg == "--dither") {
      const std::string value = argv[++i];
      if (value == "fs") {
        options.dither = DitherMode::FloydSteinberg;
      } else if (value == "none") {
        options.dither = DitherMode::Nearest;
      } else {
        error = "unknown dither '" + value + "' (fs or none)";
        return std::nullopt;
      }
    } else if (arg == "--simulate") {
      const std::string value = argv[++i];
      options.simulate = ColorVisionByName(value);
      if (!options.simulate) {
        error = "unknown colour vision '" + value + "' (protanopia, deuteranopia, tritanopia or achromatopsia)";
        return std::nullopt;
      }
    } else if (arg == "--help") {
      options.help = true;
      return options;
    } else if (arg == "--bench") {
      char* end = nullptr;
      const long runs = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || runs < 1 || runs > 10000) {
        error = "--bench needs a count from 1 to 10000";
        return std::nullopt;
      }
      options.benchRuns = static_cast<int>(runs);
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    error = "expected INPUT.bmp and OUTPUT.bmp";
    return std::nullopt;
  }
  options.input = files[0];
  options.output = files[1];
  return options;
}

}  // namespace tessaly
