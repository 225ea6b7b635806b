#include "tools/palette_reduce/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

std::optional<PaletteReduceOptions> Parse(std::vector<const char*> args, std::string& error) {
  return ParsePaletteReduceOptions(static_cast<int>(args.size()), args.data(), error);
}

TEST(PaletteReduceOptions, DefaultsAreWebSafeWithFloydSteinberg) {
  std::string error;
  const auto options = Parse({"in.bmp", "out.bmp"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->mode, ReductionMode::WebSafe);
  EXPECT_EQ(options->dither, DitherMode::FloydSteinberg);
  EXPECT_EQ(options->input, "in.bmp");
  EXPECT_EQ(options->output, "out.bmp");
  EXPECT_EQ(options->benchRuns, 0);
}

TEST(PaletteReduceOptions, ModesAndDitherInAnyPosition) {
  std::string error;
  const auto options = Parse({"--dither", "none", "a.bmp", "--mode", "windows", "b.bmp", "--bench", "5"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->mode, ReductionMode::OptimizedWindows);
  EXPECT_EQ(options->dither, DitherMode::Nearest);
  EXPECT_EQ(options->benchRuns, 5);
  EXPECT_EQ(options->output, "b.bmp");
}

TEST(PaletteReduceOptions, MistakesAreNamed) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"a.bmp"}, "expected INPUT.bmp and OUTPUT.bmp"},
      {{"a.bmp", "b.bmp", "c.bmp"}, "expected INPUT.bmp and OUTPUT.bmp"},
      {{"--mode", "gif", "a", "b"}, "unknown mode 'gif' (websafe or windows)"},
      {{"--dither", "ordered", "a", "b"}, "unknown dither 'ordered' (fs or none)"},
      {{"a", "b", "--mode"}, "--mode needs a value"},
      {{"--bench", "0", "a", "b"}, "--bench needs a count from 1 to 10000"},
      {{"--bench", "3x", "a", "b"}, "--bench needs a count from 1 to 10000"},
      {{"-v", "a", "b"}, "unknown option -v"},
      {{"--simulate", "colourblind", "a", "b"}, "unknown colour vision 'colourblind' (protanopia, deuteranopia, "
                                                "tritanopia or achromatopsia)"},
  };
  for (const auto& [args, expected] : cases) {
    std::string error;
    EXPECT_FALSE(Parse(args, error));
    EXPECT_EQ(error, expected);
  }
}

}  // namespace
}  // namespace tessaly
