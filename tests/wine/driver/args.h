// Argument parsing and output helpers shared by the driver's subcommands.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tdriver {

using Args = std::vector<std::string>;

// Exit codes: a test reads "not found / timed out" apart from a usage mistake,
// and both apart from the codes of a start that never reached the driver (Wine
// ends such a process with 1 and says nothing).
enum Exit : int { kOk = 0, kNotFound = 10, kUsage = 11 };

// Whole-string decimal or 0x-hex integer; false if the text is anything else.
bool ParseInt(const std::string& text, long long& value);

// Prints a window handle the same way on 32- and 64-bit builds.
std::string HandleText(const void* handle);

// Cross-process text reads use the wide messages (Wine marshals the ANSI ones
// badly for some controls); tests compare UTF-8.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Keeps one item per output line even when its text has line breaks or tabs.
std::string OneLine(const std::string& text);

// A caption as read, without its "&" accelerator marks ("E&xit" -> "Exit").
std::string WithoutAccelerator(const std::string& caption);

// One line to stdout, flushed at once so a test sees progress of a wait.
void Line(const std::string& text);

}  // namespace tdriver
