#pragma once
#include <optional>
#include <string>

#include "preview/color_vision.h"
#include "preview/reduce_to_palette.h"

namespace tessaly {

struct PaletteReduceOptions {
  ReductionMode mode = ReductionMode::WebSafe;
  DitherMode dither = DitherMode::FloydSteinberg;
  std::string input;
  std::string output;
  int benchRuns = 0;  // --bench N: also time the reduction alone N times
  // --simulate KIND: the picture as that colour vision sees it, in place of
  // the reduction (as the viewer's colour-vision views show it).
  std::optional<ColorVision> simulate;
  bool help = false;  // --help: the usage, nothing else
};

constexpr const char* kPaletteReduceUsage =
    "usage: palette-reduce [--mode websafe|windows] [--dither fs|none] INPUT.bmp OUTPUT.bmp\n"
    "       palette-reduce --simulate protanopia|deuteranopia|tritanopia|achromatopsia INPUT.bmp OUTPUT.bmp\n"
    "       palette-reduce --help";

constexpr const char* kPaletteReduceHelp =
    "Reduces a BMP picture the way Tessaly's page preview does, and writes it as an 8-bit BMP,\n"
    "or shows it as a kind of colour vision sees it.\n"
    "\n"
    "  --mode websafe      the 216-colour web-safe palette (the default)\n"
    "  --mode windows      the 20 Windows system colours and 236 chosen for the picture\n"
    "  --dither fs         Floyd-Steinberg error diffusion (the default)\n"
    "  --dither none       each pixel its nearest palette colour\n"
    "  --simulate KIND     no reduction: the picture as seen with protanopia, deuteranopia or\n"
    "                      tritanopia (Machado, Oliveira and Fernandes 2009, severity 1.0) or\n"
    "                      achromatopsia (luminance as grey), written as a 24-bit BMP\n"
    "  --bench N           also time the reduction alone N times and print it\n"
    "  --help              this text\n"
    "\n"
    "Exit codes: 0 done, 2 bad arguments or input, 1 the output could not be written.";

// Parses the arguments after the program name; on failure returns nothing and sets
// `error` to a one-line reason.
std::optional<PaletteReduceOptions> ParsePaletteReduceOptions(int argc, const char* const* argv, std::string& error);

}  // namespace tessaly
