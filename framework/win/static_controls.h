#pragma once
#include <functional>
#include <string>

#include "framework/win/controls.h"
#include "framework/win/handles.h"

namespace tessaly::win {

// A label that keeps its bounds: the text aligned in them (SS_LEFT,
// SS_CENTER or SS_RIGHT) on one line, vertically centred.
class FixedLabel : public Control {
 public:
  FixedLabel(Form& form, const std::string& caption, Bounds b, DWORD alignment = SS_LEFT);
};

// A panel's frame: a lowered outer and a raised inner bevel (the etched edge).
// The controls "in" it are the form's, placed over it.
class Panel : public Control {
 public:
  Panel(Form& form, Bounds b);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A bitmap resource of the program, centred in its bounds. A transparent
// picture shows the face colour wherever it has the colour of its
// bottom-left pixel (for 8-bit pictures, whose colour table says it once).
class Picture : public Control {
 public:
  Picture(Form& form, int resourceId, Bounds b, bool transparent);
  ~Picture() override;

 private:
  UniqueBitmap bitmap_;
};

// A text that opens something when clicked: blue, underlined, with the hand
// cursor over it; sized to its text.
class LinkLabel : public Control {
 public:
  LinkLabel(Form& form, const std::string& caption, Bounds b);
  std::function<void()> OnClick;
  void OnCommand(WORD code) override {
    if (code == STN_CLICKED && OnClick) OnClick();
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  UniqueFont font_;
};

}  // namespace tessaly::win
