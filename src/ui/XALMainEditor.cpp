#include "ui/XALMainEditor.h"

#include <algorithm>
#include <memory>
#include <string>

#include "catalogue/XALApps.h"
#include "catalogue/XALDisplays.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALSets.h"
#include "catalogue/XALSetting.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "core/XALMain.h"
#include "ui/XALConfigAddSet.h"
#include "ui/XALConfigSetName.h"
#include "ui/XALConfigSettings.h"

namespace xal {
namespace {

using Kind = TXALControlKind;

constexpr int kButtonHeight = 22;
// The width of a vertical scroll bar at 96 dots per inch, which the column widths leave free.
constexpr int kScrollBarWidth = 17;

const char* const kGrids[] = {"sgTargetIPAddresses", "sgTargetStartups", "sgTargetApps"};

}  // namespace

TXALMainEditor::TXALMainEditor(TfmXALMain& main, TXALDialogContext& context)
    : TXALDialog("fmXALMain", 771, 503), main_(main), context_(context) {
  // The whole window is at least 787 by 541; its client area what that leaves.
  SetResizable(771, 503);
  AddSetControls();
  AddEnvironmentControls();
  AddTargetControls();
  for (const char* grid : kGrids) {
    ClearGrid(grid);
  }
  menu_ = {{"miEdit", "", true, false}, {"miHR1", "", true, true},     {"miCut", "", true, false},
           {"miCopy", "", true, false}, {"miPaste", "", true, false},  {"miHR2", "", true, true},
           {"miAdd", "", true, false},  {"miDelete", "", true, false}, {"miHR3", "", true, true},
           {"miUp", "", true, false},   {"miDown", "", true, false}};
}

void TXALMainEditor::AddSetControls() {
  Add(Kind::GroupBox, "gbXALSets", {8, 4, 140, 344}).Anchors = kAnchorBottom;
  TXALControl& sets = Add(Kind::List, "lbXALSets", {16, 22, 124, 232}, "gbXALSets");
  sets.Highlights = true;
  sets.Tip = TXALTip::LineUnderPointer;
  sets.Anchors = kAnchorBottom;
  const struct {
    const char* name;
    int left;
    int top;
  } buttons[] = {{"btXALSetUp", 16, 260},   {"btXALSetDown", 80, 260},
                 {"btXALSetAdd", 16, 286},  {"btXALSetDelete", 80, 286},
                 {"btXALSetCopy", 16, 312}, {"btXALSetRename", 80, 312}};
  for (const auto& button : buttons) {
    Add(Kind::Button, button.name, {button.left, button.top, 60, kButtonHeight}, "gbXALSets")
        .Anchors = kMoveDown;
  }
  Add(Kind::CheckBox, "cbEnableManageWindow", {8, 350, 140, 24}).Anchors = kMoveDown;
  Mutable("cbEnableManageWindow").Checked = true;
  Add(Kind::Button, "btCurrent", {8, 376, 140, kButtonHeight}).Anchors = kMoveDown;
  const struct {
    const char* name;
    int left;
    int top;
  } tools[] = {{"btRecheck", 8, 402}, {"btConfigSettings", 80, 402},
               {"btExport", 8, 428},  {"btImport", 80, 428},
               {"btSave", 8, 454},    {"btHelp", 80, 454}};
  for (const auto& tool : tools) {
    Add(Kind::Button, tool.name, {tool.left, tool.top, 68, kButtonHeight}).Anchors = kMoveDown;
  }
}

void TXALMainEditor::AddEnvironmentControls() {
  TXALControl& set = Add(Kind::GroupBox, "gbXALSet", {156, 4, 607, 495});
  set.Anchors = kAnchorRight | kAnchorBottom;
  Add(Kind::GroupBox, "gbEnvironment", {164, 20, 236, 471}, "gbXALSet").Anchors = kAnchorBottom;
  const auto buttonColumn = [this](const char* group, std::initializer_list<const char*> names,
                                   int top) {
    for (const char* name : names) {
      Add(Kind::Button, name, {332, top, 56, kButtonHeight}, group);
      top += kButtonHeight + 3;
    }
  };

  Add(Kind::GroupBox, "gbEnvWiFi", {172, 36, 220, 46}, "gbEnvironment");
  Add(Kind::ValueLabel, "lbEnvWiFi", {180, 56, 94, 17}, "gbEnvWiFi").Tip = TXALTip::OwnText;
  Add(Kind::Button, "btEnvWiFiEdit", {276, 52, 54, kButtonHeight}, "gbEnvWiFi");
  Add(Kind::Button, "btEnvWiFiDelete", {332, 52, 56, kButtonHeight}, "gbEnvWiFi");

  Add(Kind::GroupBox, "gbEnvIPAddresses", {172, 86, 220, 112}, "gbEnvironment");
  TXALControl& patterns =
      Add(Kind::List, "lbEnvIPAddresses", {180, 104, 148, 86}, "gbEnvIPAddresses");
  patterns.Tip = TXALTip::LineUnderPointer;
  // The condition lists of a large set fill as quickly as the set list.
  patterns.Highlights = true;
  buttonColumn("gbEnvIPAddresses",
               {"btEnvIPAddressesEdit", "btEnvIPAddressesDelete", "btEnvIPAddressesAdd"}, 104);

  Add(Kind::GroupBox, "gbEnvDisplays", {172, 202, 220, 158}, "gbEnvironment");
  Add(Kind::Label, "lbEnvDisplaysCount", {180, 222, 208, 15}, "gbEnvDisplays");
  Add(Kind::SpinEdit, "seEnvDisplaysCount", {180, 238, 60, 21}, "gbEnvDisplays");
  Add(Kind::Button, "btEnvDisplaysImportCurrent", {244, 237, 84, kButtonHeight}, "gbEnvDisplays");
  Add(Kind::Label, "lbEnvDisplaysLabel", {180, 264, 208, 15}, "gbEnvDisplays");
  TXALControl& displays = Add(Kind::List, "lbEnvDisplays", {180, 280, 148, 72}, "gbEnvDisplays");
  displays.Tip = TXALTip::LineUnderPointer;
  displays.Highlights = true;
  buttonColumn("gbEnvDisplays", {"btEnvDisplaysEdit", "btEnvDisplaysDelete", "btEnvDisplaysAdd"},
               280);

  TXALControl& printers =
      Add(Kind::GroupBox, "gbEnvPrinters", {172, 364, 220, 123}, "gbEnvironment");
  printers.Anchors = kAnchorBottom;
  TXALControl& list = Add(Kind::List, "lbEnvPrinters", {180, 382, 148, 97}, "gbEnvPrinters");
  list.Tip = TXALTip::LineUnderPointer;
  list.Anchors = kAnchorBottom;
  list.Highlights = true;
  buttonColumn("gbEnvPrinters", {"btEnvPrintersEdit", "btEnvPrintersDelete", "btEnvPrintersAdd"},
               382);
}

void TXALMainEditor::AddTargetControls() {
  Add(Kind::GroupBox, "gbTarget", {408, 20, 347, 471}, "gbXALSet").Anchors =
      kAnchorRight | kAnchorBottom;
  const auto buttonColumn = [this](const char* group, std::initializer_list<const char*> names,
                                   int top) {
    for (const char* name : names) {
      Add(Kind::Button, name, {685, top, 54, kButtonHeight}, group).Anchors = kMoveRight;
      top += kButtonHeight + 1;
    }
  };
  const auto grid = [this](const char* name, const char* group, TXALBounds bounds, int columns) {
    TXALControl& control = Add(Kind::Grid, name, bounds, group);
    control.Columns.assign(static_cast<std::size_t>(columns), std::string());
    control.Anchors = kAnchorRight;
    return std::ref(control);
  };

  Add(Kind::GroupBox, "gbTargetIPAddresses", {416, 36, 331, 96}, "gbTarget").Anchors = kAnchorRight;
  grid("sgTargetIPAddresses", "gbTargetIPAddresses", {424, 52, 257, 72}, 6).get().Tip =
      TXALTip::LineUnderPointer;
  buttonColumn("gbTargetIPAddresses",
               {"btTargetIPAddressesEdit", "btTargetIPAddressesDelete", "btTargetIPAddressesAdd"},
               52);

  Add(Kind::GroupBox, "gbTargetProxy", {416, 136, 163, 42}, "gbTarget");
  Add(Kind::ValueLabel, "lbTargetProxy", {424, 155, 99, 17}, "gbTargetProxy").Tip =
      TXALTip::OwnText;
  Add(Kind::Button, "btTargetProxyEdit", {525, 151, 48, kButtonHeight}, "gbTargetProxy");
  TXALControl& url = Add(Kind::GroupBox, "gbTargetAutoConfigURL", {584, 136, 163, 42}, "gbTarget");
  url.Anchors = kMoveRight;
  Add(Kind::ValueLabel, "lbTargetAutoConfigURL", {592, 155, 99, 17}, "gbTargetAutoConfigURL").Tip =
      TXALTip::OwnText;
  Mutable("lbTargetAutoConfigURL").Anchors = kMoveRight;
  Add(Kind::Button, "btTargetAutoConfigURLEdit", {693, 151, 48, kButtonHeight},
      "gbTargetAutoConfigURL")
      .Anchors = kMoveRight;

  Add(Kind::GroupBox, "gbTargetDefaultPrinter", {416, 182, 331, 42}, "gbTarget").Anchors =
      kAnchorRight;
  TXALControl& printer = Add(Kind::ValueLabel, "lbTargetDefaultPrinter", {424, 201, 199, 17},
                             "gbTargetDefaultPrinter");
  printer.Tip = TXALTip::OwnText;
  printer.Anchors = kAnchorRight;
  Add(Kind::Button, "btTargetDefaultPrinterEdit", {627, 197, 54, kButtonHeight},
      "gbTargetDefaultPrinter")
      .Anchors = kMoveRight;
  Add(Kind::Button, "btTargetDefaultPrinterDelete", {685, 197, 54, kButtonHeight},
      "gbTargetDefaultPrinter")
      .Anchors = kMoveRight;

  Add(Kind::GroupBox, "gbTargetStartups", {416, 228, 331, 102}, "gbTarget").Anchors = kAnchorRight;
  grid("sgTargetStartups", "gbTargetStartups", {424, 244, 257, 56}, 5).get().Tip = TXALTip::Custom;
  buttonColumn("gbTargetStartups",
               {"btTargetStartupsEdit", "btTargetStartupsDelete", "btTargetStartupsAdd"}, 244);
  const struct {
    const char* name;
    int left;
    int width;
  } row[] = {{"btTargetStartupsUp", 424, 50},
             {"btTargetStartupsDown", 476, 50},
             {"btTargetStartupsExecute", 528, 72},
             {"btTargetStartupsExecuteAll", 602, 79}};
  for (const auto& button : row) {
    Add(Kind::Button, button.name, {button.left, 304, button.width, kButtonHeight},
        "gbTargetStartups");
  }

  TXALControl& apps = Add(Kind::GroupBox, "gbTargetApps", {416, 334, 331, 157}, "gbTarget");
  apps.Anchors = kAnchorRight | kAnchorBottom;
  TXALControl& rules = grid("sgTargetApps", "gbTargetApps", {424, 350, 257, 70}, 3);
  rules.Tip = TXALTip::Custom;
  rules.Anchors = kAnchorRight | kAnchorBottom;
  buttonColumn("gbTargetApps",
               {"btTargetAppsMove", "btTargetAppsMoveAll", "btTargetAppsEdit", "btTargetAppsDelete",
                "btTargetAppsAdd"},
               350);
  // The selected rule's details below the grid: label and value in pairs.
  const struct {
    const char* label;
    const char* value;
    int left;
    int top;
    int labelWidth;
    int valueWidth;
  } details[] = {
      {"lbTargetAppDisplayLabel", "lbTargetAppDisplay", 424, 424, 56, 30},
      {"lbTargetAppStateLabel", "lbTargetAppState", 514, 424, 80, 90},
      {"lbTargetAppLeftLabel", "lbTargetAppLeft", 424, 442, 30, 24},
      {"lbTargetAppTopLabel", "lbTargetAppTop", 484, 442, 26, 24},
      {"lbTargetAppWidthLabel", "lbTargetAppWidth", 540, 442, 36, 24},
      {"lbTargetAppHeightLabel", "lbTargetAppHeight", 606, 442, 40, 26},
      {"lbTargetAppDefaultPrinterLabel", "lbTargetAppDefaultPrinter", 424, 460, 92, 163},
  };
  for (const auto& detail : details) {
    Add(Kind::Label, detail.label, {detail.left, detail.top, detail.labelWidth, 15}, "gbTargetApps")
        .Anchors = kMoveDown;
    TXALControl& value = Add(
        Kind::ValueLabel, detail.value,
        {detail.left + detail.labelWidth + 2, detail.top, detail.valueWidth, 15}, "gbTargetApps");
    value.Anchors = kMoveDown;
    value.Tip = TXALTip::OwnText;
  }
}

void TXALMainEditor::LoadCaptions() {
  const TXALLanguage& language = context_.Language;
  std::vector<std::string_view> names;
  for (const TXALControl& control : Controls()) {
    const bool captioned = control.Kind == Kind::Button || control.Kind == Kind::CheckBox ||
                           control.Kind == Kind::GroupBox || (control.Kind == Kind::Label);
    if (captioned) {
      names.push_back(control.Name);
    }
  }
  SetTitle(language.Text("fmXALMainCaption"));
  for (std::string_view name : names) {
    // The settings button's key is spelled with a capital O.
    const std::string key = name == "btConfigSettings"
                                ? std::string("fmXALMain_btCOnfigSettingsCaption")
                                : "fmXALMain_" + std::string(name) + "Caption";
    Mutable(name).Text = language.Text(key);
  }
  for (const char* grid : kGrids) {
    TXALControl& control = Mutable(grid);
    for (std::size_t column = 0; column < control.Columns.size(); ++column) {
      control.Columns[column] = language.Text("fmXALMain_" + std::string(grid) + "Column" +
                                              std::to_string(column) + "Caption");
    }
  }
  for (TXALMenuItem& item : menu_) {
    if (!item.Separator) {
      item.Text = language.Text("fmXALMain_" + item.Name + "Caption");
    }
  }
}

TXALSet* TXALMainEditor::CurrentSet() const {
  TXALSets* sets = main_.WorkingSets();
  const int index = Control("lbXALSets").ItemIndex;
  if (sets == nullptr || index < 0 || index >= sets->Count()) {
    return nullptr;
  }
  return &sets->Items(index);
}

void TXALMainEditor::FillSetList() {
  TXALSets* sets = main_.WorkingSets();
  std::vector<std::string> lines;
  if (sets != nullptr) {
    for (int i = 0; i < sets->Count(); ++i) {
      const std::string& name = sets->Items(i).Name;
      lines.push_back(name.empty() ? context_.Language.Text("NoNameMsg") : name);
    }
  }
  SetLines("lbXALSets", std::move(lines));
  MatchingSetsChanged();
  SelectSet(0);
}

void TXALMainEditor::MatchingSetsChanged() {
  TXALControl& list = Mutable("lbXALSets");
  TXALSets* sets = main_.WorkingSets();
  list.ItemHighlighted.assign(list.Items.size(), false);
  if (sets != nullptr) {
    const TXALSetList& matching = main_.MatchingSets();
    for (int i = 0; i < sets->Count() && i < static_cast<int>(list.Items.size()); ++i) {
      list.ItemHighlighted[static_cast<std::size_t>(i)] = matching.IndexOf(&sets->Items(i)) >= 0;
    }
  }
  Changed();
}

void TXALMainEditor::SelectSet(int index) {
  TXALControl& list = Mutable("lbXALSets");
  const int count = static_cast<int>(list.Items.size());
  list.ItemIndex = count == 0 ? -1 : std::clamp(index, 0, count - 1);
  ShowSet();
}

void TXALMainEditor::ShowValue(std::string_view label, const std::string& value) {
  TXALControl& control = Mutable(label);
  control.Enabled = !value.empty();
  control.Text = value.empty() ? context_.Language.Text("NoSettingMsg") : value;
}

void TXALMainEditor::ShowSet() {
  ShowWiFi();
  ShowIPAddresses();
  ShowDisplays();
  ShowPrinters();
  ShowTargetIPAddresses();
  ShowStartups();
  ShowApps();
  ShowSingleValues();
  Mutable("sgTargetApps").ItemIndex = 0;
  sgTargetAppsSelectCell();
  Changed();
}

// --- The panes ---

namespace {

void SelectFirst(TXALControl& list) {
  list.ItemIndex = list.Items.empty() ? -1 : 0;
}

std::vector<std::string> LinesOf(const TXALStringList& strings) {
  return std::vector<std::string>(strings.begin(), strings.end());
}

}  // namespace

void TXALMainEditor::ShowWiFi() {
  const TXALSet* set = CurrentSet();
  ShowValue("lbEnvWiFi", set != nullptr ? set->Environment.Network.WiFi : std::string());
}

void TXALMainEditor::ShowIPAddresses() {
  const TXALSet* set = CurrentSet();
  SetLines("lbEnvIPAddresses",
           set != nullptr ? LinesOf(set->Environment.Network.IPList) : std::vector<std::string>());
  SelectFirst(Mutable("lbEnvIPAddresses"));
}

std::string TXALMainEditor::DisplayLine(const TXALDisplay& display) {
  return std::to_string(display.Number) + ":(" + std::to_string(display.Left()) + "," +
         std::to_string(display.Top()) + "," + std::to_string(display.Width()) + "," +
         std::to_string(display.Height()) + ")";
}

void TXALMainEditor::ShowDisplays() {
  const TXALSet* set = CurrentSet();
  showingSet_ = true;
  SetSpinValue("seEnvDisplaysCount", set != nullptr ? set->Environment.Displays.DisplayCount : 0);
  showingSet_ = false;
  // Sorted as text, as a sorted list box sorts: display 10 before display 2.
  std::vector<std::pair<std::string, const TXALDisplay*>> lines;
  if (set != nullptr) {
    const TXALDisplays& displays = set->Environment.Displays;
    for (int i = 0; i < displays.Count(); ++i) {
      lines.emplace_back(DisplayLine(displays.Items(i)), &displays.Items(i));
    }
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> texts;
  std::vector<std::uint64_t> data;
  for (const auto& [text, display] : lines) {
    texts.push_back(text);
    data.push_back(reinterpret_cast<std::uintptr_t>(display));
  }
  SetLines("lbEnvDisplays", std::move(texts), std::move(data));
  SelectFirst(Mutable("lbEnvDisplays"));
}

void TXALMainEditor::ShowPrinters() {
  const TXALSet* set = CurrentSet();
  SetLines("lbEnvPrinters",
           set != nullptr ? LinesOf(set->Environment.Printers) : std::vector<std::string>());
  SelectFirst(Mutable("lbEnvPrinters"));
}

std::vector<std::string> TXALMainEditor::IPSettingCells(const TXALTargetIPSetting& setting) {
  return {setting.Address, setting.Adapter, setting.SubnetMask,
          setting.Gateway, setting.DNS1,    setting.DNS2};
}

std::vector<std::string> TXALMainEditor::StartupCells(const TXALStartup& startup) {
  return {startup.Name, startup.FilePath, startup.Param, startup.WorkDir,
          startup.OnlyNew ? "True" : "False"};
}

std::vector<std::string> TXALMainEditor::AppCells(const TXALApp& rule) {
  return {rule.Name, rule.WindowClass, rule.Title};
}

void TXALMainEditor::ShowTargetIPAddresses() {
  ClearGrid("sgTargetIPAddresses");
  if (const TXALSet* set = CurrentSet()) {
    const TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
    for (int i = 0; i < settings.Count(); ++i) {
      AppendRow("sgTargetIPAddresses", IPSettingCells(settings.Items(i)), &settings.Items(i));
    }
  }
  Mutable("sgTargetIPAddresses").ItemIndex = 0;
}

void TXALMainEditor::ShowStartups() {
  ClearGrid("sgTargetStartups");
  if (const TXALSet* set = CurrentSet()) {
    const TXALStartups& startups = set->Target.Startups;
    for (int i = 0; i < startups.Count(); ++i) {
      AppendRow("sgTargetStartups", StartupCells(startups.Items(i)), &startups.Items(i));
    }
  }
  Mutable("sgTargetStartups").ItemIndex = 0;
}

void TXALMainEditor::ShowApps() {
  ClearGrid("sgTargetApps");
  if (const TXALSet* set = CurrentSet()) {
    const TXALApps& rules = set->Target.Apps;
    for (int i = 0; i < rules.Count(); ++i) {
      AppendRow("sgTargetApps", AppCells(rules.Items(i)), &rules.Items(i));
    }
  }
  Mutable("sgTargetApps").ItemIndex = 0;
}

void TXALMainEditor::ShowSingleValues() {
  const TXALSet* set = CurrentSet();
  ShowValue("lbTargetProxy", set != nullptr ? set->Target.Network.Proxy : std::string());
  ShowValue("lbTargetAutoConfigURL",
            set != nullptr ? set->Target.Network.AutoConfigURL : std::string());
  ShowValue("lbTargetDefaultPrinter", set != nullptr ? set->Target.DefaultPrinter : std::string());
}

std::string TXALMainEditor::StateText(int state, const char* normalKey, const char* minimizedKey,
                                      const char* maximizedKey) const {
  const char* key = state == static_cast<int>(TXALAppState::Minimized)   ? minimizedKey
                    : state == static_cast<int>(TXALAppState::Maximized) ? maximizedKey
                                                                         : normalKey;
  return context_.Language.Text(key);
}

void TXALMainEditor::ShowAppDetails(const TXALApp* rule) {
  if (rule == nullptr) {
    return;
  }
  Mutable("lbTargetAppDisplay").Text = std::to_string(rule->Display);
  Mutable("lbTargetAppState").Text = StateText(
      static_cast<int>(rule->State), "fmXALMain_lbTargetAppStateNormalCaption",
      "fmXALMain_lbTargetAppStateMinimizedCaption", "fmXALMain_lbTargetAppStateMaximizedCaption");
  Mutable("lbTargetAppLeft").Text = std::to_string(rule->Left());
  Mutable("lbTargetAppTop").Text = std::to_string(rule->Top());
  Mutable("lbTargetAppWidth").Text = std::to_string(rule->Width());
  Mutable("lbTargetAppHeight").Text = std::to_string(rule->Height());
  Mutable("lbTargetAppDefaultPrinter").Text = rule->DefaultPrinter;
}

void TXALMainEditor::sgTargetAppsSelectCell() {
  ShowAppDetails(static_cast<const TXALApp*>(SelectedItem("sgTargetApps")));
}

std::string TXALMainEditor::CustomTip(const std::string& name, int index) const {
  return CustomCellTip(name, index, -1);
}

std::string TXALMainEditor::CustomCellTip(const std::string& name, int row, int /*column*/) const {
  const TXALControl& grid = Control(name);
  if (row < 0 || row >= static_cast<int>(grid.ItemData.size()) ||
      grid.ItemData[static_cast<std::size_t>(row)] == 0) {
    return {};
  }
  const void* item = reinterpret_cast<const void*>(
      static_cast<std::uintptr_t>(grid.ItemData[static_cast<std::size_t>(row)]));
  const TXALLanguage& language = context_.Language;
  const auto line = [&language](const char* key, const std::string& value) {
    return language.Text(key) + value;
  };
  if (name == "sgTargetStartups") {
    const auto& startup = *static_cast<const TXALStartup*>(item);
    return line("fmXALMain_sgTargetStartupsHintName", startup.Name) + "\r\n" +
           line("fmXALMain_sgTargetStartupsHintFilePath", startup.FilePath) + "\r\n" +
           line("fmXALMain_sgTargetStartupsHintParam", startup.Param) + "\r\n" +
           line("fmXALMain_sgTargetStartupsHintWorkDir", startup.WorkDir) + "\r\n" +
           line("fmXALMain_sgTargetStartupsHintOnlynew", startup.OnlyNew ? "True" : "False");
  }
  if (name == "sgTargetApps") {
    const auto& rule = *static_cast<const TXALApp*>(item);
    return line("fmXALMain_sgTargetAppsHintName", rule.Name) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintClass", rule.WindowClass) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintTitle", rule.Title) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintState",
                StateText(static_cast<int>(rule.State), "fmXALMain_sgTargetAppsHintNormal",
                          "fmXALMain_sgTargetAppsHintMinimized",
                          "fmXALMain_sgTargetAppsHintMaximized")) +
           "\r\n" + line("fmXALMain_sgTargetAppsHintLeft", std::to_string(rule.Left())) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintTop", std::to_string(rule.Top())) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintWidth", std::to_string(rule.Width())) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintHeight", std::to_string(rule.Height())) + "\r\n" +
           line("fmXALMain_sgTargetAppsHintDefaultPrinter", rule.DefaultPrinter);
  }
  return {};
}

