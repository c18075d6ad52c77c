// A main window that only remembers what it was told, for tests of the main window's logic.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/XALMainView.h"
#include "platform/sim/SimDialogHost.h"

namespace xal::sim {

class SimMainView : public IXALMainView {
 public:
  void SetCaption(const std::string& text) override { caption = text; }
  void SetTrayItemCaption(TXALTrayItem item, const std::string& text) override {
    trayCaptions[item] = text;
  }
  void SetTrayItemVisible(TXALTrayItem item, bool show) override { trayVisible[item] = show; }
  void SetTrayItemEnabled(TXALTrayItem item, bool enable) override { trayEnabled[item] = enable; }
  void ShowAndRestore() override {
    visible = true;
    minimized = false;
    ++broughtToFront;
  }
  void Hide() override { visible = false; }
  void BringToTop() override { ++broughtToFront; }
  void HideTrayIcon() override { trayIconVisible = false; }
  void ShowBalloon(const std::string& title, const std::string& text) override {
    balloons.push_back({title, text});
  }
  void EndMessageLoop() override { loopEnded = true; }
  bool IsOwnDialog(std::uintptr_t window) const override { return ownDialogs.count(window) != 0; }
  void CreateCurrentWindow(TfmXALCurrent& store, const TXALLanguage&, const TXALSetList&) override {
    currentWindowStore = &store;
  }
  void DestroyCurrentWindow() override { currentWindowStore = nullptr; }
  void MatchingSetsChanged() override { ++matchingSetsChanges; }
  void ShowCurrentWindowModal() override { ++currentWindowShows; }
  IXALDialogHost& DialogHost() override { return dialogs; }
  void CreateEditor(TXALMainEditor& shown) override { editor = &shown; }
  void DestroyEditor() override { editor = nullptr; }

  std::string caption;
  std::map<TXALTrayItem, std::string> trayCaptions;
  // As the menu starts: every item shown and enabled, but Set IP addresses hidden.
  std::map<TXALTrayItem, bool> trayVisible{{TXALTrayItem::Restore, true},
                                           {TXALTrayItem::Recheck, true},
                                           {TXALTrayItem::SetIPAddresses, false},
                                           {TXALTrayItem::Quit, true}};
  std::map<TXALTrayItem, bool> trayEnabled{{TXALTrayItem::Restore, true},
                                           {TXALTrayItem::Recheck, true},
                                           {TXALTrayItem::SetIPAddresses, true},
                                           {TXALTrayItem::Quit, true}};
  bool visible = false;
  bool minimized = false;
  int broughtToFront = 0;
  bool trayIconVisible = true;
  bool loopEnded = false;
  std::vector<std::pair<std::string, std::string>> balloons;
  std::set<std::uintptr_t> ownDialogs;
  // The store the current-environment window shows while it exists.
  const TfmXALCurrent* currentWindowStore = nullptr;
  int matchingSetsChanges = 0;
  int currentWindowShows = 0;
  // Answers the editor's dialogs with the scripts a test queues.
  SimDialogHost dialogs;
  // The editor the window shows while it exists.
  TXALMainEditor* editor = nullptr;
};

}  // namespace xal::sim
