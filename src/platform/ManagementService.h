// The Windows management service as the probes use it: a query gives objects one at a time, and
// each named property is read on its own and can fail on its own, so a probe can keep what it
// read before a failure.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace xal {

class IManagementObject {
 public:
  virtual ~IManagementObject() = default;

  // Each raises EXALError when the property can't be read or has another type.
  virtual std::string GetString(const std::string& name) const = 0;
  virtual bool GetBool(const std::string& name) const = 0;
  virtual std::int32_t GetInt(const std::string& name) const = 0;
  // nullopt for a null property.
  virtual std::optional<std::vector<std::string>> GetStringArray(const std::string& name) const = 0;
  // Invokes a method of the object without arguments. Raises EXALError when the call fails;
  // the method's own result is not returned.
  virtual void InvokeMethod(const std::string& name) = 0;
};

class IManagementQuery {
 public:
  virtual ~IManagementQuery() = default;
  // The next object of the result, or nullptr at its end. Raises EXALError when the service
  // fails while enumerating.
  virtual std::unique_ptr<IManagementObject> Next() = 0;
};

class IManagementService {
 public:
  virtual ~IManagementService() = default;
  // Connects to the local namespace and runs the query. Raises EXALError with the system's
  // description when the service can't be reached or the query fails.
  virtual std::unique_ptr<IManagementQuery> ExecQuery(const std::string& wql) = 0;
};

}  // namespace xal
