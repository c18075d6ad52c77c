#include "ui/XALMainEditor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "appliers/XALStartupRunner.h"
#include "catalogue/XALApps.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "core/XALMain.h"
#include "ui/XALConfigApp.h"
#include "ui/XALConfigAutoConfigURL.h"
#include "ui/XALConfigPrinter.h"
#include "ui/XALConfigProxy.h"
#include "ui/XALConfigStartup.h"
#include "ui/XALConfigTargetIPAddress.h"

namespace xal {
namespace {

constexpr std::string_view kIPGrid = "sgTargetIPAddresses";
constexpr std::string_view kStartupGrid = "sgTargetStartups";
constexpr std::string_view kAppGrid = "sgTargetApps";

// The position of the item a grid row carries in the set's collection, or -1. Looking it up
// rather than trusting the row number keeps a stale row from reaching another item.
template <typename Collection>
int IndexOfItem(const Collection& items, const void* item) {
  if (item == nullptr) {
    return -1;
  }
  for (int i = 0; i < items.Count(); ++i) {
    if (&items.Items(i) == item) {
      return i;
    }
  }
  return -1;
}

// Blanks and control characters at both ends go; UTF-8 sequences lie above the space.
std::string Trim(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

}  // namespace

// --- IP settings ---

void TXALMainEditor::btTargetIPAddressesAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigTargetIPAddress dialog(context_);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
  auto setting = std::make_unique<TXALTargetIPSetting>(settings.Owner);
  dialog.GetSetting(*setting);
  const TXALTargetIPSetting& added = settings.Items(settings.Add(std::move(setting)));
  AppendRow(kIPGrid, IPSettingCells(added), &added);
}

void TXALMainEditor::btTargetIPAddressesEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
  const int index = IndexOfItem(settings, SelectedItem(kIPGrid));
  if (index < 0) {
    return;
  }
  const int row = SelectedRow(kIPGrid);
  TXALTargetIPSetting& setting = settings.Items(index);
  TfmXALConfigTargetIPAddress dialog(context_);
  dialog.SetSetting(setting);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  dialog.GetSetting(setting);
  WriteRow(kIPGrid, row, IPSettingCells(setting), &setting);
}

void TXALMainEditor::btTargetIPAddressesDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
  const int index = IndexOfItem(settings, SelectedItem(kIPGrid));
  if (index < 0) {
    return;
  }
  // The row first: it must not carry the address of a freed setting for a moment.
  RemoveSelectedRow(kIPGrid);
  settings.Delete(index);
}

// --- Proxy, configuration script, default printer ---

void TXALMainEditor::btTargetProxyEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigProxy dialog(context_);
  dialog.SetProxy(set->Target.Network.Proxy);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  set->Target.Network.Proxy = dialog.Proxy();
  ShowValue("lbTargetProxy", set->Target.Network.Proxy);
}

void TXALMainEditor::btTargetAutoConfigURLEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigAutoConfigURL dialog(context_);
  dialog.SetAutoConfigURL(set->Target.Network.AutoConfigURL);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  set->Target.Network.AutoConfigURL = dialog.AutoConfigURL();
  ShowValue("lbTargetAutoConfigURL", set->Target.Network.AutoConfigURL);
}

void TXALMainEditor::btTargetDefaultPrinterEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigPrinter dialog(context_, TXALPrinterChoice::Single);
  dialog.SetNames(set->Target.DefaultPrinter);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  set->Target.DefaultPrinter = Trim(dialog.Names());
  ShowValue("lbTargetDefaultPrinter", set->Target.DefaultPrinter);
}

void TXALMainEditor::btTargetDefaultPrinterDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  set->Target.DefaultPrinter.clear();
  ShowValue("lbTargetDefaultPrinter", set->Target.DefaultPrinter);
}

// --- Startup programs ---

void TXALMainEditor::btTargetStartupsAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigStartup dialog(context_);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK || dialog.DescribesNothing()) {
    return;
  }
  TXALStartups& startups = set->Target.Startups;
  auto startup = std::make_unique<TXALStartup>(startups.Owner);
  dialog.GetStartup(*startup);
  const TXALStartup& added = startups.Items(startups.Add(std::move(startup)));
  AppendRow(kStartupGrid, StartupCells(added), &added);
}

void TXALMainEditor::btTargetStartupsEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALStartups& startups = set->Target.Startups;
  const int index = IndexOfItem(startups, SelectedItem(kStartupGrid));
  if (index < 0) {
    return;
  }
  const int row = SelectedRow(kStartupGrid);
  TXALStartup& startup = startups.Items(index);
  TfmXALConfigStartup dialog(context_);
  dialog.SetStartup(startup);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK || dialog.DescribesNothing()) {
    return;
  }
  dialog.GetStartup(startup);
  WriteRow(kStartupGrid, row, StartupCells(startup), &startup);
}

