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
  printer.Set("Name", caption)
      .Set("Caption", caption)
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

// The text of a WQL string literal that fills all of text; nullopt when it is not one.
std::optional<std::string> WqlString(const std::string& text) {
  if (text.size() < 2 || (text.front() != '"' && text.front() != '\'')) {
    return std::nullopt;
  }
  const char quote = text.front();
  std::string value;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\') {
      if (++i == text.size()) {
        return std::nullopt;
      }
      value += text[i];
    } else if (text[i] == quote) {
      return i + 1 == text.size() ? std::optional<std::string>(value) : std::nullopt;
    } else {
      value += text[i];
    }
  }
  return std::nullopt;
}

// Where a query's result came from, so that methods act on the stored object.
struct SimOrigin {
  SimManagementService* service;
  std::string className;
  std::size_t index;
};

class SimManagementObject : public IManagementObject {
 public:
  SimManagementObject(SimObject object, SimOrigin origin, std::shared_ptr<std::size_t> reads)
      : object_(std::move(object)), origin_(std::move(origin)), reads_(std::move(reads)) {}

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
  void InvokeMethod(const std::string& name) override {
    origin_.service->Invoke(origin_.className, origin_.index, name);
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
  SimOrigin origin_;
  std::shared_ptr<std::size_t> reads_;
};

class SimQuery : public IManagementQuery {
 public:
  SimQuery(std::vector<SimObject> objects, std::vector<SimOrigin> origins,
           std::optional<std::size_t> failAfter, std::shared_ptr<std::size_t> reads)
      : objects_(std::move(objects)),
        origins_(std::move(origins)),
        failAfter_(failAfter),
        reads_(std::move(reads)) {}

  std::unique_ptr<IManagementObject> Next() override {
    if (failAfter_ && next_ >= *failAfter_) {
      throw EXALError("The management service failed while enumerating.");
    }
    if (next_ >= objects_.size()) {
      return nullptr;
    }
    const std::size_t index = next_++;
    return std::make_unique<SimManagementObject>(std::move(objects_[index]), origins_[index],
                                                 reads_);
  }

 private:
  std::vector<SimObject> objects_;
  std::vector<SimOrigin> origins_;
  std::optional<std::size_t> failAfter_;
  std::shared_ptr<std::size_t> reads_;
  std::size_t next_ = 0;
};

}  // namespace

std::unique_ptr<IManagementQuery> SimManagementService::ExecQuery(const std::string& wql) {
  queries_.push_back(wql);
  RefuseInsideSentMessage();
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
  std::optional<std::string> wantedText;
  const std::string rest = classEnd == std::string::npos ? "" : Trim(wql.substr(classEnd));
  if (!rest.empty()) {
    const auto equals = rest.find('=');
    if (Lower(rest).rfind("where ", 0) != 0 || equals == std::string::npos) {
      throw EXALError("Invalid query");
    }
    property = Trim(rest.substr(6, equals - 6));
    const std::string value = Trim(rest.substr(equals + 1));
    if (Lower(value) == "true" || Lower(value) == "false") {
      wanted = Lower(value) == "true";
    } else {
      wantedText = WqlString(value);
      if (!wantedText) {
        throw EXALError("Invalid query");
      }
    }
  }

  std::vector<SimObject> result;
  std::vector<SimOrigin> origins;
  const auto found = std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) {
    return Lower(entry.first) == Lower(className);
  });
  if (found != classes_.end()) {
    for (std::size_t index = 0; index < found->second.size(); ++index) {
      const SimObject& object = found->second[index];
      const SimValue* value = property.empty() ? nullptr : object.Find(property);
      if (wanted) {
        const bool* flag = value == nullptr ? nullptr : std::get_if<bool>(value);
        if (flag == nullptr || *flag != *wanted) {
          continue;
        }
      }
      if (wantedText) {
        const std::string* text = value == nullptr ? nullptr : std::get_if<std::string>(value);
        if (text == nullptr || Lower(*text) != Lower(*wantedText)) {
          continue;
        }
      }
      result.push_back(object);
      origins.push_back({this, found->first, index});
    }
  }
  return std::make_unique<SimQuery>(std::move(result), std::move(origins), failEnumerationAfter_,
                                    propertyReads_);
}

void SimManagementService::SetObjects(const std::string& className,
                                      std::vector<SimObject> objects) {
  classes_[className] = std::move(objects);
}

void SimManagementService::RefuseInsideSentMessage() const {
  if (callsRefused != nullptr && *callsRefused) {
    throw EXALError(
        "An outgoing call cannot be made since the application is dispatching an "
        "input-synchronous call.");
  }
}

void SimManagementService::Invoke(const std::string& className, std::size_t index,
                                  const std::string& method) {
  RefuseInsideSentMessage();
  std::vector<SimObject>& objects = classes_[className];
  if (index >= objects.size()) {
    throw EXALError("The object no longer exists.");
  }
  const auto text = [&](const char* name) {
    const SimValue* value = objects[index].Find(name);
    const std::string* found = value == nullptr ? nullptr : std::get_if<std::string>(value);
    return found == nullptr ? std::string() : *found;
  };
  const std::string name = text("Name");
  invocations_.push_back({className, name.empty() ? text("Caption") : name, method});
  if (failingMethods_.count(method) != 0) {
    throw EXALError("The method " + method + " failed.");
  }
  if (Lower(className) == Lower(kPrinterClass) && method == "SetDefaultPrinter") {
    for (std::size_t i = 0; i < objects.size(); ++i) {
      SimObject& printer = objects[i];
      const SimValue* attributes = printer.Find("Attributes");
      const std::int32_t* bits =
          attributes == nullptr ? nullptr : std::get_if<std::int32_t>(attributes);
      std::int32_t value = bits == nullptr ? 0 : *bits;
      // Attribute 4 is what the default-printer probe reads.
      value = i == index ? (value | 4) : (value & ~4);
      printer.Set("Default", i == index).Set("Attributes", value);
    }
  }
}

void SimManagementService::ResetCounters() {
  queries_.clear();
  *propertyReads_ = 0;
}

}  // namespace xal::sim
