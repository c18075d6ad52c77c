#include "platform/win32/Win32MessageBoxes.h"

#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

TXALAnswer ToAnswer(int result) {
  switch (result) {
    case IDOK:
      return TXALAnswer::Ok;
    case IDYES:
      return TXALAnswer::Yes;
    case IDNO:
      return TXALAnswer::No;
    default:
      return TXALAnswer::Cancel;
  }
}

}  // namespace

int Win32MessageBoxes::Show(const std::string& text, UINT type) const {
  // The program usually sits hidden in the notification area; without MB_SETFOREGROUND its box
  // would open behind the window the user is working in.
  return MessageBoxW(owner_, Widen(text).c_str(), kApplicationTitle, type | MB_SETFOREGROUND);
}

void Win32MessageBoxes::ShowError(const std::string& text) {
  Show(text, MB_OK | MB_ICONERROR);
}

TXALAnswer Win32MessageBoxes::ConfirmOkCancel(const std::string& text) {
  return ToAnswer(Show(text, MB_OKCANCEL | MB_ICONQUESTION));
}

TXALAnswer Win32MessageBoxes::ConfirmYesNoCancel(const std::string& text) {
  return ToAnswer(Show(text, MB_YESNOCANCEL | MB_ICONQUESTION));
}

}  // namespace xal::win32
