#pragma once
#include <optional>
#include <string>

#include "preview/reduce_to_palette.h"

namespace tessaly {

struct PaletteReduceOptions {
  ReductionMode mode = ReductionMode::WebSafe;
  DitherMode dither = DitherMode::FloydSteinberg;
  std::string input;
  std::string output;
  int benchRuns = 0;  // --bench N: also time the reduction alone N times
};

constexpr const char* kPaletteReduceUsage =
    "usage: palette-reduce [--mode websafe|windows] [--dither fs|none] INPUT.bmp OUTPUT.bmp";

// Parses the arguments after the program name; on failure returns nothing and sets
// `error` to a one-line reason.
std::optional<PaletteReduceOptions> ParsePaletteReduceOptions(int argc, const char* const* argv, std::string& error);

}  // namespace tessaly
