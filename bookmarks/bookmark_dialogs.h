#pragma once
#include <string>

namespace tessaly {

// The add dialog as the bookmark component drives it: it may set the
// caption, shows it modally, and reads the two texts after an OK.
class AddBookmarkPrompt {
 public:
  virtual ~AddBookmarkPrompt() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // True when the dialog closed with OK ("Add").
  virtual bool ShowModal() = 0;
  virtual std::string Title() const = 0;
  virtual std::string Url() const = 0;
};

// The organizer as the bookmark component drives it. It is made bound to the
// component and fills itself from the component's entries; it changes the
// menu only in SaveTree, which the component calls unless it was cancelled.
class BookmarkOrganizer {
 public:
  virtual ~BookmarkOrganizer() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The program name used in the organizer's messages.
  virtual void SetAppName(const std::string& appName) = 0;
  // False when closed with Cancel or the close box.
  virtual bool ShowModal() = 0;
  // Replaces the component's bookmark entries by the organizer's tree.
  virtual void SaveTree() = 0;
};

// The open-file dialog of "From File...", and the hourglass while the chosen
// file is read.
class ImportFileDialog {
 public:
  virtual ~ImportFileDialog() = default;
  // Asks for an existing bookmark file: its full path, or empty when the
  // user cancelled.
  virtual std::string Execute() = 0;
  virtual void ShowBusyCursor() = 0;
  // The cursor shown before ShowBusyCursor; nothing when it was not called.
  virtual void RestoreCursor() = 0;
};

}  // namespace tessaly
