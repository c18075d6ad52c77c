// The current-environment window's store of probe results, which other parts of the program
// read while the window is hidden: Wi-Fi, addresses with their adapters' configurations,
// displays, printers, and the default printer, proxy and script URL labels.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "platform/Monitors.h"
#include "platform/WindowSystem.h"
#include "platform/XALPlatform.h"
#include "sensing/XALNetwork.h"
#include "sensing/XALProbes.h"
#include "ui/XALLanguage.h"

namespace xal {

// "1:Generic PnP Monitor(0,0,1920,1080)", carrying the monitor it describes.
struct TXALDisplayLine {
  std::string Text;
  TXALMonitor Monitor;
};

std::string MakeDisplayLine(int number, const TXALMonitor& monitor);

// "Caption(ClassName)", carrying the window it names; the handle, not the text, identifies it.
struct TXALAppLine {
  std::string Text;
  TXALWindowHandle Handle = 0;
};

std::string MakeAppLine(const std::string& className, const std::string& caption);

// Open dialogs that show probe results, and the window that shows the store itself, register
// here to receive fresh lists. The list calls come after a refresh has succeeded, never after one
// that failed.
class IXALCurrentListener {
 public:
  virtual ~IXALCurrentListener() = default;
  virtual void OnIPAddressesChanged(const std::vector<std::string>& /*lines*/) {}
  virtual void OnWiFiChanged(const std::vector<std::string>& /*names*/) {}
  virtual void OnDisplaysChanged(const std::vector<TXALDisplayLine>& /*lines*/) {}
  virtual void OnAppsChanged(const std::vector<TXALAppLine>& /*lines*/) {}
  virtual void OnPrintersChanged(const std::vector<std::string>& /*names*/) {}
  // The default printer, proxy or script URL label was read anew.
  virtual void OnLabelsChanged() {}
  // A refresh raised and left its list empty. Dialogs may keep the lines they have; whatever
  // shows the store itself re-reads it.
  virtual void OnRefreshFailed() {}
};

class TfmXALCurrent : public TXALComponent {
 public:
  TfmXALCurrent(TXALPlatform& platform, const TXALLanguage& language);
  TfmXALCurrent(const TfmXALCurrent&) = delete;
  TfmXALCurrent& operator=(const TfmXALCurrent&) = delete;

  // Each replaces its lists as a whole. RefreshIPAddresses and RefreshPrinters raise EXALError
  // when the management service can't be reached or the query fails; their lists are then left
  // empty and no listener is told.
  void RefreshIPAddresses();
  // The same from the result of the adapter query (QueryAdapters) that the caller made.
  void RefreshIPAddresses(const std::vector<std::unique_ptr<IManagementObject>>& adapters);
  void RefreshWiFi();
  // Reads the monitor list as it stands; after a display change the caller has the platform
  // re-read it first.
  void RefreshDisplays();
  void RefreshPrinters();

  // The buttons of the window. A button whose probe fails keeps the old label.
  void btPrintersClick() { RefreshPrinters(); }
  void btDefaultPrinterClick();
  void btProxyClick();
  void btAutoConfigURLClick();
  // What showing the window reads: the three labels, in button order. A label that can't be
  // read keeps its old text, its error goes to readFailed, and the next label is read all the
  // same.
  void ReadLabels(const std::function<void(const std::exception&)>& readFailed);

  // The application-window list needs the windows and the test of which of them count; the
  // window intake connects them. Unconnected, the list stays empty.
  void ConnectAppWindows(IWindowSystem* windows, std::function<bool(TXALWindowHandle)> isAppWindow);
  // Lists every application window that exists now and appends each to handledWindows, so that
  // windows open before the program are not placed on their next activation.
  void RefreshApps(TXALHandleList& handledWindows);
  // Lists the window, or moves its line to the top; windows that don't count are left out.
  void AddOrUpdateApp(const std::string& className, const std::string& caption,
                      TXALWindowHandle handle);
  // The same for a window the caller has found to count already: the test is not run again.
  void ListAppWindow(const std::string& className, const std::string& caption,
                     TXALWindowHandle handle);
  // Rewrites the window's line in place, if it has one.
  void UpdateAppTitle(TXALWindowHandle handle);
  void RemoveApp(TXALWindowHandle handle);
  // Hands the list to the open dialogs.
  void SyncAppLists();
  // Flashes the selected window so the user can find it.
  void lbAppsDblClick();

  void AddListener(IXALCurrentListener* listener);
  void RemoveListener(IXALCurrentListener* listener);

  const std::vector<std::string>& lbWiFi() const { return lbWiFi_; }
  // One line per IPv4 address; IPStatuses has the configuration behind line i at index i.
  const std::vector<std::string>& lbIPAddresses() const { return lbIPAddresses_; }
  const TXALIPStatusList& IPStatuses() const { return ipStatusList_; }
  const TXALIPStatus& IPStatus(int index) const;
  const std::vector<TXALDisplayLine>& lbDisplays() const { return lbDisplays_; }
  const std::string& lbDisplaysCount() const { return lbDisplaysCount_; }
  const std::vector<std::string>& lbPrinters() const { return lbPrinters_; }
  const std::string& lbDefaultPrinter() const { return lbDefaultPrinter_; }
  const std::string& lbProxy() const { return lbProxy_; }
  const std::string& lbAutoConfigURL() const { return lbAutoConfigURL_; }
  // Most recent first.
  const std::vector<TXALAppLine>& lbApps() const { return lbApps_; }
  // The selected line, or -1.
  int lbAppsItemIndex() const { return lbAppsItemIndex_; }
  void SetAppsItemIndex(int index) { lbAppsItemIndex_ = index; }

 private:
  void ClearIPAddresses();
  void ReadIPAddresses(const std::vector<std::unique_ptr<IManagementObject>>& adapters);
  void ReadPrinters();
  // Runs read; on success tells the listeners through changed, on failure that it failed.
  template <typename Read, typename Changed>
  void Refresh(Read read, Changed changed);
  template <typename Call>
  void Notify(Call call);

  TXALPlatform& platform_;
  const TXALLanguage& language_;
  std::vector<IXALCurrentListener*> listeners_;

  std::vector<std::string> lbWiFi_;
  std::vector<std::string> lbIPAddresses_;
  // Owns the statuses; ipStatusList_ refers to them in the same order.
  std::vector<std::unique_ptr<TXALIPStatus>> ipStatuses_;
  TXALIPStatusList ipStatusList_;
  std::vector<TXALDisplayLine> lbDisplays_;
  std::string lbDisplaysCount_;
  std::vector<std::string> lbPrinters_;
  std::string lbDefaultPrinter_;
  std::string lbProxy_;
  std::string lbAutoConfigURL_;

  IWindowSystem* windows_ = nullptr;
  std::function<bool(TXALWindowHandle)> isAppWindow_;
  std::vector<TXALAppLine> lbApps_;
  int lbAppsItemIndex_ = -1;
};

}  // namespace xal
