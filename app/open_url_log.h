#pragma once
#include <string>

namespace tessaly {

// A test hook: when the environment variable TESSALY_TEST_OPENURL_LOG names a
// file, each address that a bookmark click hands to a browser controller is
// appended to it as a line "<target>\t<url>" (target "ie" or "ns"), so that
// end-to-end tests see the click arrive without a browser. Without the
// variable nothing is written.
void RecordOpenUrl(const char* target, const std::string& url);

}  // namespace tessaly
