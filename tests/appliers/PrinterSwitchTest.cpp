// Default printer switching: the installed check, the management call and the printer stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appliers/XALPrinterSwitch.h"
#include "catalogue/XALErrors.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALProbes.h"

namespace xal {
namespace {

using Names = std::vector<std::string>;

const std::string kConnection = "\\\\server\\Floor \"2\"";

class PrinterSwitch : public ::testing::Test {
 protected:
  PrinterSwitch() {
    sim_.printers.installed = {"Laser", "Inkjet", kConnection};
    sim_.management.SetObjects(
        sim::kPrinterClass,
        {sim::SimPrinter("Laser"), sim::SimPrinter("Inkjet"), sim::SimPrinter(kConnection)});
  }

  void MakeDefault(const std::string& name) {
    for (sim::SimObject& printer : sim_.management.Objects(sim::kPrinterClass)) {
      const bool is = std::get<std::string>(*printer.Find("Name")) == name;
      printer.Set("Default", is).Set("Attributes", std::int32_t{is ? 4 : 0});
    }
  }
  std::string Default() { return GetDefaultPrinter(sim_.management); }
  std::size_t Invocations() const { return sim_.management.Invocations().size(); }

  sim::SimPlatform sim_;
  TXALPrinterSwitch switch_{sim_.Platform()};
};

TEST_F(PrinterSwitch, SwitchesAndStacksThePreviousPrinterUnderTheNewOne) {
  MakeDefault("Laser");
  switch_.SwitchDefaultPrinter("Inkjet", true);
  EXPECT_EQ(Default(), "Inkjet");
  EXPECT_EQ(switch_.AppPrinters(), (Names{"Inkjet", "Laser"}));

  // A release switches back without pushing.
  switch_.AppPrinters().erase(switch_.AppPrinters().begin());
  switch_.SwitchDefaultPrinter(switch_.AppPrinters().front(), false);
  EXPECT_EQ(Default(), "Laser");
  EXPECT_EQ(switch_.AppPrinters(), Names{"Laser"});

  // A previous printer already on the stack (any letter case) is not pushed again.
  switch_.AppPrinters() = {"LASER"};
  switch_.SwitchDefaultPrinter("Inkjet", true);
  EXPECT_EQ(switch_.AppPrinters(), (Names{"Inkjet", "LASER"}));
}

TEST_F(PrinterSwitch, TheAlreadyDefaultPrinterIsPushedTwiceWithoutAManagementCall) {
  MakeDefault("Laser");
  switch_.SwitchDefaultPrinter("Laser", true);
  EXPECT_EQ(Invocations(), 0u);
  EXPECT_EQ(switch_.AppPrinters(), (Names{"Laser", "Laser"}));
}

TEST_F(PrinterSwitch, OtherLetterCaseIsInstalledButStillSwitchedBecauseTheDefaultCompareIsExact) {
  MakeDefault("Laser");
  switch_.SwitchDefaultPrinter("laser", true);
  ASSERT_EQ(Invocations(), 1u);
  EXPECT_EQ(sim_.management.Invocations()[0].object, "Laser");
  EXPECT_EQ(sim_.management.Invocations()[0].method, "SetDefaultPrinter");
  EXPECT_EQ(switch_.AppPrinters(), (Names{"laser", "Laser"}));
}

TEST_F(PrinterSwitch, WithNoDefaultAnEmptyPreviousIsStacked) {
  switch_.SwitchDefaultPrinter("Inkjet", true);
  EXPECT_EQ(Default(), "Inkjet");
  EXPECT_EQ(switch_.AppPrinters(), (Names{"Inkjet", ""}));
}

TEST_F(PrinterSwitch, EmptyOrUninstalledNamesChangeNothingAndTheListIsReadOnce) {
  MakeDefault("Laser");
  sim_.management.SetObjects("Win32_Printer",
                             {sim::SimPrinter("Laser"), sim::SimPrinter("Plotter")});
  switch_.SwitchDefaultPrinter("", true);
  switch_.SwitchDefaultPrinter("Plotter", true);
  sim_.printers.installed.push_back("Plotter");  // installed later: not seen until a restart
  switch_.SwitchDefaultPrinter("Plotter", true);
  EXPECT_TRUE(sim_.management.Queries().empty());
  EXPECT_TRUE(switch_.AppPrinters().empty());
  EXPECT_EQ(sim_.printers.calls, 1u);
  EXPECT_EQ(switch_.InstalledPrinters(), (Names{"Laser", "Inkjet", kConnection}));
}

TEST_F(PrinterSwitch, AFailingSetDefaultPrinterIsIgnoredAndStillPushed) {
  MakeDefault("Laser");
  sim_.management.FailMethod("SetDefaultPrinter");
  EXPECT_NO_THROW(switch_.SwitchDefaultPrinter("Inkjet", true));
  EXPECT_EQ(Invocations(), 1u);
  EXPECT_EQ(Default(), "Laser");
  EXPECT_EQ(switch_.AppPrinters(), (Names{"Inkjet", "Laser"}));
}

TEST_F(PrinterSwitch, AnUnreachableServiceRaisesAndPushesNothing) {
  sim_.management.SetUnreachable(true);
  EXPECT_THROW(switch_.SwitchDefaultPrinter("Inkjet", true), EXALError);
  EXPECT_TRUE(switch_.AppPrinters().empty());
}

TEST_F(PrinterSwitch, NamesWithBackslashesAndQuotesAreEscapedForTheQuery) {
  EXPECT_EQ(PrinterByNameQuery("Laser"), "Select * from Win32_Printer where Name=\"Laser\"");
  EXPECT_EQ(PrinterByNameQuery(kConnection),
            "Select * from Win32_Printer where Name=\"\\\\\\\\server\\\\Floor \\\"2\\\"\"");
  // The service reads the escaped name back and finds the connection.
  MakeDefault("Laser");
  switch_.SwitchDefaultPrinter(kConnection, true);
  EXPECT_EQ(Default(), kConnection);
}

}  // namespace
}  // namespace xal
