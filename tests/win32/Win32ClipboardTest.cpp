#include "platform/win32/Win32Clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "win32/MessageWindow.h"

namespace xal::win32 {
namespace {

// The clipboard as another program fills it: the block is handed over as it is.
bool PutBlock(HWND owner, UINT format, const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) {
    return false;
  }
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(format, block) != nullptr;
  CloseClipboard();
  if (!taken) {
    GlobalFree(block);
  }
  return taken;
}

// The clipboard's Unicode text as any program reads it, up to its terminating null.
std::wstring RawText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) {
    return text;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class Win32ClipboardTest : public ::testing::Test {
 protected:
  Win32ClipboardTest() { clipboard.SetOwner(window.Handle()); }

  MessageWindow window{L"XALClipboardTestWindow", DefWindowProcW};
  Win32Clipboard clipboard;
};

TEST_F(Win32ClipboardTest, NonAsciiTextGoesOnAsUnicodeAndComesBack) {
  ASSERT_NE(window.Handle(), nullptr);
  // e acute, an em dash, two kanji and a character beyond the basic plane.
  const std::string text = "Caf\xC3\xA9 \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n";
  ASSERT_TRUE(clipboard.WriteText(text));
  EXPECT_EQ(RawText(window.Handle()), L"Caf\u00E9 \u2014 \u65E5\u672C \U0001F600\r\n");
  EXPECT_EQ(clipboard.ReadText(), text);
}

TEST_F(Win32ClipboardTest, EmptyTextIsTextAllTheSame) {
  ASSERT_TRUE(clipboard.WriteText("first"));
  ASSERT_TRUE(clipboard.WriteText(""));
  const auto text = clipboard.ReadText();
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "");
}

TEST_F(Win32ClipboardTest, ClipboardWithoutTextGivesNothing) {
  ASSERT_TRUE(OpenClipboard(window.Handle()));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(clipboard.ReadText(), std::nullopt);

  // Something that isn't text, in a format of its own.
  const UINT format = RegisterClipboardFormatW(L"XALClipboardTestFormat");
  const char bytes[] = "not text";
  ASSERT_TRUE(PutBlock(window.Handle(), format, bytes, sizeof bytes));
  EXPECT_EQ(clipboard.ReadText(), std::nullopt);
}

TEST_F(Win32ClipboardTest, BlockWithoutTerminatingNullIsReadOnlyToItsEnd) {
  // Six characters, no null, and after them a byte that is no character. The system may write
  // its own null into the block's last character as it takes the block (Wine does, measured),
  // so that character can go; nothing beyond the block may come in.
  for (const std::size_t bytes : {std::size_t{12}, std::size_t{13}, std::size_t{2}}) {
    SCOPED_TRACE(bytes);
    char block[13];
    std::memcpy(block, L"abcdef", 12);
    block[12] = 'x';
    ASSERT_TRUE(PutBlock(window.Handle(), CF_UNICODETEXT, block, bytes));
    const auto read = clipboard.ReadText();
    ASSERT_TRUE(read.has_value());
    EXPECT_LE(read->size(), bytes / 2);
    EXPECT_GE(read->size() + 1, bytes / 2);
    EXPECT_EQ(*read, std::string("abcdef").substr(0, read->size()));
  }
}

TEST_F(Win32ClipboardTest, TextAboveTheLimitIsRefused) {
  std::wstring text(kMaxClipboardChars + 1, L'x');
  ASSERT_TRUE(
      PutBlock(window.Handle(), CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(clipboard.ReadText(), std::nullopt);

  text.pop_back();
  ASSERT_TRUE(
      PutBlock(window.Handle(), CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
  const auto read = clipboard.ReadText();
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), kMaxClipboardChars);
}

}  // namespace
}  // namespace xal::win32
