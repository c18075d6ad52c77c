#include "platform/win32/Win32ManagementService.h"

#include <windows.h>
// windows.h first: the COM headers need its types.
#include <oaidl.h>
#include <objbase.h>
#include <oleauto.h>
#include <urlmon.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kNamespaceMoniker[] = L"winmgmts:\\\\.\\root\\cimv2";
// Wine answers property reads with E_NOTIMPL unless they may be method calls as well; Windows
// accepts either.
constexpr WORD kPropertyRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// Owns one reference to a COM interface.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  // For functions that hand out a new reference.
  T** Out() {
    Reset();
    return &pointer_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  // Hands the reference over to the caller.
  T* Detach() { return std::exchange(pointer_, nullptr); }
  // A reference of its own to what pointer names.
  static ComRef Shared(T* pointer) {
    ComRef ref;
    if (pointer != nullptr) {
      pointer->AddRef();
      ref.pointer_ = pointer;
    }
    return ref;
  }
  void Reset() {
    if (pointer_ != nullptr) {
      pointer_->Release();
      pointer_ = nullptr;
    }
  }

 private:
  T* pointer_ = nullptr;
};

// A VARIANT that is cleared when it goes.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* Get() { return &value_; }
  const VARIANT* operator->() const { return &value_; }

 private:
  VARIANT value_;
};

std::string Utf8(BSTR text) {
  return text == nullptr ? std::string() : Narrow(std::wstring_view(text, SysStringLen(text)));
}

std::string HexCode(HRESULT code) {
  char text[32];
  std::snprintf(text, sizeof text, "WMI error 0x%08X", static_cast<unsigned>(code));
  return text;
}

// The system's words for a failure code. The management service's own codes (0x80041xxx and
// up) are interface-specific: the system's message table has none of them or, worse, the text
// of an unrelated code with the same number, so they are given as numbers.
std::string HresultText(HRESULT code) {
  const auto value = static_cast<std::uint32_t>(code);
  if ((value & 0xFFFFF000u) >= 0x80041000u && (value & 0xFFFF0000u) == 0x80040000u) {
    return HexCode(code);
  }
  const std::string text = SystemMessage(value);
  return text.empty() ? HexCode(code) : text;
}

// A failed COM call may have left a description of its own for this thread.
std::string ComFailureText(HRESULT code) {
  ComRef<IErrorInfo> info;
  if (GetErrorInfo(0, info.Out()) == S_OK && info.Get() != nullptr) {
    BSTR description = nullptr;
    if (SUCCEEDED(info->GetDescription(&description))) {
      std::string text = Utf8(description);
      SysFreeString(description);
      if (!text.empty()) {
        return text;
      }
    }
  }
  return HresultText(code);
}

// The object's own words for the exception it raised; releases what EXCEPINFO holds.
std::string ExceptionText(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) {
    exception.pfnDeferredFillIn(&exception);
  }
  std::string text = Utf8(exception.bstrDescription);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  if (!text.empty()) {
    return text;
  }
  return HresultText(exception.scode != 0 ? exception.scode
                                          : MAKE_HRESULT(1, FACILITY_ITF, exception.wCode));
}

[[noreturn]] void Raise(const std::string& what, const std::string& why) {
  throw EXALError(what + ": " + why);
}

// Invoke with the caller's arguments (given last to first, as IDispatch wants them). On failure
// returns the code and puts the reason into failure.
HRESULT TryCall(IDispatch* object, DISPID member, WORD flags, VARIANT* arguments, UINT count,
                VARIANT* result, std::string& failure) {
  DISPPARAMS parameters{arguments, nullptr, count, 0};
  EXCEPINFO exception{};
  UINT badArgument = 0;
  const HRESULT code = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                      result, &exception, &badArgument);
  if (code == DISP_E_EXCEPTION) {
    failure = ExceptionText(exception);
  } else if (FAILED(code)) {
    failure = ComFailureText(code);
  }
  return code;
}

// The service runs in another process on Windows, and COM refuses to call out of a thread that
// is answering a message another thread or process sent and waits on
// (RPC_E_CANTCALLOUT_ININPUTSYNCCALL). Wine's service runs in-process and never refuses, so
// the port refuses the same way itself: a handler that calls it too early fails in every test.
bool InsideUnansweredSentMessage() {
  return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND;
}

HRESULT TryCallByName(IDispatch* object, const std::string& name, WORD flags, VARIANT* arguments,
                      UINT count, VARIANT* result, std::string& failure) {
  if (InsideUnansweredSentMessage()) {
    failure = HresultText(RPC_E_CANTCALLOUT_ININPUTSYNCCALL);
    return RPC_E_CANTCALLOUT_ININPUTSYNCCALL;
  }
  std::wstring wide = Widen(name);
  LPOLESTR names[] = {wide.data()};
  DISPID member = DISPID_UNKNOWN;
  const HRESULT code = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
  if (FAILED(code)) {
    failure = HresultText(code);
    return code;
  }
  return TryCall(object, member, flags, arguments, count, result, failure);
}

