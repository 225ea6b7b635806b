// tdriver: acts on a running program from outside, as a user's actions would, so
// that end-to-end tests can start the real program and check what it does.
// Usage: tdriver SUBCOMMAND ARGS...; exit 0 = done, 1 = not found or timed out,
// 2 = bad usage.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "tests/wine/driver/command.h"

namespace {

std::vector<tdriver::Command> AllCommands() {
  std::vector<tdriver::Command> all;
  for (auto part : {tdriver::WindowCommands, tdriver::ControlCommands,
                    tdriver::MessageBoxCommands, tdriver::RegistryCommands,
                    tdriver::MenuCommands, tdriver::ResourceCommands,
                    tdriver::ScreenCommands, tdriver::TreeCommands,
                    tdriver::TextCommands}) {
    std::vector<tdriver::Command> commands = part();
    all.insert(all.end(), commands.begin(), commands.end());
  }
  return all;
}

int Usage(const std::vector<tdriver::Command>& commands) {
  std::fprintf(stderr, "usage: tdriver SUBCOMMAND ARGS  (\"*\" matches any class or title)\n");
  for (const tdriver::Command& command : commands)
    std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
  return tdriver::kUsage;
}

}  // namespace

// The arguments as UTF-8, from the wide command line: the ANSI argv would
// have "?" for every character the code page lacks (a title in Greek).
tdriver::Args WideArguments() {
  tdriver::Args args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 0; i < count; ++i) args.push_back(tdriver::ToUtf8(wide[i]));
  LocalFree(wide);
  return args;
}

int main() {
  std::vector<tdriver::Command> commands = AllCommands();
  const tdriver::Args argv = WideArguments();
  if (argv.size() < 2) return Usage(commands);
  for (const tdriver::Command& command : commands) {
    if (argv[1] != command.name) continue;
    size_t given = argv.size() - 2;
    bool fits = command.more ? given >= command.arg_count && (given - command.arg_count) % 2 == 0
                             : given == command.arg_count;
    if (!fits) {
      std::fprintf(stderr, "usage: tdriver %s %s\n", command.name, command.usage);
      return tdriver::kUsage;
    }
    return command.run(tdriver::Args(argv.begin() + 2, argv.end()));
  }
  std::fprintf(stderr, "tdriver: unknown subcommand %s\n", argv[1].c_str());
  return Usage(commands);
}
