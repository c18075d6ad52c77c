// The main window's logic started on the simulated platform with a catalogue of its own, and its
// editor, which the tests drive as a person would.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "catalogue/XALSet.h"
#include "catalogue/XALSets.h"
#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimManagementService.h"
#include "platform/sim/SimPlatform.h"
#include "ui/XALMainEditor.h"

namespace xal {

class SetsEditorFixture : public ::testing::Test {
 protected:
  static constexpr const char* kProgramFolder = "C:\\Program Files\\Kelpra Tremvale\\";

  // Starts with the data file given (none: the program makes its "Default" set).
  TXALMainEditor& Start(const std::string& dataFile = {}) {
    std::ifstream file(std::string(XAL_SOURCE_DIR) + "/lang/1033.txt", std::ios::binary);
    std::ostringstream language;
    language << file.rdbuf();
    sim_.files.PutFile(std::string(kProgramFolder) + "KelpraTremvale.exe", "MZ");
    sim_.files.PutFile(std::string(kProgramFolder) + "Languages\\1033.txt", language.str());
    sim_.system.arguments = {"-m"};
    // One adapter, so that address patterns have something to match.
    sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                               {sim::SimAdapter("{1}", "eth0", {"192.168.1.20"})});
    sim_.hostAddresses.addresses = {"192.168.1.20"};
    if (!dataFile.empty()) {
      sim_.files.PutFile(std::string(kProgramFolder) + "XALData.xml", dataFile);
    }
    main_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    main_->FormCreate();
    EXPECT_TRUE(main_->StartupComplete());
    EXPECT_EQ(view_.editor, main_->Editor());
    return *main_->Editor();
  }

  TXALSets& Sets() { return *main_->WorkingSets(); }
  TXALMainEditor& Editor() { return *main_->Editor(); }
  const std::vector<std::string>& SetLines() { return Editor().Control("lbXALSets").Items; }

  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> main_;
};

// Sets that match wherever the machine is (an address pattern of stars), and one that doesn't.
inline const char* const kThreeSets =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<XALSets Version=\"1.00\">\r\n"
    "  <XALSet Name=\"Office\"><Environment><Network><IP Address=\"*.*.*.*\"/></Network>"
    "</Environment><Target/></XALSet>\r\n"
    "  <XALSet Name=\"\"><Environment/><Target/></XALSet>\r\n"
    "  <XALSet Name=\"Home\"><Environment><Network><IP Address=\"10.9.9.*\"/></Network>"
    "</Environment><Target/></XALSet>\r\n"
    "</XALSets>\r\n";

}  // namespace xal
