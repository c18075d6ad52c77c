#include "platform/win32/Win32FileDialogs.h"

// The shell's headers need the types of windows.h before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_ != nullptr) {
      pointer_->Release();
    }
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T** Put() { return &pointer_; }
  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }

 private:
  T* pointer_ = nullptr;
};

void Check(HRESULT result) {
  if (FAILED(result)) {
    throw EXALError(SystemErrorText(static_cast<unsigned long>(result)));
  }
}

std::optional<std::string> ShowFileDialog(REFCLSID kind, const TXALFileChoice& choice, bool save) {
  ComRef<IFileDialog> dialog;
  Check(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                         reinterpret_cast<void**>(dialog.Put())));
  FILEOPENDIALOGOPTIONS options = 0;
  Check(dialog->GetOptions(&options));
  options |=
      FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | (save ? FOS_OVERWRITEPROMPT : FOS_FILEMUSTEXIST);
  Check(dialog->SetOptions(options));
  if (!choice.Title.empty()) {
    Check(dialog->SetTitle(Widen(choice.Title).c_str()));
  }
  if (!choice.Filters.empty()) {
    // The specs point into texts, which must not move until the chooser has them.
    std::vector<std::wstring> texts;
    texts.reserve(choice.Filters.size() * 2);
    std::vector<COMDLG_FILTERSPEC> specs;
    for (const TXALFileFilter& filter : choice.Filters) {
      texts.push_back(Widen(filter.Description));
      texts.push_back(Widen(filter.Patterns));
      specs.push_back({texts[texts.size() - 2].c_str(), texts.back().c_str()});
    }
    Check(dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data()));
    Check(dialog->SetFileTypeIndex(1));
  }
  if (!choice.DefaultExtension.empty()) {
    Check(dialog->SetDefaultExtension(Widen(choice.DefaultExtension).c_str()));
  }
  if (!choice.InitialFolder.empty()) {
    // A folder that has gone since leaves the chooser to its own choice.
    ComRef<IShellItem> folder;
    if (SUCCEEDED(SHCreateItemFromParsingName(Widen(choice.InitialFolder).c_str(), nullptr,
                                              IID_IShellItem,
                                              reinterpret_cast<void**>(folder.Put())))) {
      dialog->SetFolder(folder.Get());
    }
  }
  if (!choice.InitialName.empty()) {
    Check(dialog->SetFileName(Widen(choice.InitialName).c_str()));
  }
  const HRESULT shown = dialog->Show(GetActiveWindow());
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
    return std::nullopt;
  }
  Check(shown);
  ComRef<IShellItem> item;
  Check(dialog->GetResult(item.Put()));
  wchar_t* path = nullptr;
  Check(item->GetDisplayName(SIGDN_FILESYSPATH, &path));
  std::string result = Narrow(path);
  CoTaskMemFree(path);
  return result;
}

// The folder chooser's state while it is open. The shell's own check of a typed folder differs
// between systems (some don't check at all and return the tree's selection), so the OK button
// is taken over: a typed folder is found here, and created here once the user agrees.
struct TFolderChooser {
  std::wstring question;
  HWND dialog = nullptr;
  // The file-system path of the folder selected in the tree; empty for one without (a computer).
  std::wstring selected;
  // What this chooser last wrote into the edit box; OK with it unchanged takes the selection.
  std::wstring shown;
  std::optional<std::wstring> chosen;
};

constexpr UINT_PTR kChooserSubclassId = 1;

UINT ShowSelectionMessage() {
  static const UINT message = RegisterWindowMessageW(L"XALFolderChooserShowSelection");
  return message;
}

// Found by its class: its identifier is not the same on every system.
HWND EditBox(HWND dialog) {
  return FindWindowExW(dialog, nullptr, L"Edit", nullptr);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring Trimmed(std::wstring text) {
  const std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) {
    return {};
  }
  text.erase(text.find_last_not_of(L" \t") + 1);
  return text.substr(first);
}

bool IsRelative(const std::wstring& path) {
  const bool drive = path.size() >= 2 && path[1] == L':';
  return !drive && path[0] != L'\\' && path[0] != L'/';
}

// The typed text as a full path, a name being taken inside the selected folder; empty when it
// names no place.
std::wstring Resolve(const TFolderChooser& chooser, const std::wstring& typed) {
  if (typed.empty()) {
    return {};
  }
  std::wstring path = typed;
  if (IsRelative(typed)) {
    if (chooser.selected.empty()) {
      return {};
    }
    path = chooser.selected;
    if (path.back() != L'\\') {
      path += L'\\';
    }
    path += typed;
  }
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return {};
  }
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) {
    return {};
  }
  full.resize(length);
  return full;
}