void TXALMainEditor::ClearGrid(std::string_view grid) {
  TXALControl& control = Mutable(grid);
  control.Cells.assign(1, std::vector<std::string>(control.Columns.size()));
  control.ItemData.assign(1, 0);
  control.ItemIndex = 0;
}

void TXALMainEditor::WriteRow(std::string_view grid, int row, std::vector<std::string> cells,
                              const void* item) {
  TXALControl& control = Mutable(grid);
  cells.resize(control.Columns.size());
  control.Cells[static_cast<std::size_t>(row)] = std::move(cells);
  control.ItemData[static_cast<std::size_t>(row)] = reinterpret_cast<std::uintptr_t>(item);
}

void TXALMainEditor::AppendRow(std::string_view grid, std::vector<std::string> cells,
                               const void* item) {
  TXALControl& control = Mutable(grid);
  if (control.ItemData.empty() || control.ItemData.back() != 0) {
    control.Cells.emplace_back(control.Columns.size());
    control.ItemData.push_back(0);
  }
  const int row = static_cast<int>(control.Cells.size()) - 1;
  WriteRow(grid, row, std::move(cells), item);
  control.ItemIndex = row;
}

void TXALMainEditor::RemoveSelectedRow(std::string_view grid) {
  TXALControl& control = Mutable(grid);
  const int row = control.ItemIndex;
  if (row < 0 || row >= static_cast<int>(control.Cells.size())) {
    return;
  }
  control.Cells.erase(control.Cells.begin() + row);
  control.ItemData.erase(control.ItemData.begin() + row);
  if (control.Cells.empty()) {
    // The placeholder row stays.
    control.Cells.emplace_back(control.Columns.size());
    control.ItemData.push_back(0);
  }
  control.ItemIndex = std::min(row, static_cast<int>(control.Cells.size()) - 1);
}

