// The main window's editor of the set catalogue, without the window: the set list with the
// matching sets in red, the selected set's conditions and targets in lists, labels and grids, the
// buttons that open the item dialogs, the right-click menu, the keys, and cut, copy and paste
// through the clipboard. Every edit changes the working catalogue at once; saving is the user's.
//
// The handlers are spread over files by area: sets and the window's own buttons
// (XALMainEditor.cpp), conditions (XALMainEditorEnvironment.cpp), targets
// (XALMainEditorTarget.cpp) and the clipboard (XALMainEditorClipboard.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/XALLists.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALMain;
class TXALSet;
class TXALSets;
class TXALDisplay;
class TXALTargetIPSetting;
class TXALStartup;
class TXALApp;

// The places that copy, cut and paste, and that the right-click menu and the keys act on.
enum class TXALEditPlace {
  None,
  Sets,
  EnvIPAddresses,
  EnvDisplays,
  EnvPrinters,
  TargetIPAddresses,
  TargetStartups,
  TargetApps,
};

class TXALMainEditor : public TXALDialog {
 public:
  // main gives the working catalogue, the matching sets, the recheck, the files and the
  // settings; the context the dialogs, the store of the current environment and the platform.
  TXALMainEditor(TfmXALMain& main, TXALDialogContext& context);

  // Captions, column titles and menu texts from the language; run once when the window is made.
  void LoadCaptions();
  // Rebuilds the set list from the working catalogue, selects the first set and shows it.
  void FillSetList();
  // Shows CurrentSet in every pane.
  void ShowSet();
  // The set of the selected line; null only before the list is filled.
  TXALSet* CurrentSet() const;
  // The matching sets changed: the red lines follow. The window's logic calls it after every
  // recheck, so handlers that recheck need not.
  void MatchingSetsChanged();

  // --- Sets (XALMainEditor.cpp) ---
  void lbXALSetsClick();
  void btXALSetAddClick();
  void btXALSetCopyClick();
  void btXALSetRenameClick();
  void btXALSetDeleteClick();
  void btXALSetUpClick();
  void btXALSetDownClick();
  // The window's own buttons.
  void cbEnableManageWindowClick();
  void btCurrentClick();
  void btRecheckClick();
  void btConfigSettingsClick();
  void btSaveClick();
  void btExportClick();
  void btImportClick();
  void btHelpClick();
  void FormResize(int clientWidth, int clientHeight);

  // --- Conditions (XALMainEditorEnvironment.cpp) ---
  void btEnvWiFiEditClick();
  void btEnvWiFiDeleteClick();
  void btEnvIPAddressesAddClick();
  void btEnvIPAddressesEditClick();
  void btEnvIPAddressesDeleteClick();
  void seEnvDisplaysCountChange();
  void btEnvDisplaysAddClick();
  void btEnvDisplaysEditClick();
  void btEnvDisplaysDeleteClick();
  void btEnvDisplaysImportCurrentClick();
  void btEnvPrintersAddClick();
  void btEnvPrintersEditClick();
  void btEnvPrintersDeleteClick();

  // --- Targets (XALMainEditorTarget.cpp) ---
  void btTargetIPAddressesAddClick();
  void btTargetIPAddressesEditClick();
  void btTargetIPAddressesDeleteClick();
  void btTargetProxyEditClick();
  void btTargetAutoConfigURLEditClick();
  void btTargetDefaultPrinterEditClick();
  void btTargetDefaultPrinterDeleteClick();
  void btTargetStartupsAddClick();
  void btTargetStartupsEditClick();
  void btTargetStartupsDeleteClick();
  void btTargetStartupsUpClick();
  void btTargetStartupsDownClick();
  void btTargetStartupsExecuteClick();
  void btTargetStartupsExecuteAllClick();
  void btTargetAppsAddClick();
  void btTargetAppsEditClick();
  void btTargetAppsDeleteClick();
  void btTargetAppsMoveClick();
  void btTargetAppsMoveAllClick();
  // The detail labels show the selected row's rule; a row without one changes nothing.
  void sgTargetAppsSelectCell();

  // --- Clipboard (XALMainEditorClipboard.cpp) ---
  // Each does nothing at a place without a selected item (copy, cut) and changes nothing when
  // the clipboard's text doesn't make an item (paste).
  void CopyFrom(TXALEditPlace place);
  void CutFrom(TXALEditPlace place);
  void PasteInto(TXALEditPlace place);