void ShowError(HWND owner, unsigned long code) {
  MessageBoxW(owner, Widen(SystemErrorText(code)).c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

// Takes the folder as the choice, after creating it when it doesn't exist and the user agrees;
// false keeps the chooser open for another try.
bool Accept(TFolderChooser& chooser, const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      ShowError(chooser.dialog, ERROR_DIRECTORY);
      return false;
    }
    chooser.chosen = path;
    return true;
  }
  const std::wstring question = chooser.question + L"\n\n" + path;
  if (MessageBoxW(chooser.dialog, question.c_str(), kApplicationTitle,
                  MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  // Without a window the call shows nothing of its own; a failure is told here, with its reason.
  const int result = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) {
    ShowError(chooser.dialog, static_cast<unsigned long>(result));
    return false;
  }
  chooser.chosen = path;
  return true;
}

LRESULT CALLBACK ChooserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             UINT_PTR /*id*/, DWORD_PTR data) {
  TFolderChooser& chooser = *reinterpret_cast<TFolderChooser*>(data);
  if (message == ShowSelectionMessage()) {
    HWND edit = EditBox(window);
    if (edit != nullptr && !chooser.selected.empty()) {
      SetWindowTextW(edit, chooser.selected.c_str());
      chooser.shown = chooser.selected;
    }
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    HWND edit = EditBox(window);
    const std::wstring typed = edit != nullptr ? Trimmed(TextOf(edit)) : std::wstring();
    const std::wstring path = typed == chooser.shown ? std::wstring() : Resolve(chooser, typed);
    if (!path.empty()) {
      if (Accept(chooser, path)) {
        // Closed the way Cancel closes it: the choice is the typed folder, not the selection.
        DefSubclassProc(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      }
      return 0;
    }
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &ChooserProc, kChooserSubclassId);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
  TFolderChooser& chooser = *reinterpret_cast<TFolderChooser*>(data);
  switch (message) {
    case BFFM_INITIALIZED:
      chooser.dialog = window;
      SetWindowSubclass(window, &ChooserProc, kChooserSubclassId,
                        reinterpret_cast<DWORD_PTR>(&chooser));
      break;
    case BFFM_SELCHANGED: {
      wchar_t path[MAX_PATH] = {};
      const auto* item = reinterpret_cast<LPCITEMIDLIST>(lParam);
      chooser.selected = item != nullptr && SHGetPathFromIDListW(item, path) ? path : L"";
      // The full path, once the chooser has written the folder's display name there, so that
      // a name typed after it is easy to place and the path can be edited.
      PostMessageW(window, ShowSelectionMessage(), 0, 0);
      break;
    }
    case BFFM_VALIDATEFAILEDW: {
      // Reached only where the OK button was not taken over; nonzero keeps the chooser open.
      const std::wstring path = Resolve(chooser, Trimmed(reinterpret_cast<const wchar_t*>(lParam)));
      return !path.empty() && Accept(chooser, path) ? 0 : 1;
    }
    default:
      break;
  }
  return 0;
}

}  // namespace

std::optional<std::string> Win32FileDialogs::ChooseFileToOpen(const TXALFileChoice& choice) {
  return ShowFileDialog(CLSID_FileOpenDialog, choice, false);
}

std::optional<std::string> Win32FileDialogs::ChooseFileToSave(const TXALFileChoice& choice) {
  return ShowFileDialog(CLSID_FileSaveDialog, choice, true);
}

std::optional<std::string> Win32FileDialogs::ChooseFolder(const std::string& title) {
  TFolderChooser chooser;
  chooser.question = Widen(createFolderQuestion_);
  const std::wstring wideTitle = Widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = GetActiveWindow();
  info.lpszTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&chooser);
  LPITEMIDLIST selection = SHBrowseForFolderW(&info);
  std::optional<std::wstring> path = chooser.chosen;
  if (selection != nullptr) {
    wchar_t buffer[MAX_PATH] = {};
    if (!path && SHGetPathFromIDListW(selection, buffer)) {
      path = buffer;
    }
    CoTaskMemFree(selection);
  }
  if (!path) {
    return std::nullopt;
  }
  return Narrow(*path);
}

}  // namespace xal::win32
