// Single items as text: the XML text form of sets, rules, displays, IP settings and startup
// entries (for the clipboard), the check of an address pattern, the split of a pasted printer
// list and the label a display is listed by.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

class TXALDisplay;

// The element that write appends to an empty document, on one line with a trailing CR LF, no
// declaration; the empty text when write appends nothing.
std::string ItemToText(const std::function<void(xml::ElementWriter&)>& write);

// Parses text as a UTF-8 document and calls read on its first top-level node when that node is
// an element named elementName; otherwise does nothing. Malformed text raises
// xml::EXmlParseError; errors of read pass unchanged.
void ItemFromText(std::string_view text, std::string_view elementName,
                  const std::function<void(const xml::Node&)>& read);

// Four dot-separated parts, each a decimal number 0 to 255 (leading zeros allowed up to three
// digits) or a single "*", and nothing around them.
bool IsIPAddressPattern(const std::string& text);

// The names in a comma-separated text: each piece trimmed of blanks and control characters,
// empty pieces dropped.
std::vector<std::string> SplitPrinterList(std::string_view text);

// "<Number>:(<Left>,<Top>,<Width>,<Height>)".
std::string DisplayLabel(const TXALDisplay& display);

}  // namespace xal