void TXALMainEditor::btTargetStartupsDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALStartups& startups = set->Target.Startups;
  const int index = IndexOfItem(startups, SelectedItem(kStartupGrid));
  if (index < 0) {
    return;
  }
  RemoveSelectedRow(kStartupGrid);
  startups.Delete(index);
}

void TXALMainEditor::SwapStartupRows(int offset) {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALStartups& startups = set->Target.Startups;
  const int index = IndexOfItem(startups, SelectedItem(kStartupGrid));
  const int row = SelectedRow(kStartupGrid);
  const int other = row + offset;
  TXALControl& grid = Mutable(kStartupGrid);
  // Nothing beyond the first or the last data row; the placeholder is never a neighbour, since
  // a grid with items has none.
  if (index < 0 || other < 0 || other >= static_cast<int>(grid.Cells.size()) ||
      index + offset < 0 || index + offset >= startups.Count()) {
    return;
  }
  startups.Move(index, index + offset);
  std::swap(grid.Cells[static_cast<std::size_t>(row)], grid.Cells[static_cast<std::size_t>(other)]);
  std::swap(grid.ItemData[static_cast<std::size_t>(row)],
            grid.ItemData[static_cast<std::size_t>(other)]);
  grid.ItemIndex = other;
}

void TXALMainEditor::btTargetStartupsUpClick() {
  SwapStartupRows(-1);
}

void TXALMainEditor::btTargetStartupsDownClick() {
  SwapStartupRows(1);
}

void TXALMainEditor::btTargetStartupsExecuteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  const TXALStartups& startups = set->Target.Startups;
  const int index = IndexOfItem(startups, SelectedItem(kStartupGrid));
  if (index < 0) {
    return;
  }
  const TXALStartup& startup = startups.Items(index);
  ExecuteStartup(context_.Platform.Shell, startup.FilePath, startup.Param, startup.WorkDir);
}

void TXALMainEditor::btTargetStartupsExecuteAllClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  // Row by row as the grid shows them, which is the set's order.
  const TXALStartups& startups = set->Target.Startups;
  const std::vector<std::uint64_t> rows = Control(kStartupGrid).ItemData;
  for (const std::uint64_t data : rows) {
    const int index =
        IndexOfItem(startups, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(data)));
    if (index >= 0) {
      const TXALStartup& startup = startups.Items(index);
      ExecuteStartup(context_.Platform.Shell, startup.FilePath, startup.Param, startup.WorkDir);
    }
  }
}

// --- Window placement rules ---

void TXALMainEditor::btTargetAppsAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigApp dialog(context_);
  dialog.SetInstalledPrinters(context_.Current.lbPrinters());
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  TXALApps& rules = set->Target.Apps;
  auto rule = std::make_unique<TXALApp>(rules.Owner);
  rule->Assign(dialog.Rule());
  const TXALApp& added = rules.Items(rules.Add(std::move(rule)));
  AppendRow(kAppGrid, AppCells(added), &added);
  ShowAppDetails(&added);
}

void TXALMainEditor::btTargetAppsEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALApps& rules = set->Target.Apps;
  const int index = IndexOfItem(rules, SelectedItem(kAppGrid));
  if (index < 0) {
    return;
  }
  const int row = SelectedRow(kAppGrid);
  TXALApp& rule = rules.Items(index);
  // The dialog edits its own copy, so trying it out leaves the catalogue alone until OK.
  TfmXALConfigApp dialog(context_);
  dialog.SetInstalledPrinters(context_.Current.lbPrinters());
  dialog.SetRule(rule);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  rule.Assign(dialog.Rule());
  WriteRow(kAppGrid, row, AppCells(rule), &rule);
  ShowAppDetails(&rule);
}

void TXALMainEditor::btTargetAppsDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALApps& rules = set->Target.Apps;
  const int index = IndexOfItem(rules, SelectedItem(kAppGrid));
  if (index < 0) {
    return;
  }
  // A pending placement would otherwise put a window back by a freed rule.
  main_.ForgetRule(rules.Items(index));
  RemoveSelectedRow(kAppGrid);
  rules.Delete(index);
  sgTargetAppsSelectCell();
}

void TXALMainEditor::btTargetAppsMoveClick() {
  TXALSet* set = CurrentSet();
  TXALWindowIntake* intake = main_.WindowIntake();
  if (set == nullptr || intake == nullptr) {
    return;
  }
  const int index = IndexOfItem(set->Target.Apps, SelectedItem(kAppGrid));
  if (index < 0) {
    return;
  }
  // The intake counts grid rows with the column titles as row 0.
  intake->btTargetAppsMoveClick(set->Target.Apps, index + 1);
}

void TXALMainEditor::btTargetAppsMoveAllClick() {
  TXALSet* set = CurrentSet();
  TXALWindowIntake* intake = main_.WindowIntake();
  if (set == nullptr || intake == nullptr) {
    return;
  }
  intake->btTargetAppsMoveAllClick(set->Target.Apps);
}

}  // namespace xal