const void* TXALMainEditor::SelectedItem(std::string_view grid) const {
  const TXALControl& control = Control(grid);
  const int row = control.ItemIndex;
  if (row < 0 || row >= static_cast<int>(control.ItemData.size())) {
    return nullptr;
  }
  return reinterpret_cast<const void*>(
      static_cast<std::uintptr_t>(control.ItemData[static_cast<std::size_t>(row)]));
}

int TXALMainEditor::SelectedRow(std::string_view grid) const {
  return SelectedItem(grid) != nullptr ? Control(grid).ItemIndex : -1;
}

void TXALMainEditor::SelectAfterRemoval(std::string_view list, int removedIndex) {
  TXALControl& control = Mutable(list);
  const int count = static_cast<int>(control.Items.size());
  control.ItemIndex = count == 0 ? -1 : std::min(removedIndex, count - 1);
}

void TXALMainEditor::FormResize(int clientWidth, int /*clientHeight*/) {
  // Each grid's columns share its width, leaving room for a vertical scroll bar.
  const int grown = std::max(0, clientWidth - ClientWidth());
  for (const char* grid : kGrids) {
    TXALControl& control = Mutable(grid);
    const int width = control.Bounds.Width + grown - kScrollBarWidth;
    const int columns = static_cast<int>(control.Columns.size());
    control.ColumnWidths.assign(static_cast<std::size_t>(columns),
                                std::max(16, width / std::max(1, columns)));
  }
}

