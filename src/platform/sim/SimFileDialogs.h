// Choosers that answer with what the test put in, and remember what they were asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace xal::sim {

class SimFileDialogs : public IFileDialogs {
 public:
  std::optional<std::string> ChooseFileToOpen(const TXALFileChoice& choice) override {
    asked.push_back(choice);
    return Next();
  }
  std::optional<std::string> ChooseFileToSave(const TXALFileChoice& choice) override {
    asked.push_back(choice);
    return Next();
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    folderTitles.push_back(title);
    return Next();
  }

  // Each chooser takes the next answer; nullopt, or none left, is a cancel.
  std::deque<std::optional<std::string>> answers;
  std::vector<TXALFileChoice> asked;
  std::vector<std::string> folderTitles;

 private:
  std::optional<std::string> Next() {
    if (answers.empty()) {
      return std::nullopt;
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace xal::sim
