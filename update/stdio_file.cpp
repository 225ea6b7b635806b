#include "update/stdio_file.h"

#include "update/http_error.h"

namespace tessaly {

StdioFile CreateNewFile(const std::string& name) {
  StdioFile f(std::fopen(name.c_str(), "wb"));
  if (!f) throw HttpError("Cannot create file " + name);
  return f;
}

void CloseWrittenFile(StdioFile file, const std::string& name) {
  if (std::fclose(file.release()) != 0) throw HttpError("Cannot write file " + name);
}

}  // namespace tessaly