TXALEditPlace TXALMainEditor::PlaceOf(std::string_view control) {
  static const struct {
    const char* name;
    TXALEditPlace place;
  } places[] = {{"lbXALSets", TXALEditPlace::Sets},
                {"lbEnvIPAddresses", TXALEditPlace::EnvIPAddresses},
                {"lbEnvDisplays", TXALEditPlace::EnvDisplays},
                {"lbEnvPrinters", TXALEditPlace::EnvPrinters},
                {"sgTargetIPAddresses", TXALEditPlace::TargetIPAddresses},
                {"sgTargetStartups", TXALEditPlace::TargetStartups},
                {"sgTargetApps", TXALEditPlace::TargetApps}};
  for (const auto& entry : places) {
    if (control == entry.name) {
      return entry.place;
    }
  }
  return TXALEditPlace::None;
}

// --- Sets ---

void TXALMainEditor::lbXALSetsClick() {
  ShowSet();
}

void TXALMainEditor::AppendSet(std::unique_ptr<TXALSet> set) {
  TXALSets& sets = *main_.WorkingSets();
  TXALControl& list = Mutable("lbXALSets");
  list.Items.push_back(set->Name);
  list.ItemHighlighted.push_back(false);
  list.ItemData.push_back(0);
  list.ItemChecked.push_back(false);
  list.ItemSelected.push_back(false);
  sets.Add(std::move(set));
  SelectSet(sets.Count() - 1);
  main_.Recheck();
}

