// The Windows management service through its scripting objects, bound by the "winmgmts:"
// moniker and called late-bound by name. The caller's thread must have COM initialised.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ManagementService.h"

namespace xal::win32 {

class Win32ManagementService : public IManagementService {
 public:
  Win32ManagementService() = default;

  // Connects to root\cimv2 of the local machine anew for each query.
  std::unique_ptr<IManagementQuery> ExecQuery(const std::string& wql) override;
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
