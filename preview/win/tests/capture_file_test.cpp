#include "preview/win/capture_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <tuple>

#include "preview/bmp_file.h"
#include "preview/win/reduce_bitmap.h"

namespace tessaly::win {
namespace {

// A file name in the temporary folder, removed with the test.
class TempFile {
 public:
  explicit TempFile(const char* name) {
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + name;
    DeleteFileA(path_.c_str());
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const std::string& Path() const { return path_; }
  void Write(const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::string path_;
};

std::string ErrorOf(void (*action)(const std::string&), const std::string& path) {
  try {
    action(path);
  } catch (const FileError& e) {
    return e.what();
  }
  return "no error";
}

TEST(CaptureFile, TheScreenCopyIsWrittenAtItsDepthAndReadBackWhereItLies) {
  const ScreenCopy copy = CopyScreenArea(CaptureArea{3, 5, 37, 11});
  ASSERT_TRUE(copy.dib);
  EXPECT_EQ((std::pair{copy.width, copy.height}), (std::pair{37, 11}));
  TempFile file("tessaly-capture-test.bmp");
  WriteCaptureFile(file.Path(), copy);
  WriteCaptureFile(file.Path(), copy);  // replaces the file
  CaptureFile capture = CaptureFile::Open(file.Path());
  EXPECT_EQ((std::pair{capture.Width(), capture.Height()}), (std::pair{37, 11}));
  const std::size_t stride = Bitmap::StrideFor(37, copy.bitsPerPixel);
  const auto* bottomUp = static_cast<const std::uint8_t*>(copy.bits);
  if (copy.bitsPerPixel >= 24) {
    ASSERT_TRUE(capture.Rows());
    for (int y = 0; y < 11; ++y)
      EXPECT_EQ(std::memcmp(capture.Rows()->Row(y), bottomUp + (10 - y) * stride, 37 * copy.bitsPerPixel / 8), 0);
  }
  const Bitmap picture = capture.Picture();
  EXPECT_EQ(picture.BitsPerPixel(), copy.bitsPerPixel);
  for (int y = 0; y < 11; ++y) EXPECT_EQ(std::memcmp(picture.Row(y), bottomUp + (10 - y) * stride, stride), 0);
  capture.Close();
  EXPECT_TRUE(DeleteFileA(file.Path().c_str())) << "the file is still held";
}

TEST(CaptureFile, WithoutAScreenCopyABlackPictureOfTheAreaIsWritten) {
  const ScreenCopy blank = BlankScreenCopy(CaptureArea{0, 0, 9, 4});
  EXPECT_FALSE(blank.dib);
  TempFile file("tessaly-capture-blank.bmp");
  WriteCaptureFile(file.Path(), blank);
  const CaptureFile capture = CaptureFile::Open(file.Path());
  const Bitmap picture = capture.Picture();
  EXPECT_EQ((std::tuple{picture.Width(), picture.Height(), picture.BitsPerPixel()}), (std::tuple{9, 4, 32}));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9 * 4; ++x) EXPECT_EQ(picture.Row(y)[x], 0) << x << "," << y;
}

TEST(CaptureFile, PalettePicturesAreReadIntoMemoryAndShownUnchanged) {
  Bitmap indexed(6, 4, 8);
  indexed.SetColors(Palette(256, PaletteEntry{10, 20, 30, 0}));
  for (std::size_t i = 0; i < indexed.Pixels().size(); ++i) indexed.Pixels()[i] = static_cast<std::uint8_t>(i);
  TempFile file("tessaly-capture-test8.bmp");
  file.Write(WriteBmp(indexed));
  const CaptureFile capture = CaptureFile::Open(file.Path());
  EXPECT_FALSE(capture.Rows());
  const ReducedPicture shown = ReducePicture(capture.Picture(), ReductionMode::WebSafe, DitherMode::FloydSteinberg);
  EXPECT_EQ(shown.bitsPerPixel, 8);
  EXPECT_TRUE(DeleteFileA(file.Path().c_str())) << "the file is still held";
}

TEST(CaptureFile, FailuresNameTheFile) {
  const std::string missingFolder = "C:\\tessaly-no-such-folder\\flcapture.bmp";
  const std::string created = ErrorOf(
      [](const std::string& path) { WriteCaptureFile(path, CopyScreenArea(CaptureArea{0, 0, 4, 4})); }, missingFolder);
  EXPECT_EQ(created.rfind("Cannot create file " + missingFolder, 0), 0u) << created;
  const std::string opened = ErrorOf([](const std::string& path) { CaptureFile::Open(path); }, missingFolder);
  EXPECT_EQ(opened.rfind("Cannot open file " + missingFolder, 0), 0u) << opened;

  TempFile garbage("tessaly-capture-garbage.bmp");
  garbage.Write({'B', 'M', 1, 2, 3});
  EXPECT_EQ(ErrorOf([](const std::string& path) { CaptureFile::Open(path); }, garbage.Path()),
            "Cannot open file " + garbage.Path() + ". truncated BMP file");
  TempFile empty("tessaly-capture-empty.bmp");
  empty.Write({});
  EXPECT_EQ(ErrorOf([](const std::string& path) { CaptureFile::Open(path); }, empty.Path()),
            "Cannot open file " + empty.Path() + ". The file is empty");
}

}  // namespace
}  // namespace tessaly::win
