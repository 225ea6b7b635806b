// A subcommand of the driver: its name, how many arguments it takes, and what runs it.
#pragma once

#include <vector>

#include "tests/wine/driver/args.h"

namespace tdriver {

struct Command {
  const char* name;
  size_t arg_count;
  const char* usage;  // the arguments, for the usage text
  int (*run)(const Args& args);
  bool more = false;  // arg_count is the least: the last pair may repeat
};

// Each module contributes its own commands; main dispatches over all of them.
std::vector<Command> WindowCommands();
std::vector<Command> ControlCommands();
std::vector<Command> MessageBoxCommands();
std::vector<Command> RegistryCommands();
std::vector<Command> MenuCommands();
std::vector<Command> ResourceCommands();
std::vector<Command> ScreenCommands();
std::vector<Command> TreeCommands();
std::vector<Command> TextCommands();

}  // namespace tdriver
