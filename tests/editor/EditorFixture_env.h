// The editor on a started main window of the simulated platform, with the real English texts,
// two monitors and two installed printers.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "catalogue/XALSet.h"
#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"
#include "ui/XALMainEditor.h"

namespace xal {

class EnvEditorFixture : public ::testing::Test {
 protected:
  EnvEditorFixture() {
    const std::string programFolder = "C:\\Program Files\\Kelpra Tremvale\\";
    std::ifstream file(std::string(XAL_SOURCE_DIR) + "/lang/1033.txt", std::ios::binary);
    std::ostringstream texts;
    texts << file.rdbuf();
    sim.files.PutFile(programFolder + "KelpraTremvale.exe", "MZ");
    sim.files.PutFile(programFolder + "Languages\\1033.txt", texts.str());
    sim.monitors.SetAttached(
        {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, -1280, 0, 1280, 1024)});
    sim.printers.installed = {"Laser", "Inkjet"};
    main = std::make_unique<TfmXALMain>(sim.Platform(), view);
    main->FormCreate();
  }

  TXALMainEditor& Editor() { return *main->Editor(); }
  TXALSet& Set() { return *Editor().CurrentSet(); }
  // How many rechecks have run since start-up.
  int Rechecks() const { return view.matchingSetsChanges; }
  const std::string& Text(const char* key) const { return main->Language().Text(key); }

  sim::SimPlatform sim;
  sim::SimMainView view;
  std::unique_ptr<TfmXALMain> main;
};

}  // namespace xal
