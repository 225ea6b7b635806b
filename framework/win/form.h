#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/win/handles.h"
#include "framework/win/menu_router.h"
#include "framework/win/window.h"

namespace tessaly::win {

class Control;

// A top-level window with controls at fixed pixel positions, in the dialog font
// (MS Sans Serif 8 pt). Closing runs CloseQuery, then FormClose.
class Form : public Window {
 public:
  ~Form() override;

  struct FormParams {
    const char* className = nullptr;
    std::string caption;
    int clientWidth = 0, clientHeight = 0;
    int left = 0, top = 0;
    bool centered = false;
    bool hasMenuBar = false;
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    HWND owner = nullptr;  // null: the application window
  };
  // A dialog's: a fixed frame with a close box, centred on the screen, in
  // front of its owner. It stays on top of other programs' windows when
  // stayOnTop says so, and whenever the main window stays on top (it would
  // otherwise show behind it).
  static FormParams DialogParams(const char* className, std::string caption, int clientWidth, int clientHeight,
                                 bool stayOnTop = false);

  HFONT Font() const { return font_.Get(); }
  // The font for controls that show the user's own texts, which may be in
  // any script (bookmark titles): the TrueType twin of the dialog font,
  // Microsoft Sans Serif 8 pt, which has Greek, Cyrillic and more, and to
  // which Windows links fonts for the rest. The bitmap MS Sans Serif has the
  // Western European letters only. Made at its first use.
  HFONT TextFont();
  int NextControlId() { return nextControlId_++; }
  void RegisterControl(Control* c);
  void UnregisterControl(Control* c);

  void Show();
  void Hide() { ShowWindow(Handle(), SW_HIDE); }
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
  void SetStayOnTop(bool onTop);
  void SetPosition(int left, int top);
  RECT WindowRect() const;

  // What the close box does: CloseQuery may refuse; otherwise FormClose runs
  // and the form ends (the main form ends the program, a modal form its loop).
  void Close();
  // Shows the form modally, disabling the program's other windows; returns the
  // modal result (2 when closed by the close box or Close()).
  int ShowModal();
  void EndModal(int result) { modalResult_ = result; }
  // The buttons the dialog keys press: Enter, when the focus is not on a
  // button, the default one (a Button made as default names itself), and
  // Escape the cancel one. Without them the keys do nothing.
  void SetDefaultButton(int id) { defaultButton_ = id; }
  void SetCancelButton(int id) { cancelButton_ = id; }
  // The control that has the focus when the form is shown; afterwards the one
  // that had it when the form was last deactivated.
  void SetActiveControl(HWND control) { activeControl_ = control; }

  // Menus whose commands and owner drawing arrive at this window.
  void BindMenu(MenuBinding* menu) { menus_.Add(menu); }

  // Offers a key message for one of the form's windows to the form
  // (KeyPreview) and its controls before the dialog keys are handled; true
  // when one of them used it.
  bool PreTranslateKey(const MSG& msg);

 protected:
  Form();
  void CreateForm(const FormParams& params);
  virtual bool CloseQuery() { return true; }
  virtual void FormClose() {}
  virtual void FormShow() {}
  // A key for any window of the form, before its controls see it: a form's
  // own shortcuts (Ctrl+S). True when it used the key.
  virtual bool KeyPreview(const MSG&) { return false; }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  UniqueFont font_;
  UniqueFont textFont_;
  std::map<int, Control*> controls_;
  MenuRouter menus_;
  int nextControlId_ = 100;
  HWND activeControl_ = nullptr;
  int modalResult_ = 0;
  int defaultButton_ = 0, cancelButton_ = 0;
  bool modal_ = false;
};

}  // namespace tessaly::win
