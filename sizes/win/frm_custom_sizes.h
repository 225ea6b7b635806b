#pragma once
#include <memory>
#include <vector>

#include "framework/registry.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "sizes/custom_size.h"

namespace tessaly {

// The editor's message for a size it refuses, owned by the dialog that asked.
void ShowSizeEditMessage(HWND owner, SizeEditResult result);

// The modal editor of the custom size list. It edits its own copy in the list
// box and stores it whenever it closes; there is no cancel.
class TfrmCustomSizes : public win::Form {
 public:
  explicit TfrmCustomSizes(Registry& registry);

  void ReadWriteSizes(bool write);

 protected:
  void FormShow() override;
  void FormClose() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void btnAddNewClick();
  void btnEditClick();
  void btnDeleteClick();
  void lblCustomSizesClick();
  // Shows the failure, or puts the edited lines into the list and clears the
  // edit boxes and the selection.
  void Apply(SizeEditResult result, const std::vector<std::string>& lines);
  void ClearInputs();

  Registry& registry_;
  win::UniqueFont memoFont_;
  std::unique_ptr<win::Memo> Memo1;
  std::unique_ptr<win::Label> lblWidth, lblHeight;
  std::unique_ptr<win::Edit> edtWidth, edtHeight;
  std::unique_ptr<win::ListBox> lblCustomSizes;
  std::unique_ptr<win::Button> btnAddNew, btnDelete, btnEdit, btnClose;
};

}  // namespace tessaly
