// Catalogue contents shared by the catalogue tests.
#pragma once

#include <memory>
#include <string>

#include "catalogue/XALClasses00100.h"

namespace xal::test {

// The test files are written with LF; the program writes CR LF.
inline std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += '\r';
    }
    out += c;
  }
  return out;
}

// A set that uses every field, including what the writer leaves out: an IP setting with only a
// subnet mask, a DHCP setting with a mask, and a startup entry without a file path.
inline std::unique_ptr<TXALSet> MakeOfficeSet(TXALComponent* owner) {
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = "Office";
  TXALEnvironment& env = set->Environment;
  env.Displays.DisplayCount = 2;
  env.Displays.AddDisplay(1, 0, 0, 1920, 1080);
  env.Displays.AddDisplay(2, 1920, 0, 1280, 1024);
  env.Printers.Add("Laser A");
  env.Printers.Add("Color & Co");
  env.Network.WiFi = "Café-Netz";
  env.Network.IPList.Add("192.168.*.*");
  env.Network.IPList.Add("10.0.0.1");

  TXALTarget& target = set->Target;
  auto fixed = std::make_unique<TXALTargetIPSetting>(owner);
  fixed->Adapter = "Ethernet";
  fixed->Address = "192.168.1.10";
  fixed->SubnetMask = "255.255.255.0";
  fixed->Gateway = "192.168.1.1";
  fixed->DNS1 = "192.168.1.1";
  fixed->DNS2 = "8.8.8.8";
  target.Network.IPSettings.Add(std::move(fixed));
  auto dhcp = std::make_unique<TXALTargetIPSetting>(owner);
  dhcp->Adapter = "Wi-Fi";
  dhcp->Address = "dhcp";
  dhcp->SubnetMask = "255.0.0.0";
  target.Network.IPSettings.Add(std::move(dhcp));
  auto maskOnly = std::make_unique<TXALTargetIPSetting>(owner);
  maskOnly->SubnetMask = "255.255.0.0";
  target.Network.IPSettings.Add(std::move(maskOnly));
  target.Network.Proxy = "proxy:8080";
  target.Network.AutoConfigURL = "http://cfg/proxy.pac";
  target.DefaultPrinter = "Laser A";

  auto mail = std::make_unique<TXALStartup>(owner);
  mail->Name = "Mail";
  mail->FilePath = "C:\\Mail\\mail.exe";
  mail->Param = "/quiet";
  mail->WorkDir = "C:\\Mail";
  mail->OnlyNew = true;
  target.Startups.Add(std::move(mail));
  auto noPath = std::make_unique<TXALStartup>(owner);
  noPath->Name = "Nothing to start";
  target.Startups.Add(std::move(noPath));

  auto editor = std::make_unique<TXALApp>(owner);
  editor->Name = "Editor";
  editor->WindowClass = "Notepad";
  editor->Title = "<draft>";
  editor->State = TXALAppState::Maximized;
  editor->Display = 2;
  editor->Position = TXALRect{10, 20, 810, 620};
  editor->DefaultPrinter = "Color & Co";
  target.Apps.Add(std::move(editor));
  return set;
}

// The office set as it reads back: without what the writer leaves out.
inline std::unique_ptr<TXALSet> MakeOfficeSetAsRead(TXALComponent* owner) {
  auto set = MakeOfficeSet(owner);
  set->Target.Network.IPSettings.Delete(2);
  set->Target.Network.IPSettings.Items(1).SubnetMask.clear();
  set->Target.Startups.Delete(1);
  return set;
}

inline std::unique_ptr<TXALSet> MakeHomeSet(TXALComponent* owner) {
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = "Home";
  set->Environment.Displays.DisplayCount = 3;
  set->Target.Network.AutoConfigURL = "http://home/wpad.dat";
  return set;
}

// Office, a new set (empty name) and Home.
inline void FillSample(TXALSets& sets, bool asRead) {
  TXALComponent* owner = sets.Owner;
  sets.Add(asRead ? MakeOfficeSetAsRead(owner) : MakeOfficeSet(owner));
  sets.Add(std::make_unique<TXALSet>(owner));
  sets.Add(MakeHomeSet(owner));
}

}  // namespace xal::test