void TXALMainEditor::btXALSetAddClick() {
  TfmXALConfigAddSet dialog(context_);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  AppendSet(dialog.BuildSet(main_.WorkingSets()->Owner));
}

void TXALMainEditor::btXALSetCopyClick() {
  TXALSet* current = CurrentSet();
  if (current == nullptr) {
    return;
  }
  TfmXALConfigSetName dialog(context_);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  auto copy = std::make_unique<TXALSet>(main_.WorkingSets()->Owner);
  copy->Assign(*current);
  copy->Name = dialog.Name();
  AppendSet(std::move(copy));
}

void TXALMainEditor::btXALSetRenameClick() {
  TXALSet* current = CurrentSet();
  if (current == nullptr) {
    return;
  }
  TXALControl& list = Mutable("lbXALSets");
  TfmXALConfigSetName dialog(context_);
  dialog.SetName(list.Items[static_cast<std::size_t>(list.ItemIndex)]);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  current->Name = dialog.Name();
  list.Items[static_cast<std::size_t>(list.ItemIndex)] = dialog.Name();
  Changed();
}

void TXALMainEditor::btXALSetDeleteClick() {
  TXALSet* current = CurrentSet();
  if (current == nullptr) {
    return;
  }
  TXALSets& sets = *main_.WorkingSets();
  const int index = Control("lbXALSets").ItemIndex;
  // Nothing may keep pointing at the set or its rules once it is gone.
  main_.ForgetSet(*current);
  sets.Delete(index);
  if (sets.Count() == 0) {
    sets.ResetToDefault();
    FillSetList();
  } else {
    TXALControl& list = Mutable("lbXALSets");
    list.Items.erase(list.Items.begin() + index);
    list.ItemHighlighted.erase(list.ItemHighlighted.begin() + index);
    list.ItemData.erase(list.ItemData.begin() + index);
    list.ItemChecked.erase(list.ItemChecked.begin() + index);
    list.ItemSelected.erase(list.ItemSelected.begin() + index);
    SelectSet(std::min(index, sets.Count() - 1));
  }
  main_.Recheck();
}

