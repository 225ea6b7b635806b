// Subcommands about the text of a window's controls: what each shows and how
// wide that is in its own font, as the program measures it (a font belongs
// to the process that made it; framework/win/text_probe.h).
#include <windows.h>

#include <string>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/probe.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

// The program's answer as it came: one line per control and per tab.
int Texts(const Args& args) {
  HWND window = FindTopLevel(WindowPattern{args[0], args[1]});
  if (!window) return kNotFound;
  std::string answer;
  if (!AskProgram(window, L"TessalyTextProbe", 0, answer)) return kNotFound;
  if (!answer.empty() && answer.back() == '\n') answer.pop_back();
  Line(answer);
  return kOk;
}

}  // namespace

std::vector<Command> TextCommands() { return {{"texts", 2, "CLASS TITLE", Texts}}; }

}  // namespace tdriver
