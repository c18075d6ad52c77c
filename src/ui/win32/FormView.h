// The controls of a presenter's form inside a window: made from its control list, redrawn from
// its state after each event, and every event a person makes forwarded to it. The window that
// holds them (a dialog, the main window) forwards its control messages here.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/XALDialog.h"

namespace xal::win32 {

// Control identifiers: the control at index i of the presenter's list has
// kFirstDialogControlId + i * kDialogControlIdStep; item k of a radio group has that plus 1 + k.
// Programs that drive a window from outside find its controls by these.
constexpr int kFirstDialogControlId = 1000;
constexpr int kDialogControlIdStep = 20;

inline int DialogControlId(int index) {
  return kFirstDialogControlId + index * kDialogControlIdStep;
}

class FormView {
 public:
  FormView(HINSTANCE instance, TXALDialog& form);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // Makes the controls in parent, laid out for dpi, and follows the presenter from then on.
  void Create(HWND parent, int dpi);
  // The window moved to a display of another scale.
  void SetDpi(int dpi);
  // Places the controls for the parent's client size.
  void Layout();
  // Presenter state into the windows.
  void Sync();
  void FocusFirst();
  // The identifier of the default button, 0 when there is none.
  int DefaultId() const;
  // Runs after each forwarded event, once the controls show its outcome.
  void SetAfterEvent(std::function<void()> afterEvent) { afterEvent_ = std::move(afterEvent); }
  // Runs a presenter event as the controls' events are run: errors shown, controls redrawn,
  // refusals shown, then the after-event call.
  void Forward(const std::function<void()>& event);

  // A message of the parent window; true when it was the controls' and *result holds the answer.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

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
    // The global atom of the presenter's name, held in the control's name property.
    ATOM nameAtom = 0;
  };

  void CreateControls();
  void MakeControl(std::size_t index);
  HWND AddWindow(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id);
  void AddTip(HWND control);
  // A list view of lines in one column without a header, like a list box.
  HWND AddLineListView(DWORD style, DWORD extendedStyle, int id);
  RECT ScaledBounds(const TXALControl& control) const;
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  void MakeFont();

  void SyncControl(std::size_t index);
  void SyncList(const TXALControl& control, Made& made);
  void SyncListView(const TXALControl& control, Made& made);
  void SyncGrid(const TXALControl& control, Made& made);
  void SyncVirtualList(const TXALControl& control, Made& made);
  // Keys and the right mouse button in lists and grids; true when the key was the form's.
  bool OnListKey(HWND list, WPARAM key);
  void OnListRightClick(HWND list, POINT point);

  void OnCommand(int id, int code, HWND from);
  LRESULT OnNotify(NMHDR* header);
  std::wstring TipText(HWND control);
  int FindControl(HWND window) const;
  int FindById(int id, int* item) const;
  int FocusedControl() const;

  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR self);

  HINSTANCE instance_;
  TXALDialog& form_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::vector<Made> made_;
  bool syncing_ = false;
  std::function<void()> afterEvent_;
  std::wstring tipText_;
};

}  // namespace xal::win32
