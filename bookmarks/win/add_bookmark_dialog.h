#pragma once
#include "bookmarks/bookmark_dialogs.h"
#include "bookmarks/win/frm_add_bookmark.h"

namespace tessaly::win {

// TfrmAddBookmark as the bookmark component asks it for a new bookmark.
class AddBookmarkDialog : public AddBookmarkPrompt {
 public:
  void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
  bool ShowModal() override { return form_.ShowModal() == IDOK; }
  std::string Title() const override { return form_.edtTitle->Text(); }
  std::string Url() const override { return form_.edtUrl->Text(); }

 private:
  TfrmAddBookmark form_;
};

}  // namespace tessaly::win
