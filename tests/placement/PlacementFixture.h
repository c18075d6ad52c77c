// Two displays, three installed printers with A the default, a catalogue whose sets all match,
// and the intake over simulated windows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "appliers/XALPrinterSwitch.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALSets.h"
#include "catalogue/XALSetting.h"
#include "placement/XALWindowIntake.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimWindowSystem.h"
#include "sensing/XALCurrent.h"
#include "sensing/XALProbes.h"
#include "ui/XALLanguage.h"

namespace xal {

class PlacementFixture : public ::testing::Test {
 protected:
  PlacementFixture() : current_(sim_.Platform(), language_) {
    sim_.monitors.SetAttached(
        {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, 1920, 0, 1280, 1024)});
    sim_.monitors.Refresh();
    windows_.monitors = &sim_.monitors;
    setting_.WhiteList.Add("WhiteClass");
    setting_.BlackList.Add("BlackClass");
    setting_.BlackList.Add("WhiteClass");
    sim_.printers.installed = {"A", "B", "C"};
    sim_.management.SetObjects(sim::kPrinterClass,
                               {sim::SimPrinter("A"), sim::SimPrinter("B"), sim::SimPrinter("C")});
    MakeDefault("A");
  }

  void MakeDefault(const std::string& name) {
    for (sim::SimObject& printer : sim_.management.Objects(sim::kPrinterClass)) {
      const bool is = std::get<std::string>(*printer.Find("Name")) == name;
      printer.Set("Default", is).Set("Attributes", std::int32_t{is ? 4 : 0});
    }
  }
  std::string DefaultPrinter() { return GetDefaultPrinter(sim_.management); }

  // A set at the end of the catalogue, appended to the matching sets.
  TXALSet& AddMatchingSet() {
    const int index = catalogue_.Add(std::make_unique<TXALSet>(&owner_));
    TXALSet& set = catalogue_.Items(index);
    matching_.Add(&set);
    return set;
  }
  static TXALApp& AddRule(TXALSet& set, const std::string& windowClass, TXALRect position,
                          TXALAppState state = TXALAppState::Normal, int display = 1,
                          const std::string& printer = "") {
    auto rule = std::make_unique<TXALApp>(set.Target.Apps.Owner);
    rule->WindowClass = windowClass;
    rule->Position = position;
    rule->State = state;
    rule->Display = display;
    rule->DefaultPrinter = printer;
    return set.Target.Apps.Items(set.Target.Apps.Add(std::move(rule)));
  }
  TXALWindowHandle Open(const std::string& windowClass, const std::string& caption = "Doc") {
    sim::SimWindow window;
    window.ClassName = windowClass;
    window.Caption = caption;
    return windows_.Add(window);
  }
  TXALRect NormalRect(TXALWindowHandle window) {
    return windows_.Window(window).Placement.NormalPosition;
  }
  int ShowCmd(TXALWindowHandle window) { return windows_.Window(window).Placement.ShowCmd; }
  // Runs the timer as the main window would until it stops; the number of ticks.
  int RunTimer() {
    int ticks = 0;
    while (windows_.timerEnabled && ticks < 1000) {
      intake_.TimerTimer();
      ++ticks;
    }
    return ticks;
  }

  sim::SimPlatform sim_;
  TXALLanguage language_;
  TfmXALCurrent current_;
  sim::SimWindowSystem windows_;
  TXALComponent owner_;
  TXALSetting setting_{&owner_};
  TXALSets catalogue_{&owner_};
  TXALSetList matching_;
  TXALPrinterSwitch printers_{sim_.Platform()};
  TXALWindowIntake intake_{windows_,  sim_.monitors, windows_, setting_,
                           matching_, printers_,     current_};
};

}  // namespace xal
