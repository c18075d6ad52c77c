// The window of any dialog: a popup with the presenter's controls, shown modally until the
// presenter has a result. Every decision is the presenter's.
#pragma once

#include <windows.h>

#include "ui/XALDialog.h"
#include "ui/win32/FormView.h"

namespace xal::win32 {

class DialogWindow {
 public:
  DialogWindow(HINSTANCE instance, TXALDialog& dialog);
  ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Shows the presenter's dialog modal to owner (null: to nothing) and runs its messages until
  // the presenter has a result or the window is closed.
  TXALModalResult ShowModal(HWND owner);

  // Whether the window is one of the dialogs open now. Dialogs live on the user-interface thread,
  // and only that thread asks.
  static bool IsOpenDialog(HWND window);

 private:
  void Create(HWND owner);
  void Center(HWND owner);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  TXALDialog& dialog_;
  FormView controls_;
  HWND window_ = nullptr;
  bool running_ = false;
};

}  // namespace xal::win32