bool IsCaption(const std::string& name) {
  // Member names of automation objects ignore letter case.
  return name.size() == 7 && _strnicmp(name.c_str(), "Caption", 7) == 0;
}

class Win32ManagementObject : public IManagementObject {
 public:
  explicit Win32ManagementObject(ComRef<IDispatch> object) : object_(std::move(object)) {}

  std::string GetString(const std::string& name) const override {
    Variant value;
    std::string failure;
    const HRESULT code = TryRead(name, value, failure);
    if (code == DISP_E_UNKNOWNNAME && IsCaption(name)) {
      if (std::optional<std::string> caption = ComposedAdapterCaption()) {
        return *caption;
      }
    }
    if (FAILED(code)) {
      RaiseRead(name, failure);
    }
    if (value->vt != VT_BSTR) {
      RaiseType(name, "a text", value->vt);
    }
    return Utf8(value->bstrVal);
  }

  bool GetBool(const std::string& name) const override {
    Variant value;
    Read(name, value);
    if (value->vt != VT_BOOL) {
      RaiseType(name, "a boolean", value->vt);
    }
    return value->boolVal != VARIANT_FALSE;
  }

  std::int32_t GetInt(const std::string& name) const override {
    Variant value;
    Read(name, value);
    switch (value->vt) {
      case VT_I1:
        return value->cVal;
      case VT_I2:
        return value->iVal;
      case VT_I4:
        return value->lVal;
      case VT_INT:
        return value->intVal;
      case VT_UI1:
        return value->bVal;
      case VT_UI2:
        return value->uiVal;
      case VT_UI4:
      case VT_UINT:
        if (value->ulVal <= static_cast<ULONG>(std::numeric_limits<std::int32_t>::max())) {
          return static_cast<std::int32_t>(value->ulVal);
        }
        break;
      default:
        break;
    }
    RaiseType(name, "a 32-bit integer", value->vt);
  }

  void InvokeMethod(const std::string& name) override {
    Variant result;
    std::string failure;
    if (FAILED(TryCallByName(object_.Get(), name, DISPATCH_METHOD, nullptr, 0, result.Get(),
                             failure))) {
      Raise("Calling the method \"" + name + "\" failed", failure);
    }
  }

