// The editor's handlers for the selected set's conditions: Wi-Fi name, address patterns,
// display layout and printers.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/XALDisplays.h"
#include "catalogue/XALSet.h"
#include "core/XALMain.h"
#include "ui/XALConfigDisplay.h"
#include "ui/XALConfigEnvIPAddress.h"
#include "ui/XALConfigPrinter.h"
#include "ui/XALConfigWiFi.h"
#include "ui/XALMainEditor.h"

namespace xal {
namespace {

// Blanks and control characters off both ends; UTF-8 sequences lie above the space.
std::string Trimmed(std::string_view text) {
  const auto trimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && trimmed(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && trimmed(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

// The selected line's index, or -1 when no line is selected.
int SelectedLine(const TXALControl& list) {
  const int index = list.ItemIndex;
  return index >= 0 && index < static_cast<int>(list.Items.size()) ? index : -1;
}

// The display the selected line of the display list carries, or null.
TXALDisplay* SelectedDisplay(const TXALControl& list) {
  const int index = SelectedLine(list);
  if (index < 0 || index >= static_cast<int>(list.ItemData.size())) {
    return nullptr;
  }
  return reinterpret_cast<TXALDisplay*>(
      static_cast<std::uintptr_t>(list.ItemData[static_cast<std::size_t>(index)]));
}

int IndexOfDisplay(const TXALDisplays& displays, const TXALDisplay* display) {
  for (int i = 0; i < displays.Count(); ++i) {
    if (&displays.Items(i) == display) {
      return i;
    }
  }
  return -1;
}

void SelectLineOf(TXALControl& list, const TXALDisplay& display) {
  const auto it = std::find(list.ItemData.begin(), list.ItemData.end(),
                            reinterpret_cast<std::uintptr_t>(&display));
  if (it != list.ItemData.end()) {
    list.ItemIndex = static_cast<int>(it - list.ItemData.begin());
  }
}

}  // namespace

// --- Wi-Fi ---

void TXALMainEditor::btEnvWiFiEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigWiFi dialog(context_);
  dialog.SetName(set->Environment.Network.WiFi);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  // As typed: a network's name may begin or end with a blank.
  set->Environment.Network.WiFi = dialog.Name();
  ShowWiFi();
  main_.Recheck();
}

void TXALMainEditor::btEnvWiFiDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  set->Environment.Network.WiFi.clear();
  ShowWiFi();
  Changed();
}

// --- Address patterns ---

void TXALMainEditor::btEnvIPAddressesAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigEnvIPAddress dialog(context_);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  TXALStringList& patterns = set->Environment.Network.IPList;
  patterns.Add(Trimmed(dialog.Address()));
  ShowIPAddresses();
  Mutable("lbEnvIPAddresses").ItemIndex = patterns.Count() - 1;
  main_.Recheck();
}

void TXALMainEditor::btEnvIPAddressesEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALStringList& patterns = set->Environment.Network.IPList;
  const int index = SelectedLine(Control("lbEnvIPAddresses"));
  if (index < 0 || index >= patterns.Count()) {
    return;
  }
  TfmXALConfigEnvIPAddress dialog(context_);
  dialog.SetAddress(Control("lbEnvIPAddresses").Items[static_cast<std::size_t>(index)]);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  patterns.Items(index) = Trimmed(dialog.Address());
  ShowIPAddresses();
  Mutable("lbEnvIPAddresses").ItemIndex = index;
  main_.Recheck();
}

void TXALMainEditor::btEnvIPAddressesDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  const int index = SelectedLine(Control("lbEnvIPAddresses"));
  if (index < 0) {
    return;
  }
  TXALStringList& patterns = set->Environment.Network.IPList;
  const int found =
      patterns.IndexOf(Control("lbEnvIPAddresses").Items[static_cast<std::size_t>(index)]);
  if (found < 0) {
    return;
  }
  patterns.Delete(found);
  // Refilled rather than the line removed: when the first equal pattern differs from the line
  // in letter case, the list still shows what the set holds.
  ShowIPAddresses();
  SelectAfterRemoval("lbEnvIPAddresses", index);
  Changed();
}

// --- Display layout ---

void TXALMainEditor::RaiseDisplayCount() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALDisplays& displays = set->Environment.Displays;
  int largest = 0;
  for (int i = 0; i < displays.Count(); ++i) {
    largest = std::max(largest, displays.Items(i).Number);
  }
  if (SpinValue("seEnvDisplaysCount") < largest) {
    SetSpinValue("seEnvDisplaysCount", largest);
    displays.DisplayCount = largest;
  }
}

