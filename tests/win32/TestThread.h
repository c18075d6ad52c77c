// A thread for tests. MinGW's win32-thread runtime of GCC 12 has no std::thread.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace xal::win32 {

class TestThread {
 public:
  explicit TestThread(std::function<void()> body) : body_(std::move(body)) {
    handle_ = CreateThread(nullptr, 0, &TestThread::Main, this, 0, nullptr);
    if (handle_ == nullptr) {
      body_();  // no thread to be had: run it here, so the test still ends
    }
  }
  ~TestThread() { Join(); }
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;

  void Join() {
    if (handle_ != nullptr) {
      WaitForSingleObject(handle_, INFINITE);
      CloseHandle(handle_);
      handle_ = nullptr;
    }
  }

 private:
  static DWORD WINAPI Main(void* self) {
    static_cast<TestThread*>(self)->body_();
    return 0;
  }

  std::function<void()> body_;
  HANDLE handle_ = nullptr;
};

}  // namespace xal::win32
