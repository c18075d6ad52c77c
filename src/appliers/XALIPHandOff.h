// Handing pending IPv4 settings to the elevated helper "XALSetIPSettings.exe": the program runs
// without administrator rights, so it only works out what differs, tells the user, and on the
// user's command writes the settings into a named shared block and starts the helper on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalogue/XALLists.h"

namespace xal {

struct TXALPlatform;
class ISharedBlock;
class ISharedMemory;
class IShell;
class TXALLanguage;

extern const char* const kIPSettingsBlockName;
extern const char* const kIPSettingsHelperFile;

// The setting's adapter text occurs in the adapter's name, letter case counting. An empty
// adapter text applies to nothing.
bool IPSettingApplies(const TXALTargetIPSetting& setting, const TXALIPStatus& status);
// Empty fields of the setting are not compared. On a DHCP adapter only a switch to a static
// address or given name servers differ; "DHCP" on a static adapter always differs.
bool IPSettingDiffers(const TXALTargetIPSetting& setting, const TXALIPStatus& status);
// Some setting of the sets applies to an adapter entry and differs from it.
bool HasPendingIPChanges(const TXALSetList& sets, const TXALIPStatusList& statuses);
// Sets from the last to the first, their settings in order, each once for every adapter entry
// it applies to and differs from: an adapter with two addresses gives the setting twice.
TXALTargetIPSettingList PendingIPSettings(const TXALSetList& sets,
                                          const TXALIPStatusList& statuses);
// Six CR LF terminated lines per setting: adapter, address, mask, gateway, DNS1, DNS2, as UTF-8
// bytes, which the helper reads.
std::string IPSettingsBlockText(const TXALTargetIPSettingList& settings);

// Starts file with "runas" where the system knows elevation (major version 6 and later), else
// "open". True when the platform accepted the start.
bool ExecuteElevated(IShell& shell, const std::string& file, const std::string& parameters);

// A stream over one named shared block. Reads and writes stop at the end of the block; a
// negative position or count does nothing.
class TCommonMemoryStream {
 public:
  TCommonMemoryStream();
  ~TCommonMemoryStream();
  TCommonMemoryStream(const TCommonMemoryStream&) = delete;
  TCommonMemoryStream& operator=(const TCommonMemoryStream&) = delete;

  // Creates the block, or opens the one of that name that exists (which keeps its first size),
  // and releases any block opened before. Size becomes the smaller of size and the block's real
  // size, so that nothing is ever read or written past its end. Raises EXALError when the block
  // can't be had; the stream is then closed.
  void Open(ISharedMemory& memory, const std::string& name, std::size_t size);
  // Releases the block; the name lives on while another process holds it.
  void Close();
  bool IsOpen() const { return block_ != nullptr; }

  // The bytes copied.
  std::int64_t Read(void* buffer, std::int64_t count);
  std::int64_t Write(const void* buffer, std::int64_t count);
  // Origin 0: from the start, 1: from the position, 2: from the end; any other origin leaves
  // the position. The new position.
  std::int64_t Seek(std::int64_t offset, int origin);

  std::int64_t Size() const { return size_; }
  std::int64_t Position() const { return position_; }

 private:
  std::unique_ptr<ISharedBlock> block_;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
};

class TXALIPHandOff {
 public:
  using TBalloon = std::function<void(const std::string& title, const std::string& text)>;

  TXALIPHandOff(TXALPlatform& platform, const TXALLanguage& language, TBalloon showBalloon);

  // Without force: shows the pending-settings balloon, or withdraws it when nothing is pending.
  // With force: writes the pending settings into the shared block and starts the helper from
  // programFolder (which ends in a separator). Raises EXALError, starting nothing, when the
  // block can't be had at the size the text needs.
  void HandOffIPSettings(const TXALSetList& sets, const TXALIPStatusList& statuses, bool force,
                         const std::string& programFolder);

 private:
  TXALPlatform& platform_;
  const TXALLanguage& language_;
  TBalloon showBalloon_;
  // Kept open after a hand-off: the helper opens the block by name after it has started.
  TCommonMemoryStream stream_;
};

// The longest head of the UTF-8 text that fits maxUnits UTF-16 units (the unit the notification
// area counts), never cutting a character in two.
std::string CutToUtf16Units(const std::string& text, std::size_t maxUnits);

}  // namespace xal
