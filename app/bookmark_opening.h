#pragma once
#include <string>

namespace tessaly {

// With "Open Bookmarks in Default Browser" on, a chosen bookmark goes to the
// shell's "open", which starts the user's default browser, but only for the
// addresses a browser opens: http://, https:// and file: (the scheme in any
// letter case). The shell would run anything else it is given, a program's
// path included; such a bookmark goes to the current controller as before.
bool OpensInDefaultBrowser(const std::string& url);

}  // namespace tessaly
