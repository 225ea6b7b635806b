#pragma once
#include <string>

#include "bookmarks/bookmark_files.h"
#include "bookmarks/bookmark_text.h"
#include "framework/code_page.h"
#include "framework/menu_item.h"

namespace tessaly {

// Writes the children of root from index first on as a Netscape bookmark
// file: the header naming appName, one line per bookmark, a folder line with
// its contents between an opening and a closing DL line, the closing DL line
// of the file. Captions and URLs go out unescaped; every line ends with CR LF,
// as a file written in text mode on Windows. Folders are walked with a list
// of open levels, not by recursion, whatever their depth.
//
// A UTF-8 file carries kUtf8MetaLine right after the DOCTYPE line, as
// browsers write it, and the texts byte for byte as they stand. An ANSI file
// has no such line and its texts in the code page (TextToAnsi), which gives
// back the bytes they were read from; a text the code page cannot hold
// raises NotInCodePage, with part of the file written.
void WriteNetscapeFile(ByteSink& sink, const MenuItem& root, int first, const std::string& appName,
                       BookmarkEncoding encoding, const CodePage& codePage);

}  // namespace tessaly
