#include "sizes/win/frm_other_size.h"

#include <vector>

#include "sizes/custom_size.h"
#include "sizes/win/frm_custom_sizes.h"

namespace tessaly {

TfrmOtherSize::TfrmOtherSize(Registry& registry) : registry_(registry) {
  using win::Bounds;
  // Opened from the tray: in front of whatever window it is to size.
  CreateForm(DialogParams("TfrmOtherSize", " Other Size", 184, 117));

  // Labels are right-aligned to end at x = 56, as in the custom size editor.
  lblWidth = std::make_unique<win::Label>(*this, "Width:", Bounds{8, 12, 48, 13}, true);
  edtWidth = std::make_unique<win::Edit>(*this, Bounds{64, 8, 65, 21});
  lblHeight = std::make_unique<win::Label>(*this, "Height:", Bounds{8, 36, 48, 13}, true);
  edtHeight = std::make_unique<win::Edit>(*this, Bounds{64, 32, 65, 21});
  cbAddToCustomSizes = std::make_unique<win::CheckBox>(*this, "Add to Custom Sizes", Bounds{12, 60, 160, 17});
  btnSize = std::make_unique<win::Button>(*this, "Size", Bounds{12, 84, 75, 25}, true);
  btnCancel = std::make_unique<win::Button>(*this, "Cancel", Bounds{97, 84, 75, 25});

  btnSize->OnClick = [this] { btnSizeClick(); };
  btnCancel->OnClick = [this] { EndModal(IDCANCEL); };
  SetCancelButton(btnCancel->Id());
  SetActiveControl(edtWidth->Handle());
}

void TfrmOtherSize::btnSizeClick() {
  const bool add = cbAddToCustomSizes->Checked();
  std::vector<std::string> lines = add ? LoadCustomSizes(registry_) : std::vector<std::string>();
  std::string text;
  const SizeEditResult result = TypedCustomSize(lines, add, edtWidth->Text(), edtHeight->Text(), text);
  if (result != SizeEditResult::kDone) {
    ShowSizeEditMessage(Handle(), result);
    return;
  }
  if (add) StoreCustomSizes(registry_, lines);
  sizeText_ = text;
  added_ = add;
  EndModal(IDOK);
}

}  // namespace tessaly
