#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tessaly::win {

class Form;

struct Bounds {
  int left, top, width, height;
};

// A standard control placed at a pixel position in its form's client area,
// a wide-character window whose texts the program gives and takes as UTF-8.
// The control owns its window: destroying the control takes it out of its
// form's dispatch and destroys the window, so that no message can reach a
// freed control. Every control's window is subclassed through the one path
// below, behind the same exception barrier as the program's own windows; a
// kind of control that reacts to its own messages overrides HandleMessage.
// A control dies before its form (controls are members of their form).
class Control {
 public:
  // The window class of a common control, registered by comctl32 on request
  // (icc: its ICC_ flag) when the first one is made rather than at start;
  // asking again costs nothing.
  static const char* CommonControlClass(DWORD icc, const char* className);

 public:
  Control(Form& form, const char* windowClass, const std::string& caption, DWORD style, Bounds b,
          DWORD exStyle = 0);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Null once the window is gone (destroyed with its form).
  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }
  // The control's text, UTF-8 as every text of the program.
  std::string Text() const;
  void SetText(const std::string& text);
  void SetFocus() { ::SetFocus(hwnd_); }
  // Children are created in front of their earlier siblings' areas; frames and
  // tabs that surround other controls go behind them.
  void SendToBack() { SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

  virtual void OnCommand(WORD) {}
  virtual LRESULT OnNotify(NMHDR*) { return 0; }
  // A key message for any window of the form, offered before the dialog keys
  // (Tab, arrows, Enter) are handled; true when the control used it.
  virtual bool FormKey(const MSG&) { return false; }

 protected:
  // A message of the control's own window; by default the control's class
  // handles it.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return CallWindowProcW(classProc_, hwnd_, msg, wp, lp); }
  // For a frame, which does not paint its inside: a WM_ERASEBKGND that fills
  // the client area with the face colour, since the form does not paint under
  // its children.
  LRESULT EraseWithFace(WPARAM dc);
  Form& OwnerForm() const { return form_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  Form& form_;
  HWND hwnd_ = nullptr;
  WNDPROC classProc_ = nullptr;
  int id_;
};

class Button : public Control {
 public:
  Button(Form& form, const std::string& caption, Bounds b, bool isDefault = false);
  std::function<void()> OnClick;
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED && OnClick) OnClick();
  }
};

class CheckBox : public Control {
 public:
  CheckBox(Form& form, const std::string& caption, Bounds b);
  bool Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool on) { SendMessageA(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
};

class Label : public Control {
 public:
  Label(Form& form, const std::string& caption, Bounds b, bool rightAligned = false);
};

class GroupBox : public Control {
 public:
  GroupBox(Form& form, const std::string& caption, Bounds b);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

class Edit : public Control {
 public:
  Edit(Form& form, Bounds b);
};

// A read-only, borderless multi-line text.
class Memo : public Control {
 public:
  Memo(Form& form, Bounds b, const std::vector<std::string>& lines);
};

// A drop-down list (no typing).
class ComboBox : public Control {
 public:
  ComboBox(Form& form, Bounds b, const std::vector<std::string>& items = {});
  void Clear();
  void Add(const std::string& item);
  int Count() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Item(int index) const;
};

class ListBox : public Control {
 public:
  ListBox(Form& form, Bounds b);
  std::function<void()> OnClick;
  void OnCommand(WORD code) override {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
  }
  void Clear();
  void Add(const std::string& item);
  void Delete(int index);
  void SetItem(int index, const std::string& text);
  int Count() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
};

// The platform's tab control. A user's change (a click, the arrow keys on the
// focused tabs, Ctrl+Tab or Ctrl+Shift+Tab anywhere in the form) raises
// OnChange; the program's own SetTabIndex does not.
class TabControl : public Control {
 public:
  TabControl(Form& form, Bounds b, const std::vector<std::string>& tabs);
  std::function<void()> OnChange;
  LRESULT OnNotify(NMHDR* hdr) override;
  bool FormKey(const MSG& msg) override;
  int TabIndex() const;
  void SetTabIndex(int index);

 private:
  void SelectByUser(int index);
};

}  // namespace tessaly::win
