// trecord: a program that only records that it ran, standing in for the
// downloaded installer ("update.exe") and for the mail program. It appends one
// line to the file named by TRECORD_LOG (or "trecord.log" in its working
// directory): its own path, its working directory and its command line,
// separated by tabs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
  char module[MAX_PATH] = {}, directory[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  GetCurrentDirectoryA(MAX_PATH, directory);
  const char* log = std::getenv("TRECORD_LOG");
  std::FILE* f = std::fopen(log && *log ? log : "trecord.log", "ab");
  if (!f) return 1;
  std::fprintf(f, "%s\t%s\t%s\n", module, directory, GetCommandLineA());
  std::fclose(f);
  return 0;
}
