#include "appliers/XALIPHandOff.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "catalogue/XALErrors.h"
#include "catalogue/XALSet.h"
#include "platform/XALPlatform.h"
#include "sensing/XALNetwork.h"
#include "ui/XALLanguage.h"

namespace xal {

const char* const kIPSettingsBlockName = "IPSettingsMMF_ForTremvale";
const char* const kIPSettingsHelperFile = "XALSetIPSettings.exe";

namespace {

// What the notification area holds, terminating zero excluded.
constexpr std::size_t kBalloonTitleUnits = 63;
constexpr std::size_t kBalloonTextUnits = 255;

bool Given(const std::string& field) {
  return !field.empty();
}

bool GivenAndDiffers(const std::string& wanted, const std::string& present) {
  return Given(wanted) && wanted != present;
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  if (b > 0 && a > std::numeric_limits<std::int64_t>::max() - b) {
    return std::numeric_limits<std::int64_t>::max();
  }
  if (b < 0 && a < std::numeric_limits<std::int64_t>::min() - b) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return a + b;
}

}  // namespace

bool IPSettingApplies(const TXALTargetIPSetting& setting, const TXALIPStatus& status) {
  // UTF-8 needs no care here: a whole character sequence can't match inside another character.
  return !setting.Adapter.empty() && status.Adapter.find(setting.Adapter) != std::string::npos;
}

bool IPSettingDiffers(const TXALTargetIPSetting& setting, const TXALIPStatus& status) {
  const bool wantsDHCP = setting.Address == "DHCP";
  if (status.DHCP) {
    // An empty address leaves the adapter on DHCP, as any empty field leaves its setting: only
    // a static address asks for a change, or the name servers. Otherwise a target without an
    // address would stay pending for ever, since nothing the helper does can satisfy it.
    return (Given(setting.Address) && !wantsDHCP) || GivenAndDiffers(setting.DNS1, status.DNS1) ||
           GivenAndDiffers(setting.DNS2, status.DNS2);
  }
  // "DHCP" never equals a static address, so it always asks for the switch.
  return GivenAndDiffers(setting.Address, status.Address) ||
         GivenAndDiffers(setting.SubnetMask, status.SubnetMask) ||
         GivenAndDiffers(setting.Gateway, status.Gateway) ||
         GivenAndDiffers(setting.DNS1, status.DNS1) || GivenAndDiffers(setting.DNS2, status.DNS2);
}

TXALTargetIPSettingList PendingIPSettings(const TXALSetList& sets,
                                          const TXALIPStatusList& statuses) {
  TXALTargetIPSettingList pending;
  // The set highest in the catalogue comes last in the list and goes first to the helper.
  for (int s = sets.Count() - 1; s >= 0; --s) {
    TXALTargetIPSettings& settings = sets.Items(s)->Target.Network.IPSettings;
    for (int i = 0; i < settings.Count(); ++i) {
      for (const TXALIPStatus* status : statuses) {
        if (IPSettingApplies(settings.Items(i), *status) &&
            IPSettingDiffers(settings.Items(i), *status)) {
          pending.Add(&settings.Items(i));
        }
      }
    }
  }
  return pending;
}

bool HasPendingIPChanges(const TXALSetList& sets, const TXALIPStatusList& statuses) {
  return PendingIPSettings(sets, statuses).Count() > 0;
}

std::string IPSettingsBlockText(const TXALTargetIPSettingList& settings) {
  std::string text;
  for (const TXALTargetIPSetting* setting : settings) {
    for (const std::string* line : {&setting->Adapter, &setting->Address, &setting->SubnetMask,
                                    &setting->Gateway, &setting->DNS1, &setting->DNS2}) {
      text += *line;
      text += "\r\n";
    }
  }
  return text;
}

bool ExecuteElevated(IShell& shell, const std::string& file, const std::string& parameters) {
  return shell.ExecuteEx(shell.OsMajorVersion() >= 6 ? "runas" : "open", file, parameters);
}

std::string CutToUtf16Units(const std::string& text, std::size_t maxUnits) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    length = std::min(length, text.size() - i);
    // Characters above the basic plane take a surrogate pair.
    const std::size_t needed = length == 4 ? 2 : 1;
    if (units + needed > maxUnits) {
      break;
    }
    units += needed;
    i += length;
  }
  return text.substr(0, i);
}

