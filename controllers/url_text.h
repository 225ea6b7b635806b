#pragma once
#include <string>

#include "framework/code_page.h"

namespace tessaly {

// An address (UTF-8) for a program that takes addresses in the ANSI code
// page, as Netscape Navigator does over DDE: in the code page when it holds
// every character, byte for byte what an ANSI bookmark file had; otherwise
// with every byte of every non-ASCII character percent-encoded, as a
// browser maps an internationalized address to plain ASCII (RFC 3987).
std::string UrlInCodePage(const std::string& url, const CodePage& codePage);

}  // namespace tessaly