void TXALMainEditor::seEnvDisplaysCountChange() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  set->Environment.Displays.DisplayCount = SpinValue("seEnvDisplaysCount");
  main_.Recheck();
}

void TXALMainEditor::btEnvDisplaysAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALDisplays& displays = set->Environment.Displays;
  TfmXALConfigDisplay dialog(context_);
  dialog.SetExistingNumbers(displays);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  const TXALDisplay& added = displays.AddDisplay(dialog.Number(), dialog.Left(), dialog.Top(),
                                                 dialog.Width(), dialog.Height());
  RaiseDisplayCount();
  ShowDisplays();
  SelectLineOf(Mutable("lbEnvDisplays"), added);
  main_.Recheck();
}

void TXALMainEditor::btEnvDisplaysEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALDisplays& displays = set->Environment.Displays;
  TXALDisplay* display = SelectedDisplay(Control("lbEnvDisplays"));
  if (display == nullptr || IndexOfDisplay(displays, display) < 0) {
    return;
  }
  TfmXALConfigDisplay dialog(context_);
  dialog.SetDisplay(*display);
  dialog.SetExistingNumbers(displays);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  display->Number = dialog.Number();
  display->Bounds = {dialog.Left(), dialog.Top(), WrapAdd(dialog.Left(), dialog.Width()),
                     WrapAdd(dialog.Top(), dialog.Height())};
  RaiseDisplayCount();
  // The new text may sort elsewhere.
  ShowDisplays();
  SelectLineOf(Mutable("lbEnvDisplays"), *display);
  main_.Recheck();
}

void TXALMainEditor::btEnvDisplaysDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALDisplays& displays = set->Environment.Displays;
  const int line = SelectedLine(Control("lbEnvDisplays"));
  const int index = IndexOfDisplay(displays, SelectedDisplay(Control("lbEnvDisplays")));
  if (line < 0 || index < 0) {
    return;
  }
  displays.Delete(index);
  // The remaining lines keep their order, so refilling is removing the line.
  ShowDisplays();
  SelectAfterRemoval("lbEnvDisplays", line);
  Changed();
}

void TXALMainEditor::btEnvDisplaysImportCurrentClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALDisplays& displays = set->Environment.Displays;
  const std::vector<TXALMonitor>& monitors = context_.Platform.Monitors.List();
  displays.Clear();
  displays.DisplayCount = static_cast<int>(monitors.size());
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const TXALRect& bounds = monitors[i].Bounds;
    displays.AddDisplay(static_cast<int>(i) + 1, bounds.Left, bounds.Top, RectWidth(bounds),
                        RectHeight(bounds));
  }
  ShowDisplays();
  main_.Recheck();
}

// --- Printers ---

void TXALMainEditor::btEnvPrintersAddClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TfmXALConfigPrinter dialog(context_, TXALPrinterChoice::Several);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  const std::string names = Trimmed(dialog.Names());
  if (names.empty()) {
    return;
  }
  TXALStringList& printers = set->Environment.Printers;
  for (std::string& name : PrintersToAdd(names, printers)) {
    printers.Add(std::move(name));
  }
  ShowPrinters();
  main_.Recheck();
}

void TXALMainEditor::btEnvPrintersEditClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  TXALStringList& printers = set->Environment.Printers;
  const int index = SelectedLine(Control("lbEnvPrinters"));
  if (index < 0 || index >= printers.Count()) {
    return;
  }
  TfmXALConfigPrinter dialog(context_, TXALPrinterChoice::Single);
  dialog.SetNames(Control("lbEnvPrinters").Items[static_cast<std::size_t>(index)]);
  if (context_.Host.ShowModal(dialog) != TXALModalResult::OK) {
    return;
  }
  const std::string name = Trimmed(dialog.Names());
  if (name.empty()) {
    printers.Delete(index);
  } else {
    printers.Items(index) = name;
  }
  ShowPrinters();
  SelectAfterRemoval("lbEnvPrinters", index);
  if (name.empty()) {
    Changed();
    return;
  }
  main_.Recheck();
}

void TXALMainEditor::btEnvPrintersDeleteClick() {
  TXALSet* set = CurrentSet();
  if (set == nullptr) {
    return;
  }
  const int index = SelectedLine(Control("lbEnvPrinters"));
  if (index < 0) {
    return;
  }
  TXALStringList& printers = set->Environment.Printers;
  const int found =
      printers.IndexOf(Control("lbEnvPrinters").Items[static_cast<std::size_t>(index)]);
  if (found < 0) {
    return;
  }
  printers.Delete(found);
  ShowPrinters();
  SelectAfterRemoval("lbEnvPrinters", index);
  Changed();
}

}  // namespace xal
