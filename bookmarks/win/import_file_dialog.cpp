#include "bookmarks/win/import_file_dialog.h"

#include "framework/win/comdlg_library.h"
#include "framework/win/modal_scope.h"

namespace tessaly::win {

std::string Win32ImportFileDialog::Execute() {
  // Starts with the name Netscape gives its bookmark file, where Netscape
  // installs itself.
  char file[1024] = "Bookmark.htm";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = "Netscape Bookmark files\0Book*.htm\0All files (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = "c:\\progra~1\\Netscape\\";
  dialog.lpstrDefExt = "htm";
  // OFN_NOCHANGEDIR: the program's working directory stays where it was.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                 OFN_NOCHANGEDIR;
  ModalScope scope(owner_);  // the dialog disables its owner itself
  if (!comdlg32::GetOpenFileNameA(&dialog)) return {};
  return file;
}

}  // namespace tessaly::win
