// palette-reduce: reduces a BMP picture to the web-safe or the optimized Windows
// palette the way the page preview does, and writes it as an 8-bit BMP.
#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "preview/bmp_file.h"
#include "preview/palette_image.h"
#include "tools/palette_reduce/options.h"

namespace {

using tessaly::Bitmap;

constexpr int kBadInput = 2;
constexpr int kCannotWrite = 1;
// Far above any BMP the reader accepts; refuses to load anything larger.
constexpr off_t kMaxFileBytes = off_t{1} << 30;

// An open file descriptor, closed once.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

// A read-only view of a whole file, unmapped once.
class MappedFile {
 public:
  bool Open(const std::string& path, std::string& error) {
    FileHandle file(open(path.c_str(), O_RDONLY));
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0) {
      error = "cannot open " + path;
      return false;
    }
    if (!S_ISREG(info.st_mode)) {
      error = path + " is not a regular file";
      return false;
    }
    if (info.st_size > kMaxFileBytes) {
      error = path + " is too large for a BMP this tool reads";
      return false;
    }
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ == 0) return true;
    void* map = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.get(), 0);
    if (map == MAP_FAILED) {
      size_ = 0;
      error = "cannot read " + path;
      return false;
    }
    data_ = static_cast<const std::uint8_t*>(map);
    return true;
  }
  ~MappedFile() { Close(); }
  void Close() {
    if (data_) munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
  }
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

// Hands the file's pieces to the system as they are, a batch of them per call,
// rather than copying them into a buffer first: the pieces (the headers, then
// each row of the picture) stay where they are until Finish.
class GatheringWriter {
 public:
  explicit GatheringWriter(int fd) : fd_(fd) {}
  void Put(const std::uint8_t* bytes, std::size_t count) {
    pieces_.push_back(iovec{const_cast<std::uint8_t*>(bytes), count});
    if (pieces_.size() == kBatch) Flush();
  }
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kBatch = 1024;  // IOV_MAX on Linux
  void Flush() {
    iovec* next = pieces_.data();
    std::size_t left = pieces_.size();
    while (ok_ && left > 0) {
      const ssize_t n = writev(fd_, next, static_cast<int>(left));
      ok_ = n > 0;
      // A short write leaves part of the batch: skip what went, go on with the rest.
      for (std::size_t done = ok_ ? static_cast<std::size_t>(n) : 0; done > 0 && left > 0;) {
        const std::size_t step = std::min(done, next->iov_len);
        next->iov_base = static_cast<std::uint8_t*>(next->iov_base) + step;
        next->iov_len -= step;
        done -= step;
        if (next->iov_len == 0) ++next, --left;
      }
    }
    pieces_.clear();
  }
  int fd_;
  bool ok_ = true;
  std::vector<iovec> pieces_;
};

// Writes next to the target and renames, so a failure never leaves a partial file
// under the output's name.
bool WriteBmpAtomically(const std::string& path, const Bitmap& picture, std::string& error) {
  std::string temp = path + ".XXXXXX";
  FileHandle file(mkstemp(temp.data()));
  if (file.get() < 0) {
    error = "cannot create a file next to " + path;
    return false;
  }
  GatheringWriter writer(file.get());
  const std::vector<std::uint8_t> headers = tessaly::BmpHeaders(picture.Width(), picture.Height(),
                                                                picture.BitsPerPixel(), picture.Colors(), picture.Masks());
  writer.Put(headers.data(), headers.size());
  for (int y = picture.Height() - 1; y >= 0; --y) writer.Put(picture.Row(y), picture.Stride());
  bool ok = writer.Finish();
  ok = file.Close() && ok;
  if (ok) ok = chmod(temp.c_str(), 0644) == 0 && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    error = "cannot write " + path;
  }
  return ok;
}

// Times the reduction alone on fresh copies of an already 24-bit source.
void Benchmark(const Bitmap& source, const tessaly::PaletteReduceOptions& options) {
  Bitmap deep = source;
  deep.ConvertTo24();
  std::vector<double> nsPerPixel;
  const double pixels = static_cast<double>(deep.Width()) * deep.Height();
  for (int run = 0; run < options.benchRuns; ++run) {
    Bitmap copy = deep;
    const auto start = std::chrono::steady_clock::now();
    const Bitmap result = tessaly::ReduceToPalette(copy, options.mode, options.dither, 8);
    const auto stop = std::chrono::steady_clock::now();
    nsPerPixel.push_back(std::chrono::duration<double, std::nano>(stop - start).count() / pixels);
  }
  std::sort(nsPerPixel.begin(), nsPerPixel.end());
  std::printf("reduction alone: %.2f ns/pixel (median of %d, %d x %d)\n", nsPerPixel[nsPerPixel.size() / 2],
              options.benchRuns, deep.Width(), deep.Height());
}

