// The set the file benchmarks fill a large catalogue with, on the host and under Wine alike, so
// that their ratios speak of the same file.
#pragma once

#include <memory>
#include <string>

#include "catalogue/XALClasses00100.h"

namespace xal::bench {

// Set number index of a catalogue: every kind of condition and target, texts that need escaping.
inline std::unique_ptr<TXALSet> MakeBenchmarkSet(TXALComponent* owner, int index) {
  const std::string n = std::to_string(index);
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = "Location " + n;
  TXALEnvironment& env = set->Environment;
  env.Displays.DisplayCount = 2;
  env.Displays.AddDisplay(1, 0, 0, 1920, 1080);
  env.Displays.AddDisplay(2, 1920, index % 200, 1280, 1024);
  env.Printers.Add("Office Laser " + n);
  env.Printers.Add("Color & Photo");
  env.Network.WiFi = "Corp-WiFi-" + n;
  env.Network.IPList.Add("192.168." + std::to_string(index % 256) + ".*");
  env.Network.IPList.Add("10.*.*.*");
  env.Network.IPList.Add("172.16.0.1");

  TXALTarget& target = set->Target;
  auto fixed = std::make_unique<TXALTargetIPSetting>(owner);
  fixed->Adapter = "Ethernet";
  fixed->Address = "192.168.1." + std::to_string(index % 250 + 1);
  fixed->SubnetMask = "255.255.255.0";
  fixed->Gateway = "192.168.1.254";
  fixed->DNS1 = "192.168.1.254";
  fixed->DNS2 = "8.8.8.8";
  target.Network.IPSettings.Add(std::move(fixed));
  auto dhcp = std::make_unique<TXALTargetIPSetting>(owner);
  dhcp->Adapter = "Wi-Fi";
  dhcp->Address = "DHCP";
  target.Network.IPSettings.Add(std::move(dhcp));
  target.Network.Proxy = "proxy.example:8080";
  target.Network.AutoConfigURL = "http://config.example/proxy.pac";
  target.DefaultPrinter = "Office Laser " + n;

  for (const char* program : {"mail", "chat"}) {
    auto startup = std::make_unique<TXALStartup>(owner);
    startup->Name = program;
    startup->FilePath = std::string("C:\\Program Files\\") + program + "\\" + program + ".exe";
    startup->Param = "/minimized";
    startup->WorkDir = "C:\\Users\\me";
    startup->OnlyNew = true;
    target.Startups.Add(std::move(startup));
  }
  for (const char* windowClass : {"Notepad", "XLMAIN", "CabinetWClass"}) {
    auto app = std::make_unique<TXALApp>(owner);
    app->Name = std::string(windowClass) + " rule";
    app->WindowClass = windowClass;
    app->Title = "Report <" + n + ">";
    app->State = TXALAppState::Maximized;
    app->Display = 2;
    app->Position = TXALRect{10, 20, 1210, 820};
    app->DefaultPrinter = "Color & Photo";
    target.Apps.Add(std::move(app));
  }
  return set;
}

}  // namespace xal::bench
