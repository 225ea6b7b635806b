#pragma once
#include <memory>
#include <string>

#include "framework/registry.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"

namespace tessaly {

// " Other Size": a window size typed on the spot, checked by the custom size
// editor's rules; with "Add to Custom Sizes" checked the size joins the
// stored list as soon as "Size" accepts it. The caller sizes the window.
class TfrmOtherSize : public win::Form {
 public:
  explicit TfrmOtherSize(Registry& registry);

  // After "Size": the size's text, and whether it joined the stored list.
  const std::string& SizeText() const { return sizeText_; }
  bool Added() const { return added_; }

 private:
  void btnSizeClick();

  Registry& registry_;
  std::string sizeText_;
  bool added_ = false;
  std::unique_ptr<win::Label> lblWidth, lblHeight;
  std::unique_ptr<win::Edit> edtWidth, edtHeight;
  std::unique_ptr<win::CheckBox> cbAddToCustomSizes;
  std::unique_ptr<win::Button> btnSize, btnCancel;
};

}  // namespace tessaly
