// The main window's hotkeys: the dialog, their registration and what a
// pressed one sizes.
#include "app/frm_hotkeys.h"
#include "app/frm_main.h"
#include "app/hotkey_registrar.h"
#include "sizes/custom_size.h"

namespace tessaly {

std::vector<HotkeyAssignment> TfrmMain::StoredHotkeys() {
  return LoadHotkeys(registry_, HotkeySizes(LoadCustomSizes(registry_)));
}

void TfrmMain::RegisterHotkeys() { hotkeys_->RegisterAll(StoredHotkeys()); }

std::set<std::string> TfrmMain::TakenHotkeys() {
  // Registered afresh, so that the answer is what other programs hold now;
  // then released while the dialog is open: the system takes a registered
  // combination before the focused hot-key control could see it.
  RegisterHotkeys();
  std::set<std::string> taken = hotkeys_->Taken();
  hotkeys_->UnregisterAll();
  return taken;
}

void TfrmMain::Hotkeys1Click() {
  {
    TfrmHotkeys dialog(StoredHotkeys(), TakenHotkeys(), [this](const std::vector<HotkeyAssignment>& assignments) {
      StoreHotkeys(registry_, assignments);
      return TakenHotkeys();
    });
    dialog.ShowModal();
  }
  RegisterHotkeys();
}

void TfrmMain::HotkeyPressed(WPARAM id) {
  const HotkeySize* registered = hotkeys_->Find(id);
  if (!registered) return;
  const HotkeySize size = *registered;
  // The window in front, as the tray menu's "Active Window" takes it; never
  // one of this program's own windows (a dialog of it may be in front).
  HWND front = GetForegroundWindow();
  DWORD process = 0;
  if (!front || !GetWindowThreadProcessId(front, &process) || process == GetCurrentProcessId()) return;
  const WindowHandle handle = reinterpret_cast<WindowHandle>(front);
  if (!IsTrackableWindowClass(windowController->WindowClassName(handle))) return;
  windowController->SetTargetWindow(handle);
  SizeForHotkey(size, *windowController, cbTaskBar->ItemIndex(), cbOfficeBar->ItemIndex(),
                [this](const std::string& text) { SizeToCustom(kTargetActiveWindow, text); });
}

}  // namespace tessaly
