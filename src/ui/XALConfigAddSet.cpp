#include "ui/XALConfigAddSet.h"

#include "catalogue/Utf8.h"

#include <exception>
#include <initializer_list>
#include <map>
#include <optional>
#include <utility>

#include "catalogue/XALApps.h"
#include "catalogue/XALRect.h"
#include "catalogue/XALTargetNetwork.h"
#include "sensing/XALProbes.h"

namespace xal {

namespace {

// The row check boxes with the group box each switches, left column then right.
struct TXALRow {
  const char* CheckBox;
  const char* Group;
};
constexpr TXALRow kEnvironmentRows[] = {{"cbWiFi", "gbWiFi"},
                                        {"cbEnvIPAddress", "gbEnvIPAddress"},
                                        {"cbDisplay", "gbDisplay"},
                                        {"cbPrinter", "gbPrinter"}};
constexpr TXALRow kTargetRows[] = {{"cbTargetIPAddress", "gbTargetIPAddress"},
                                   {"cbProxy", "gbProxy"},
                                   {"cbDefaultPrinter", "gbDefaultPrinter"},
                                   {"cbApp", "gbApp"}};

// 10.1.2.3 becomes 10.1.2.*.
std::string WithWildcard(const std::string& address) {
  const std::size_t dot = address.rfind('.');
  return address.substr(0, dot == std::string::npos ? 0 : dot + 1) + "*";
}

// Each label directly followed by its value, one per line; no line break after the last.
std::string HintLines(const TXALLanguage& language,
                      std::initializer_list<std::pair<const char*, std::string>> lines) {
  std::string text;
  const char* separator = "";
  for (const auto& [key, value] : lines) {
    text += separator + language.Text(key) + value;
    separator = "\r\n";
  }
  return text;
}

std::string TargetIPLine(const TXALIPStatus& status) {
  return status.DHCP ? "DHCP," + status.Adapter : status.Address + "," + status.Adapter;
}

}  // namespace

TfmXALConfigAddSet::TfmXALConfigAddSet(TXALDialogContext& context)
    : TXALDialog("fmXALConfigAddSet", 785, 565),
      context_(context),
      placer_(context.Platform.Windows, context.Platform.Monitors),
      pushes_(*this),
      subscription_(context.Current, &pushes_) {
  Add(TXALControlKind::Label, "lbName", {8, 12, 60, 15});
  Add(TXALControlKind::Edit, "edNmae", {72, 8, 260, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbNameExample", {344, 12, 433, 15});

  TXALControl& import = Add(TXALControlKind::RadioGroup, "rgImport", {8, 36, 769, 62});
  import.Items = {"", ""};
  import.ItemIndex = 0;

  Add(TXALControlKind::GroupBox, "gbCurrent", {8, 104, 769, 422});

  // Each row: its check box on the left, its group box with the row's values on the right.
  Add(TXALControlKind::GroupBox, "gbEnvironment", {16, 122, 372, 400}, "gbCurrent");
  Add(TXALControlKind::CheckBox, "cbWiFi", {24, 146, 150, 17}, "gbEnvironment");
  Add(TXALControlKind::GroupBox, "gbWiFi", {180, 140, 200, 60}, "gbEnvironment");
  Add(TXALControlKind::List, "lbWiFi", {188, 156, 184, 36}, "gbWiFi").Tip =
      TXALTip::LineUnderPointer;

  Add(TXALControlKind::CheckBox, "cbEnvIPAddress", {24, 212, 150, 17}, "gbEnvironment");
  Add(TXALControlKind::CheckBox, "cbEnvIPAddressWithWild", {40, 233, 134, 30}, "gbEnvironment")
      .Checked = true;
  Add(TXALControlKind::GroupBox, "gbEnvIPAddress", {180, 206, 200, 100}, "gbEnvironment");
  Add(TXALControlKind::CheckList, "clEnvIPAddress", {188, 222, 184, 76}, "gbEnvIPAddress").Tip =
      TXALTip::LineUnderPointer;

  Add(TXALControlKind::CheckBox, "cbDisplay", {24, 318, 150, 17}, "gbEnvironment");
  Add(TXALControlKind::CheckBox, "cbDisplayCount", {40, 339, 134, 30}, "gbEnvironment");
  Add(TXALControlKind::GroupBox, "gbDisplay", {180, 312, 200, 100}, "gbEnvironment");
  Add(TXALControlKind::CheckList, "clDisplay", {188, 328, 184, 76}, "gbDisplay").Tip =
      TXALTip::LineUnderPointer;

  Add(TXALControlKind::CheckBox, "cbPrinter", {24, 424, 150, 17}, "gbEnvironment");
  Add(TXALControlKind::GroupBox, "gbPrinter", {180, 418, 200, 96}, "gbEnvironment");
  Add(TXALControlKind::CheckList, "clPrinter", {188, 434, 184, 72}, "gbPrinter").Tip =
      TXALTip::LineUnderPointer;

  Add(TXALControlKind::GroupBox, "gbTarget", {396, 122, 373, 400}, "gbCurrent");
  Add(TXALControlKind::CheckBox, "cbTargetIPAddress", {404, 146, 150, 17}, "gbTarget");
  Add(TXALControlKind::GroupBox, "gbTargetIPAddress", {560, 140, 201, 100}, "gbTarget");
  Add(TXALControlKind::CheckList, "clTargetIPAddress", {568, 156, 185, 76}, "gbTargetIPAddress")
      .Tip = TXALTip::Custom;

  Add(TXALControlKind::CheckBox, "cbProxy", {404, 252, 150, 17}, "gbTarget");
  Add(TXALControlKind::GroupBox, "gbProxy", {560, 246, 201, 42}, "gbTarget");
  Add(TXALControlKind::Label, "lbProxy", {568, 264, 185, 15}, "gbProxy");

  Add(TXALControlKind::CheckBox, "cbDefaultPrinter", {404, 300, 150, 17}, "gbTarget");
  Add(TXALControlKind::GroupBox, "gbDefaultPrinter", {560, 294, 201, 42}, "gbTarget");
  Add(TXALControlKind::Label, "lbDefaultPrinter", {568, 312, 185, 15}, "gbDefaultPrinter");

  Add(TXALControlKind::CheckBox, "cbApp", {404, 348, 150, 17}, "gbTarget");
  Add(TXALControlKind::CheckBox, "cbAppWithTitle", {420, 369, 134, 30}, "gbTarget");
  Add(TXALControlKind::GroupBox, "gbApp", {560, 342, 201, 172}, "gbTarget");
  Add(TXALControlKind::CheckList, "clApp", {568, 358, 185, 148}, "gbApp").Tip = TXALTip::Custom;

  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {621, 534, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {702, 534, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;

  // The rows start as their cleared check boxes have them, so that nothing shows on before the
  // user has switched the import on and ticked a row.
  for (const TXALRow& row : kEnvironmentRows) {
    SetGroupOn(row.Group, false);
  }
  for (const TXALRow& row : kTargetRows) {
    SetGroupOn(row.Group, false);
  }
  Mutable("cbEnvIPAddressWithWild").Enabled = false;
  Mutable("cbDisplayCount").Enabled = false;
  Mutable("cbAppWithTitle").Enabled = false;
  rgImportClick();
}

void TfmXALConfigAddSet::OnShow() {
  const TXALLanguage& language = context_.Language;
  LoadCaptions(language, {"lbName",
                          "lbNameExample",
                          "rgImport",
                          "gbCurrent",
                          "gbEnvironment",
                          "cbWiFi",
                          "gbWiFi",
                          "cbEnvIPAddress",
                          "cbEnvIPAddressWithWild",
                          "gbEnvIPAddress",
                          "cbDisplay",
                          "cbDisplayCount",
                          "gbDisplay",
                          "cbPrinter",
                          "gbPrinter",
                          "gbTarget",
                          "cbTargetIPAddress",
                          "gbTargetIPAddress",
                          "cbProxy",
                          "gbProxy",
                          "cbDefaultPrinter",
                          "gbDefaultPrinter",
                          "cbApp",
                          "cbAppWithTitle",
                          "gbApp"});
  Mutable("rgImport").Items = {language.Text("fmXALConfigAddSet_rgImportItems0"),
                               language.Text("fmXALConfigAddSet_rgImportItems1")};
  Mutable("btOK").Text = language.Text("fmXALConfigAddSet_btOkCaption");
  Mutable("btCancel").Text = language.Text("fmXALConfigAddSet_btCancelCaption");

  rgImportClick();

  const TfmXALCurrent& current = context_.Current;
  SetLines("lbWiFi", current.lbWiFi());
  if (!current.lbWiFi().empty()) {
    Mutable("lbWiFi").ItemIndex = 0;
  }
  SetLines("clEnvIPAddress", current.lbIPAddresses());
  TXALControl& addresses = Mutable("clEnvIPAddress");
  addresses.ItemChecked.assign(addresses.Items.size(), true);
  FillDisplays(current.lbDisplays());
  TXALControl& displays = Mutable("clDisplay");
  displays.ItemChecked.assign(displays.Items.size(), true);
  SetLines("clPrinter", current.lbPrinters());

  // A probe that fails leaves its row empty and is reported once the rest is filled, so that
  // the dialog still offers everything else.
  std::optional<std::string> failure;
  try {
    RefreshTargetIPList();
  } catch (const std::exception& error) {
    failure = error.what();
  }
  Mutable("lbProxy").Text = GetCurrentProxy(context_.Platform.Proxy, language);
  try {
    Mutable("lbDefaultPrinter").Text = GetDefaultPrinter(context_.Platform.Management);
  } catch (const std::exception& error) {
    Mutable("lbDefaultPrinter").Text.clear();
    if (!failure) {
      failure = error.what();
    }
  }
  FillApps(current.lbApps());
  if (failure) {
    Refuse(*failure);
  }
}

void TfmXALConfigAddSet::OnClick(const std::string& name) {
  if (name == "cbWiFi") {
    cbWiFiClick();
  } else if (name == "cbEnvIPAddress" || name == "cbEnvIPAddressWithWild") {
    cbEnvIPAddressClick();
  } else if (name == "cbDisplay") {
    cbDisplayClick();
  } else if (name == "cbDisplayCount") {
    cbDisplayCountClick();
  } else if (name == "cbPrinter") {
    RowClick("cbPrinter", "gbPrinter");
  } else if (name == "cbTargetIPAddress") {
    RowClick("cbTargetIPAddress", "gbTargetIPAddress");
  } else if (name == "cbProxy") {
    RowClick("cbProxy", "gbProxy");
  } else if (name == "cbDefaultPrinter") {
    RowClick("cbDefaultPrinter", "gbDefaultPrinter");
  } else if (name == "cbApp") {
    cbAppClick();
  }
}

void TfmXALConfigAddSet::OnSelect(const std::string& name, int /*index*/) {
  if (name == "rgImport") {
    rgImportClick();
  }
}

void TfmXALConfigAddSet::rgImportClick() {
  const bool on = ImportsCurrent();
  for (const char* group : {"gbCurrent", "gbEnvironment", "gbTarget"}) {
    Mutable(group).Enabled = on;
  }
  for (const TXALControl& control : Controls()) {
    if (control.Kind == TXALControlKind::CheckBox &&
        (control.Parent == "gbEnvironment" || control.Parent == "gbTarget")) {
      Mutable(control.Name).Enabled = on;
    }
  }
  if (!on) {
    return;
  }
  cbWiFiClick();
  cbEnvIPAddressClick();
  cbDisplayClick();
  if (Checked("cbDisplay")) {
    cbDisplayCountClick();
  }
  RowClick("cbPrinter", "gbPrinter");
  RowClick("cbTargetIPAddress", "gbTargetIPAddress");
  RowClick("cbProxy", "gbProxy");
  RowClick("cbDefaultPrinter", "gbDefaultPrinter");
  cbAppClick();
}

void TfmXALConfigAddSet::cbWiFiClick() {
  const bool on = Checked("cbWiFi");
  SetGroupOn("gbWiFi", on);
  TXALControl& list = Mutable("lbWiFi");
  if (on && list.ItemIndex < 0 && !list.Items.empty()) {
    list.ItemIndex = 0;
  }
}

void TfmXALConfigAddSet::cbEnvIPAddressClick() {
  const bool on = Checked("cbEnvIPAddress");
  Mutable("cbEnvIPAddressWithWild").Enabled = on;
  SetGroupOn("gbEnvIPAddress", on);
}

void TfmXALConfigAddSet::cbDisplayClick() {
  const bool on = Checked("cbDisplay");
  Mutable("cbDisplayCount").Enabled = on;
  SetGroupOn("gbDisplay", on && !Checked("cbDisplayCount"));
}

void TfmXALConfigAddSet::cbDisplayCountClick() {
  SetGroupOn("gbDisplay", !Checked("cbDisplayCount"));
}

void TfmXALConfigAddSet::RowClick(const char* checkBox, const char* group) {
  SetGroupOn(group, Checked(checkBox));
}

void TfmXALConfigAddSet::cbAppClick() {
  const bool on = Checked("cbApp");
  Mutable("cbAppWithTitle").Enabled = on;
  SetGroupOn("gbApp", on);
}

void TfmXALConfigAddSet::FillDisplays(const std::vector<TXALDisplayLine>& lines) {
  std::vector<std::string> texts;
  texts.reserve(lines.size());
  for (const TXALDisplayLine& line : lines) {
    texts.push_back(line.Text);
  }
  displays_ = lines;
  SetLines("clDisplay", std::move(texts));
}

void TfmXALConfigAddSet::FillApps(const std::vector<TXALAppLine>& lines) {
  std::vector<std::string> texts;
  std::vector<std::uint64_t> handles;
  for (const TXALAppLine& line : lines) {
    texts.push_back(line.Text);
    handles.push_back(line.Handle);
  }
  SetLines("clApp", std::move(texts), std::move(handles));
}

void TfmXALConfigAddSet::RefreshAppList() {
  const TXALControl& before = Control("clApp");
  std::map<std::uint64_t, bool> checked;
  for (std::size_t i = 0; i < before.ItemData.size() && i < before.ItemChecked.size(); ++i) {
    if (before.ItemChecked[i]) {
      checked[before.ItemData[i]] = true;
    }
  }
  FillApps(context_.Current.lbApps());
  TXALControl& after = Mutable("clApp");
  for (std::size_t i = 0; i < after.ItemData.size(); ++i) {
    after.ItemChecked[i] = checked.count(after.ItemData[i]) != 0;
  }
}

void TfmXALConfigAddSet::RefreshTargetIPList() {
  std::vector<std::string> lines;
  std::vector<TXALIPStatus> statuses;
  std::exception_ptr failure;
  for (const std::string& address : context_.Current.lbIPAddresses()) {
    TXALIPStatus status;
    try {
      GetIPStatus(context_.Platform, SettingIDOfLine(address), status);
    } catch (...) {
      // A line without its adapter's configuration would import an empty setting.
      if (!failure) {
        failure = std::current_exception();
      }
      continue;
    }
    lines.push_back(TargetIPLine(status));
    statuses.push_back(std::move(status));
  }
  statuses_ = std::move(statuses);
  SetLines("clTargetIPAddress", std::move(lines));
  if (failure) {
    std::rethrow_exception(failure);
  }
}

void TfmXALConfigAddSet::TPushes::OnIPAddressesChanged(const std::vector<std::string>& lines) {
  dialog_.SetLines("clEnvIPAddress", lines);
  try {
    dialog_.RefreshTargetIPList();
  } catch (const std::exception&) {
    // Pushed from an address change, whose errors go unreported; the list holds what could
    // be read.
  }
  dialog_.Changed();
}

void TfmXALConfigAddSet::TPushes::OnWiFiChanged(const std::vector<std::string>& names) {
  dialog_.SetLines("lbWiFi", names);
  dialog_.Changed();
}

void TfmXALConfigAddSet::TPushes::OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) {
  dialog_.FillDisplays(lines);
  dialog_.Changed();
}

void TfmXALConfigAddSet::TPushes::OnAppsChanged(const std::vector<TXALAppLine>& /*lines*/) {
  dialog_.RefreshAppList();
  dialog_.Changed();
}

bool TfmXALConfigAddSet::OnConfirm() {
  return AllStorable(context_.Language, {"edNmae"});
}

std::unique_ptr<TXALSet> TfmXALConfigAddSet::BuildSet(TXALComponent* owner) const {
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = Name();
  if (ImportsCurrent()) {
    ImportInto(*set);
  }
  return set;
}

void TfmXALConfigAddSet::ImportInto(TXALSet& set) const {
  TXALEnvironment& environment = set.Environment;
  TXALTarget& target = set.Target;

  if (Checked("cbWiFi")) {
    const TXALControl& wifi = Control("lbWiFi");
    if (wifi.ItemIndex >= 0 && wifi.ItemIndex < static_cast<int>(wifi.Items.size())) {
      environment.Network.WiFi = wifi.Items[static_cast<std::size_t>(wifi.ItemIndex)];
    }
  }

  if (Checked("cbEnvIPAddress")) {
    const TXALControl& addresses = Control("clEnvIPAddress");
    const bool wild = Checked("cbEnvIPAddressWithWild");
    for (std::size_t i = 0; i < addresses.Items.size(); ++i) {
      if (addresses.ItemChecked[i]) {
        const std::string address = AddressOfLine(addresses.Items[i]);
        environment.Network.IPList.Add(wild ? WithWildcard(address) : address);
      }
    }
  }

  if (Checked("cbDisplay")) {
    const TXALControl& displays = Control("clDisplay");
    environment.Displays.DisplayCount = static_cast<int>(displays.Items.size());
    if (!Checked("cbDisplayCount")) {
      for (std::size_t i = 0; i < displays.Items.size() && i < displays_.size(); ++i) {
        if (displays.ItemChecked[i]) {
          // Display lines stand in monitor order, so a line's position is its monitor's.
          const TXALRect& bounds = displays_[i].Monitor.Bounds;
          environment.Displays.AddDisplay(static_cast<int>(i + 1), bounds.Left, bounds.Top,
                                          RectWidth(bounds), RectHeight(bounds));
        }
      }
    }
  }

  if (Checked("cbPrinter")) {
    const TXALControl& printers = Control("clPrinter");
    for (std::size_t i = 0; i < printers.Items.size(); ++i) {
      if (printers.ItemChecked[i]) {
        environment.Printers.Add(printers.Items[i]);
      }
    }
  }

  if (Checked("cbTargetIPAddress")) {
    const TXALControl& settings = Control("clTargetIPAddress");
    for (std::size_t i = 0; i < settings.Items.size() && i < statuses_.size(); ++i) {
      if (!settings.ItemChecked[i]) {
        continue;
      }
      const TXALIPStatus& status = statuses_[i];
      auto setting = std::make_unique<TXALTargetIPSetting>(target.Network.IPSettings.Owner);
      setting->Adapter = status.Adapter;
      setting->DNS1 = status.DNS1;
      setting->DNS2 = status.DNS2;
      if (status.DHCP) {
        setting->Address = "DHCP";
      } else {
        setting->Address = status.Address;
        setting->SubnetMask = status.SubnetMask;
        setting->Gateway = status.Gateway;
      }
      target.Network.IPSettings.Add(std::move(setting));
    }
  }

  if (Checked("cbProxy")) {
    const std::string& proxy = Control("lbProxy").Text;
    target.Network.Proxy =
        proxy == context_.Language.Text("fmXALCurrent_NoProxyMsg") ? "off" : proxy;
  }

  if (Checked("cbDefaultPrinter")) {
    target.DefaultPrinter = Control("lbDefaultPrinter").Text;
  }

  if (Checked("cbApp")) {
    const TXALControl& apps = Control("clApp");
    const bool withTitle = Checked("cbAppWithTitle");
    for (std::size_t i = 0; i < apps.Items.size(); ++i) {
      if (!apps.ItemChecked[i]) {
        continue;
      }
      auto rule = std::make_unique<TXALApp>(target.Apps.Owner);
      // A window closed since it was listed has nothing to capture; a rule without class and
      // title would take no window.
      if (!placer_.CaptureWindow(static_cast<TXALWindowHandle>(apps.ItemData[i]), *rule)) {
        continue;
      }
      // Windows name themselves; a title the data file can't hold would make every later save
      // fail, so the rule goes by its class alone, as without the title box.
      if (!withTitle || !IsStorableText(rule->Title)) {
        rule->Title.clear();
      }
      if (!IsStorableText(rule->WindowClass)) {
        continue;
      }
      target.Apps.Add(std::move(rule));
    }
  }
}

std::string TfmXALConfigAddSet::CustomTip(const std::string& name, int index) const {
  const TXALControl& list = Control(name);
  if (index < 0 || index >= static_cast<int>(list.Items.size())) {
    return {};
  }
  const auto line = static_cast<std::size_t>(index);
  const TXALLanguage& language = context_.Language;

  if (name == "clTargetIPAddress") {
    if (line >= statuses_.size()) {
      return {};
    }
    const TXALIPStatus& s = statuses_[line];
    return HintLines(language, {{"fmXALConfigAddSet_clTargetIPAddressHintAdapter", s.Adapter},
                                {"fmXALConfigAddSet_clTargetIPAddressHintAddress", s.Address},
                                {"fmXALConfigAddSet_clTargetIPAddressHintSubnetMask", s.SubnetMask},
                                {"fmXALConfigAddSet_clTargetIPAddressHintGateway", s.Gateway},
                                {"fmXALConfigAddSet_clTargetIPAddressHintDNS1", s.DNS1},
                                {"fmXALConfigAddSet_clTargetIPAddressHintDNS2", s.DNS2}});
  }

  if (name == "clApp") {
    // Made for the tooltip only, and gone with it.
    TXALApp rule(nullptr);
    if (!placer_.CaptureWindow(static_cast<TXALWindowHandle>(list.ItemData[line]), rule)) {
      return {};
    }
    const char* state =
        rule.State == TXALAppState::Minimized   ? "fmXALConfigAddSet_clAppHintMinimized"
        : rule.State == TXALAppState::Maximized ? "fmXALConfigAddSet_clAppHintMaximized"
                                                : "fmXALConfigAddSet_clAppHintNormal";
    return HintLines(language,
                     {{"fmXALConfigAddSet_clAppHintName", rule.Name},
                      {"fmXALConfigAddSet_clAppHintClass", rule.WindowClass},
                      {"fmXALConfigAddSet_clAppHintTitle", rule.Title},
                      {"fmXALConfigAddSet_clAppHintState", language.Text(state)},
                      {"fmXALConfigAddSet_clAppHintLeft", std::to_string(rule.Left())},
                      {"fmXALConfigAddSet_clAppHintTop", std::to_string(rule.Top())},
                      {"fmXALConfigAddSet_clAppHintWidth", std::to_string(rule.Width())},
                      {"fmXALConfigAddSet_clAppHintHeight", std::to_string(rule.Height())}});
  }
  return {};
}

}  // namespace xal
