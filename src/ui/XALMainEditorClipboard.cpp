// Cut, copy and paste of single items through the system clipboard, as their text forms.
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue/SameText.h"
#include "catalogue/Utf8.h"
#include "catalogue/XALApps.h"
#include "catalogue/XALDisplays.h"
#include "catalogue/XALItemText.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALSets.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "core/XALMain.h"
#include "ui/XALMainEditor.h"

namespace xal {
namespace {

// Blanks and control characters, which the paste trims off: the bytes up to the space, as the
// printer-list split trims.
std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Whether the data file can hold the text. A pasted name it can't hold would make every later
// save of the catalogue fail.
bool Storable(std::string_view text) {
  std::size_t index = 0;
  while (index < text.size()) {
    char32_t codePoint = 0;
    if (!NextCodePoint(text, index, codePoint) || !IsXmlCharacter(codePoint)) {
      return false;
    }
  }
  return true;
}

// A key that two names equal under SameText always share, so that a paste of many names needs
// SameText only between names of one key instead of between every pair. ASCII letters fold to
// upper case; the letters some other character folds to (I and i with the dotless i, S and s
// with the long s, K and k with the Kelvin sign) and every other character beyond ASCII all
// become one mark, since their case partners can't be told without the system's tables.
std::string FoldKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  std::size_t index = 0;
  while (index < name.size()) {
    char32_t c = 0;
    if (!NextCodePoint(name, index, c)) {
      c = static_cast<unsigned char>(name[index]) | 0x80000000u;
      ++index;
    }
    if (c >= 'a' && c <= 'z') {
      c -= 'a' - 'A';
    }
    const bool mark = c >= 0x80 || c == 'I' || c == 'S' || c == 'K';
    key.push_back(mark ? '\x7F' : static_cast<char>(c));
  }
  return key;
}

// The line of a list that the list's selection names, or null.
const std::string* SelectedLine(const TXALControl& list) {
  const int index = list.ItemIndex;
  if (index < 0 || index >= static_cast<int>(list.Items.size())) {
    return nullptr;
  }
  return &list.Items[static_cast<std::size_t>(index)];
}

// Appends a line to a plain list; the selection stays, or goes to the line in an empty list.
void AppendLine(TXALControl& list, std::string line) {
  list.Items.push_back(std::move(line));
  const std::size_t count = list.Items.size();
  list.ItemData.resize(count, 0);
  list.ItemChecked.resize(count, false);
  list.ItemSelected.resize(count, false);
  if (!list.ItemHighlighted.empty()) {
    list.ItemHighlighted.resize(count, false);
  }
  if (list.ItemIndex < 0) {
    list.ItemIndex = static_cast<int>(count) - 1;
  }
}

// A new item of type T with the defaults, filled from text. Null when the text makes none: the
// readers raise on malformed XML, the empty text and bad values, and a paste shows no message
// for any of that. Nothing else has seen the item yet, so dropping it changes nothing.
template <typename T>
std::unique_ptr<T> ItemFromClipboard(const std::optional<std::string>& text, TXALComponent* owner) {
  if (!text) {
    return nullptr;
  }
  try {
    auto item = std::make_unique<T>(owner);
    item->FromText(*text);
    return item;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

void TXALMainEditor::CopyFrom(TXALEditPlace place) {
  CopyToClipboard(place);
}

bool TXALMainEditor::CopyToClipboard(TXALEditPlace place) {
  std::optional<std::string> text;
  switch (place) {
    case TXALEditPlace::Sets:
      if (const TXALSet* set = CurrentSet()) {
        text = set->ToText();
      }
      break;
    case TXALEditPlace::EnvIPAddresses:
      if (const std::string* line = SelectedLine(Control("lbEnvIPAddresses"))) {
        text = *line;
      }
      break;
    case TXALEditPlace::EnvDisplays: {
      const TXALControl& list = Control("lbEnvDisplays");
      const int index = list.ItemIndex;
      if (SelectedLine(list) != nullptr && index < static_cast<int>(list.ItemData.size()) &&
          list.ItemData[static_cast<std::size_t>(index)] != 0) {
        const auto* display = reinterpret_cast<const TXALDisplay*>(
            static_cast<std::uintptr_t>(list.ItemData[static_cast<std::size_t>(index)]));
        text = display->ToText();
      }
      break;
    }
    case TXALEditPlace::EnvPrinters:
      if (const std::string* line = SelectedLine(Control("lbEnvPrinters"))) {
        text = *line;
      }
      break;
    case TXALEditPlace::TargetIPAddresses:
      if (const void* item = SelectedItem("sgTargetIPAddresses")) {
        text = static_cast<const TXALTargetIPSetting*>(item)->ToText();
      }
      break;
    case TXALEditPlace::TargetStartups:
      if (const void* item = SelectedItem("sgTargetStartups")) {
        text = static_cast<const TXALStartup*>(item)->ToText();
      }
      break;
    case TXALEditPlace::TargetApps:
      if (const void* item = SelectedItem("sgTargetApps")) {
        text = static_cast<const TXALApp*>(item)->ToText();
      }
      break;
    case TXALEditPlace::None:
      break;
  }
  // Without a selected item the clipboard keeps what it holds.
  return text && context_.Platform.Clipboard.WriteText(*text);
}

void TXALMainEditor::CutFrom(TXALEditPlace place) {
  // Only what has reached the clipboard may go: a clipboard held by another program would
  // otherwise make the cut a plain delete.
  if (CopyToClipboard(place)) {
    DeleteAt(place);
  }
}

void TXALMainEditor::PasteInto(TXALEditPlace place) {
  TXALSet* set = CurrentSet();
  if (place == TXALEditPlace::None || (set == nullptr && place != TXALEditPlace::Sets)) {
    return;
  }
  const std::optional<std::string> text = context_.Platform.Clipboard.ReadText();
  if (!text) {
    return;
  }
  switch (place) {
    case TXALEditPlace::Sets:
      if (auto pasted = ItemFromClipboard<TXALSet>(text, main_.WorkingSets()->Owner)) {
        AppendSet(std::move(pasted));
      }
      break;
    case TXALEditPlace::EnvIPAddresses: {
      const std::string pattern(Trimmed(*text));
      if (!IsIPAddressPattern(pattern)) {
        return;
      }
      set->Environment.Network.IPList.Add(pattern);
      AppendLine(Mutable("lbEnvIPAddresses"), pattern);
      main_.Recheck();
      break;
    }
    case TXALEditPlace::EnvDisplays: {
      TXALDisplays& displays = set->Environment.Displays;
      auto pasted = ItemFromClipboard<TXALDisplay>(text, displays.Owner);
      if (!pasted) {
        return;
      }
      displays.Add(std::move(pasted));
      ShowDisplays();
      RaiseDisplayCount();
      main_.Recheck();
      break;
    }
    case TXALEditPlace::EnvPrinters: {
      TXALPrinters& printers = set->Environment.Printers;
      // The names already there, by fold key, so that a paste of very many names stays quick.
      std::unordered_map<std::string, std::vector<int>> byKey;
      for (int i = 0; i < printers.Count(); ++i) {
        byKey[FoldKey(printers.Items(i))].push_back(i);
      }
      std::unordered_set<std::string> seen;
      bool added = false;
      for (std::string& name : SplitPrinterList(Trimmed(*text))) {
        if (!Storable(name) || !seen.insert(name).second) {
          continue;
        }
        std::vector<int>& sameKey = byKey[FoldKey(name)];
        bool present = false;
        for (int index : sameKey) {
          if (SameText(printers.Items(index), name)) {
            present = true;
            break;
          }
        }
        if (!present) {
          sameKey.push_back(printers.Add(std::move(name)));
          added = true;
        }
      }
      if (!added) {
        return;
      }
      ShowPrinters();
      main_.Recheck();
      break;
    }
    case TXALEditPlace::TargetIPAddresses: {
      TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
      auto pasted = ItemFromClipboard<TXALTargetIPSetting>(text, settings.Owner);
      if (!pasted) {
        return;
      }
      const TXALTargetIPSetting& setting = settings.Items(settings.Add(std::move(pasted)));
      AppendRow("sgTargetIPAddresses", IPSettingCells(setting), &setting);
      break;
    }
    case TXALEditPlace::TargetStartups: {
      TXALStartups& startups = set->Target.Startups;
      auto pasted = ItemFromClipboard<TXALStartup>(text, startups.Owner);
      if (!pasted) {
        return;
      }
      const TXALStartup& startup = startups.Items(startups.Add(std::move(pasted)));
      AppendRow("sgTargetStartups", StartupCells(startup), &startup);
      break;
    }
    case TXALEditPlace::TargetApps: {
      TXALApps& rules = set->Target.Apps;
      auto pasted = ItemFromClipboard<TXALApp>(text, rules.Owner);
      if (!pasted) {
        return;
      }
      const TXALApp& rule = rules.Items(rules.Add(std::move(pasted)));
      AppendRow("sgTargetApps", AppCells(rule), &rule);
      ShowAppDetails(&rule);
      break;
    }
    case TXALEditPlace::None:
      break;
  }
  Changed();
}

}  // namespace xal
