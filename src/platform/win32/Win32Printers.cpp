#include "platform/win32/Win32Printers.h"

#include <windows.h>
// windows.h first: winspool.h needs its types.
#include <winspool.h>

#include <cstdint>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {

std::vector<std::string> Win32Printers::InstalledPrinters() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  // Level 4 reads only the spooler's own list, without asking each printer; still, a printer
  // may be added between the two calls, so ask again until the buffer fits.
  std::vector<std::uint8_t> buffer;
  DWORD needed = 0;
  DWORD count = 0;
  for (;;) {
    const BOOL done = EnumPrintersW(kFlags, nullptr, 4, buffer.empty() ? nullptr : buffer.data(),
                                    static_cast<DWORD>(buffer.size()), &needed, &count);
    if (done) {
      break;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
      buffer.resize(needed);
      continue;
    }
    // Without a spooler that has any printer, some systems answer with these instead of 0.
    if (error == ERROR_INVALID_NAME || error == RPC_S_SERVER_UNAVAILABLE) {
      return {};
    }
    throw EXALError("Listing the installed printers failed: " + SystemErrorText(error));
  }
  std::vector<std::string> names;
  names.reserve(count);
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (printers[i].pPrinterName != nullptr) {
      names.push_back(Narrow(printers[i].pPrinterName));
    }
  }
  return names;
}

}  // namespace xal::win32
