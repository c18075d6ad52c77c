// Feeds arbitrary bytes to the readers of XALData.xml and XALSetting.xml, as a stranger who
// edits the files could. Whatever loads must save, and what was saved must load back equal, up
// to what the writer drops by design, and save again to the same bytes; whatever does not load
// must fail with one of the readers' own errors and leave the catalogue as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/XALClasses00100.h"
#include "catalogue/XmlParser.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The writer leaves out IP settings without values, startup entries without a file path and a
// subnet mask that has no address, or DHCP, beside it; a display count of 0 in a layout that
// lists displays reads back as 1.
void DropWhatTheWriterDrops(xal::TXALSets& sets) {
  for (int s = 0; s < sets.Count(); ++s) {
    xal::TXALSet& set = sets.Items(s);
    xal::TXALDisplays& displays = set.Environment.Displays;
    if (displays.DisplayCount == 0 && displays.Count() > 0) {
      displays.DisplayCount = 1;
    }
    xal::TXALTargetIPSettings& settings = set.Target.Network.IPSettings;
    for (int i = settings.Count() - 1; i >= 0; --i) {
      xal::TXALTargetIPSetting& setting = settings.Items(i);
      if (!setting.HasValues()) {
        settings.Delete(i);
      } else if (setting.Address.empty() || xal::SameText(setting.Address, "DHCP")) {
        setting.SubnetMask.clear();
      }
    }
    xal::TXALStartups& startups = set.Target.Startups;
    for (int i = startups.Count() - 1; i >= 0; --i) {
      if (startups.Items(i).FilePath.empty()) {
        startups.Delete(i);
      }
    }
  }
}

// Runs a first load; false when it failed the way a bad file may.
template <typename Load>
bool LoadsOrFailsCleanly(Load&& load) {
  try {
    load();
    return true;
  } catch (const xal::xml::EXmlParseError&) {
  } catch (const xal::EXALError&) {
  } catch (const xal::EConvertError&) {
  }
  return false;
}

void CatalogueRoundTrip(std::string_view bytes) {
  xal::TXALComponent owner;
  xal::TXALSets first(&owner);
  if (!LoadsOrFailsCleanly([&] { first.LoadFromBytes(bytes, "XALData.xml"); })) {
    Check(first.Count() == 0);
    return;
  }
  // From here on nothing may fail: every throw ends the run as a finding.
  const std::string saved = first.SaveToBytes("comment");
  xal::TXALSets second(&owner);
  second.LoadFromBytes(saved, "XALData.xml");
  DropWhatTheWriterDrops(first);
  Check(second.Equals(first));
  // Once through the writer, a catalogue stays byte for byte what it is. (Not the first save:
  // a target whose startup entries all lack a file path keeps an empty Startups element once.)
  const std::string again = second.SaveToBytes("comment");
  Check(again == first.SaveToBytes("comment"));
  xal::TXALSets third(&owner);
  third.LoadFromBytes(again, "XALData.xml");
  Check(third.Equals(second));
  Check(third.SaveToBytes("comment") == again);

  // The text form of each set, as the clipboard carries it, gives the set back too.
  for (int i = 0; i < second.Count(); ++i) {
    xal::TXALSet copy(&owner);
    copy.FromText(second.Items(i).ToText());
    Check(copy.Equals(&second.Items(i)));
  }
}

void SettingRoundTrip(std::string_view bytes) {
  xal::TXALComponent owner;
  xal::TXALSetting first(&owner);
  if (!LoadsOrFailsCleanly([&] { first.LoadFromBytes(bytes, "XALSetting.xml"); })) {
    return;
  }
  const std::string saved = first.SaveToBytes("comment");
  xal::TXALSetting second(&owner);
  second.LoadFromBytes(saved, "XALSetting.xml");
  Check(second.Equals(first));
  Check(second.SaveToBytes("comment") == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CatalogueRoundTrip(bytes);
  SettingRoundTrip(bytes);
  return 0;
}
