#include "core/XALMain.h"

#include <exception>
#include <optional>
#include <utility>

#include "appliers/XALProxyApplier.h"
#include "appliers/XALStartupRunner.h"
#include "catalogue/XALErrors.h"
#include "core/XALRecheck.h"
#include "ui/XALCaption.h"
#include "ui/XALDialogContext.h"
#include "ui/XALMainEditor.h"

namespace xal {

const char* const kApplicationTitle = "Kelpra Tremvale";
const char* const kDataFileName = "XALData.xml";
const char* const kSettingsFileName = "XALSetting.xml";
const char* const kDataSubFolder = "Corvanth\\KelpraXAL\\";

TfmXALMain::TfmXALMain(TXALPlatform& platform, IXALMainView& view)
    : platform_(platform), view_(view), addressMonitor_(platform.HostAddresses) {}

TfmXALMain::~TfmXALMain() {
  // Nothing is written here: unsaved changes were dealt with by the close request or given up
  // by the tray menu's quit. The hooks stop first so that no notice reaches what goes next;
  // the lists refer into the catalogue, so they go before it.
  if (hooksStarted_) {
    platform_.Hooks.Stop();
  }
  // The editor's window refers to the editor, and the editor to everything below.
  if (editor_) {
    view_.DestroyEditor();
    editor_.reset();
  }
  if (intake_) {
    platform_.Clock.EnableTimer(false);
    intake_.reset();
  }
  matchingSets_.Clear();
  previousMatchingSets_.Clear();
  if (fmXALCurrent_) {
    view_.DestroyCurrentWindow();
  }
  ipHandOff_.reset();
  printerSwitch_.reset();
  workingSets_.reset();
  savedSets_.reset();
  settings_.reset();
  fmXALCurrent_.reset();
}

void TfmXALMain::FormCreate() {
  // The monitor exists before the start-up steps run; its first list is what later checks
  // compare with.
  addressMonitor_.Start();
  try {
    RunStartupSequence();
    startupComplete_ = true;
  } catch (const std::exception& error) {
    // The tray menu must still read right and end the program.
    LoadCaptions();
    platform_.Boxes.ShowError(error.what());
  }
  if (commandLine_.ShowMainWindow) {
    view_.ShowAndRestore();
  }
}

void TfmXALMain::RunStartupSequence() {
  commandLine_ = ParseCommandLine(platform_.System.CommandLineArguments());
  programFolder_ = ExtractFilePath(platform_.System.ExecutablePath());
  ChooseDataFolder();
  fileDialogFolder_ = dataFolder_;

  language_.LoadFromFile(
      platform_.Files,
      TXALLanguage::FileName(programFolder_, platform_.System.UserDefaultLocaleId()));
  xmlComment_ = language_.Text("XMLComment");

  settings_ = std::make_unique<TXALSetting>(this);
  try {
    if (platform_.Files.FileExists(SettingsFilePath())) {
      LoadSettings(SettingsFilePath());
    } else {
      settings_->LoadDefaults();
      // Created, never replaced: a file that appeared meanwhile is the user's.
      SaveSettings(SettingsFilePath(), false);
    }
  } catch (...) {
    settings_.reset();
    throw;
  }

  workingSets_ = std::make_unique<TXALSets>(this);
  try {
    if (platform_.Files.FileExists(DataFilePath())) {
      LoadSets(DataFilePath());
    } else {
      workingSets_->ResetToDefault();
      SaveSets(DataFilePath(), false);
    }
  } catch (...) {
    // What was read before the error is not the user's catalogue; keeping it could let a save
    // replace the file with a part of itself.
    workingSets_.reset();
    throw;
  }

  savedSets_ = std::make_unique<TXALSets>(this);
  savedSets_->Assign(*workingSets_);

  platform_.Monitors.Refresh();
  fmXALCurrent_ = std::make_unique<TfmXALCurrent>(platform_, language_);
  view_.CreateCurrentWindow(*fmXALCurrent_, language_, matchingSets_);
  printerSwitch_ = std::make_unique<TXALPrinterSwitch>(platform_);
  intake_ = std::make_unique<TXALWindowIntake>(platform_.Windows, platform_.Monitors,
                                               platform_.Clock, *settings_, matchingSets_,
                                               *printerSwitch_, *fmXALCurrent_);
  intake_->ManageInvisibleWindows = settings_->ManageInvisibleWindows;
  intake_->SetOwnWindows([this](TXALWindowHandle window) { return view_.IsOwnDialog(window); });
  platform_.Hooks.Start();
  hooksStarted_ = true;
  ipHandOff_ = std::make_unique<TXALIPHandOff>(
      platform_, language_, [this](const std::string& title, const std::string& text) {
        view_.ShowBalloon(title, text);
      });

  LoadCaptions();
  editorContext_ = std::make_unique<TXALDialogContext>(
      TXALDialogContext{platform_, language_, *fmXALCurrent_, view_.DialogHost(),
                        platform_.FileDialogs, platform_.LogOnShortcut, intake_.get()});
  editor_ = std::make_unique<TXALMainEditor>(*this, *editorContext_);
  editor_->LoadCaptions();
  editor_->FillSetList();
  view_.CreateEditor(*editor_);

  fmXALCurrent_->RefreshDisplays();
  fmXALCurrent_->RefreshIPAddresses();
  fmXALCurrent_->RefreshWiFi();
  fmXALCurrent_->RefreshPrinters();
  fmXALCurrent_->RefreshApps(intake_->HandledWindows());

  Recheck();
}

void TfmXALMain::Recheck() {
  if (!workingSets_ || !fmXALCurrent_ || !printerSwitch_ || !ipHandOff_) {
    return;
  }
  // The shell and the management service may pump messages while we wait for them, and the
  // tray menu, a display change or another event can ask for a recheck then. Run inside this
  // one it would start "only new" programs a second time (the previous list is not yet
  // written), so it is deferred: this recheck runs once more when it is done.
  if (rechecking_) {
    recheckAgain_ = true;
    return;
  }
  rechecking_ = true;
  // Also when an applier fails: the matching sets have changed all the same.
  struct Done {
    bool& flag;
    IXALMainView& view;
    TXALMainEditor* editor;
    ~Done() {
      flag = false;
      view.MatchingSetsChanged();
      if (editor != nullptr) {
        editor->MatchingSetsChanged();
      }
    }
  } done{rechecking_, view_, editor_.get()};
  do {
    recheckAgain_ = false;
    ReadChangedDisplays();
    RecheckOnce();
  } while (recheckAgain_);
}

void TfmXALMain::ReadChangedDisplays() {
  if (displaysChanged_ && fmXALCurrent_) {
    displaysChanged_ = false;
    platform_.Monitors.Refresh();
    fmXALCurrent_->RefreshDisplays();
  }
}

void TfmXALMain::RecheckOnce() {
  matchingSets_.Clear();
  setMatcher_.FindMatchingSets(
      *workingSets_,
      TXALRecheckEnvironment{platform_.Wireless, fmXALCurrent_->IPStatuses(),
                             platform_.Monitors.List(), fmXALCurrent_->lbPrinters()},
      matchingSets_);
  ipHandOff_->HandOffIPSettings(matchingSets_, fmXALCurrent_->IPStatuses(), false, programFolder_);
  const TXALTargetChoice choice = ChooseTargets(matchingSets_, previousMatchingSets_);
  ApplyProxy(platform_, language_, choice.Proxy);
  ApplyAutoConfigURL(platform_, language_, choice.AutoConfigURL);
  printerSwitch_->SwitchDefaultPrinter(choice.DefaultPrinter, true);
  if (!platform_.Keyboard.IsShiftDown()) {
    ExecuteStartups(platform_.Shell, choice.FilePaths, choice.Params, choice.WorkDirs);
  }
  // Also when Shift held the programs back: the sets count as matched from now on.
  previousMatchingSets_ = matchingSets_;
}

void TfmXALMain::HandleHookMessage(TXALHookNotice notice, TXALWindowHandle window) {
  if (intake_) {
    HandleEvent([this, notice, window] { intake_->HandleHookMessage(notice, window); });
  }
}

void TfmXALMain::TimerTimer() {
  if (intake_) {
    intake_->TimerTimer();
  } else {
    platform_.Clock.EnableTimer(false);
  }
}

void TfmXALMain::ChooseDataFolder() {
  if (commandLine_.UseProgramFolder) {
    dataFolder_ = programFolder_;
    return;
  }
  const std::string appData = platform_.System.RoamingAppDataFolder();
  if (appData.empty()) {
    // Without it the path would name the root of the current drive.
    throw EXALError("The application data folder of the current user could not be found.");
  }
  dataFolder_ = appData + "\\" + kDataSubFolder;
  // A failure shows at the first write into the folder, with the file system's reason.
  platform_.Files.ForceDirectories(dataFolder_);
}

void TfmXALMain::LoadCaptions() {
  view_.SetCaption(language_.Text("fmXALMainCaption"));
  view_.SetTrayItemCaption(TXALTrayItem::Restore, language_.Text("fmXALMain_miRestoreCaption"));
  view_.SetTrayItemCaption(TXALTrayItem::Recheck, language_.Text("fmXALMain_miRecheckCaption"));
  view_.SetTrayItemCaption(TXALTrayItem::SetIPAddresses,
                           language_.Text("fmXALMain_miSetIPAddressesCaption"));
  view_.SetTrayItemCaption(TXALTrayItem::Quit, language_.Text("fmXALMain_miQuitCaption"));
}

bool TfmXALMain::FormCloseQuery() {
  if (!workingSets_ || !savedSets_ || workingSets_->Equals(*savedSets_)) {
    return true;
  }
  switch (platform_.Boxes.ConfirmYesNoCancel(language_.Text("fmXALMain_OverwriteXALSetsMsg"))) {
    case TXALAnswer::Yes:
      try {
        SaveSets(DataFilePath());
        savedSets_->Assign(*workingSets_);
      } catch (const std::exception& error) {
        platform_.Boxes.ShowError(error.what());
        return false;
      }
      return true;
    case TXALAnswer::No:
      return true;
    default:
      return false;
  }
}

void TfmXALMain::miRestoreClick() {
  view_.ShowAndRestore();
}

void TfmXALMain::TrayIconDblClick() {
  view_.ShowAndRestore();
}

void TfmXALMain::miQuitClick() {
  view_.HideTrayIcon();
  view_.EndMessageLoop();
}

void TfmXALMain::miRecheckClick() {
  Recheck();
}

void TfmXALMain::miSetIPAddressesClick() {
  view_.BringToTop();
  if (ipHandOff_ && fmXALCurrent_) {
    ipHandOff_->HandOffIPSettings(matchingSets_, fmXALCurrent_->IPStatuses(), true, programFolder_);
  }
}

void TfmXALMain::pmTaskTrayPopup() {
  view_.SetTrayItemVisible(
      TXALTrayItem::SetIPAddresses,
      fmXALCurrent_ && HasPendingIPChanges(matchingSets_, fmXALCurrent_->IPStatuses()));
}

void TfmXALMain::ApplicationMinimize() {
  view_.Hide();
}

void TfmXALMain::WMDisplayChange() {
  if (!fmXALCurrent_) {
    return;
  }
  displaysChanged_ = true;
  // A running recheck still reads the monitor list: the new one is read before it runs again,
  // which Recheck arranges when called now.
  if (!rechecking_) {
    ReadChangedDisplays();
  }
  Recheck();
}

void TfmXALMain::IdIPAddrMonPrepare() {
  preparedRead_.reset();
  // A recheck running reads what the refresh would replace; the check after it reads anew.
  if (rechecking_ || !fmXALCurrent_) {
    return;
  }
  try {
    std::vector<std::string> addresses = addressMonitor_.Read();
    if (addressMonitor_.Differs(addresses)) {
      preparedRead_ = TPreparedRead{std::move(addresses), QueryAdapters(platform_.Management)};
    }
  } catch (const std::exception&) {
    // Dropped on purpose, as the check's own errors are.
  }
}

bool TfmXALMain::IdIPAddrMonCheck(bool prepared) {
  if (rechecking_) {
    return false;  // the change is still there at the next check
  }
  const std::optional<TPreparedRead> read = std::exchange(preparedRead_, std::nullopt);
  try {
    if (addressMonitor_.Check().empty() || !fmXALCurrent_) {
      return true;
    }
    // Several addresses changing in one check are one change of place: the probes and the
    // recheck run once, so no startup program is started twice for it.
    // Only a read made for the addresses this check found: one that changed again without a
    // notice yet may have moved past what the adapters showed.
    if (prepared && read && addressMonitor_.Last() == read->Addresses) {
      fmXALCurrent_->RefreshIPAddresses(read->Adapters);
    } else {
      fmXALCurrent_->RefreshIPAddresses();
    }
    fmXALCurrent_->RefreshWiFi();
    Recheck();
  } catch (const std::exception&) {
    // Dropped on purpose: a background check has nobody to tell, and the next change or a
    // recheck on request tries again.
  }
  return true;
}

void TfmXALMain::HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    platform_.Boxes.ShowError(error.what());
  }
}

