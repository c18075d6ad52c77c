// A dialog's surroundings on the simulated platform: the real English texts, the
// current-environment store, a scripted host for dialogs opened from dialogs, and the choosers.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/sim/SimDialogHost.h"
#include "platform/sim/SimFileDialogs.h"
#include "platform/sim/SimLogOnShortcut.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALCurrent.h"
#include "ui/XALDialogContext.h"
#include "ui/XALLanguage.h"

namespace xal {

inline std::string ReadSourceFile(const std::string& relativePath) {
  std::ifstream file(std::string(XAL_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class DialogFixture : public ::testing::Test {
 protected:
  DialogFixture() { language.Load(ReadSourceFile("lang/1033.txt")); }

  // Text of a language key, for comparing with what a dialog shows.
  const std::string& Text(const char* key) const { return language.Text(key); }

  sim::SimPlatform sim;
  TXALLanguage language;
  TfmXALCurrent current{sim.Platform(), language};
  sim::SimDialogHost host;
  sim::SimFileDialogs fileDialogs;
  sim::SimLogOnShortcut logOnShortcut;
  TXALDialogContext context{sim.Platform(), language, current, host, fileDialogs, logOnShortcut};
};

}  // namespace xal