void TXALMainEditor::btXALSetUpClick() {
  const int index = Control("lbXALSets").ItemIndex;
  if (CurrentSet() == nullptr || index <= 0) {
    return;
  }
  main_.WorkingSets()->Move(index, index - 1);
  TXALControl& list = Mutable("lbXALSets");
  std::swap(list.Items[static_cast<std::size_t>(index)],
            list.Items[static_cast<std::size_t>(index - 1)]);
  list.ItemIndex = index - 1;
  MatchingSetsChanged();
}

void TXALMainEditor::btXALSetDownClick() {
  const int index = Control("lbXALSets").ItemIndex;
  TXALSets* sets = main_.WorkingSets();
  if (CurrentSet() == nullptr || index + 1 >= sets->Count()) {
    return;
  }
  sets->Move(index, index + 1);
  TXALControl& list = Mutable("lbXALSets");
  std::swap(list.Items[static_cast<std::size_t>(index)],
            list.Items[static_cast<std::size_t>(index + 1)]);
  list.ItemIndex = index + 1;
  MatchingSetsChanged();
}

void TXALMainEditor::cbEnableManageWindowClick() {
  main_.SetManageWindows(Control("cbEnableManageWindow").Checked);
}

void TXALMainEditor::btCurrentClick() {
  main_.ShowCurrentWindow();
}

void TXALMainEditor::btRecheckClick() {
  main_.Recheck();
}

void TXALMainEditor::btConfigSettingsClick() {
  TXALSetting* settings = main_.Settings();
  if (settings == nullptr) {
    return;
  }
  TfmXALConfigSettings dialog(context_);
  dialog.SetSetting(*settings);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  main_.ApplySettings(dialog.Setting());
  MatchingSetsChanged();
  ShowSet();
}

void TXALMainEditor::btSaveClick() {
  main_.btSaveClick();
}

void TXALMainEditor::btExportClick() {
  main_.btExportClick();
}

