// What the main window's logic asks of its window and tray icon. The Windows port draws them;
// tests record the calls.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/XALLists.h"

namespace xal {

class IXALDialogHost;
class TfmXALCurrent;
class TXALLanguage;
class TXALMainEditor;

enum class TXALTrayItem { Restore, Recheck, SetIPAddresses, Quit };

class IXALMainView {
 public:
  virtual ~IXALMainView() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetTrayItemCaption(TXALTrayItem item, const std::string& caption) = 0;
  virtual void SetTrayItemVisible(TXALTrayItem item, bool visible) = 0;
  virtual void SetTrayItemEnabled(TXALTrayItem item, bool enabled) = 0;
  // Show the window, restore it from the minimised state and bring it to the front.
  virtual void ShowAndRestore() = 0;
  // Hide the window; only the tray icon stays.
  virtual void Hide() = 0;
  // Raise the window to the top of the window order without showing it when it is hidden.
  virtual void BringToTop() = 0;
  virtual void HideTrayIcon() = 0;
  // Shows a balloon with the information icon at the tray icon for up to 10 seconds; an empty
  // title and text withdraw a balloon still shown.
  virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
  // End the message loop; the program then ends.
  virtual void EndMessageLoop() = 0;
  // Whether the window is the current-environment window or an open rule or add-set dialog;
  // the window test leaves those to the white list.
  virtual bool IsOwnDialog(std::uintptr_t window) const = 0;
  // The current-environment window, hidden, showing the store; it follows the store until
  // DestroyCurrentWindow, which comes before the store goes. The matching sets decide which
  // lines it draws in red.
  virtual void CreateCurrentWindow(TfmXALCurrent& store, const TXALLanguage& language,
                                   const TXALSetList& matchingSets) = 0;
  virtual void DestroyCurrentWindow() = 0;
  // A recheck has changed the matching sets: lines drawn in red may change.
  virtual void MatchingSetsChanged() = 0;
  // Shows the current-environment window modally, until the user closes it.
  virtual void ShowCurrentWindowModal() = 0;
  // Where the editor's dialogs are shown, modal to this window.
  virtual IXALDialogHost& DialogHost() = 0;
  // The window shows the editor's controls and follows it until DestroyEditor, which comes
  // before the editor goes.
  virtual void CreateEditor(TXALMainEditor& editor) = 0;
  virtual void DestroyEditor() = 0;
};

}  // namespace xal
