// The main window's state and behaviour without the window: start-up, the data folder, the two
// catalogues and the settings, the tray menu, closing and shutdown.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "appliers/XALIPHandOff.h"
#include "appliers/XALPrinterSwitch.h"
#include "catalogue/XALClasses00100.h"
#include "catalogue/XALComponent.h"
#include "core/CommandLine.h"
#include "core/XALAddressMonitor.h"
#include "core/XALMainView.h"
#include "core/XALRecheck.h"
#include "placement/XALWindowIntake.h"
#include "platform/XALPlatform.h"
#include "sensing/XALCurrent.h"
#include "ui/XALLanguage.h"

namespace xal {

extern const char* const kApplicationTitle;
extern const char* const kDataFileName;
extern const char* const kSettingsFileName;
// Below the roaming application data folder.
extern const char* const kDataSubFolder;

class TXALMainEditor;
struct TXALDialogContext;

class TfmXALMain : public TXALComponent {
 public:
  TfmXALMain(TXALPlatform& platform, IXALMainView& view);
  ~TfmXALMain() override;
  TfmXALMain(const TfmXALMain&) = delete;
  TfmXALMain& operator=(const TfmXALMain&) = delete;

  // The start-up sequence. An error in a step is shown in a message box and the later steps are
  // not run; the program then stays in a safe state: what was not made is not used, nothing is
  // written over the user's files, and the tray menu still ends the program.
  void FormCreate();
  // True once every start-up step has run.
  bool StartupComplete() const { return startupComplete_; }

  // A close request: true when the window may close. Asks whether to save only when the
  // working catalogue differs from the saved one.
  bool FormCloseQuery();

  void miRestoreClick();
  void TrayIconDblClick();
  void miRecheckClick();
  void miSetIPAddressesClick();
  void miQuitClick();
  void pmTaskTrayPopup();
  void ApplicationMinimize();
  // The system reports a change of the displays: the monitor list is read again, the display
  // probe refreshed and the sets rechecked.
  void WMDisplayChange();
  // One check of the address monitor, run on this thread. When any address changed, the
  // adapters and Wi-Fi are probed again and the sets rechecked, once for the whole check.
  // Errors are dropped: nobody asked for this check. False when it could not run because a
  // recheck is running; the change is then still to be seen by a later check.
  //
  // prepared: the adapters IdIPAddrMonPrepare read are still current (no notice came since),
  // and the refresh takes them instead of asking the service again. They serve one check at
  // most.
  bool IdIPAddrMonCheck(bool prepared = false);
  // At the first address-change notice of a burst, while it settles: when the addresses
  // already differ from the last check's, reads the adapters for the refresh that the check
  // will then make, if it finds the same addresses. Errors are dropped; the check reads them
  // itself.
  void IdIPAddrMonPrepare();

  // A notice of the hook libraries; nothing before start-up made the window intake.
  void HandleHookMessage(TXALHookNotice notice, TXALWindowHandle window);
  // A tick of the 100 ms placement timer.
  void TimerTimer();

  // Decides which sets of the working catalogue match the environment now and applies their
  // targets. Does nothing while start-up has not made the catalogue and the probe store. Called
  // while it runs (from messages handled in its waits), it runs once more after instead.
  void Recheck();
  const TXALSetList& MatchingSets() const { return matchingSets_; }
  const TXALSetList& PreviousMatchingSets() const { return previousMatchingSets_; }
  // The printer stack, newest first.
  std::vector<std::string>* AppPrinters() {
    return printerSwitch_ ? &printerSwitch_->AppPrinters() : nullptr;
  }

  // Runs an event handler; an error it raises ends it and is shown in an error message box.
  void HandleEvent(const std::function<void()>& handler);

  void LoadSets(const std::string& fileName);
  void SaveSets(const std::string& fileName, bool replaceExisting = true);
  void LoadSettings(const std::string& fileName);
  void SaveSettings(const std::string& fileName, bool replaceExisting = true);

