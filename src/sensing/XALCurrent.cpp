#include "sensing/XALCurrent.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "catalogue/XALErrors.h"
#include "catalogue/XALRect.h"
#include "regex/IPPattern.h"

namespace xal {

namespace {

constexpr std::int32_t kStatusOther = 1;
constexpr std::int32_t kStatusOffline = 7;
constexpr std::int32_t kExtendedStatusOffline = 7;

bool IsPrinterAvailable(const IManagementObject& printer) {
  const std::int32_t status = printer.GetInt("PrinterStatus");
  if (status == kStatusOffline) {
    return false;
  }
  // "Other" alone says nothing; the extended status tells whether it is offline.
  if (status == kStatusOther && printer.GetInt("ExtendedPrinterStatus") == kExtendedStatusOffline) {
    return false;
  }
  return !printer.GetBool("WorkOffline");
}

}  // namespace

std::string MakeDisplayLine(int number, const TXALMonitor& monitor) {
  const TXALRect& r = monitor.Bounds;
  return std::to_string(number) + ":" + monitor.Description + "(" + std::to_string(r.Left) + "," +
         std::to_string(r.Top) + "," + std::to_string(RectWidth(r)) + "," +
         std::to_string(RectHeight(r)) + ")";
}

std::string MakeAppLine(const std::string& className, const std::string& caption) {
  return caption + "(" + className + ")";
}

TfmXALCurrent::TfmXALCurrent(TXALPlatform& platform, const TXALLanguage& language)
    : platform_(platform), language_(language) {}

const TXALIPStatus& TfmXALCurrent::IPStatus(int index) const {
  return *ipStatusList_.Items(index);
}

void TfmXALCurrent::ClearIPAddresses() {
  lbIPAddresses_.clear();
  ipStatusList_.Clear();
  ipStatuses_.clear();
}

template <typename Read, typename Changed>
void TfmXALCurrent::Refresh(Read read, Changed changed) {
  try {
    read();
  } catch (...) {
    Notify([](IXALCurrentListener& l) { l.OnRefreshFailed(); });
    throw;
  }
  Notify(changed);
}

void TfmXALCurrent::RefreshIPAddresses() {
  Refresh(
      [this] {
        ClearIPAddresses();
        // One query serves the lines and every status: each address asking the service again
        // made a refresh cost one query per address.
        ReadIPAddresses(QueryAdapters(platform_.Management));
      },
      [this](IXALCurrentListener& l) { l.OnIPAddressesChanged(lbIPAddresses_); });
}

void TfmXALCurrent::RefreshIPAddresses(
    const std::vector<std::unique_ptr<IManagementObject>>& adapters) {
  Refresh(
      [this, &adapters] {
        ClearIPAddresses();
        ReadIPAddresses(adapters);
      },
      [this](IXALCurrentListener& l) { l.OnIPAddressesChanged(lbIPAddresses_); });
}

void TfmXALCurrent::ReadIPAddresses(
    const std::vector<std::unique_ptr<IManagementObject>>& adapters) {
  std::vector<std::string> lines;
  std::vector<std::unique_ptr<TXALIPStatus>> statuses;
  for (const auto& adapter : adapters) {
    try {
      const auto addresses = adapter->GetStringArray("IPAddress");
      if (!addresses) {
        continue;
      }
      std::optional<TXALIPStatus> adapterStatus;
      for (const std::string& address : *addresses) {
        if (!IsIPv4Address(address)) {
          continue;
        }
        const std::string caption = adapter->GetString("Caption");
        const std::string settingID = adapter->GetString("SettingID");
        // The status is read before the line is added, so that a failure leaves neither and the
        // two lists keep the same length.
        if (!adapterStatus) {
          adapterStatus = ReadIPStatus(adapters, platform_.Registry, settingID);
        }
        lines.push_back(MakeAddressLine(address, caption, settingID));
        statuses.push_back(std::make_unique<TXALIPStatus>(*adapterStatus));
      }
    } catch (const EXALError&) {
      // This adapter's remaining addresses are lost; what was listed stays.
    }
  }
  lbIPAddresses_ = std::move(lines);
  ipStatuses_ = std::move(statuses);
  for (const auto& status : ipStatuses_) {
    ipStatusList_.Add(status.get());
  }
}

void TfmXALCurrent::RefreshWiFi() {
  std::vector<std::string> names;
  GetWiFiNetworks(platform_.Wireless, true, names);
  lbWiFi_ = std::move(names);
  Notify([this](IXALCurrentListener& l) { l.OnWiFiChanged(lbWiFi_); });
}

void TfmXALCurrent::RefreshDisplays() {
  const std::vector<TXALMonitor>& monitors = platform_.Monitors.List();
  lbDisplaysCount_ = std::to_string(monitors.size());
  lbDisplays_.clear();
  for (std::size_t p = 0; p < monitors.size(); ++p) {
    lbDisplays_.push_back({MakeDisplayLine(static_cast<int>(p + 1), monitors[p]), monitors[p]});
  }
  Notify([this](IXALCurrentListener& l) { l.OnDisplaysChanged(lbDisplays_); });
}

void TfmXALCurrent::RefreshPrinters() {
  Refresh([this] { ReadPrinters(); },
          [this](IXALCurrentListener& l) { l.OnPrintersChanged(lbPrinters_); });
}

void TfmXALCurrent::ReadPrinters() {
  lbPrinters_.clear();
  std::vector<std::string> printers;
  const std::unique_ptr<IManagementQuery> query = platform_.Management.ExecQuery(kPrinterQuery);
  while (const std::unique_ptr<IManagementObject> printer = query->Next()) {
    try {
      if (IsPrinterAvailable(*printer)) {
        printers.push_back(printer->GetString("Caption"));
      }
    } catch (const EXALError&) {
      // A printer that can't be read is not offered.
    }
  }
  lbPrinters_ = std::move(printers);
}

void TfmXALCurrent::btDefaultPrinterClick() {
  lbDefaultPrinter_ = GetDefaultPrinter(platform_.Management);
  Notify([](IXALCurrentListener& l) { l.OnLabelsChanged(); });
}

void TfmXALCurrent::btProxyClick() {
  lbProxy_ = GetCurrentProxy(platform_.Proxy, language_);
  Notify([](IXALCurrentListener& l) { l.OnLabelsChanged(); });
}

void TfmXALCurrent::btAutoConfigURLClick() {
  lbAutoConfigURL_ = GetAutoConfigURL(platform_.Registry, language_);
  Notify([](IXALCurrentListener& l) { l.OnLabelsChanged(); });
}

void TfmXALCurrent::ReadLabels(const std::function<void(const std::exception&)>& readFailed) {
  // One label that can't be read must not leave the others stale.
  for (void (TfmXALCurrent::*read)() :
       {&TfmXALCurrent::btDefaultPrinterClick, &TfmXALCurrent::btProxyClick,
        &TfmXALCurrent::btAutoConfigURLClick}) {
    try {
      (this->*read)();
    } catch (const std::exception& error) {
      readFailed(error);
    }
  }
}

void TfmXALCurrent::AddListener(IXALCurrentListener* listener) {
  if (listener != nullptr &&
      std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void TfmXALCurrent::RemoveListener(IXALCurrentListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TfmXALCurrent::ConnectAppWindows(IWindowSystem* windows,
                                      std::function<bool(TXALWindowHandle)> isAppWindow) {
  windows_ = windows;
  isAppWindow_ = std::move(isAppWindow);
}

void TfmXALCurrent::RefreshApps(TXALHandleList& handledWindows) {
  if (windows_ == nullptr || !isAppWindow_) {
    return;
  }
  for (const TXALWindowHandle handle : windows_->EnumTopLevel()) {
    if (isAppWindow_(handle)) {
      ListAppWindow(windows_->ClassName(handle), windows_->Caption(handle), handle);
      handledWindows.Add(handle);
    }
  }
}

void TfmXALCurrent::AddOrUpdateApp(const std::string& className, const std::string& caption,
                                   TXALWindowHandle handle) {
  if (isAppWindow_ && isAppWindow_(handle)) {
    ListAppWindow(className, caption, handle);
  }
}

void TfmXALCurrent::ListAppWindow(const std::string& className, const std::string& caption,
                                  TXALWindowHandle handle) {
  std::string line = MakeAppLine(className, caption);
  const auto it = std::find_if(lbApps_.begin(), lbApps_.end(),
                               [handle](const TXALAppLine& l) { return l.Handle == handle; });
  if (it != lbApps_.end()) {
    if (it->Text != line) {
      it->Text = std::move(line);
    }
    std::rotate(lbApps_.begin(), it, it + 1);
  } else {
    lbApps_.insert(lbApps_.begin(), TXALAppLine{std::move(line), handle});
  }
  lbAppsItemIndex_ = 0;
  SyncAppLists();
}

void TfmXALCurrent::UpdateAppTitle(TXALWindowHandle handle) {
  if (windows_ == nullptr) {
    return;
  }
  const auto it = std::find_if(lbApps_.begin(), lbApps_.end(),
                               [handle](const TXALAppLine& l) { return l.Handle == handle; });
  if (it == lbApps_.end()) {
    return;
  }
  it->Text = MakeAppLine(windows_->ClassName(handle), windows_->Caption(handle));
  SyncAppLists();
}

void TfmXALCurrent::RemoveApp(TXALWindowHandle handle) {
  const auto it = std::find_if(lbApps_.begin(), lbApps_.end(),
                               [handle](const TXALAppLine& l) { return l.Handle == handle; });
  if (it == lbApps_.end()) {
    return;
  }
  const int index = static_cast<int>(it - lbApps_.begin());
  lbApps_.erase(it);
  // The selection stays on the same window, or goes when that window's line went.
  if (lbAppsItemIndex_ == index) {
    lbAppsItemIndex_ = -1;
  } else if (lbAppsItemIndex_ > index) {
    --lbAppsItemIndex_;
  }
  SyncAppLists();
}

void TfmXALCurrent::SyncAppLists() {
  Notify([this](IXALCurrentListener& l) { l.OnAppsChanged(lbApps_); });
}

void TfmXALCurrent::lbAppsDblClick() {
  if (windows_ == nullptr || lbAppsItemIndex_ < 0 ||
      lbAppsItemIndex_ >= static_cast<int>(lbApps_.size())) {
    return;
  }
  windows_->Flash(lbApps_[static_cast<std::size_t>(lbAppsItemIndex_)].Handle, 5);
}

template <typename Call>
void TfmXALCurrent::Notify(Call call) {
  // A copy, since a dialog may close, and unregister, while it is told.
  const std::vector<IXALCurrentListener*> listeners = listeners_;
  for (IXALCurrentListener* listener : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
      call(*listener);
    }
  }
}

}  // namespace xal
