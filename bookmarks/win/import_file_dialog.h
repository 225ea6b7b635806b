#pragma once
#include <windows.h>

#include <optional>

#include "bookmarks/bookmark_dialogs.h"
#include "framework/win/wait_cursor.h"

namespace tessaly::win {

// The open-file dialog of "From File...", owned by the given window.
class Win32ImportFileDialog : public ImportFileDialog {
 public:
  explicit Win32ImportFileDialog(HWND owner) : owner_(owner) {}
  std::string Execute() override;
  void ShowBusyCursor() override {
    if (!cursor_) cursor_.emplace();
  }
  void RestoreCursor() override { cursor_.reset(); }

 private:
  HWND owner_;
  std::optional<WaitCursor> cursor_;
};

}  // namespace tessaly::win
