#pragma once
#include <memory>

#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/static_controls.h"

namespace tessaly {

// The About box: the product's pictures, its version and the mail link for
// suggestions.
class TfrmAboutBox : public win::Form {
 public:
  TfrmAboutBox();

 private:
  void btnOkClick();
  void Label3Click();

  std::unique_ptr<win::Panel> Panel1;
  std::unique_ptr<win::Picture> Image1, Image2;
  std::unique_ptr<win::FixedLabel> Version;
  std::unique_ptr<win::Label> Label1;
  std::unique_ptr<win::LinkLabel> Label3;
  std::unique_ptr<win::Button> btnOk;
};

}  // namespace tessaly
