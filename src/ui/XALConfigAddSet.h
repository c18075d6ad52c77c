// The dialog that creates a set: a name, and either nothing more or what the user picks from the
// current environment (conditions on the left, targets on the right).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/XALComponent.h"
#include "catalogue/XALSet.h"
#include "placement/XALPlacement.h"
#include "sensing/XALCurrent.h"
#include "sensing/XALNetwork.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigAddSet : public TXALDialog {
 public:
  explicit TfmXALConfigAddSet(TXALDialogContext& context);

  // The name as typed, empty included.
  const std::string& Name() const { return Control("edNmae").Text; }

  // The new set, its objects owned by owner: the name alone with the first import choice;
  // with the second, also what each checked row takes over from the current environment.
  // Windows that have closed since they were listed give no rule.
  std::unique_ptr<TXALSet> BuildSet(TXALComponent* owner) const;

  // Refills the window list from the store, keeping the check mark of every window (by handle)
  // that was checked and is still listed.
  void RefreshAppList();
  // Rebuilds the adapters' IP settings from the store's address lines, each line with its own
  // freshly read status; all lines unchecked. Lines whose status can't be read are left out,
  // and the error is raised once the list holds what could be read.
  void RefreshTargetIPList();

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;
  std::string CustomTip(const std::string& name, int index) const override;

 private:
  // What the store pushes while the dialog is open.
  class TPushes : public IXALCurrentListener {
   public:
    explicit TPushes(TfmXALConfigAddSet& dialog) : dialog_(dialog) {}
    void OnIPAddressesChanged(const std::vector<std::string>& lines) override;
    void OnWiFiChanged(const std::vector<std::string>& names) override;
    void OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) override;
    void OnAppsChanged(const std::vector<TXALAppLine>& lines) override;

   private:
    TfmXALConfigAddSet& dialog_;
  };

  bool Checked(const char* name) const { return Control(name).Checked; }
  bool ImportsCurrent() const { return Control("rgImport").ItemIndex == 1; }

  void rgImportClick();
  void cbWiFiClick();
  void cbEnvIPAddressClick();
  void cbDisplayClick();
  void cbDisplayCountClick();
  void RowClick(const char* checkBox, const char* group);
  void cbAppClick();

  void FillDisplays(const std::vector<TXALDisplayLine>& lines);
  void FillApps(const std::vector<TXALAppLine>& lines);
  void ImportInto(TXALSet& set) const;

  TXALDialogContext& context_;
  TXALPlacer placer_;
  // The status behind each line of clTargetIPAddress, same index; the dialog's own.
  std::vector<TXALIPStatus> statuses_;
  // The monitor behind each line of clDisplay, same index.
  std::vector<TXALDisplayLine> displays_;
  TPushes pushes_;
  // Last, so that it unregisters before anything the pushes reach goes.
  TXALCurrentSubscription subscription_;
};

}  // namespace xal
