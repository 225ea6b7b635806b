#include "app/frm_about_box.h"

#include <shellapi.h>

#include <string>

#include "app/res/resource.h"
#include "app/version.h"

namespace tessaly {

TfrmAboutBox::TfrmAboutBox() {
  using win::Bounds;
  CreateForm(DialogParams("TfrmAboutBox", " About Tessaly", 375, 246, true));

  // The panel's controls are the form's, placed relative to the panel.
  const int px = 8, py = 8;
  Panel1 = std::make_unique<win::Panel>(*this, Bounds{px, py, 361, 201});
  // The product picture at the panel's left edge, as high as the panel.
  Image1 = std::make_unique<win::Picture>(*this, IDB_ABOUT_PRODUCT, Bounds{px, py, 113, 201}, true);
  Image2 = std::make_unique<win::Picture>(*this, IDB_ABOUT_TITLE, Bounds{px + 72, py + 8, 281, 49}, true);
  Version = std::make_unique<win::FixedLabel>(*this, VersionCaption(kVersionText, kBetaNumber),
                                              Bounds{px + 112, py + 48, 161, 13});
  Label1 = std::make_unique<win::Label>(*this, "Suggestions? E-mail:", Bounds{px + 118, py + 184, 0, 13});
  Label3 = std::make_unique<win::LinkLabel>(*this, kSupportAddress, Bounds{px + 220, py + 184, 0, 13});
  btnOk = std::make_unique<win::Button>(*this, "OK", Bounds{142, 216, 82, 25}, true);

  // The title picture lies over the product picture, the version text over
  // the title picture's lower edge, all over the panel.
  for (win::Control* c : {static_cast<win::Control*>(Image2.get()), static_cast<win::Control*>(Image1.get()),
                          static_cast<win::Control*>(Panel1.get())})
    c->SendToBack();

  btnOk->OnClick = [this] { btnOkClick(); };
  Label3->OnClick = [this] { Label3Click(); };
  SetActiveControl(btnOk->Handle());
}

void TfrmAboutBox::btnOkClick() { EndModal(IDOK); }

void TfrmAboutBox::Label3Click() {
  const std::string link = std::string("mailto:") + kSupportAddress + "?subject=Gallivor_Suggestions";
  ShellExecuteA(Handle(), "open", link.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace tessaly