  // Arguments are given first to last; IDispatch wants them last to first.
  std::int32_t InvokeWithArrays(const std::string& name,
                                const std::vector<TManagementArrayArgument>& arguments) {
    const std::string calling = "Calling the method \"" + name + "\" failed";
    std::vector<Variant> values(arguments.size());
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      VARIANT* value = values[arguments.size() - 1 - i].Get();
      const HRESULT code = MakeArray(arguments[i], *value);
      if (FAILED(code)) {
        Raise(calling, HresultText(code));
      }
    }
    // Variant is not a VARIANT in memory, so the arguments are copied bitwise into a plain
    // array; the Variants keep ownership.
    std::vector<VARIANT> plain(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      plain[i] = *values[i].Get();
    }
    Variant result;
    std::string failure;
    if (FAILED(TryCallByName(object_.Get(), name, DISPATCH_METHOD, plain.data(),
                             static_cast<UINT>(plain.size()), result.Get(), failure))) {
      Raise(calling, failure);
    }
    Variant number;
    if (FAILED(VariantChangeType(number.Get(), result.Get(), 0, VT_I4))) {
      Raise(calling,
            "the method gave no result number (variant type " + std::to_string(result->vt) + ")");
    }
    return number->lVal;
  }

  std::optional<std::vector<std::string>> GetStringArray(const std::string& name) const override {
    Variant value;
    Read(name, value);
    const VARTYPE type = value->vt;
    if (type == VT_NULL) {
      return std::nullopt;
    }
    const VARTYPE element = type & VT_TYPEMASK;
    if ((type & ~VT_TYPEMASK) != VT_ARRAY || (element != VT_BSTR && element != VT_VARIANT) ||
        value->parray == nullptr || SafeArrayGetDim(value->parray) != 1) {
      RaiseType(name, "an array of texts", type);
    }
    SAFEARRAY* array = value->parray;
    LONG lower = 0;
    LONG upper = -1;
    HRESULT code = SafeArrayGetLBound(array, 1, &lower);
    if (SUCCEEDED(code)) {
      code = SafeArrayGetUBound(array, 1, &upper);
    }
    if (FAILED(code)) {
      RaiseRead(name, HresultText(code));
    }
    std::vector<std::string> items;
    for (LONG index = lower; index <= upper; ++index) {
      if (element == VT_BSTR) {
        BSTR item = nullptr;
        code = SafeArrayGetElement(array, &index, &item);
        if (FAILED(code)) {
          RaiseRead(name, HresultText(code));
        }
        items.push_back(Utf8(item));
        SysFreeString(item);
      } else {
        Variant item;
        code = SafeArrayGetElement(array, &index, item.Get());
        if (FAILED(code)) {
          RaiseRead(name, HresultText(code));
        }
        if (item->vt != VT_BSTR) {
          RaiseType(name + "[" + std::to_string(index) + "]", "a text", item->vt);
        }
        items.push_back(Utf8(item->bstrVal));
      }
    }
    return items;
  }

 private:
  HRESULT TryRead(const std::string& name, Variant& value, std::string& failure) const {
    return TryCallByName(object_.Get(), name, kPropertyRead, nullptr, 0, value.Get(), failure);
  }

  void Read(const std::string& name, Variant& value) const {
    std::string failure;
    if (FAILED(TryRead(name, value, failure))) {
      RaiseRead(name, failure);
    }
  }

  [[noreturn]] static void RaiseRead(const std::string& name, const std::string& why) {
    Raise("Reading the property \"" + name + "\" failed", why);
  }

  [[noreturn]] static void RaiseType(const std::string& name, const char* wanted, VARTYPE type) {
    Raise("Reading the property \"" + name + "\" failed",
          std::string("it is not ") + wanted + " (variant type " + std::to_string(type) + ")");
  }

  // Wine's Win32_NetworkAdapterConfiguration has no Caption. Windows builds it from the
  // adapter's index and description ("[00000007] Intel(R) ..."), so the same text is made here
  // and the address lines look as they do on Windows. Wine has no __CLASS either; where it is
  // readable, objects of other classes keep the failure.
  std::optional<std::string> ComposedAdapterCaption() const {
    Variant objectClass;
    std::string ignored;
    if (SUCCEEDED(TryRead("__CLASS", objectClass, ignored)) &&
        (objectClass->vt != VT_BSTR ||
         Utf8(objectClass->bstrVal) != "Win32_NetworkAdapterConfiguration")) {
      return std::nullopt;
    }
    try {
      const std::int32_t index = GetInt("Index");
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "[%08u] ", static_cast<unsigned>(index));
      return prefix + GetString("Description");
    } catch (const EXALError&) {
      return std::nullopt;
    }
  }

  static HRESULT MakeArray(const TManagementArrayArgument& argument, VARIANT& value) {
    const bool numbers = argument.Kind == TManagementArrayArgument::TKind::Numbers;
    const std::size_t count = numbers ? argument.Numbers.size() : argument.Texts.size();
    SAFEARRAY* array =
        SafeArrayCreateVector(numbers ? VT_UI2 : VT_BSTR, 0, static_cast<ULONG>(count));
    if (array == nullptr) {
      return E_OUTOFMEMORY;
    }
    for (LONG index = 0; index < static_cast<LONG>(count); ++index) {
      HRESULT code = S_OK;
      if (numbers) {
        USHORT number = argument.Numbers[static_cast<std::size_t>(index)];
        code = SafeArrayPutElement(array, &index, &number);
      } else {
        const std::wstring text = Widen(argument.Texts[static_cast<std::size_t>(index)]);
        BSTR item = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        // SafeArrayPutElement copies the text.
        code = item == nullptr ? E_OUTOFMEMORY : SafeArrayPutElement(array, &index, item);
        SysFreeString(item);
      }
      if (FAILED(code)) {
        SafeArrayDestroy(array);
        return code;
      }
    }
    value.vt = static_cast<VARTYPE>(VT_ARRAY | (numbers ? VT_UI2 : VT_BSTR));
    value.parray = array;
    return S_OK;
  }

  ComRef<IDispatch> object_;
};

class Win32ManagementQuery : public IManagementQuery {
 public:
  explicit Win32ManagementQuery(ComRef<IEnumVARIANT> enumerator)
      : enumerator_(std::move(enumerator)) {}

  std::unique_ptr<IManagementObject> Next() override {
    if (enumerator_.Get() == nullptr) {
      return nullptr;
    }
    Variant item;
    ULONG fetched = 0;
    const HRESULT code = InsideUnansweredSentMessage() ? RPC_E_CANTCALLOUT_ININPUTSYNCCALL
                                                       : enumerator_->Next(1, item.Get(), &fetched);
    if (FAILED(code)) {
      Raise("Reading the result of the management query failed", ComFailureText(code));
    }
    if (code == S_FALSE || fetched == 0) {
      // Done: later calls must not ask the service again.
      enumerator_.Reset();
      return nullptr;
    }
    ComRef<IDispatch> object;
    HRESULT cast = E_NOINTERFACE;
    if ((item->vt == VT_DISPATCH || item->vt == VT_UNKNOWN) && item->punkVal != nullptr) {
      cast = item->punkVal->QueryInterface(IID_IDispatch, object.OutVoid());
    }
    if (FAILED(cast)) {
      Raise("Reading the result of the management query failed", HresultText(cast));
    }
    return std::make_unique<Win32ManagementObject>(std::move(object));
  }

