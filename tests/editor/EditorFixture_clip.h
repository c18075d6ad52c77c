// The main window's editor started on the simulated platform with the real English texts, its
// first set filled with one item of every kind, and the simulated clipboard at hand.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "catalogue/CatalogueSamples.h"
#include "catalogue/XALClasses00100.h"
#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"
#include "ui/XALMainEditor.h"

namespace xal {

class ClipEditorFixture : public ::testing::Test {
 protected:
  ClipEditorFixture() {
    const std::string folder = "C:\\Program Files\\Kelpra Tremvale\\";
    sim.files.PutFile(folder + "KelpraTremvale.exe", "MZ");
    std::ifstream file(std::string(XAL_SOURCE_DIR) + "/lang/1033.txt", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    sim.files.PutFile(folder + "Languages\\1033.txt", bytes.str());
    main = std::make_unique<TfmXALMain>(sim.Platform(), view);
    main->FormCreate();
    editor = main->Editor();
  }

  // The first set becomes the sample set with every kind of item, and is selected and shown.
  void FillFirstSet() {
    TXALSets& all = sets();
    all.Items(0).Assign(*test::MakeOfficeSet(all.Owner));
    editor->FillSetList();
  }

  TXALSets& sets() { return *main->WorkingSets(); }
  TXALSet& current() { return *editor->CurrentSet(); }
  sim::SimClipboard& clipboard() { return sim.clipboard; }

  void Key(const char* control, TXALKey key, unsigned modifiers = kModifierCtrl) {
    editor->KeyDown(control, key, modifiers);
  }

  sim::SimPlatform sim;
  sim::SimMainView view;
  std::unique_ptr<TfmXALMain> main;
  TXALMainEditor* editor = nullptr;
};

}  // namespace xal
