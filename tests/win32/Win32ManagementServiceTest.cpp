#include "platform/win32/Win32ManagementService.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ComApartment.h"
#include "MessageWindow.h"
#include "TestThread.h"
#include "catalogue/XALErrors.h"
#include "platform/win32/Win32WindowSystem.h"

namespace xal::win32 {
namespace {

constexpr char kAdapterQuery[] =
    "Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE";

class Win32ManagementServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(com_.Ok()); }

  // The first adapter of the query; the machine running the tests has at least one.
  std::unique_ptr<IManagementObject> FirstAdapter() {
    auto query = service_.ExecQuery(kAdapterQuery);
    auto adapter = query->Next();
    EXPECT_NE(adapter, nullptr) << "no IP-enabled adapter";
    return adapter;
  }

  ComApartment com_;
  Win32ManagementService service_;
};

bool IsIPv4(const std::string& text) {
  static const std::regex pattern(R"(^\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3}$)");
  return std::regex_search(text, pattern);
}

TEST_F(Win32ManagementServiceTest, AdapterQueryGivesWhatTheAddressProbeReads) {
  const std::regex bracedGuid(
      R"(^\{[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\}$)");
  auto query = service_.ExecQuery(kAdapterQuery);
  int adapters = 0;
  int withIPv4 = 0;
  while (auto adapter = query->Next()) {
    ++adapters;
    const std::string settingId = adapter->GetString("SettingID");
    EXPECT_TRUE(std::regex_search(settingId, bracedGuid)) << settingId;
    EXPECT_TRUE(adapter->GetBool("IPEnabled")) << settingId;
    // The caption has the form Windows gives it (composed where Wine has none).
    char index[16];
    std::snprintf(index, sizeof index, "[%08d] ", adapter->GetInt("Index"));
    EXPECT_EQ(adapter->GetString("Caption"), index + adapter->GetString("Description"))
        << settingId;
    if (auto addresses = adapter->GetStringArray("IPAddress")) {
      for (const std::string& address : *addresses) {
        if (IsIPv4(address)) {
          ++withIPv4;
          break;
        }
      }
    }
  }
  EXPECT_GE(adapters, 1);
  EXPECT_GE(withIPv4, 1) << "no adapter has an IPv4 address";
  // The end stays the end.
  EXPECT_EQ(query->Next(), nullptr);
}

TEST_F(Win32ManagementServiceTest, QueryWithoutResultsEndsAtOnce) {
  auto query =
      service_.ExecQuery("Select * from Win32_NetworkAdapterConfiguration where Index = 99999");
  EXPECT_EQ(query->Next(), nullptr);
  EXPECT_EQ(query->Next(), nullptr);
}

// Each getter on a property that is missing or has another type raises the program's error
// with the property's name, and the object stays usable afterwards.
TEST_F(Win32ManagementServiceTest, UnreadablePropertiesRaise) {
  auto adapter = FirstAdapter();
  ASSERT_NE(adapter, nullptr);
  struct Case {
    const char* name;
    std::function<void(const IManagementObject&, const std::string&)> read;
  };
  const auto asString = [](const IManagementObject& o, const std::string& n) { o.GetString(n); };
  const auto asBool = [](const IManagementObject& o, const std::string& n) { o.GetBool(n); };
  const auto asInt = [](const IManagementObject& o, const std::string& n) { o.GetInt(n); };
  const auto asArray = [](const IManagementObject& o, const std::string& n) {
    o.GetStringArray(n);
  };
  const std::vector<Case> cases = {
      {"NoSuchProperty", asString}, {"NoSuchProperty", asBool}, {"NoSuchProperty", asInt},
      {"NoSuchProperty", asArray},  {"IPEnabled", asString},    {"IPAddress", asString},
      {"Description", asBool},      {"Index", asBool},          {"Description", asInt},
      {"IPEnabled", asInt},         {"Description", asArray},   {"Index", asArray},
  };
  for (const Case& c : cases) {
    try {
      c.read(*adapter, c.name);
      ADD_FAILURE() << c.name << " was read without error";
    } catch (const EXALError& error) {
      EXPECT_NE(std::string(error.what()).find(c.name), std::string::npos) << error.what();
    }
  }
  EXPECT_FALSE(adapter->GetString("SettingID").empty());
}

// Before and after it, the same object queries through the connection it keeps; the malformed
// query is also tried on a new connection, and is reported all the same.
TEST_F(Win32ManagementServiceTest, MalformedQueryRaisesWithAReasonAndTheServiceStaysUsable) {
  EXPECT_NE(FirstAdapter(), nullptr);
  // The service may refuse it at once or only when the result is first read.
  try {
    auto query = service_.ExecQuery("this is no query");
    query->Next();
    ADD_FAILURE() << "the malformed query gave no error";
  } catch (const EXALError& error) {
    const std::string text = error.what();
    EXPECT_GT(text.size(), text.find(": ") + 2) << text;
  }
  EXPECT_NE(FirstAdapter(), nullptr);
}

TEST(Win32ManagementService, WithoutComRaisesInsteadOfCrashing) {
  std::string message;
  bool raised = false;
  // A thread of its own, on which COM was never initialised.
  TestThread thread([&] {
    try {
      Win32ManagementService().ExecQuery(kAdapterQuery);
    } catch (const EXALError& error) {
      raised = true;
      message = error.what();
    }
  });
  thread.Join();
  EXPECT_TRUE(raised);
  EXPECT_NE(message.find("failed: "), std::string::npos) << message;
}

// A window on this thread whose handler runs a test body while another thread's SendMessage
// waits on it, as the address monitor's worker, a display change or a closing program's hook
// notice would.
const std::function<void()>* sentMessageBody = nullptr;

LRESULT CALLBACK SentMessageProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_APP) {
    (*sentMessageBody)();
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

void HandleSentMessage(const std::function<void()>& body) {
  sentMessageBody = &body;
  const MessageWindow target(L"XalSentMessageTest", &SentMessageProc);
  const HWND window = target.Handle();
  ASSERT_NE(window, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TestThread sender([&] {
    SendMessageW(window, WM_APP, 0, 0);
    SetEvent(done);
  });
  // Serve sent messages until the sender is through.
  while (MsgWaitForMultipleObjects(1, &done, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  sender.Join();
  CloseHandle(done);
}

TEST_F(Win32ManagementServiceTest, RefusedWhileASenderWaitsAndServedOnceItIsAnswered) {
  std::string refusal;
  bool servedAfterReply = false;
  HandleSentMessage([&] {
    try {
      service_.ExecQuery(kAdapterQuery);
    } catch (const EXALError& error) {
      refusal = error.what();
    }
    Win32WindowSystem().ReplyToSender();
    servedAfterReply = service_.ExecQuery(kAdapterQuery)->Next() != nullptr;
  });
  // The system's own reason, as COM gives it on Windows for the service in another process.
  EXPECT_TRUE(refusal.find("input-synchronous") != std::string::npos ||
              refusal.find("8001010D") != std::string::npos)
      << refusal;
  EXPECT_TRUE(servedAfterReply);
}

}  // namespace
}  // namespace xal::win32
