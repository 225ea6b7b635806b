// tdriver: acts on a running program from outside, as a user's actions would, so
// that end-to-end tests can start the real program and check what it does.
// Usage: tdriver SUBCOMMAND ARGS...; exit 0 = done, 1 = not found or timed out,
// 2 = bad usage.
#include <windows.h>

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

int main(int argc, char** argv) {
  std::vector<tdriver::Command> commands = AllCommands();
  if (argc < 2) return Usage(commands);
  for (const tdriver::Command& command : commands) {
    if (std::strcmp(command.name, argv[1]) != 0) continue;
    if (static_cast<size_t>(argc - 2) != command.arg_count) {
      std::fprintf(stderr, "usage: tdriver %s %s\n", command.name, command.usage);
      return tdriver::kUsage;
    }
    return command.run(tdriver::Args(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "tdriver: unknown subcommand %s\n", argv[1]);
  return Usage(commands);
}
