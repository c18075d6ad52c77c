// The current-environment window: shows the probe store's lists and labels, draws in red the lines
// that the matching sets rely on, and hands its buttons and list clicks to the store. It exists,
// hidden, for the program's whole life, so that other processes can read its list of application
// windows.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "catalogue/XALLists.h"
#include "platform/WindowSystem.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "sensing/XALCurrent.h"
#include "ui/XALLanguage.h"

namespace xal::win32 {

// Control identifiers of the window; lbApps is kCurrentAppsListId (XALWindowMessages.h).
enum CurrentControlId : int {
  kCurrentWiFiListId = 1201,
  kCurrentAddressListId = 1202,
  kCurrentDisplayListId = 1203,
  kCurrentDisplayCountId = 1204,
  kCurrentPrinterListId = 1205,
  kCurrentDefaultPrinterId = 1206,
  kCurrentProxyId = 1207,
  kCurrentAutoConfigURLId = 1209,
  kCurrentPrintersButtonId = 1210,
  kCurrentDefaultPrinterButtonId = 1211,
  kCurrentProxyButtonId = 1212,
  kCurrentAutoConfigURLButtonId = 1213,
};

class CurrentWindow : public IXALCurrentListener {
 public:
  // store, language, matchingSets and windows must outlive the window. matchingSets is read
  // whenever a line is drawn; windows gives the current class and caption of listed windows.
  CurrentWindow(HINSTANCE instance, TfmXALCurrent& store, const TXALLanguage& language,
                const TXALSetList& matchingSets, IWindowSystem& windows);
  ~CurrentWindow() override;
  CurrentWindow(const CurrentWindow&) = delete;
  CurrentWindow& operator=(const CurrentWindow&) = delete;

  // Makes the hidden window, owned by owner, with every control filled from the store, and starts
  // following the store. Raises std::runtime_error when the window can't be made.
  void Create(HWND owner);
  // Loads the captions and reads the three labels, then shows the window over its owner, which is
  // disabled meanwhile, until the user closes it. Closing hides the window; it is not destroyed.
  void ShowModal();
  // Repaints the lists, after a recheck has changed the matching sets.
  void Redraw();
  HWND Handle() const { return window_; }

  void OnIPAddressesChanged(const std::vector<std::string>& lines) override;
  void OnWiFiChanged(const std::vector<std::string>& names) override;
  void OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) override;
  void OnAppsChanged(const std::vector<TXALAppLine>& lines) override;
  void OnPrintersChanged(const std::vector<std::string>& names) override;
  void OnLabelsChanged() override;
  void OnRefreshFailed() override;

 private:
  // Layout units (pixels at 96 dots per inch) to pixels.
  int Scale(int value) const;
  void CreateControls();
  HWND AddControl(const wchar_t* className, DWORD style, int id, int left, int top, int width,
                  int height, DWORD exStyle = 0);
  HWND AddList(int id, int left, int top, int width, int height);
  void AddTip(HWND control);
  void LoadCaptions();
  void FillFromStore();
  void FillApps();
  void FillDisplays();
  void FillLabels();
  void EndModal();
  // Runs a store action as an event of its own: an error ends it and is shown in a box.
  template <typename Action>
  void Guarded(Action action);

  void DrawItem(const DRAWITEMSTRUCT& item);
  bool ItemHighlighted(const DRAWITEMSTRUCT& item, const std::string& text) const;
  bool DisplayCountHighlighted() const;
  std::wstring TipText(HWND control) const;
  void OnListMouseMove(HWND list, LPARAM position);
  void OnCommand(int id, int code);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  TfmXALCurrent& store_;
  const TXALLanguage& language_;
  const TXALSetList& matchingSets_;
  IWindowSystem& windows_;
  Win32MessageBoxes boxes_;

  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  int fontHeight_ = 13;
  int itemHeight_ = 13;
  bool modal_ = false;
  bool listening_ = false;

  // Controls by name, for captions and updates.
  HWND gbWiFi_ = nullptr, lbWiFiLabel_ = nullptr, lbWiFi_ = nullptr;
  HWND gbIPAddresses_ = nullptr, lbIPAddressesLabel_ = nullptr, lbIPAddresses_ = nullptr;
  HWND gbDisplays_ = nullptr, lbDisplaysCountLabel_ = nullptr, lbDisplaysCount_ = nullptr;
  HWND lbDisplaysLabel_ = nullptr, lbDisplays_ = nullptr;
  HWND gbPrinters_ = nullptr, lbPrintersLabel_ = nullptr, btPrinters_ = nullptr;
  HWND lbPrinters_ = nullptr;
  HWND gbProxy_ = nullptr, lbProxy_ = nullptr, btProxy_ = nullptr;
  HWND gbAutoConfigURL_ = nullptr, lbAutoConfigURL_ = nullptr, btAutoConfigURL_ = nullptr;
  HWND gbDefaultPrinter_ = nullptr, lbDefaultPrinter_ = nullptr, btDefaultPrinter_ = nullptr;
  HWND gbApps_ = nullptr, lbAppsLabel_ = nullptr, lbApps_ = nullptr;

  // The item each list's tooltip shows, so that it changes only when the pointer moves to
  // another item.
  std::array<int, 5> tipItems_{{-1, -1, -1, -1, -1}};
  // Keeps the tooltip's text alive until the tooltip has copied it.
  mutable std::wstring tipText_;
};

}  // namespace xal::win32
