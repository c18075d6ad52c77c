// The texts the user sees: captions, hints and messages, read from a language file of
// "key=value" lines beside the executable.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xal {

class IFileSystem;

// One line of a language file that holds a "=": the key before the first "=", the value after
// it, both exactly as written.
struct TXALLanguageLine {
  std::string Key;
  std::string Value;
};

// The key lines of a language file in file order, duplicates included. Lines end with CR LF,
// LF or CR; lines without "=" are comments and left out.
std::vector<TXALLanguageLine> SplitLanguageLines(std::string_view bytes);

// The entries of a comma text ("Normal,Minimized,Maximized"): entries are separated by commas
// or blanks; an entry that holds either is enclosed in double quotes, inside which a doubled
// quote stands for one quote. Two commas in a row give an empty entry.
std::vector<std::string> ParseCommaText(std::string_view text);

class TXALLanguage {
 public:
  // "Languages\1041.txt" for Japanese, "Languages\1033.txt" for every other locale, in the
  // program's folder (which ends in a separator).
  static std::string FileName(const std::string& programFolder, int localeId);

  // Replaces every text. Input that is not valid UTF-8 throughout gives no texts at all rather
  // than garbled ones. The first line of a key wins; a byte-order mark is not skipped, so it
  // becomes part of the first key.
  void Load(std::string_view utf8Bytes);
  // A missing or unreadable file raises the file system's EXALError.
  void LoadFromFile(const IFileSystem& files, const std::string& path);

  // The text of a key, looked up without regard to letter case; empty when there is none.
  const std::string& Text(std::string_view key) const;
  // The text of a key read as a comma text.
  std::vector<std::string> Items(std::string_view key) const;

 private:
  // By key folded to lower case.
  std::unordered_map<std::string, std::string> texts_;
};

}  // namespace xal
