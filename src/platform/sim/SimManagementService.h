// An in-memory management service: objects of named classes, each a map of properties, any of
// which can be made to fail when read. Queries are dispatched by the class name after "from";
// a "Where <property> = <TRUE|FALSE>" clause keeps the objects whose property has that value, and
// a "Where <property> = \"<text>\"" clause (a WQL string: a backslash takes the next character
// as it is) the objects whose text property equals it without regard to letter case, as the
// service compares. Methods invoked on query results act on the stored objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/ManagementService.h"

namespace xal::sim {

extern const char* const kAdapterClass;
extern const char* const kPrinterClass;

// A null property: arrays read as nullopt, every other read fails.
struct SimNull {};

using SimValue = std::variant<SimNull, std::string, bool, std::int32_t, std::vector<std::string>>;

class SimObject {
 public:
  SimObject& Set(const std::string& name, const char* value);
  SimObject& Set(const std::string& name, std::string value);
  SimObject& Set(const std::string& name, bool value);
  SimObject& Set(const std::string& name, std::int32_t value);
  SimObject& Set(const std::string& name, std::vector<std::string> value);
  SimObject& SetNull(const std::string& name);
  // Reading the property raises an error; a query's Where clause still sees its value.
  SimObject& Fail(const std::string& name);
  SimObject& Remove(const std::string& name);

  const SimValue* Find(const std::string& name) const;
  bool Fails(const std::string& name) const { return failing_.count(name) != 0; }

 private:
  std::map<std::string, SimValue> values_;
  std::set<std::string> failing_;
};

// An IP-enabled adapter with DHCP off, one subnet mask per address, no gateway and no DNS
// servers (both null).
SimObject SimAdapter(const std::string& settingID, const std::string& caption,
                     std::vector<std::string> addresses);
// A ready printer named caption: status 3 (idle), extended status 2 (unknown), online, not the
// default. Its SetDefaultPrinter method makes it the only default printer.
SimObject SimPrinter(const std::string& caption);

class SimManagementService : public IManagementService {
 public:
  std::unique_ptr<IManagementQuery> ExecQuery(const std::string& wql) override;

  // Replaces the objects of a class. Queries copy the objects when they run, so a change
  // affects the next query only.
  void SetObjects(const std::string& className, std::vector<SimObject> objects);
  std::vector<SimObject>& Objects(const std::string& className) { return classes_[className]; }
  // Every query fails as when the service can't be reached.
  void SetUnreachable(bool unreachable) { unreachable_ = unreachable; }
  // Queries after this many more raise an error, as a service that stops part-way; nullopt for
  // none.
  void FailQueriesAfter(std::optional<std::size_t> count) { queriesLeft_ = count; }
  // Enumeration raises an error after this many objects; nullopt for none.
  void FailEnumerationAfter(std::optional<std::size_t> count) { failEnumerationAfter_ = count; }

  // While *callsRefused is true every query and method call raises the error the system gives
  // for calls made while a sent message waits for its answer.
  const bool* callsRefused = nullptr;

  // Invoking this method raises an error and changes nothing; the attempt is still recorded.
  void FailMethod(const std::string& method) { failingMethods_.insert(method); }

  struct Invocation {
    std::string className;
    // The object's Name, or its Caption when it has no name.
    std::string object;
    std::string method;
  };

  // Inspection.
  const std::vector<std::string>& Queries() const { return queries_; }
  const std::vector<Invocation>& Invocations() const { return invocations_; }
  std::size_t PropertyReads() const { return *propertyReads_; }
  void ResetCounters();

  // Called by the objects that queries give out.
  void Invoke(const std::string& className, std::size_t index, const std::string& method);

 private:
  void RefuseInsideSentMessage() const;

  std::map<std::string, std::vector<SimObject>> classes_;
  bool unreachable_ = false;
  std::optional<std::size_t> queriesLeft_;
  std::optional<std::size_t> failEnumerationAfter_;
  std::vector<std::string> queries_;
  std::set<std::string> failingMethods_;
  std::vector<Invocation> invocations_;
  std::shared_ptr<std::size_t> propertyReads_ = std::make_shared<std::size_t>(0);
};

}  // namespace xal::sim