 private:
  ComRef<IEnumVARIANT> enumerator_;
};

}  // namespace

std::int32_t InvokeManagementMethod(IManagementObject& object, const std::string& method,
                                    const std::vector<TManagementArrayArgument>& arguments) {
  auto* own = dynamic_cast<Win32ManagementObject*>(&object);
  if (own == nullptr) {
    Raise("Calling the method \"" + method + "\" failed", "the object is not a Windows one");
  }
  return own->InvokeWithArrays(method, arguments);
}

namespace {

// The scripting service object of the local root\cimv2.
ComRef<IDispatch> Connect() {
  const std::string connecting = "Connecting to the management service failed";
  ComRef<IBindCtx> context;
  HRESULT code = CreateBindCtx(0, context.Out());
  if (FAILED(code)) {
    Raise(connecting, ComFailureText(code));
  }
  ComRef<IMoniker> moniker;
  ULONG eaten = 0;
  code = MkParseDisplayNameEx(context.Get(), kNamespaceMoniker, &eaten, moniker.Out());
  if (FAILED(code)) {
    Raise(connecting, ComFailureText(code));
  }
  ComRef<IDispatch> service;
  code = moniker->BindToObject(context.Get(), nullptr, IID_IDispatch, service.OutVoid());
  if (FAILED(code)) {
    Raise(connecting, ComFailureText(code));
  }
  return service;
}

// The enumerator of the query's result, or none with the reason in failure.
ComRef<IEnumVARIANT> RunQuery(IDispatch* service, const std::string& wql, std::string& failure) {
  ComRef<IEnumVARIANT> enumerator;
  const std::wstring text = Widen(wql);
  Variant argument;
  argument.Get()->vt = VT_BSTR;
  argument.Get()->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (argument->bstrVal == nullptr) {
    failure = HresultText(E_OUTOFMEMORY);
    return enumerator;
  }
  Variant results;
  HRESULT code = TryCallByName(service, "ExecQuery", DISPATCH_METHOD, argument.Get(), 1,
                               results.Get(), failure);
  if (FAILED(code)) {
    return enumerator;
  }
  if (results->vt != VT_DISPATCH || results->pdispVal == nullptr) {
    failure = "the service gave no result set";
    return enumerator;
  }
  Variant enumerable;
  code = TryCall(results->pdispVal, DISPID_NEWENUM, kPropertyRead, nullptr, 0, enumerable.Get(),
                 failure);
  if (FAILED(code)) {
    return enumerator;
  }
  code = E_NOINTERFACE;
  if ((enumerable->vt == VT_UNKNOWN || enumerable->vt == VT_DISPATCH) &&
      enumerable->punkVal != nullptr) {
    code = enumerable->punkVal->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid());
  }
  if (FAILED(code)) {
    failure = HresultText(code);
  }
  return enumerator;
}

}  // namespace

Win32ManagementService::~Win32ManagementService() {
  if (service_ != nullptr) {
    service_->Release();
  }
}

std::unique_ptr<IManagementQuery> Win32ManagementService::ExecQuery(const std::string& wql) {
  if (InsideUnansweredSentMessage()) {
    Raise("Connecting to the management service failed",
          HresultText(RPC_E_CANTCALLOUT_ININPUTSYNCCALL));
  }
  std::string failure;
  if (service_ != nullptr) {
    // A reference of the call's own: the call pumps messages on Windows, and a query made
    // while it waits may drop the kept connection.
    const ComRef<IDispatch> tried = ComRef<IDispatch>::Shared(service_);
    ComRef<IEnumVARIANT> enumerator = RunQuery(tried.Get(), wql, failure);
    if (enumerator.Get() != nullptr) {
      return std::make_unique<Win32ManagementQuery>(std::move(enumerator));
    }
    // The kept connection may have gone with a restarted service; a query that fails on a new
    // one as well is reported with that failure.
    if (service_ == tried.Get()) {
      service_->Release();
      service_ = nullptr;
    }
  }
  ComRef<IDispatch> service = Connect();
  ComRef<IEnumVARIANT> enumerator = RunQuery(service.Get(), wql, failure);
  // A new connection stays even when the query failed: the query, not the connection, was at
  // fault. One that a query made meanwhile kept gives way to it.
  if (service_ != nullptr) {
    service_->Release();
  }
  service_ = service.Detach();
  if (enumerator.Get() == nullptr) {
    Raise("The management query \"" + wql + "\" failed", failure);
  }
  return std::make_unique<Win32ManagementQuery>(std::move(enumerator));
}

}  // namespace xal::win32
