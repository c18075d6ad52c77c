#include "appliers/XALPrinterSwitch.h"

#include <algorithm>
#include <memory>

#include "catalogue/XALErrors.h"
#include "catalogue/XALLists.h"
#include "platform/XALPlatform.h"
#include "sensing/XALProbes.h"

namespace xal {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& entry) { return SameText(entry, name); });
}

}  // namespace

std::string PrinterByNameQuery(const std::string& name) {
  std::string query = "Select * from Win32_Printer where Name=\"";
  for (const char c : name) {
    if (c == '\\' || c == '"') {
      query += '\\';
    }
    query += c;
  }
  query += '"';
  return query;
}

TXALPrinterSwitch::TXALPrinterSwitch(TXALPlatform& platform) : platform_(platform) {}

const std::vector<std::string>& TXALPrinterSwitch::InstalledPrinters() {
  if (!installed_) {
    installed_ = platform_.Printers.InstalledPrinters();
  }
  return *installed_;
}

void TXALPrinterSwitch::SwitchDefaultPrinter(const std::string& name, bool push) {
  if (name.empty() || !Contains(InstalledPrinters(), name)) {
    return;
  }
  const std::string previous = GetDefaultPrinter(platform_.Management);
  // Exact: a name that differs only in letter case is switched again, which is harmless.
  if (previous != name) {
    const std::unique_ptr<IManagementQuery> printers =
        platform_.Management.ExecQuery(PrinterByNameQuery(name));
    while (const std::unique_ptr<IManagementObject> printer = printers->Next()) {
      try {
        printer->InvokeMethod("SetDefaultPrinter");
      } catch (const EXALError&) {
        // The default stays as it was; the stack is still pushed so that a release pops evenly.
      }
    }
  }
  if (push) {
    if (!Contains(appPrinters_, previous)) {
      appPrinters_.insert(appPrinters_.begin(), previous);
    }
    appPrinters_.insert(appPrinters_.begin(), name);
  }
}

}  // namespace xal
