// A message-only window of its own class on the calling thread, for tests that need messages
// delivered to a procedure of theirs; class and window go with the object.
#pragma once

#include <windows.h>

namespace xal::win32 {

class MessageWindow {
 public:
  MessageWindow(const wchar_t* className, WNDPROC procedure) : className_(className) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  }
  ~MessageWindow() {
    if (window_ != nullptr) {
      DestroyWindow(window_);
    }
    UnregisterClassW(className_, GetModuleHandleW(nullptr));
  }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Null when the window could not be made.
  HWND Handle() const { return window_; }

 private:
  const wchar_t* className_;
  HWND window_ = nullptr;
};

}  // namespace xal::win32
