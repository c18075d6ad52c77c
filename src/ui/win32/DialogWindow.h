// The window of any dialog: made from the presenter's control list, redrawn from its state
// after each event, and closed when the presenter has a result. Every decision is the
// presenter's; this only makes controls and forwards what the user does to them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/XALDialog.h"

namespace xal::win32 {

// Control identifiers: the control at index i of the presenter's list has
// kFirstDialogControlId + i * kDialogControlIdStep; item k of a radio group has that plus 1 + k.
// Programs that drive a dialog from outside find its controls by these.
constexpr int kFirstDialogControlId = 1000;
constexpr int kDialogControlIdStep = 20;

inline int DialogControlId(int index) {
  return kFirstDialogControlId + index * kDialogControlIdStep;
}

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
  struct Made {
    HWND window = nullptr;
    // The up-down control of a spin edit.
    HWND spin = nullptr;
    // The radio buttons of a radio group.
    std::vector<HWND> radios;
    // What the window shows now, to change only what changed.
    TXALControl shown;
    bool everShown = false;
    // The list line the tooltip was last asked about.
    int tipItem = -2;
  };

  void Create(HWND owner);
  void CreateControls();
  void MakeControl(std::size_t index);
  HWND AddWindow(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id);
  void AddTip(HWND control);
  void Layout();
  RECT ScaledBounds(const TXALControl& control) const;
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  void MakeFont();

  // Presenter state into the windows.
  void Sync();
  void SyncControl(std::size_t index);
  void SyncList(const TXALControl& control, Made& made);
  void SyncListView(const TXALControl& control, Made& made);

  // Runs a presenter event, then redraws, shows a refusal and ends the loop on a result.
  template <typename Event>
  void Forward(Event event);
  void OnCommand(int id, int code, HWND from);
  LRESULT OnNotify(NMHDR* header);
  std::wstring TipText(HWND control);
  int FindControl(HWND window) const;
  int FindById(int id, int* item) const;
  int FocusedControl() const;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  TXALDialog& dialog_;
  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::vector<Made> made_;
  bool syncing_ = false;
  bool running_ = false;
  std::wstring tipText_;
};

}  // namespace xal::win32
