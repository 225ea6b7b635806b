#pragma once
#include <memory>
#include <string>

#include "framework/win/controls.h"
#include "framework/win/form.h"

namespace tessaly {

// The small modal form that asks for a bookmark's title and URL ("Add"
// closes it with IDOK, "Cancel" and the close box with IDCANCEL). It has no
// rules of its own: callers set its texts, show it, and read edtTitle and
// edtUrl after an IDOK. Its folder form asks for a name only.
class TfrmAddBookmark : public win::Form {
 public:
  // owner: the window it stays in front of (null: the application window).
  explicit TfrmAddBookmark(HWND owner = nullptr);

  void SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }
  // "Name:" instead of " Title:", no URL, the buttons and the bottom edge 32
  // pixels higher.
  void SetFolderForm();

  std::unique_ptr<win::Label> Label1, Label2;
  std::unique_ptr<win::Edit> edtTitle, edtUrl;
  std::unique_ptr<win::Button> btnAdd, btnCancel;

 private:
  bool folderForm_ = false;
};

}  // namespace tessaly
