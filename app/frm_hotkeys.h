#pragma once
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/hotkeys.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/hot_key.h"

namespace tessaly {

// The hotkeys dialog: a hot-key control for each size, and beside it "taken"
// while another program holds that combination.
class TfrmHotkeys : public win::Form {
 public:
  // Stores and registers the keys OK gives; returns the sizes whose key could
  // not be registered.
  using ApplyHotkeys = std::function<std::set<std::string>(const std::vector<HotkeyAssignment>&)>;

  TfrmHotkeys(const std::vector<HotkeyAssignment>& assignments, const std::set<std::string>& taken, ApplyHotkeys apply);

 private:
  struct Row {
    HotkeySize size;
    std::unique_ptr<win::Label> caption;
    std::unique_ptr<win::HotKey> key;
    std::unique_ptr<win::Label> taken;
  };

  void btnOkClick();
  void ShowTaken(const std::set<std::string>& taken);

  ApplyHotkeys apply_;
  std::vector<Row> rows_;
  std::unique_ptr<win::Button> btnOk, btnCancel;
};

}  // namespace tessaly
