#pragma once
#include <string>

namespace tessaly::win {

// The full path of the running program's file, however long.
std::string ProgramFileName();

// The folder that holds the program, with its closing backslash: where its
// bookmark file, capture file, help pages and downloaded update lie.
std::string ProgramDirectory();

}  // namespace tessaly::win
