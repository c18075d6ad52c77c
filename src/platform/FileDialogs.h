// The system's choosers for a file to open or save, and for a folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace xal {

struct TXALFileFilter {
  // "XML files (*.xml)"
  std::string Description;
  // "*.xml"; several patterns separated by ";".
  std::string Patterns;
};

struct TXALFileChoice {
  std::string Title;
  // Empty: the chooser's own choice.
  std::string InitialFolder;
  std::string InitialName;
  std::vector<TXALFileFilter> Filters;
  // Appended to a name typed without one when saving ("xml").
  std::string DefaultExtension;
};

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // The full path chosen, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChooseFileToOpen(const TXALFileChoice& choice) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const TXALFileChoice& choice) = 0;
  // A folder, which the user may type as a new one: the chooser asks before creating it.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
};

}  // namespace xal
