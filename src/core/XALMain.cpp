#include "core/XALMain.h"

#include <exception>

#include "catalogue/XALErrors.h"

namespace xal {

const char* const kApplicationTitle = "Kelpra Tremvale";
const char* const kDataFileName = "XALData.xml";
const char* const kSettingsFileName = "XALSetting.xml";
const char* const kDataSubFolder = "Corvanth\\KelpraXAL\\";

TfmXALMain::TfmXALMain(TXALPlatform& platform, IXALMainView& view)
    : platform_(platform), view_(view) {}

TfmXALMain::~TfmXALMain() {
  // Nothing is written here: unsaved changes were dealt with by the close request or given up
  // by the tray menu's quit.
  workingSets_.reset();
  savedSets_.reset();
  settings_.reset();
  fmXALCurrent_.reset();
}

void TfmXALMain::FormCreate() {
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
  manageInvisibleWindows_ = settings_->ManageInvisibleWindows;

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

  LoadCaptions();

  fmXALCurrent_->RefreshDisplays();
  fmXALCurrent_->RefreshIPAddresses();
  fmXALCurrent_->RefreshWiFi();
  fmXALCurrent_->RefreshPrinters();
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

void TfmXALMain::pmTaskTrayPopup() {
  // Until sets are matched against the environment there is nothing to recheck and no IP
  // setting can be pending; the items keep their places in the menu.
  view_.SetTrayItemEnabled(TXALTrayItem::Recheck, false);
  view_.SetTrayItemVisible(TXALTrayItem::SetIPAddresses, false);
}

void TfmXALMain::ApplicationMinimize() {
  view_.Hide();
}

void TfmXALMain::WMDisplayChange() {
  if (!fmXALCurrent_) {
    return;
  }
  platform_.Monitors.Refresh();
  fmXALCurrent_->RefreshDisplays();
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

}  // namespace xal