void TfmXALMain::LoadSets(const std::string& fileName) {
  workingSets_->LoadFromFile(platform_.Files, fileName);
}

void TfmXALMain::SaveSets(const std::string& fileName, bool replaceExisting) {
  workingSets_->SaveToFile(platform_.Files, fileName, xmlComment_, replaceExisting);
}

void TfmXALMain::LoadSettings(const std::string& fileName) {
  settings_->LoadFromFile(platform_.Files, fileName);
}

void TfmXALMain::SaveSettings(const std::string& fileName, bool replaceExisting) {
  settings_->SaveToFile(platform_.Files, fileName, xmlComment_, replaceExisting);
}

void TfmXALMain::ForgetSet(const TXALSet& set) {
  for (TXALSetList* list : {&matchingSets_, &previousMatchingSets_}) {
    const int index = list->IndexOf(const_cast<TXALSet*>(&set));
    if (index >= 0) {
      list->Delete(index);
    }
  }
  if (intake_) {
    intake_->ForgetRulesOf(set);
  }
  view_.MatchingSetsChanged();
}

void TfmXALMain::ForgetRule(const TXALApp& rule) {
  if (intake_) {
    intake_->ForgetRule(rule);
  }
}

void TfmXALMain::SetManageWindows(bool on) {
  if (intake_) {
    intake_->EnableManageWindow = on;
  }
}

