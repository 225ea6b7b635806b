#include "bookmarks/win/import_file_dialog.h"

#include <cwchar>

#include "framework/win/comdlg_library.h"
#include "framework/win/modal_scope.h"
#include "framework/win/wide_text.h"

namespace tessaly::win {

std::string Win32ImportFileDialog::Execute() {
  // Starts with the name Netscape gives its bookmark file, where Netscape
  // installs itself.
  // The wide-character dialog: a file in a folder named in any language is
  // found, and its path comes back as UTF-8.
  wchar_t file[1024] = L"Bookmark.htm";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = L"Netscape Bookmark files\0Book*.htm\0All files (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file / sizeof file[0];
  dialog.lpstrInitialDir = L"c:\\progra~1\\Netscape\\";
  dialog.lpstrDefExt = L"htm";
  // OFN_NOCHANGEDIR: the program's working directory stays where it was.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                 OFN_NOCHANGEDIR;
  ModalScope scope(owner_);  // the dialog disables its owner itself
  if (!comdlg32::GetOpenFileNameW(&dialog)) return {};
  return Utf8(file, static_cast<int>(std::wcslen(file)));
}

}  // namespace tessaly::win
