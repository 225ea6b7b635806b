#pragma once
#include <string>

namespace tessaly::win {

// The full path of the running program's file, however long.
std::string ProgramFileName();
// The same in UTF-8, for the files opened with the wide-character calls: a
// folder named in any language is found.
std::string ProgramFileNameUtf8();

// The folder that holds the program, with its closing backslash: where its
// bookmark file, capture file, help pages and downloaded update lie.
std::string ProgramDirectory();

}  // namespace tessaly::win