  // --- Right-click menu and keys (XALMainEditor.cpp) ---
  // The menu's entries shown for a place, as the menu opens.
  void pmRightClickPopup(TXALEditPlace place);
  TXALEditPlace MenuPlace() const { return menuPlace_; }
  static TXALEditPlace PlaceOf(std::string_view control);

 protected:
  void OnShow() override {}
  void OnTyped(const std::string& name) override;
  void OnClick(const std::string& name) override;
  void OnSelect(const std::string& name, int index) override;
  void OnDoubleClick(const std::string& name, int index) override;
  void OnKeyDown(const std::string& name, TXALKey key, unsigned modifiers) override;
  bool OnRightClick(const std::string& name, int index) override;
  void OnMenuClick(const std::string& item) override;
  void OnResize(int clientWidth, int clientHeight) override {
    FormResize(clientWidth, clientHeight);
  }
  std::string CustomTip(const std::string& name, int index) const override;
  std::string CustomCellTip(const std::string& name, int row, int column) const override;

 private:
  // Building the controls (XALMainEditor.cpp).
  void AddSetControls();
  void AddEnvironmentControls();
  void AddTargetControls();

  // The panes of ShowSet, each on its own; the handlers refill only what they changed.
  void ShowWiFi();
  void ShowIPAddresses();
  void ShowDisplays();
  void ShowPrinters();
  void ShowTargetIPAddresses();
  void ShowSingleValues();
  void ShowStartups();
  void ShowApps();
  void ShowAppDetails(const TXALApp* rule);

  // A label for one value: the value, enabled; or "NoSettingMsg", disabled, when it is empty.
  void ShowValue(std::string_view label, const std::string& value);

  // Grid rows (XALMainEditor.cpp). A grid keeps one placeholder row, blank and without an
  // item, while it has no items; rows carry their item's address in ItemData.
  void ClearGrid(std::string_view grid);
  // Writes into the placeholder row if the last row is one, else into a new last row; the row
  // is selected.
  void AppendRow(std::string_view grid, std::vector<std::string> cells, const void* item);
  void WriteRow(std::string_view grid, int row, std::vector<std::string> cells, const void* item);
  // Removes the selected data row's line: rows below move up, the row count stays at least one
  // (the placeholder), the selection stays on the same index or the new last row.
  void RemoveSelectedRow(std::string_view grid);
  // The item the selected row carries, or null (no selection, or the placeholder).
  const void* SelectedItem(std::string_view grid) const;
  int SelectedRow(std::string_view grid) const;

  // After a list line was removed: the same index, or the last line.
  void SelectAfterRemoval(std::string_view list, int removedIndex);

  // Texts of grid rows.
  static std::vector<std::string> IPSettingCells(const TXALTargetIPSetting& setting);
  static std::vector<std::string> StartupCells(const TXALStartup& startup);
  static std::vector<std::string> AppCells(const TXALApp& rule);
  std::string StateText(int state, const char* normalKey, const char* minimizedKey,
                        const char* maximizedKey) const;

  // The display condition line "%d:(%d,%d,%d,%d)".
  static std::string DisplayLine(const TXALDisplay& display);
  // Raises the display-count spin to the largest display number if lower, and the set's count
  // with it.
  void RaiseDisplayCount();

  // Swaps the selected startup program with its neighbour offset rows away, in the set and in
  // the grid (XALMainEditorTarget.cpp).
  void SwapStartupRows(int offset);

  // The delete of a place, as its delete button does it.
  void DeleteAt(TXALEditPlace place);
  // Appends a set to the catalogue and the list, selects and shows it, and rechecks.
  void AppendSet(std::unique_ptr<TXALSet> set);
  void SelectSet(int index);

  // Clipboard (XALMainEditorClipboard.cpp): puts the place's selected item on the clipboard;
  // false when there is none or the clipboard refused it.
  bool CopyToClipboard(TXALEditPlace place);

  TfmXALMain& main_;
  TXALDialogContext& context_;
  TXALEditPlace menuPlace_ = TXALEditPlace::None;
  // While ShowSet writes the spin edit, its change handler stays quiet.
  bool showingSet_ = false;
};

}  // namespace xal
