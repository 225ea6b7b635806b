// Runs the built palette-reduce on generated files and checks exit codes, messages
// and the files it leaves behind.
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "preview/bmp_file.h"
#include "preview/color_vision.h"
#include "preview/reduce_to_palette.h"

namespace tessaly {
namespace {

class PaletteReduceTool : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/palette-reduce-test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Exit status of a command whose standard error goes to stderr_text_.
  int Run(const std::string& command) {
    const int status = std::system((command + " 2>'" + Path("stderr.txt") + "'").c_str());
    std::ifstream in(Path("stderr.txt"));
    stderrText_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Reduce(const std::string& args) { return Run(std::string(PALETTE_REDUCE_EXE) + " " + args); }
  void MakePicture(int width, int height, int bits, const std::string& name) {
    ASSERT_EQ(Run(std::string(MAKE_TEST_PICTURE_EXE) + " " + std::to_string(width) + " " + std::to_string(height) +
                  " " + std::to_string(bits) + " 11 " + Path(name)),
              0);
  }

  std::vector<std::uint8_t> Bytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    DIR* d = opendir(dir_.c_str());
    while (dirent* e = readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != ".." && n != "stderr.txt") names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
  std::string stderrText_;
};

TEST_F(PaletteReduceTool, ReducesDeepPicturesLikeTheLibrary) {
  struct Case {
    int bits;
    std::string args;
    ReductionMode mode;
    DitherMode dither;
    std::size_t colours;
  };
  const Case cases[] = {{24, "", ReductionMode::WebSafe, DitherMode::FloydSteinberg, 216},
                        {32, "--mode windows --dither none", ReductionMode::OptimizedWindows, DitherMode::Nearest, 256},
                        {16, "--mode windows", ReductionMode::OptimizedWindows, DitherMode::FloydSteinberg, 256}};
  for (const Case& c : cases) {
    MakePicture(37, 23, c.bits, "in.bmp");
    ASSERT_EQ(Reduce(c.args + " " + Path("in.bmp") + " " + Path("out.bmp")), 0) << stderrText_;
    EXPECT_EQ(stderrText_, "");
    const Bitmap out = ReadBmp(Bytes("out.bmp"));
    EXPECT_EQ(out.BitsPerPixel(), 8);
    EXPECT_EQ(out.Colors().size(), c.colours);
    Bitmap in = ReadBmp(Bytes("in.bmp"));
    const Bitmap expected = ReduceToPalette(in, c.mode, c.dither, 8);
    EXPECT_EQ(out.Pixels(), expected.Pixels());
    EXPECT_EQ(out.Colors(), expected.Colors());
  }
}

TEST_F(PaletteReduceTool, SimulatesEachColourVisionAs24BitsLikeTheLibrary) {
  for (const char* name : {"protanopia", "deuteranopia", "tritanopia", "achromatopsia"}) {
    MakePicture(29, 13, 32, "in.bmp");
    ASSERT_EQ(Reduce(std::string("--simulate ") + name + " " + Path("in.bmp") + " " + Path("out.bmp")), 0)
        << stderrText_;
    const Bitmap out = ReadBmp(Bytes("out.bmp"));
    Bitmap expected = ReadBmp(Bytes("in.bmp"));
    expected.ConvertTo24();
    SimulateColorVision(expected, *ColorVisionByName(name));
    EXPECT_EQ(out.BitsPerPixel(), 24) << name;
    EXPECT_EQ(out.Pixels(), expected.Pixels()) << name;
  }
  ASSERT_EQ(Reduce("--help"), 0);
  EXPECT_EQ(stderrText_, "");
}

TEST_F(PaletteReduceTool, PalettePicturesPassUnchangedAs8Bits) {
  for (int bits : {1, 4, 8}) {
    MakePicture(19, 7, bits, "in.bmp");
    ASSERT_EQ(Reduce("--mode windows " + Path("in.bmp") + " " + Path("out.bmp")), 0) << stderrText_;
    const Bitmap in = ReadBmp(Bytes("in.bmp"));
    const Bitmap out = ReadBmp(Bytes("out.bmp"));
    EXPECT_EQ(out.BitsPerPixel(), 8);
    EXPECT_EQ(out.Colors(), in.Colors());
    for (int y = 0; y < in.Height(); ++y)
      for (int x = 0; x < in.Width(); ++x) ASSERT_EQ(out.PixelColor(x, y), in.PixelColor(x, y));
  }
}

TEST_F(PaletteReduceTool, BadInputGetsOneLineExitCode2AndNoOutput) {
  MakePicture(8, 8, 24, "good.bmp");
  const std::vector<std::uint8_t> good = Bytes("good.bmp");
  WriteBytes("text.bmp", {'h', 'e', 'l', 'l', 'o'});
  WriteBytes("short.bmp", std::vector<std::uint8_t>(good.begin(), good.begin() + 100));
  std::vector<std::uint8_t> rle = good;
  rle[30] = 1;
  WriteBytes("rle.bmp", rle);
  std::vector<std::uint8_t> zero = good;
  zero[18] = 0;
  WriteBytes("zero.bmp", zero);
  const std::pair<std::string, std::string> cases[] = {
      {Path("text.bmp"), "not a BMP file"},
      {Path("short.bmp"), "truncated BMP pixel data"},
      {Path("rle.bmp"), "compressed BMP"},
      {Path("zero.bmp"), "width is zero"},
      {Path("missing.bmp"), "cannot open"},
      {dir_, "not a regular file"},
  };
  for (const auto& [input, problem] : cases) {
    EXPECT_EQ(Reduce(input + " " + Path("out.bmp")), 2) << input;
    EXPECT_NE(stderrText_.find(problem), std::string::npos) << stderrText_;
    EXPECT_EQ(std::count(stderrText_.begin(), stderrText_.end(), '\n'), 1) << stderrText_;
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"good.bmp", "rle.bmp", "short.bmp", "text.bmp", "zero.bmp"}));
  // A file already under the output's name is left as it was.
  WriteBytes("out.bmp", {1, 2, 3});
  EXPECT_EQ(Reduce(Path("rle.bmp") + " " + Path("out.bmp")), 2);
  EXPECT_EQ(Bytes("out.bmp"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(PaletteReduceTool, UsageMistakesExitWith2) {
  EXPECT_EQ(Reduce("--mode web a b"), 2);
  EXPECT_NE(stderrText_.find("usage: palette-reduce"), std::string::npos);
  EXPECT_EQ(Reduce(""), 2);
}

TEST_F(PaletteReduceTool, AnUnwritableOutputFailsCleanly) {
  MakePicture(4, 4, 24, "in.bmp");
  EXPECT_EQ(Reduce(Path("in.bmp") + " " + Path("no/such/dir/out.bmp")), 1);
  EXPECT_NE(stderrText_.find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
