#pragma once
#include <cstdio>
#include <memory>
#include <string>

namespace tessaly {

struct StdioFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using StdioFile = std::unique_ptr<std::FILE, StdioFileCloser>;

// A new file of that name (any old one is replaced), open for writing;
// raises HttpError when it cannot be created.
StdioFile CreateNewFile(const std::string& name);
// Closes the file, raising HttpError when what it buffered cannot be written.
void CloseWrittenFile(StdioFile file, const std::string& name);

}  // namespace tessaly