TCommonMemoryStream::TCommonMemoryStream() = default;
TCommonMemoryStream::~TCommonMemoryStream() = default;

void TCommonMemoryStream::Open(ISharedMemory& memory, const std::string& name, std::size_t size) {
  Close();
  block_ = memory.CreateOrOpen(name, size);
  const std::size_t usable = std::min(size, block_->Size());
  size_ = static_cast<std::int64_t>(std::min<std::uint64_t>(
      usable, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())));
  position_ = 0;
}

void TCommonMemoryStream::Close() {
  block_.reset();
  size_ = 0;
  position_ = 0;
}

std::int64_t TCommonMemoryStream::Read(void* buffer, std::int64_t count) {
  if (position_ < 0 || count <= 0 || position_ >= size_) {
    return 0;
  }
  const std::int64_t copied = std::min(count, size_ - position_);
  std::memcpy(buffer, block_->View() + position_, static_cast<std::size_t>(copied));
  position_ += copied;
  return copied;
}

std::int64_t TCommonMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (position_ < 0 || count <= 0 || position_ >= size_) {
    return 0;
  }
  const std::int64_t copied = std::min(count, size_ - position_);
  std::memcpy(block_->View() + position_, buffer, static_cast<std::size_t>(copied));
  position_ += copied;
  return copied;
}

std::int64_t TCommonMemoryStream::Seek(std::int64_t offset, int origin) {
  switch (origin) {
    case 0:
      position_ = offset;
      break;
    case 1:
      position_ = SaturatingAdd(position_, offset);
      break;
    case 2:
      position_ = SaturatingAdd(size_, offset);
      break;
    default:
      break;
  }
  return position_;
}

TXALIPHandOff::TXALIPHandOff(TXALPlatform& platform, const TXALLanguage& language,
                             TBalloon showBalloon)
    : platform_(platform), language_(language), showBalloon_(std::move(showBalloon)) {}

void TXALIPHandOff::HandOffIPSettings(const TXALSetList& sets, const TXALIPStatusList& statuses,
                                      bool force, const std::string& programFolder) {
  const TXALTargetIPSettingList pending = PendingIPSettings(sets, statuses);
  if (pending.Count() == 0) {
    // Empty title and text take down a balloon that is still shown.
    showBalloon_({}, {});
    return;
  }
  const std::string text = IPSettingsBlockText(pending);
  if (!force) {
    showBalloon_(CutToUtf16Units(language_.Text("fmXALMain_TrayIconBalloonTitleIPAddressToSet"),
                                 kBalloonTitleUnits),
                 CutToUtf16Units(language_.Text("fmXALMain_TrayIconBalloonHintIPAddressToSet"),
                                 kBalloonTextUnits));
    return;
  }

  // A block keeps the size of its first creation while anyone holds it, so let go of ours first:
  // a longer text then gets a new block, unless a helper started earlier still has the old one.
  stream_.Close();
  stream_.Open(platform_.SharedMemory, kIPSettingsBlockName, text.size());
  const auto needed = static_cast<std::int64_t>(text.size());
  if (stream_.Size() < needed) {
    stream_.Close();
    throw EXALError("The IP settings need " + std::to_string(text.size()) +
                    " bytes of shared memory, but a program started earlier still holds a "
                    "smaller block. Try again when it has ended.");
  }
  if (stream_.Write(text.data(), needed) != needed) {
    throw EXALError("The IP settings could not be written to shared memory.");
  }
  ExecuteElevated(platform_.Shell, programFolder + kIPSettingsHelperFile,
                  std::to_string(text.size()));
}

}  // namespace xal
