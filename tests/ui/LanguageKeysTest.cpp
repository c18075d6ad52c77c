// The shipped language files against the keys the windows read, and against the keys the
// program's source code reads.
#include <gtest/gtest.h>

#include "catalogue/Utf8.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ui/XALLanguage.h"

namespace xal {
namespace {

// Every key a window, message or placeholder reads, grouped by window in reading order.
const char* const kKeys[] = {
    // Main window
    "fmXALMainCaption",
    "fmXALMain_gbXALSetsCaption",
    "fmXALMain_btXALSetUpCaption",
    "fmXALMain_btXALSetDownCaption",
    "fmXALMain_btXALSetAddCaption",
    "fmXALMain_btXALSetDeleteCaption",
    "fmXALMain_btXALSetCopyCaption",
    "fmXALMain_btXALSetRenameCaption",
    "fmXALMain_gbXALSetCaption",
    "fmXALMain_gbEnvironmentCaption",
    "fmXALMain_gbEnvWiFiCaption",
    "fmXALMain_btEnvWiFiEditCaption",
    "fmXALMain_btEnvWiFiDeleteCaption",
    "fmXALMain_gbEnvIPAddressesCaption",
    "fmXALMain_btEnvIPAddressesEditCaption",
    "fmXALMain_btEnvIPAddressesDeleteCaption",
    "fmXALMain_btEnvIPAddressesAddCaption",
    "fmXALMain_gbEnvDisplaysCaption",
    "fmXALMain_lbEnvDisplaysLabelCaption",
    "fmXALMain_lbEnvDisplaysCountCaption",
    "fmXALMain_btEnvDisplaysEditCaption",
    "fmXALMain_btEnvDisplaysDeleteCaption",
    "fmXALMain_btEnvDisplaysAddCaption",
    "fmXALMain_btEnvDisplaysImportCurrentCaption",
    "fmXALMain_gbEnvPrintersCaption",
    "fmXALMain_btEnvPrintersEditCaption",
    "fmXALMain_btEnvPrintersDeleteCaption",
    "fmXALMain_btEnvPrintersAddCaption",
    "fmXALMain_gbTargetCaption",
    "fmXALMain_gbTargetIPAddressesCaption",
    "fmXALMain_btTargetIPAddressesEditCaption",
    "fmXALMain_btTargetIPAddressesDeleteCaption",
    "fmXALMain_btTargetIPAddressesAddCaption",
    "fmXALMain_sgTargetIPAddressesColumn0Caption",
    "fmXALMain_sgTargetIPAddressesColumn1Caption",
    "fmXALMain_sgTargetIPAddressesColumn2Caption",
    "fmXALMain_sgTargetIPAddressesColumn3Caption",
    "fmXALMain_sgTargetIPAddressesColumn4Caption",
    "fmXALMain_sgTargetIPAddressesColumn5Caption",
    "fmXALMain_gbTargetProxyCaption",
    "fmXALMain_btTargetProxyEditCaption",
    "fmXALMain_gbTargetAutoConfigURLCaption",
    "fmXALMain_btTargetAutoConfigURLEditCaption",
    "fmXALMain_gbTargetDefaultPrinterCaption",
    "fmXALMain_btTargetDefaultPrinterEditCaption",
    "fmXALMain_btTargetDefaultPrinterDeleteCaption",
    "fmXALMain_gbTargetStartupsCaption",
    "fmXALMain_sgTargetStartupsColumn0Caption",
    "fmXALMain_sgTargetStartupsColumn1Caption",
    "fmXALMain_sgTargetStartupsColumn2Caption",
    "fmXALMain_sgTargetStartupsColumn3Caption",
    "fmXALMain_sgTargetStartupsColumn4Caption",
    "fmXALMain_sgTargetStartupsHintName",
    "fmXALMain_sgTargetStartupsHintFilePath",
    "fmXALMain_sgTargetStartupsHintParam",
    "fmXALMain_sgTargetStartupsHintWorkDir",
    "fmXALMain_sgTargetStartupsHintOnlynew",
    "fmXALMain_btTargetStartupsEditCaption",
    "fmXALMain_btTargetStartupsDeleteCaption",
    "fmXALMain_btTargetStartupsAddCaption",
    "fmXALMain_btTargetStartupsExecuteCaption",
    "fmXALMain_btTargetStartupsExecuteAllCaption",
    "fmXALMain_btTargetStartupsUpCaption",
    "fmXALMain_btTargetStartupsDownCaption",
    "fmXALMain_gbTargetAppsCaption",
    "fmXALMain_sgTargetAppsColumn0Caption",
    "fmXALMain_sgTargetAppsColumn1Caption",
    "fmXALMain_sgTargetAppsColumn2Caption",
    "fmXALMain_sgTargetAppsHintName",
    "fmXALMain_sgTargetAppsHintClass",
    "fmXALMain_sgTargetAppsHintTitle",
    "fmXALMain_sgTargetAppsHintState",
    "fmXALMain_sgTargetAppsHintNormal",
    "fmXALMain_sgTargetAppsHintMinimized",
    "fmXALMain_sgTargetAppsHintMaximized",
    "fmXALMain_sgTargetAppsHintLeft",
    "fmXALMain_sgTargetAppsHintTop",
    "fmXALMain_sgTargetAppsHintWidth",
    "fmXALMain_sgTargetAppsHintHeight",
    "fmXALMain_sgTargetAppsHintDefaultPrinter",
    "fmXALMain_lbTargetAppDisplayLabelCaption",
    "fmXALMain_lbTargetAppStateLabelCaption",
    "fmXALMain_lbTargetAppStateNormalCaption",
    "fmXALMain_lbTargetAppStateMinimizedCaption",
    "fmXALMain_lbTargetAppStateMaximizedCaption",
    "fmXALMain_lbTargetAppLeftLabelCaption",
    "fmXALMain_lbTargetAppTopLabelCaption",
    "fmXALMain_lbTargetAppWidthLabelCaption",
    "fmXALMain_lbTargetAppHeightLabelCaption",
    "fmXALMain_lbTargetAppDefaultPrinterLabelCaption",
    "fmXALMain_btTargetAppsMoveCaption",
    "fmXALMain_btTargetAppsMoveAllCaption",
    "fmXALMain_btTargetAppsEditCaption",
    "fmXALMain_btTargetAppsDeleteCaption",
    "fmXALMain_btTargetAppsAddCaption",
    "fmXALMain_cbEnableManageWindowCaption",
    "fmXALMain_btCurrentCaption",
    "fmXALMain_btRecheckCaption",
    "fmXALMain_btCOnfigSettingsCaption",
    "fmXALMain_btExportCaption",
    "fmXALMain_btImportCaption",
    "fmXALMain_btSaveCaption",
    "fmXALMain_btHelpCaption",
    "fmXALMain_miEditCaption",
    "fmXALMain_miCutCaption",
    "fmXALMain_miCopyCaption",
    "fmXALMain_miPasteCaption",
    "fmXALMain_miAddCaption",
    "fmXALMain_miDeleteCaption",
    "fmXALMain_miUpCaption",
    "fmXALMain_miDownCaption",
    "fmXALMain_miRestoreCaption",
    "fmXALMain_miRecheckCaption",
    "fmXALMain_miSetIPAddressesCaption",
    "fmXALMain_miQuitCaption",
    "fmXALMain_TrayIconBalloonTitleIPAddressToSet",
    "fmXALMain_TrayIconBalloonHintIPAddressToSet",
    "fmXALMain_OverwriteXALSetsMsg",
    // Current environment window
    "fmXALCurrentCaption",
    "fmXALCurrent_gbWiFiCaption",
    "fmXALCurrent_lbWiFiLabelCaption",
    "fmXALCurrent_gbIPAddressesCaption",
    "fmXALCurrent_lbIPAddressesLabelCaption",
    "fmXALCurrent_gbDisplaysCaption",
    "fmXALCurrent_lbDisplaysCountLabelCaption",
    "fmXALCurrent_lbDisplaysLabelCaption",
    "fmXALCurrent_gbPrintersCaption",
    "fmXALCurrent_lbPrintersLabelCaption",
    "fmXALCurrent_btPrintersCaption",
    "fmXALCurrent_gbDefaultPrinterCaption",
    "fmXALCurrent_btDefaultPrinterCaption",
    "fmXALCurrent_gbProxyCaption",
    "fmXALCurrent_btProxyCaption",
    "fmXALCurrent_gbAutoConfigURLCaption",
    "fmXALCurrent_btAutoConfigURLCaption",
    "fmXALCurrent_gbAppsCaption",
    "fmXALCurrent_lbAppsLabelCaption",
    "fmXALCurrent_NoProxyMsg",
    "fmXALCurrent_NoAutoConfigURLMsg",
    // Add set dialog
    "fmXALConfigAddSetCaption",
    "fmXALConfigAddSet_lbNameCaption",
    "fmXALConfigAddSet_lbNameExampleCaption",
    "fmXALConfigAddSet_rgImportCaption",
    "fmXALConfigAddSet_rgImportItems0",
    "fmXALConfigAddSet_rgImportItems1",
    "fmXALConfigAddSet_gbCurrentCaption",
    "fmXALConfigAddSet_gbEnvironmentCaption",
    "fmXALConfigAddSet_cbWiFiCaption",
    "fmXALConfigAddSet_gbWiFiCaption",
    "fmXALConfigAddSet_cbEnvIPAddressCaption",
    "fmXALConfigAddSet_cbEnvIPAddressWithWildCaption",
    "fmXALConfigAddSet_gbEnvIPAddressCaption",
    "fmXALConfigAddSet_cbDisplayCaption",
    "fmXALConfigAddSet_cbDisplayCountCaption",
    "fmXALConfigAddSet_gbDisplayCaption",
    "fmXALConfigAddSet_cbPrinterCaption",
    "fmXALConfigAddSet_gbPrinterCaption",
    "fmXALConfigAddSet_gbTargetCaption",
    "fmXALConfigAddSet_cbTargetIPAddressCaption",
    "fmXALConfigAddSet_gbTargetIPAddressCaption",
    "fmXALConfigAddSet_clTargetIPAddressHintAdapter",
    "fmXALConfigAddSet_clTargetIPAddressHintAddress",
    "fmXALConfigAddSet_clTargetIPAddressHintSubnetMask",
    "fmXALConfigAddSet_clTargetIPAddressHintGateway",
    "fmXALConfigAddSet_clTargetIPAddressHintDNS1",
    "fmXALConfigAddSet_clTargetIPAddressHintDNS2",
    "fmXALConfigAddSet_cbProxyCaption",
    "fmXALConfigAddSet_gbProxyCaption",
    "fmXALConfigAddSet_cbDefaultPrinterCaption",
    "fmXALConfigAddSet_gbDefaultPrinterCaption",
    "fmXALConfigAddSet_cbAppCaption",
    "fmXALConfigAddSet_cbAppWithTitleCaption",
    "fmXALConfigAddSet_gbAppCaption",
    "fmXALConfigAddSet_clAppHintName",
    "fmXALConfigAddSet_clAppHintClass",
    "fmXALConfigAddSet_clAppHintTitle",
    "fmXALConfigAddSet_clAppHintState",
    "fmXALConfigAddSet_clAppHintNormal",
    "fmXALConfigAddSet_clAppHintMinimized",
    "fmXALConfigAddSet_clAppHintMaximized",
    "fmXALConfigAddSet_clAppHintLeft",
    "fmXALConfigAddSet_clAppHintTop",
    "fmXALConfigAddSet_clAppHintWidth",
    "fmXALConfigAddSet_clAppHintHeight",
    "fmXALConfigAddSet_btOkCaption",
    "fmXALConfigAddSet_btCancelCaption",
    // Set name dialog
    "fmXALConfigSetNameCaption",
    "fmXALConfigSetName_lbNameCaption",
    "fmXALConfigSetName_btOKCaption",
    "fmXALConfigSetName_btCancelCaption",
    // Wi-Fi network dialog
    "fmXALConfigWiFiCaption",
    "fmXALConfigWiFi_lbNameCaption",
    "fmXALConfigWiFi_lbAccessPointsLabelCaption",
    "fmXALConfigWiFi_btOkCaption",
    "fmXALConfigWiFi_btCancelCaption",
    // IP address pattern dialog
    "fmXALConfigEnvIPAddressCaption",
    "fmXALConfigEnvIPAddress_lbNamesCaption",
    "fmXALConfigEnvIPAddress_cbImportWithWildcardCaption",
    "fmXALConfigEnvIPAddress_lbIPAddressesLabelCaption",
    "fmXALConfigEnvIPAddress_btOKCaption",
    "fmXALConfigEnvIPAddress_btCancelCaption",
    "fmXALConfigEnvIPAddress_InvalidIPAddressMsg",
    // Display dialog
    "fmXALConfigDisplayCaption",
    "fmXALConfigDisplay_lbNumberCaption",
    "fmXALConfigDisplay_lbLeftCaption",
    "fmXALConfigDisplay_lbTopCaption",
    "fmXALConfigDisplay_lbWidthCaption",
    "fmXALConfigDisplay_lbHeightCaption",
    "fmXALConfigDisplay_lbDisplaysLabelCaption",
    "fmXALConfigDisplay_btOKCaption",
    "fmXALConfigDisplay_btCancelCaption",
    "fmXALConfigDisplay_NumberExistsMsg",
    // Printer dialog
    "fmXALConfigPrinterCaption",
    "fmXALConfigPrinter_lbNamesCaption_Multi",
    "fmXALConfigPrinter_lbNamesCaption_Single",
    "fmXALConfigPrinter_lbPrintersLabelCaption_Multi",
    "fmXALConfigPrinter_lbPrintersLabelCaption_Single",
    "fmXALConfigPrinter_btOKCaption",
    "fmXALConfigPrinter_btCancelCaption",
    // IP settings dialog
    "fmXALConfigTargetIPAddressCaption",
    "fmXALConfigTargetIPAddress_lbAdapterCaption",
    "fmXALConfigTargetIPAddress_lbAddressCaption",
    "fmXALConfigTargetIPAddress_lbSubnetMaskCaption",
    "fmXALConfigTargetIPAddress_lbGatewayCaption",
    "fmXALConfigTargetIPAddress_lbDNS1Caption",
    "fmXALConfigTargetIPAddress_lbDNS2Caption",
    "fmXALConfigTargetIPAddress_lbCurrentAddressesCaption",
    "fmXALConfigTargetIPAddress_btOkCaption",
    "fmXALConfigTargetIPAddress_btCancelCaption",
    // Proxy server dialog
    "fmXALConfigProxyCaption",
    "fmXALConfigProxy_rbNoSettingCaption",
    "fmXALConfigProxy_rbDisableProxyCaption",
    "fmXALConfigProxy_rbEnableProxyCaption",
    "fmXALConfigProxy_lbAddressCaption",
    "fmXALConfigProxy_lbPortCaption",
    "fmXALConfigProxy_btOkCaption",
    "fmXALConfigProxy_btCancelCaption",
    // Configuration script dialog
    "fmXALConfigAutoConfigURLCaption",
    "fmXALConfigAutoConfigURL_rbNoSettingCaption",
    "fmXALConfigAutoConfigURL_rbDisableAutoConfigURLCaption",
    "fmXALConfigAutoConfigURL_rbEnableAutoConfigURLCaption",
    "fmXALConfigAutoConfigURL_lbURLCaption",
    "fmXALConfigAutoConfigURL_btOkCaption",
    "fmXALConfigAutoConfigURL_btCancelCaption",
    // Startup program dialog
    "fmXALConfigStartupCaption",
    "fmXALConfigStartup_lbNameCaption",
    "fmXALConfigStartup_lbFilePathCaption",
    "fmXALConfigStartup_lbParamCaption",
    "fmXALConfigStartup_lbWorkDirCaption",
    "fmXALConfigStartup_btFileCaption",
    "fmXALConfigStartup_btFolderCaption",
    "fmXALConfigStartup_cbOnlyNewCaption",
    "fmXALConfigStartup_btExecuteCaption",
    "fmXALConfigStartup_btOkCaption",
    "fmXALConfigStartup_btCancelCaption",
    // Placement rule dialog
    "fmXALConfigAppCaption",
    "fmXALConfigApp_lbNameCaption",
    "fmXALConfigApp_lbClassCaption",
    "fmXALConfigApp_lbTitleCaption",
    "fmXALConfigApp_lbDisplayCaption",
    "fmXALConfigApp_lbLeftCaption",
    "fmXALConfigApp_lbTopCaption",
    "fmXALConfigApp_lbWidthCaption",
    "fmXALConfigApp_lbHeightCaption",
    "fmXALConfigApp_rgStateCaption",
    "fmXALConfigApp_rgStateItems",
    "fmXALConfigApp_gbDefaultPrinterCaption",
    "fmXALConfigApp_btNoDefaultPrinterCaption",
    "fmXALConfigApp_lbAppsLabelCaption",
    "fmXALConfigApp_cbWithTitleCaption",
    "fmXALConfigApp_lbPrintersLabelCaption",
    "fmXALConfigApp_btSetCaption",
    "fmXALConfigApp_btOKCaption",
    "fmXALConfigApp_btCancelCaption",
    // Settings dialog
    "fmXALConfigSettingsCaption",
    "fmXALConfigSettings_btRegToStartupCaption",
    "fmXALConfigSettings_btEditWhiteListCaption",
    "fmXALConfigSettings_btEditBlackListCaption",
    "fmXALConfigSettings_cbManageInvisibleWindowsCaption",
    "fmXALConfigSettings_btOKCaption",
    "fmXALConfigSettings_btCancelCaption",
    // Window class list editor
    "fmXALConfigList_btUpdateCaption",
    "fmXALConfigList_btAddCaption",
    "fmXALConfigList_btDeleteCaption",
    "fmXALConfigList_btOKCaption",
    "fmXALConfigList_btCancelCaption",
    // Texts of no single window
    "NoNameMsg",
    "NoSettingMsg",
    "XMLComment",
    "HelpURL",
};

// Keys of texts the program shows beyond those above: refusals of input the data files or the
// recheck can't use, and the controls that show whether the program starts at log-on.
const char* const kAddedKeys[] = {
    "NotStorableTextMsg",
    "fmXALMain_XMLFilesFilter",
    "fmXALMain_AllFilesFilter",
    "fmXALConfigDisplay_InvalidNumberMsg",
    "fmXALConfigList_btUpCaption",
    "fmXALConfigList_btDownCaption",
    "fmXALConfigSettings_btUnregFromStartupCaption",
    "fmXALConfigSettings_RegToStartupFailedMsg",
    "fmXALConfigSettings_UnregFromStartupFailedMsg",
    "fmXALConfigTargetIPAddress_InvalidAddressMsg",
    "fmXALConfigTargetIPAddress_InvalidSubnetMaskMsg",
    "fmXALConfigTargetIPAddress_InvalidIPv4Msg",
    "fmXALConfigTargetIPAddress_AddressAndMaskMsg",
    "fmXALConfigProxy_NoAddressMsg",
    "fmXALConfigProxy_InvalidPortMsg",
    "fmXALConfigApp_NotANumberMsg",
    "fmXALConfigStartup_CreateFolderMsg",
};

// A key written as a plain string literal in the source: a form's title key
// ("fmXALMainCaption"), a form key with a part after "_" ("fmXALMain_miQuitCaption"), or one of
// the four keys without a form. Class names ("TfmXALMain") and bare form names ("fmXALMain")
// don't match.
const char* const kKeyLiteralPattern =
    R"re("(fmXAL[A-Za-z0-9]*Caption|fmXAL[A-Za-z0-9]+_[A-Za-z0-9_]+|)re"
    R"re(NoNameMsg|NoSettingMsg|XMLComment|HelpURL|NotStorableTextMsg)")re";

const char* const kLanguageFiles[] = {"1033.txt", "1041.txt"};

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ShippedFile(const char* name) {
  return ReadWholeFile(std::filesystem::path(XAL_SOURCE_DIR) / "lang" / name);
}

std::string Folded(std::string key) {
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

std::vector<std::string> KeysOf(const std::string& bytes) {
  std::vector<std::string> keys;
  for (const TXALLanguageLine& line : SplitLanguageLines(bytes)) {
    keys.push_back(line.Key);
  }
  return keys;
}

TEST(LanguageFiles, AreUtf8WithoutByteOrderMarkAndEndLinesWithCrLf) {
  for (const char* name : kLanguageFiles) {
    const std::string bytes = ShippedFile(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << name << " starts with a byte-order mark";
    EXPECT_TRUE(IsValidUtf8(bytes)) << name;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const bool crWithoutLf = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
      const bool lfWithoutCr = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      if (crWithoutLf || lfWithoutCr) {
        ADD_FAILURE() << name << ": line end other than CR LF at byte " << i;
        break;
      }
    }
  }
}

TEST(LanguageFiles, HoldEveryKeyOnceAndNothingElse) {
  std::set<std::string> expected(std::begin(kKeys), std::end(kKeys));
  ASSERT_EQ(expected.size(), 290u);
  expected.insert(std::begin(kAddedKeys), std::end(kAddedKeys));
  for (const char* name : kLanguageFiles) {
    std::map<std::string, int> seen;
    for (const std::string& key : KeysOf(ShippedFile(name))) {
      // The program ignores letter case, so keys differing only in case are duplicates too.
      if (++seen[Folded(key)] == 2) {
        ADD_FAILURE() << name << ": key \"" << key << "\" stands more than once";
      }
      EXPECT_TRUE(expected.count(key) != 0) << name << ": unknown key \"" << key << "\"";
    }
    for (const std::string& key : expected) {
      EXPECT_TRUE(seen.count(Folded(key)) != 0) << name << ": key \"" << key << "\" is missing";
    }
  }
}

TEST(LanguageFiles, ListTheirKeysInTheSameOrder) {
  EXPECT_EQ(KeysOf(ShippedFile("1033.txt")), KeysOf(ShippedFile("1041.txt")));
}

TEST(LanguageFiles, GiveATextForEveryKey) {
  for (const char* name : kLanguageFiles) {
    TXALLanguage language;
    language.Load(ShippedFile(name));
    for (const char* key : kKeys) {
      EXPECT_FALSE(language.Text(key).empty()) << name << ": " << key;
    }
    for (const char* key : kAddedKeys) {
      EXPECT_FALSE(language.Text(key).empty()) << name << ": " << key;
    }
  }
}

TEST(LanguageFiles, TextsFollowedDirectlyByAValueEndInABlank) {
  // Hint labels of the grids and check lists precede their value in a tooltip; the display
  // message precedes "(number)". The three state words among the hints are values themselves.
  const std::regex hintLabel("_(sg|cl)[A-Za-z0-9]+Hint");
  const std::regex stateWord("Hint(Normal|Minimized|Maximized)$");
  for (const char* name : kLanguageFiles) {
    TXALLanguage language;
    language.Load(ShippedFile(name));
    int checked = 0;
    for (const std::string key : kKeys) {
      const bool label = std::regex_search(key, hintLabel) && !std::regex_search(key, stateWord);
      if (label || key == "fmXALConfigDisplay_NumberExistsMsg") {
        ++checked;
        const std::string& text = language.Text(key);
        EXPECT_TRUE(!text.empty() && text.back() == ' ') << name << ": " << key;
      }
    }
    // 28 hint labels and the message.
    EXPECT_EQ(checked, 29) << name;
  }
}

TEST(LanguageFiles, WindowStateChoiceHasThreeItems) {
  for (const char* name : kLanguageFiles) {
    TXALLanguage language;
    language.Load(ShippedFile(name));
    EXPECT_EQ(language.Items("fmXALConfigApp_rgStateItems").size(), 3u) << name;
  }
}

TEST(LanguageFiles, HoldEveryKeyTheSourceCodeReads) {
  std::vector<std::set<std::string>> fileKeys;
  for (const char* name : kLanguageFiles) {
    std::set<std::string> folded;
    for (const std::string& key : KeysOf(ShippedFile(name))) {
      folded.insert(Folded(key));
    }
    fileKeys.push_back(std::move(folded));
  }

  const std::regex keyLiteral(kKeyLiteralPattern);
  int found = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(
           std::filesystem::path(XAL_SOURCE_DIR) / "src")) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
      continue;
    }
    const std::string source = ReadWholeFile(entry.path());
    for (auto match = std::sregex_iterator(source.begin(), source.end(), keyLiteral);
         match != std::sregex_iterator(); ++match) {
      const std::string key = (*match)[1];
      ++found;
      for (std::size_t i = 0; i < fileKeys.size(); ++i) {
        EXPECT_TRUE(fileKeys[i].count(Folded(key)) != 0)
            << entry.path().string() << " reads \"" << key << "\", which " << kLanguageFiles[i]
            << " lacks";
      }
    }
  }
  // The main window reads its title, so a scan that finds nothing has lost its way.
  EXPECT_GT(found, 0);
}

}  // namespace
}  // namespace xal
