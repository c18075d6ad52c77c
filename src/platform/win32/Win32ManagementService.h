// The Windows management service through its scripting objects, bound by the "winmgmts:"
// moniker and called late-bound by name. The caller's thread must have COM initialised.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ManagementService.h"

struct IDispatch;

namespace xal::win32 {

class Win32ManagementService : public IManagementService {
 public:
  Win32ManagementService() = default;
  ~Win32ManagementService() override;
  Win32ManagementService(const Win32ManagementService&) = delete;
  Win32ManagementService& operator=(const Win32ManagementService&) = delete;

  // Connects to root\cimv2 of the local machine at the first query and keeps the connection,
  // which costs as much as a small query; a query the kept connection fails is tried once more
  // on a new one, since the service may have been restarted meanwhile. The object must go before
  // COM is uninitialised on its thread, and is used from that thread only.
  std::unique_ptr<IManagementQuery> ExecQuery(const std::string& wql) override;

 private:
  IDispatch* service_ = nullptr;
};

// An argument of the adapter configuration methods: an array of texts (addresses, masks) or of
// 16-bit numbers (gateway metrics).
struct TManagementArrayArgument {
  enum class TKind { Texts, Numbers };
  TKind Kind = TKind::Texts;
  std::vector<std::string> Texts;
  std::vector<std::uint16_t> Numbers;
};

// Calls a method of an object that a Win32ManagementService query gave, with the arguments in
// order, and returns the method's own result number (0 means success for most methods). Raises
// EXALError when the call itself fails.
std::int32_t InvokeManagementMethod(IManagementObject& object, const std::string& method,
                                    const std::vector<TManagementArrayArgument>& arguments);

}  // namespace xal::win32
