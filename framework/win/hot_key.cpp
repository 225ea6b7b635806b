#include "framework/win/hot_key.h"

namespace tessaly::win {

HotKey::HotKey(Form& form, Bounds b)
    : Control(form, CommonControlClass(ICC_HOTKEY_CLASS, HOTKEY_CLASSA), "", WS_TABSTOP, b, WS_EX_CLIENTEDGE) {
  // A key without Ctrl or Alt (a letter, or Shift and a letter) would be taken
  // from every program's typing: the control adds Ctrl+Alt to it.
  SendMessageA(Handle(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

int HotKey::Value() const { return static_cast<int>(LOWORD(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0))); }

void HotKey::SetValue(int value) { SendMessageA(Handle(), HKM_SETHOTKEY, static_cast<WPARAM>(value & 0xFFFF), 0); }

}  // namespace tessaly::win