void TXALMainEditor::btImportClick() {
  TXALSets& sets = *main_.WorkingSets();
  const int before = sets.Count();
  if (!main_.btImportClick()) {
    return;
  }
  TXALControl& list = Mutable("lbXALSets");
  for (int i = before; i < sets.Count(); ++i) {
    list.Items.push_back(sets.Items(i).Name);
  }
  const std::size_t count = list.Items.size();
  list.ItemData.resize(count, 0);
  list.ItemChecked.resize(count, false);
  list.ItemSelected.resize(count, false);
  main_.Recheck();
}

void TXALMainEditor::btHelpClick() {
  context_.Platform.Shell.Execute("open", context_.Language.Text("HelpURL"), "", "", 1);
}

// --- Menu and keys ---

void TXALMainEditor::pmRightClickPopup(TXALEditPlace place) {
  menuPlace_ = place;
  const bool sets = place == TXALEditPlace::Sets;
  const bool moves = sets || place == TXALEditPlace::TargetStartups;
  for (TXALMenuItem& item : menu_) {
    if (item.Name == "miEdit" || item.Name == "miHR1") {
      item.Visible = !sets;
    } else if (item.Name == "miHR3" || item.Name == "miUp" || item.Name == "miDown") {
      item.Visible = moves;
    } else {
      item.Visible = true;
    }
  }
}

bool TXALMainEditor::OnRightClick(const std::string& name, int index) {
  const TXALEditPlace place = PlaceOf(name);
  // The right button selects what it was pressed on; on the set list it shows that set too.
  if (index >= 0) {
    Select(name, index);
  }
  // The menu belongs to the set list, the address patterns and the grids.
  if (place == TXALEditPlace::None || place == TXALEditPlace::EnvDisplays ||
      place == TXALEditPlace::EnvPrinters) {
    return false;
  }
  pmRightClickPopup(place);
  return true;
}

void TXALMainEditor::OnMenuClick(const std::string& item) {
  const TXALEditPlace place = menuPlace_;
  if (item == "miCut") {
    CutFrom(place);
  } else if (item == "miCopy") {
    CopyFrom(place);
  } else if (item == "miPaste") {
    PasteInto(place);
  } else if (item == "miDelete") {
    DeleteAt(place);
  } else {
    static const struct {
      TXALEditPlace place;
      void (TXALMainEditor::*edit)();
      void (TXALMainEditor::*add)();
    } handlers[] = {
        {TXALEditPlace::Sets, nullptr, &TXALMainEditor::btXALSetAddClick},
        {TXALEditPlace::EnvIPAddresses, &TXALMainEditor::btEnvIPAddressesEditClick,
         &TXALMainEditor::btEnvIPAddressesAddClick},
        {TXALEditPlace::TargetIPAddresses, &TXALMainEditor::btTargetIPAddressesEditClick,
         &TXALMainEditor::btTargetIPAddressesAddClick},
        {TXALEditPlace::TargetStartups, &TXALMainEditor::btTargetStartupsEditClick,
         &TXALMainEditor::btTargetStartupsAddClick},
        {TXALEditPlace::TargetApps, &TXALMainEditor::btTargetAppsEditClick,
         &TXALMainEditor::btTargetAppsAddClick},
    };
    for (const auto& handler : handlers) {
      if (handler.place != place) {
        continue;
      }
      if (item == "miEdit" && handler.edit != nullptr) {
        (this->*handler.edit)();
      } else if (item == "miAdd") {
        (this->*handler.add)();
      }
    }
    if (item == "miUp") {
      place == TXALEditPlace::Sets ? btXALSetUpClick() : btTargetStartupsUpClick();
    } else if (item == "miDown") {
      place == TXALEditPlace::Sets ? btXALSetDownClick() : btTargetStartupsDownClick();
    }
  }
}

void TXALMainEditor::DeleteAt(TXALEditPlace place) {
  switch (place) {
    case TXALEditPlace::Sets:
      btXALSetDeleteClick();
      break;
    case TXALEditPlace::EnvIPAddresses:
      btEnvIPAddressesDeleteClick();
      break;
    case TXALEditPlace::EnvDisplays:
      btEnvDisplaysDeleteClick();
      break;
    case TXALEditPlace::EnvPrinters:
      btEnvPrintersDeleteClick();
      break;
    case TXALEditPlace::TargetIPAddresses:
      btTargetIPAddressesDeleteClick();
      break;
    case TXALEditPlace::TargetStartups:
      btTargetStartupsDeleteClick();
      break;
    case TXALEditPlace::TargetApps:
      btTargetAppsDeleteClick();
      break;
    case TXALEditPlace::None:
      break;
  }
}

void TXALMainEditor::OnKeyDown(const std::string& name, TXALKey key, unsigned modifiers) {
  const TXALEditPlace place = PlaceOf(name);
  if (place == TXALEditPlace::None) {
    return;
  }
  if (key == TXALKey::Delete && modifiers == kModifierNone) {
    DeleteAt(place);
    return;
  }
  // Exactly Ctrl: Ctrl+Shift+C and the like are someone else's.
  if (modifiers != kModifierCtrl) {
    return;
  }
  if (key == TXALKey::C) {
    CopyFrom(place);
  } else if (key == TXALKey::X) {
    CutFrom(place);
  } else if (key == TXALKey::V) {
    PasteInto(place);
  }
}

// --- Events to handlers ---

