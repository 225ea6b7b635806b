#pragma once
#include <string>

#include "bookmarks/bookmark_files.h"
#include "framework/menu_item.h"

namespace tessaly {

// Writes the children of root from index first on as a Netscape bookmark
// file: the header naming appName, one line per bookmark, a folder line with
// its contents between an opening and a closing DL line, the closing DL line
// of the file. Captions and URLs go out byte for byte, unescaped; every line
// ends with CR LF, as a file written in text mode on Windows. Folders are
// walked with a list of open levels, not by recursion, whatever their depth.
void WriteNetscapeFile(ByteSink& sink, const MenuItem& root, int first, const std::string& appName);

}  // namespace tessaly
