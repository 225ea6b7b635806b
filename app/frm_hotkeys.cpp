#include "app/frm_hotkeys.h"

namespace tessaly {

namespace {
// Each row: the size's text, its hot-key control and room for "taken".
constexpr int kMargin = 12, kRowPitch = 26, kCaptionWidth = 72, kKeyWidth = 130, kKeyHeight = 20;
constexpr int kColumnPitch = kCaptionWidth + 4 + kKeyWidth + 6 + 36 + 8;
constexpr int kButtonWidth = 75, kButtonHeight = 25;
}  // namespace

TfrmHotkeys::TfrmHotkeys(const std::vector<HotkeyAssignment>& assignments, const std::set<std::string>& taken,
                         ApplyHotkeys apply)
    : apply_(std::move(apply)) {
  using win::Bounds;
  const HotkeyGrid grid = HotkeyGridFor(static_cast<int>(assignments.size()));
  const FormParams fp = DialogParams("TfrmHotkeys", " Tessaly Hotkeys", 2 * kMargin + grid.columns * kColumnPitch - 8,
                                     kMargin + grid.rowsPerColumn * kRowPitch + 6 + kButtonHeight + kMargin);
  CreateForm(fp);

  for (size_t i = 0; i < assignments.size(); ++i) {
    const int column = static_cast<int>(i) / grid.rowsPerColumn, line = static_cast<int>(i) % grid.rowsPerColumn;
    const int x = kMargin + column * kColumnPitch, y = kMargin + line * kRowPitch;
    Row row;
    row.size = assignments[i].size;
    row.caption = std::make_unique<win::Label>(*this, row.size.name, Bounds{x, y + 3, kCaptionWidth, 13});
    row.key = std::make_unique<win::HotKey>(*this, Bounds{x + kCaptionWidth + 4, y, kKeyWidth, kKeyHeight});
    row.key->SetValue(assignments[i].value);
    row.taken =
        std::make_unique<win::Label>(*this, "taken", Bounds{x + kCaptionWidth + 4 + kKeyWidth + 6, y + 3, 36, 13});
    rows_.push_back(std::move(row));
  }
  const int buttonTop = fp.clientHeight - kMargin - kButtonHeight;
  btnOk = std::make_unique<win::Button>(
      *this, "OK", Bounds{fp.clientWidth - kMargin - 2 * kButtonWidth - 8, buttonTop, kButtonWidth, kButtonHeight},
      true);
  btnCancel = std::make_unique<win::Button>(
      *this, "Cancel", Bounds{fp.clientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight});
  btnOk->OnClick = [this] { btnOkClick(); };
  btnCancel->OnClick = [this] { EndModal(IDCANCEL); };
  SetCancelButton(btnCancel->Id());
  ShowTaken(taken);
  if (!rows_.empty()) SetActiveControl(rows_.front().key->Handle());
}

void TfrmHotkeys::ShowTaken(const std::set<std::string>& taken) {
  for (Row& row : rows_) ShowWindow(row.taken->Handle(), taken.count(row.size.name) ? SW_SHOW : SW_HIDE);
}

void TfrmHotkeys::btnOkClick() {
  std::vector<HotkeyAssignment> assignments;
  for (const Row& row : rows_) assignments.push_back(HotkeyAssignment{row.size, row.key->Value()});
  const std::set<std::string> taken = apply_(assignments);
  ShowTaken(taken);
  // The keys are stored either way; a combination held elsewhere keeps the
  // dialog open so that the user sees which, and may choose another.
  if (taken.empty()) EndModal(IDOK);
}

}  // namespace tessaly
