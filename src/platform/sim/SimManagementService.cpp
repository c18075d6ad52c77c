#include "platform/sim/SimManagementService.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "catalogue/XALErrors.h"

namespace xal::sim {

const char* const kAdapterClass = "Win32_NetworkAdapterConfiguration";
const char* const kPrinterClass = "Win32_Printer";

SimObject& SimObject::Set(const std::string& name, const char* value) {
  return Set(name, std::string(value));
}

SimObject& SimObject::Set(const std::string& name, std::string value) {
  values_[name] = std::move(value);
  return *this;
}

SimObject& SimObject::Set(const std::string& name, bool value) {
  values_[name] = value;
  return *this;
}

SimObject& SimObject::Set(const std::string& name, std::int32_t value) {
  values_[name] = value;
  return *this;
}

SimObject& SimObject::Set(const std::string& name, std::vector<std::string> value) {
  values_[name] = std::move(value);
  return *this;
}

SimObject& SimObject::SetNull(const std::string& name) {
  values_[name] = SimNull{};
  return *this;
}

SimObject& SimObject::Fail(const std::string& name) {
  failing_.insert(name);
  return *this;
}

SimObject& SimObject::Remove(const std::string& name) {
  values_.erase(name);
  return *this;
}

const SimValue* SimObject::Find(const std::string& name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

SimObject SimAdapter(const std::string& settingID, const std::string& caption,
                     std::vector<std::string> addresses) {
  SimObject adapter;
  std::vector<std::string> masks(addresses.size(), "255.255.255.0");
  adapter.Set("SettingID", settingID)
      .Set("Caption", caption)
      .Set("IPEnabled", true)
      .Set("DHCPEnabled", false)
      .Set("IPAddress", std::move(addresses))
      .Set("IPSubnet", std::move(masks))
      .SetNull("DefaultIPGateway")
      .SetNull("DNSServerSearchOrder");
  return adapter;
}

SimObject SimPrinter(const std::string& caption) {
  SimObject printer;
  printer.Set("Caption", caption)
      .Set("Attributes", std::int32_t{0})
      .Set("Default", false)
      .Set("PrinterStatus", std::int32_t{3})
      .Set("ExtendedPrinterStatus", std::int32_t{2})
      .Set("WorkOffline", false);
  return printer;
}

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class SimManagementObject : public IManagementObject {
 public:
  SimManagementObject(SimObject object, std::shared_ptr<std::size_t> reads)
      : object_(std::move(object)), reads_(std::move(reads)) {}

  std::string GetString(const std::string& name) const override {
    return Get<std::string>(name, "text");
  }
  bool GetBool(const std::string& name) const override { return Get<bool>(name, "boolean"); }
  std::int32_t GetInt(const std::string& name) const override {
    return Get<std::int32_t>(name, "integer");
  }
  std::optional<std::vector<std::string>> GetStringArray(const std::string& name) const override {
    const SimValue& value = Read(name);
    if (std::holds_alternative<SimNull>(value)) {
      return std::nullopt;
    }
    return Get<std::vector<std::string>>(name, "array");
  }

 private:
  const SimValue& Read(const std::string& name) const {
    ++*reads_;
    const SimValue* value = object_.Find(name);
    if (value == nullptr || object_.Fails(name)) {
      throw EXALError("The property " + name + " can't be read.");
    }
    return *value;
  }

  template <typename T>
  T Get(const std::string& name, const char* kind) const {
    const SimValue& value = Read(name);
    if (const T* typed = std::get_if<T>(&value)) {
      return *typed;
    }
    throw EXALError("The property " + name + " is not a " + kind + ".");
  }

  SimObject object_;
  std::shared_ptr<std::size_t> reads_;
};

class SimQuery : public IManagementQuery {
 public:
  SimQuery(std::vector<SimObject> objects, std::optional<std::size_t> failAfter,
           std::shared_ptr<std::size_t> reads)
      : objects_(std::move(objects)), failAfter_(failAfter), reads_(std::move(reads)) {}

  std::unique_ptr<IManagementObject> Next() override {
    if (failAfter_ && next_ >= *failAfter_) {
      throw EXALError("The management service failed while enumerating.");
    }
    if (next_ >= objects_.size()) {
      return nullptr;
    }
    return std::make_unique<SimManagementObject>(std::move(objects_[next_++]), reads_);
  }

 private:
  std::vector<SimObject> objects_;
  std::optional<std::size_t> failAfter_;
  std::shared_ptr<std::size_t> reads_;
  std::size_t next_ = 0;
};

}  // namespace

std::unique_ptr<IManagementQuery> SimManagementService::ExecQuery(const std::string& wql) {
  queries_.push_back(wql);
  if (queriesLeft_) {
    if (*queriesLeft_ == 0) {
      throw EXALError("The RPC server is unavailable.");
    }
    --*queriesLeft_;
  }
  if (unreachable_) {
    throw EXALError("The RPC server is unavailable.");
  }
  const std::string lower = Lower(wql);
  const auto from = lower.find("from ");
  if (lower.rfind("select * ", 0) != 0 || from == std::string::npos) {
    throw EXALError("Invalid query");
  }
  const auto classStart = from + 5;
  const auto classEnd = lower.find(' ', classStart);
  const std::string className = wql.substr(classStart, classEnd - classStart);

  std::string property;
  std::optional<bool> wanted;
  const std::string rest = classEnd == std::string::npos ? "" : Trim(wql.substr(classEnd));
  if (!rest.empty()) {
    const auto equals = rest.find('=');
    if (Lower(rest).rfind("where ", 0) != 0 || equals == std::string::npos) {
      throw EXALError("Invalid query");
    }
    property = Trim(rest.substr(6, equals - 6));
    const std::string value = Lower(Trim(rest.substr(equals + 1)));
    if (value != "true" && value != "false") {
      throw EXALError("Invalid query");
    }
    wanted = value == "true";
  }

  std::vector<SimObject> result;
  const auto found = std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) {
    return Lower(entry.first) == Lower(className);
  });
  if (found != classes_.end()) {
    for (const SimObject& object : found->second) {
      if (wanted) {
        const SimValue* value = object.Find(property);
        const bool* flag = value == nullptr ? nullptr : std::get_if<bool>(value);
        if (flag == nullptr || *flag != *wanted) {
          continue;
        }
      }
      result.push_back(object);
    }
  }
  return std::make_unique<SimQuery>(std::move(result), failEnumerationAfter_, propertyReads_);
}

void SimManagementService::SetObjects(const std::string& className,
                                      std::vector<SimObject> objects) {
  classes_[className] = std::move(objects);
}

void SimManagementService::ResetCounters() {
  queries_.clear();
  *propertyReads_ = 0;
}

}  // namespace xal::sim
