// The item dialogs' controls as the window draws them: inside the client area, none covering
// another, and each with what makes it usable.
#include <memory>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "ui/XALConfigDisplay.h"
#include "ui/XALConfigEnvIPAddress.h"
#include "ui/XALConfigPrinter.h"
#include "ui/XALConfigWiFi.h"

namespace xal {
namespace {

using EnvItemLayout = DialogFixture;

bool Overlap(const TXALBounds& a, const TXALBounds& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

TEST_F(EnvItemLayout, ControlsFitTheClientAreaWithoutCoveringEachOther) {
  std::vector<std::unique_ptr<TXALDialog>> dialogs;
  dialogs.push_back(std::make_unique<TfmXALConfigWiFi>(context));
  dialogs.push_back(std::make_unique<TfmXALConfigEnvIPAddress>(context));
  dialogs.push_back(std::make_unique<TfmXALConfigDisplay>(context));
  dialogs.push_back(std::make_unique<TfmXALConfigPrinter>(context, TXALPrinterChoice::Single));
  dialogs.push_back(std::make_unique<TfmXALConfigPrinter>(context, TXALPrinterChoice::Several));
  for (const auto& dialog : dialogs) {
    dialog->Show();
    const std::vector<TXALControl>& controls = dialog->Controls();
    int closesOK = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const TXALControl& c = controls[i];
      const std::string where = dialog->FormName() + "." + c.Name;
      const TXALBounds& b = c.Bounds;
      EXPECT_TRUE(b.Left >= 8 && b.Top >= 8 && b.Left + b.Width <= dialog->ClientWidth() - 8 &&
                  b.Top + b.Height <= dialog->ClientHeight() - 8)
          << where << " leaves the client area or its margin";
      EXPECT_FALSE(c.Kind != TXALControlKind::Edit && c.Kind != TXALControlKind::SpinEdit &&
                   c.Kind != TXALControlKind::List && c.Kind != TXALControlKind::MultiList &&
                   c.Text.empty())
          << where << " has no caption";
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(Overlap(b, controls[j].Bounds)) << where << " covers " << controls[j].Name;
      }
      if (c.Closes == TXALModalResult::OK) {
        ++closesOK;
        EXPECT_TRUE(c.Default) << where;
      }
      if (c.Closes == TXALModalResult::Cancel) {
        EXPECT_TRUE(c.Cancel) << where;
      }
    }
    EXPECT_EQ(closesOK, 1) << dialog->FormName();
  }
}

}  // namespace
}  // namespace xal
