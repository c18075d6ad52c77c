// The running program on the simulated platform with the real English texts, one display and
// one set without conditions (so it matches), for driving the editor's target side.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/XALApps.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"
#include "ui/XALMainEditor.h"

namespace xal {

class TargetEditorFixture : public ::testing::Test {
 protected:
  static constexpr const char* kFolder = "C:\\Kelpra\\";

  TargetEditorFixture() {
    std::ifstream file(std::string(XAL_SOURCE_DIR) + "/lang/1033.txt", std::ios::binary);
    std::ostringstream texts;
    texts << file.rdbuf();
    sim_.system.executablePath = std::string(kFolder) + "KelpraTremvale.exe";
    sim_.system.arguments = {"-m"};
    sim_.files.PutFile(std::string(kFolder) + "Languages\\1033.txt", texts.str());
    sim_.monitors.SetAttached({sim::SimMonitor(1, 0, 0, 1920, 1080)});
    sim_.management.SetObjects(sim::kPrinterClass, {sim::SimPrinter("Laser")});
  }

  // Starts the program; windows opened before this are handled but not placed.
  void Start() {
    main_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    main_->FormCreate();
    ASSERT_TRUE(main_->StartupComplete())
        << (sim_.boxes.Errors().empty() ? "" : sim_.boxes.Errors()[0]);
  }

  void SetUp() override { Start(); }

  TXALMainEditor& Editor() { return *main_->Editor(); }
  TXALSet& Set() { return *Editor().CurrentSet(); }
  const TXALControl& Grid(const char* name) { return Editor().Control(name); }
  std::string Text(const char* key) const { return main_->Language().Text(key); }

  void Queue(sim::SimDialogHost::Script script) {
    view_.dialogs.scripts.push_back(std::move(script));
  }
  // A script that types into the fields in order and presses OK.
  static sim::SimDialogHost::Script TypeAndOK(
      std::vector<std::pair<std::string, std::string>> fields) {
    return [fields = std::move(fields)](TXALDialog& dialog) {
      for (const auto& [name, text] : fields) {
        dialog.Type(name, text);
      }
      dialog.Click("btOK");
    };
  }
  std::size_t DialogsShown() const { return view_.dialogs.shown.size(); }

  // The column of every grid row, placeholder included.
  std::vector<std::string> Column(const char* grid, std::size_t column) {
    std::vector<std::string> cells;
    for (const auto& row : Grid(grid).Cells) {
      cells.push_back(row.at(column));
    }
    return cells;
  }
  static std::uint64_t Address(const void* item) { return reinterpret_cast<std::uintptr_t>(item); }

  TXALTargetIPSetting& AddIPSetting(const std::string& address) {
    TXALTargetIPSettings& settings = Set().Target.Network.IPSettings;
    auto setting = std::make_unique<TXALTargetIPSetting>(settings.Owner);
    setting->Adapter = "LAN";
    setting->Address = address;
    setting->SubnetMask = "255.255.255.0";
    return settings.Items(settings.Add(std::move(setting)));
  }
  TXALStartup& AddStartup(const std::string& name, const std::string& file = "prog.exe",
                          const std::string& param = "", const std::string& dir = "") {
    TXALStartups& startups = Set().Target.Startups;
    auto startup = std::make_unique<TXALStartup>(startups.Owner);
    startup->Name = name;
    startup->FilePath = file;
    startup->Param = param;
    startup->WorkDir = dir;
    return startups.Items(startups.Add(std::move(startup)));
  }
  TXALApp& AddRule(const std::string& windowClass, TXALRect position) {
    TXALApps& rules = Set().Target.Apps;
    auto rule = std::make_unique<TXALApp>(rules.Owner);
    rule->Name = windowClass;
    rule->WindowClass = windowClass;
    rule->Position = position;
    return rules.Items(rules.Add(std::move(rule)));
  }
  TXALWindowHandle OpenWindow(const std::string& windowClass) {
    sim::SimWindow window;
    window.ClassName = windowClass;
    window.Caption = windowClass + " window";
    return sim_.windows.Add(window);
  }

  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> main_;
};

}  // namespace xal
