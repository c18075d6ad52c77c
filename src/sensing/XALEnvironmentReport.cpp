#include "sensing/XALEnvironmentReport.h"

#include <exception>
#include <functional>
#include <vector>

#include "sensing/XALCurrent.h"
#include "ui/XALLanguage.h"

namespace xal {
namespace {

constexpr char kIndent[] = "  ";

class ReportWriter {
 public:
  explicit ReportWriter(const TXALLanguage& language) : language_(language) {}

  // Writes the heading, runs the probe, and then writes the lines it gives, or its error.
  void Section(const char* headingKey, const std::function<std::vector<std::string>()>& probe) {
    report_.Text += language_.Text(headingKey) + "\n";
    std::vector<std::string> lines;
    try {
      lines = probe();
    } catch (const std::exception& error) {
      report_.Failed = true;
      report_.Text += std::string(kIndent) + "! " + error.what() + "\n";
      return;
    }
    for (const std::string& line : lines) {
      report_.Text += kIndent + line + "\n";
    }
  }

  TXALEnvironmentReport Take() { return std::move(report_); }

 private:
  const TXALLanguage& language_;
  TXALEnvironmentReport report_;
};

// A label's text as the window shows it; an empty default printer gives no line at all.
std::vector<std::string> NonEmpty(const std::string& text) {
  return text.empty() ? std::vector<std::string>() : std::vector<std::string>{text};
}

}  // namespace

TXALEnvironmentReport MakeEnvironmentReport(TfmXALCurrent& current, const TXALLanguage& language) {
  ReportWriter writer(language);
  writer.Section("fmXALCurrent_gbIPAddressesCaption", [&] {
    current.RefreshIPAddresses();
    return current.lbIPAddresses();
  });
  writer.Section("fmXALCurrent_gbWiFiCaption", [&] {
    current.RefreshWiFi();
    return current.lbWiFi();
  });
  writer.Section("fmXALCurrent_gbDisplaysCaption", [&] {
    current.RefreshDisplays();
    std::vector<std::string> lines{language.Text("fmXALCurrent_lbDisplaysCountLabelCaption") + " " +
                                   current.lbDisplaysCount()};
    for (const TXALDisplayLine& display : current.lbDisplays()) {
      lines.push_back(display.Text);
    }
    return lines;
  });
  writer.Section("fmXALCurrent_gbPrintersCaption", [&] {
    current.RefreshPrinters();
    return current.lbPrinters();
  });
  writer.Section("fmXALCurrent_gbDefaultPrinterCaption", [&] {
    current.btDefaultPrinterClick();
    return NonEmpty(current.lbDefaultPrinter());
  });
  writer.Section("fmXALCurrent_gbProxyCaption", [&] {
    current.btProxyClick();
    return NonEmpty(current.lbProxy());
  });
  writer.Section("fmXALCurrent_gbAutoConfigURLCaption", [&] {
    current.btAutoConfigURLClick();
    return NonEmpty(current.lbAutoConfigURL());
  });
  return writer.Take();
}

}  // namespace xal