void TXALMainEditor::OnClick(const std::string& name) {
  static const struct {
    const char* name;
    void (TXALMainEditor::*handler)();
  } handlers[] = {
      {"btXALSetUp", &TXALMainEditor::btXALSetUpClick},
      {"btXALSetDown", &TXALMainEditor::btXALSetDownClick},
      {"btXALSetAdd", &TXALMainEditor::btXALSetAddClick},
      {"btXALSetDelete", &TXALMainEditor::btXALSetDeleteClick},
      {"btXALSetCopy", &TXALMainEditor::btXALSetCopyClick},
      {"btXALSetRename", &TXALMainEditor::btXALSetRenameClick},
      {"cbEnableManageWindow", &TXALMainEditor::cbEnableManageWindowClick},
      {"btCurrent", &TXALMainEditor::btCurrentClick},
      {"btRecheck", &TXALMainEditor::btRecheckClick},
      {"btConfigSettings", &TXALMainEditor::btConfigSettingsClick},
      {"btExport", &TXALMainEditor::btExportClick},
      {"btImport", &TXALMainEditor::btImportClick},
      {"btSave", &TXALMainEditor::btSaveClick},
      {"btHelp", &TXALMainEditor::btHelpClick},
      {"btEnvWiFiEdit", &TXALMainEditor::btEnvWiFiEditClick},
      {"btEnvWiFiDelete", &TXALMainEditor::btEnvWiFiDeleteClick},
      {"btEnvIPAddressesAdd", &TXALMainEditor::btEnvIPAddressesAddClick},
      {"btEnvIPAddressesEdit", &TXALMainEditor::btEnvIPAddressesEditClick},
      {"btEnvIPAddressesDelete", &TXALMainEditor::btEnvIPAddressesDeleteClick},
      {"btEnvDisplaysAdd", &TXALMainEditor::btEnvDisplaysAddClick},
      {"btEnvDisplaysEdit", &TXALMainEditor::btEnvDisplaysEditClick},
      {"btEnvDisplaysDelete", &TXALMainEditor::btEnvDisplaysDeleteClick},
      {"btEnvDisplaysImportCurrent", &TXALMainEditor::btEnvDisplaysImportCurrentClick},
      {"btEnvPrintersAdd", &TXALMainEditor::btEnvPrintersAddClick},
      {"btEnvPrintersEdit", &TXALMainEditor::btEnvPrintersEditClick},
      {"btEnvPrintersDelete", &TXALMainEditor::btEnvPrintersDeleteClick},
      {"btTargetIPAddressesAdd", &TXALMainEditor::btTargetIPAddressesAddClick},
      {"btTargetIPAddressesEdit", &TXALMainEditor::btTargetIPAddressesEditClick},
      {"btTargetIPAddressesDelete", &TXALMainEditor::btTargetIPAddressesDeleteClick},
      {"btTargetProxyEdit", &TXALMainEditor::btTargetProxyEditClick},
      {"btTargetAutoConfigURLEdit", &TXALMainEditor::btTargetAutoConfigURLEditClick},
      {"btTargetDefaultPrinterEdit", &TXALMainEditor::btTargetDefaultPrinterEditClick},
      {"btTargetDefaultPrinterDelete", &TXALMainEditor::btTargetDefaultPrinterDeleteClick},
      {"btTargetStartupsAdd", &TXALMainEditor::btTargetStartupsAddClick},
      {"btTargetStartupsEdit", &TXALMainEditor::btTargetStartupsEditClick},
      {"btTargetStartupsDelete", &TXALMainEditor::btTargetStartupsDeleteClick},
      {"btTargetStartupsUp", &TXALMainEditor::btTargetStartupsUpClick},
      {"btTargetStartupsDown", &TXALMainEditor::btTargetStartupsDownClick},
      {"btTargetStartupsExecute", &TXALMainEditor::btTargetStartupsExecuteClick},
      {"btTargetStartupsExecuteAll", &TXALMainEditor::btTargetStartupsExecuteAllClick},
      {"btTargetAppsAdd", &TXALMainEditor::btTargetAppsAddClick},
      {"btTargetAppsEdit", &TXALMainEditor::btTargetAppsEditClick},
      {"btTargetAppsDelete", &TXALMainEditor::btTargetAppsDeleteClick},
      {"btTargetAppsMove", &TXALMainEditor::btTargetAppsMoveClick},
      {"btTargetAppsMoveAll", &TXALMainEditor::btTargetAppsMoveAllClick},
  };
  for (const auto& entry : handlers) {
    if (name == entry.name) {
      (this->*entry.handler)();
      return;
    }
  }
}

void TXALMainEditor::OnTyped(const std::string& name) {
  if (name == "seEnvDisplaysCount" && !showingSet_) {
    seEnvDisplaysCountChange();
  }
}

void TXALMainEditor::OnSelect(const std::string& name, int /*index*/) {
  if (name == "lbXALSets") {
    lbXALSetsClick();
  } else if (name == "sgTargetApps") {
    sgTargetAppsSelectCell();
  }
}

void TXALMainEditor::OnDoubleClick(const std::string& name, int /*index*/) {
  static const struct {
    const char* name;
    void (TXALMainEditor::*handler)();
  } handlers[] = {
      {"lbXALSets", &TXALMainEditor::btXALSetRenameClick},
      {"lbEnvIPAddresses", &TXALMainEditor::btEnvIPAddressesEditClick},
      {"lbEnvDisplays", &TXALMainEditor::btEnvDisplaysEditClick},
      {"lbEnvPrinters", &TXALMainEditor::btEnvPrintersEditClick},
      {"sgTargetIPAddresses", &TXALMainEditor::btTargetIPAddressesEditClick},
      {"sgTargetStartups", &TXALMainEditor::btTargetStartupsEditClick},
      {"sgTargetApps", &TXALMainEditor::btTargetAppsEditClick},
  };
  for (const auto& entry : handlers) {
    if (name == entry.name) {
      (this->*entry.handler)();
      return;
    }
  }
}

}  // namespace xal
