#pragma once
#include "bookmarks/bookmark_dialogs.h"
#include "bookmarks/win/frm_edit_bookmarks.h"

namespace tessaly::win {

// TfrmEditBookmarks as the bookmark component runs it.
class EditBookmarksDialog : public BookmarkOrganizer {
 public:
  EditBookmarksDialog(TCorvaneBookmarks& bookmarks, HBITMAP glyphs, int glyphWidth)
      : form_(bookmarks, glyphs, glyphWidth) {}
  void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
  void SetAppName(const std::string& appName) override { form_.SetAppName(appName); }
  bool ShowModal() override { return form_.ShowModal() == IDOK; }
  void SaveTree() override { form_.SaveTree(); }

 private:
  TfrmEditBookmarks form_;
};

}  // namespace tessaly::win
