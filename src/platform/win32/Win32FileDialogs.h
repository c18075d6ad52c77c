// The shell's choosers: the file dialogs for opening and saving, and a folder chooser in which
// a folder can be typed that doesn't exist yet, to be created once the user agrees. Each is
// modal to the thread's active window and needs COM initialised on the calling thread.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/FileDialogs.h"

namespace xal::win32 {

class Win32FileDialogs : public IFileDialogs {
 public:
  Win32FileDialogs() = default;
  explicit Win32FileDialogs(std::string createFolderQuestion)
      : createFolderQuestion_(std::move(createFolderQuestion)) {}
  // Asked, with the folder's path below it, before the folder chooser creates a folder the user
  // typed; the program sets it once its language is read.
  void SetCreateFolderQuestion(std::string question) {
    createFolderQuestion_ = std::move(question);
  }

  // Raise EXALError with the system's words when the chooser can't be shown at all.
  std::optional<std::string> ChooseFileToOpen(const TXALFileChoice& choice) override;
  std::optional<std::string> ChooseFileToSave(const TXALFileChoice& choice) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;

 private:
  std::string createFolderQuestion_;
};

}  // namespace xal::win32