  const TXALCommandLine& CommandLine() const { return commandLine_; }
  bool UseProgramFolder() const { return commandLine_.UseProgramFolder; }
  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& DataFolder() const { return dataFolder_; }
  // The folder the file choosers of Export and Import open in.
  const std::string& FileDialogFolder() const { return fileDialogFolder_; }
  std::string DataFilePath() const { return dataFolder_ + kDataFileName; }
  std::string SettingsFilePath() const { return dataFolder_ + kSettingsFileName; }
  const TXALLanguage& Language() const { return language_; }

  // Null until the start-up step that makes them has succeeded. The working catalogue exists
  // only when it was read whole (or created), so a file that failed to load can never be
  // saved over with what was read of it.
  TXALSets* WorkingSets() { return workingSets_.get(); }
  TXALSets* SavedSets() { return savedSets_.get(); }
  TXALSetting* Settings() { return settings_.get(); }
  // The current-environment window's store of probe results; null until start-up made it.
  TfmXALCurrent* fmXALCurrent() { return fmXALCurrent_.get(); }
  // The main window's copy of the switch, kept by the window intake; off until start-up made it.
  bool ManageInvisibleWindows() const { return intake_ && intake_->ManageInvisibleWindows; }
  // The hook notices' lists, the placement pass and the move buttons; null until start-up made
  // it.
  TXALWindowIntake* WindowIntake() { return intake_.get(); }
  // The editor of the catalogue; null until start-up made it.
  TXALMainEditor* Editor() { return editor_.get(); }

  // What the editor asks of the window's logic.
  //
  // Before a set or a rule goes, nothing may keep pointing at it: the matching sets of this and
  // the previous recheck, and the pending placements, let go of it. Its rules' placements stop.
  void ForgetSet(const TXALSet& set);
  void ForgetRule(const TXALApp& rule);
  // cbEnableManageWindow: placement rules applied or not; not stored.
  void SetManageWindows(bool on);
  void ShowCurrentWindow();
  // Confirmed settings: they replace the settings in force, are written to the settings file
  // and apply from the next window examined.
  void ApplySettings(const TXALSetting& setting);
  // Save asks first and then writes the data file; Export writes a file the user chooses and
  // leaves the saved catalogue as it was; Import appends the sets of a file the user chooses
  // and is true when it did.
  void btSaveClick();
  void btExportClick();
  bool btImportClick();

 private:
  void RunStartupSequence();
  void ChooseDataFolder();
  void LoadCaptions();
  void RecheckOnce();
  // Reads the monitors again when a display change is still to be taken in.
  void ReadChangedDisplays();

  TXALPlatform& platform_;
  IXALMainView& view_;
  TXALLanguage language_;
  TXALCommandLine commandLine_;
  std::string programFolder_;
  std::string dataFolder_;
  std::string fileDialogFolder_;
  std::string xmlComment_;
  std::unique_ptr<TXALSetting> settings_;
  std::unique_ptr<TXALSets> workingSets_;
  std::unique_ptr<TXALSets> savedSets_;
  std::unique_ptr<TfmXALCurrent> fmXALCurrent_;
  std::unique_ptr<TXALPrinterSwitch> printerSwitch_;
  std::unique_ptr<TXALIPHandOff> ipHandOff_;
  std::unique_ptr<TXALWindowIntake> intake_;
  std::unique_ptr<TXALDialogContext> editorContext_;
  std::unique_ptr<TXALMainEditor> editor_;
  bool hooksStarted_ = false;
  TXALAddressMonitor addressMonitor_;
  // What IdIPAddrMonPrepare read for the next check: the host name's addresses, and the
  // adapters read just after them.
  struct TPreparedRead {
    std::vector<std::string> Addresses;
    std::vector<std::unique_ptr<IManagementObject>> Adapters;
  };
  std::optional<TPreparedRead> preparedRead_;
  TXALSetList matchingSets_;
  TXALSetList previousMatchingSets_;
  TXALSetMatcher setMatcher_;
  bool startupComplete_ = false;
  bool rechecking_ = false;
  bool recheckAgain_ = false;
  // A display change arrived during a recheck; the monitors are read before the next one.
  bool displaysChanged_ = false;
};

}  // namespace xal
