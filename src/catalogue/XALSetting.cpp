#include "catalogue/XALSetting.h"

#include "catalogue/XALErrors.h"
#include "catalogue/XALXmlFile.h"
#include "catalogue/XALXmlRead.h"
#include "catalogue/XmlParser.h"

namespace xal {
namespace {

// Frames of programs that are application windows although the general rules would skip them.
constexpr const char* kDefaultWhiteList[] = {
    "CabinetWClass",  "ExplorerWClass", "OpusApp",           "XLMAIN",   "PPTFrameClass",
    "rctrl_renwnd32", "OMain",          "Framework::CFrame", "MSWinPub",
};

// Shell and helper windows that must never be moved.
constexpr const char* kDefaultBlackList[] = {
    "Shell_TrayWnd",
    "Button",
    "ReBarWindow32",
    "TrayNotifyWnd",
    "DV2ControlHost",
    "BaseBar",
    "Internet Explorer_Hidden",
    "TApplication",
    "#32770",
    "Alternate Owner",
};

void WriteClasses(xml::ElementWriter& parent, const char* name, const TXALStringList& classes) {
  xml::ElementWriter list = parent.AppendElement(name);
  for (const std::string& windowClass : classes) {
    list.AppendElement("Class").SetAttribute("Name", windowClass);
  }
}

void ReadClasses(const xml::Node& list, TXALStringList& classes) {
  ForEachChildNamed(list, "Class", [&classes](const xml::Node& child) {
    const std::optional<std::string_view> name = child.FindAttribute("Name");
    if (name && !name->empty()) {
      classes.Add(std::string(*name));
    }
  });
}

}  // namespace

TXALSetting::TXALSetting(TXALComponent* owner) : Owner(owner), ManageInvisibleWindows(false) {
  if (owner == nullptr) {
    throw EXALError("Owner of Setting Object can not be nil.");
  }
}

void TXALSetting::LoadDefaults() {
  WhiteList.Clear();
  for (const char* windowClass : kDefaultWhiteList) {
    WhiteList.Add(windowClass);
  }
  BlackList.Clear();
  for (const char* windowClass : kDefaultBlackList) {
    BlackList.Add(windowClass);
  }
  ManageInvisibleWindows = false;
}

void TXALSetting::Assign(const TXALSetting& source) {
  WhiteList = source.WhiteList;
  BlackList = source.BlackList;
  ManageInvisibleWindows = source.ManageInvisibleWindows;
}

bool TXALSetting::Equals(const TXALSetting& other) const {
  return WhiteList.Equals(other.WhiteList) && BlackList.Equals(other.BlackList) &&
         ManageInvisibleWindows == other.ManageInvisibleWindows;
}

void TXALSetting::WriteToDocument(xml::ElementWriter& document) const {
  xml::ElementWriter root = document.AppendElement("XALSetting");
  if (ManageInvisibleWindows) {
    root.AppendElement("Options").AppendElement("ManageInvisibleWindows");
  }
  xml::ElementWriter classes = root.AppendElement("Classes");
  WriteClasses(classes, "WhiteList", WhiteList);
  WriteClasses(classes, "BlackList", BlackList);
}

void TXALSetting::ReadFromDocument(const xml::Document& document) {
  const xml::Node* root = document.DocumentElement();
  if (root == nullptr || root->Name() != "XALSetting") {
    return;
  }
  for (std::size_t i = 0; i < root->ChildCount(); ++i) {
    const xml::Node& child = root->Child(i);
    if (IsElementNamed(child, "Options")) {
      ForEachChildNamed(child, "ManageInvisibleWindows",
                        [this](const xml::Node&) { ManageInvisibleWindows = true; });
    } else if (IsElementNamed(child, "Classes")) {
      ForEachChildNamed(child, "WhiteList",
                        [this](const xml::Node& list) { ReadClasses(list, WhiteList); });
      ForEachChildNamed(child, "BlackList",
                        [this](const xml::Node& list) { ReadClasses(list, BlackList); });
    }
  }
}

std::string TXALSetting::SaveToBytes(const std::string& comment) const {
  xml::XmlStreamWriter writer = NewFileWriter(comment);
  xml::ElementWriter document = writer.DocumentLevel();
  WriteToDocument(document);
  return writer.Finish();
}

void TXALSetting::LoadFromBytes(std::string_view bytes, const std::string& sourceName) {
  ReadFromDocument(*xml::Parse(bytes, sourceName));
}

void TXALSetting::LoadFromFile(const IFileSystem& files, const std::string& fileName) {
  LoadFromBytes(files.ReadFile(fileName), fileName);
}

void TXALSetting::SaveToFile(IFileSystem& files, const std::string& fileName,
                             const std::string& comment, bool replaceExisting) const {
  files.WriteFileAtomic(fileName, SaveToBytes(comment), replaceExisting);
}

}  // namespace xal