void TfmXALMain::ShowCurrentWindow() {
  if (fmXALCurrent_) {
    view_.ShowCurrentWindowModal();
  }
}

void TfmXALMain::ApplySettings(const TXALSetting& setting) {
  if (!settings_) {
    return;
  }
  settings_->Assign(setting);
  if (intake_) {
    intake_->ManageInvisibleWindows = settings_->ManageInvisibleWindows;
  }
  SaveSettings(SettingsFilePath());
}

void TfmXALMain::btSaveClick() {
  if (!workingSets_ || platform_.Boxes.ConfirmOkCancel(
                           language_.Text("fmXALMain_OverwriteXALSetsMsg")) != TXALAnswer::Ok) {
    return;
  }
  SaveSets(DataFilePath());
  savedSets_->Assign(*workingSets_);
}

namespace {

TXALFileChoice CatalogueFileChoice(const TXALLanguage& language, const std::string& folder) {
  TXALFileChoice choice;
  choice.InitialFolder = folder;
  choice.DefaultExtension = "xml";
  choice.Filters = {{language.Text("fmXALMain_XMLFilesFilter"), "*.xml"},
                    {language.Text("fmXALMain_AllFilesFilter"), "*.*"}};
  return choice;
}

}  // namespace

void TfmXALMain::btExportClick() {
  if (!workingSets_) {
    return;
  }
  TXALFileChoice choice = CatalogueFileChoice(language_, fileDialogFolder_);
  choice.Title = CaptionWithoutAccessKey(language_.Text("fmXALMain_btExportCaption"));
  const std::optional<std::string> file = platform_.FileDialogs.ChooseFileToSave(choice);
  if (file) {
    SaveSets(*file);
  }
}

bool TfmXALMain::btImportClick() {
  if (!workingSets_) {
    return false;
  }
  TXALFileChoice choice;
  choice.InitialFolder = fileDialogFolder_;
  choice.Title = CaptionWithoutAccessKey(language_.Text("fmXALMain_btImportCaption"));
  const std::optional<std::string> file = platform_.FileDialogs.ChooseFileToOpen(choice);
  if (!file) {
    return false;
  }
  LoadSets(*file);
  return true;
}

}  // namespace xal