// Times the colour-vision simulation alone on fresh copies of a 24-bit source.
void BenchmarkSimulation(const Bitmap& source, tessaly::ColorVision vision, int runs) {
  std::vector<double> ms;
  for (int run = 0; run < runs; ++run) {
    Bitmap copy = source;
    const auto start = std::chrono::steady_clock::now();
    tessaly::SimulateColorVision(copy, vision);
    const auto stop = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%s alone: %.2f ms (median of %d, %d x %d)\n", tessaly::ColorVisionName(vision), ms[ms.size() / 2],
              runs, source.Width(), source.Height());
}

// Fresh memory costs a page fault per 4 KiB, a large share of this short program's
// time. Big blocks are kept in the heap instead of separate mappings, and the heap
// is grown once up front and marked for huge pages, so that the picture buffers
// fault in 2 MiB at a time.
void PrepareHeap() {
  constexpr std::size_t kReserve = std::size_t{64} << 20;
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  auto* start = static_cast<char*>(sbrk(0));
  void* block = std::malloc(kReserve);
  if (!block) return;
  std::free(block);
  auto* end = static_cast<char*>(sbrk(0));
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = (reinterpret_cast<std::uintptr_t>(start) + page - 1) & ~(page - 1);
  const auto to = reinterpret_cast<std::uintptr_t>(end) & ~(page - 1);
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareHeap();

  std::string error;
  const auto options = tessaly::ParsePaletteReduceOptions(argc - 1, argv + 1, error);
  if (!options) {
    std::fprintf(stderr, "palette-reduce: %s\n%s\n", error.c_str(), tessaly::kPaletteReduceUsage);
    return kBadInput;
  }
  if (options->help) {
    std::printf("%s\n\n%s\n", tessaly::kPaletteReduceUsage, tessaly::kPaletteReduceHelp);
    return 0;
  }
  MappedFile file;
  if (!file.Open(options->input, error)) {
    std::fprintf(stderr, "palette-reduce: %s\n", error.c_str());
    return kBadInput;
  }
  if (options->simulate) {
    try {
      Bitmap picture = tessaly::ReadBmp(file.data(), file.size());
      file.Close();
      picture.ConvertTo24();
      if (options->benchRuns > 0) BenchmarkSimulation(picture, *options->simulate, options->benchRuns);
      tessaly::SimulateColorVision(picture, *options->simulate);
      if (!WriteBmpAtomically(options->output, picture, error)) {
        std::fprintf(stderr, "palette-reduce: %s\n", error.c_str());
        return kCannotWrite;
      }
      return 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "palette-reduce: %s: %s\n", options->input.c_str(), e.what());
      return kBadInput;
    }
  }
  tessaly::TPaletteImage image;
  try {
    image.SetReduction(options->mode);
    image.SetDither(options->dither);
    // A picture of 24 or 32 bits is reduced straight from the mapped file;
    // others are read into memory first.
    const std::optional<tessaly::PixelRows> rows = tessaly::BmpPixelRows(file.data(), file.size());
    if (rows && options->benchRuns == 0) {
      image.Assign(*rows);
    } else {
      Bitmap source = tessaly::ReadBmp(file.data(), file.size());
      file.Close();
      if (options->benchRuns > 0) Benchmark(source, *options);
      image.Assign(std::move(source));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "palette-reduce: %s: %s\n", options->input.c_str(), e.what());
    return kBadInput;
  }
  const Bitmap& result = image.Frame(0).bitmap;
  const bool written = result.BitsPerPixel() < 8
                           ? WriteBmpAtomically(options->output, tessaly::WidenIndicesTo8(result), error)
                           : WriteBmpAtomically(options->output, result, error);
  if (!written) {
    std::fprintf(stderr, "palette-reduce: %s\n", error.c_str());
    return kCannotWrite;
  }
  return 0;
}
