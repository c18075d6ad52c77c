#include "ui/XALConfigTargetIPAddress.h"

#include <cstdint>

#include "catalogue/XALErrors.h"
#include "regex/IPPattern.h"
#include "sensing/XALNetwork.h"
#include "ui/XALFieldName.h"

namespace xal {
namespace {

// The address line that asks for an address from the DHCP server; the hand-off and the helper
// compare it exactly, so "dhcp" would be taken for an address and refused there.
constexpr char kDHCP[] = "DHCP";

struct TField {
  const char* Edit;
  const char* Label;
};

constexpr TField kFields[] = {
    {"edAdapter", "lbAdapter"}, {"edAddress", "lbAddress"}, {"edSubnetMask", "lbSubnetMask"},
    {"edGateway", "lbGateway"}, {"edDNS1", "lbDNS1"},       {"edDNS2", "lbDNS2"},
};

// A mask of ones from the left, then zeros, as the helper accepts (255.255.255.0, not
// 255.0.255.0 nor 0.0.0.0). The text is a valid IPv4 address.
bool IsContiguousMask(const std::string& text) {
  std::uint32_t value = 0;
  std::uint32_t octet = 0;
  for (char c : text) {
    if (c == '.') {
      value = (value << 8) | octet;
      octet = 0;
    } else {
      octet = octet * 10 + static_cast<std::uint32_t>(c - '0');
    }
  }
  value = (value << 8) | octet;
  const std::uint32_t inverse = ~value;
  return value != 0 && (inverse & (inverse + 1)) == 0;
}

}  // namespace

TfmXALConfigTargetIPAddress::TfmXALConfigTargetIPAddress(TXALDialogContext& context)
    : TXALDialog("fmXALConfigTargetIPAddress", 527, 225),
      context_(context),
      subscription_(context.Current, this) {
  // Two half-width columns on the left, the current adapters on the right.
  constexpr int kHalf = 125;
  constexpr int kRight = 141;
  const struct {
    TField field;
    TXALBounds label;
  } layout[] = {
      {kFields[0], {8, 8, 2 * kHalf + 8, 15}}, {kFields[1], {8, 52, kHalf, 15}},
      {kFields[2], {kRight, 52, kHalf, 15}},   {kFields[3], {8, 96, kHalf, 15}},
      {kFields[4], {8, 140, kHalf, 15}},       {kFields[5], {kRight, 140, kHalf, 15}},
  };
  for (const auto& row : layout) {
    Add(TXALControlKind::Label, row.field.Label, row.label);
    const TXALBounds edit{row.label.Left, row.label.Top + 16, row.label.Width, 21};
    Add(TXALControlKind::Edit, row.field.Edit, edit).Tip = TXALTip::OwnText;
  }
  Add(TXALControlKind::Label, "lbCurrentAddressesLabel", {274, 8, 245, 15});
  Add(TXALControlKind::List, "lbCurrentAddresses", {274, 24, 245, 162}).Tip =
      TXALTip::LineUnderPointer;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {363, 194, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {444, 194, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigTargetIPAddress::SetSetting(const TXALTargetIPSetting& setting) {
  Mutable("edAdapter").Text = setting.Adapter;
  Mutable("edAddress").Text = setting.Address;
  Mutable("edSubnetMask").Text = setting.SubnetMask;
  Mutable("edGateway").Text = setting.Gateway;
  Mutable("edDNS1").Text = setting.DNS1;
  Mutable("edDNS2").Text = setting.DNS2;
}

void TfmXALConfigTargetIPAddress::GetSetting(TXALTargetIPSetting& setting) const {
  setting.Adapter = Control("edAdapter").Text;
  setting.Address = Control("edAddress").Text;
  setting.SubnetMask = Control("edSubnetMask").Text;
  setting.Gateway = Control("edGateway").Text;
  setting.DNS1 = Control("edDNS1").Text;
  setting.DNS2 = Control("edDNS2").Text;
}

void TfmXALConfigTargetIPAddress::OnShow() {
  LoadCaptions(context_.Language, {"lbAdapter", "lbAddress", "lbSubnetMask", "lbGateway", "lbDNS1",
                                   "lbDNS2", "btOK", "btCancel"});
  // The label's key lacks the "Label" its name has.
  Mutable("lbCurrentAddressesLabel").Text =
      context_.Language.Text("fmXALConfigTargetIPAddress_lbCurrentAddressesCaption");
  SetLines("lbCurrentAddresses", context_.Current.lbIPAddresses());
}

void TfmXALConfigTargetIPAddress::OnIPAddressesChanged(const std::vector<std::string>& lines) {
  SetLines("lbCurrentAddresses", lines);
  Changed();
}

void TfmXALConfigTargetIPAddress::OnSelect(const std::string& name, int index) {
  if (name != "lbCurrentAddresses" || index < 0) {
    return;
  }
  const std::string& line = Control(name).Items[static_cast<std::size_t>(index)];
  // Read now rather than taken from the store: the adapter may have changed since.
  TXALIPStatus status;
  try {
    GetIPStatus(context_.Platform, SettingIDOfLine(line), status);
  } catch (const EXALError& error) {
    Refuse(error.what());
    return;
  }
  Mutable("edAdapter").Text = status.Adapter;
  if (status.DHCP) {
    Mutable("edAddress").Text = kDHCP;
    Mutable("edSubnetMask").Text.clear();
    Mutable("edGateway").Text.clear();
  } else {
    Mutable("edAddress").Text = status.Address;
    Mutable("edSubnetMask").Text = status.SubnetMask;
    Mutable("edGateway").Text = status.Gateway;
  }
  Mutable("edDNS1").Text = status.DNS1;
  Mutable("edDNS2").Text = status.DNS2;
}

bool TfmXALConfigTargetIPAddress::OnConfirm() {
  return AllStorable(context_.Language,
                     {"edAdapter", "edAddress", "edSubnetMask", "edGateway", "edDNS1", "edDNS2"}) &&
         HelperCanUse();
}

bool TfmXALConfigTargetIPAddress::HelperCanUse() {
  const TXALLanguage& language = context_.Language;
  const std::string& address = Control("edAddress").Text;
  const std::string& mask = Control("edSubnetMask").Text;
  const bool dhcp = address == kDHCP;
  if (!address.empty() && !dhcp && !IsIPv4Address(address)) {
    Refuse(language.Text("fmXALConfigTargetIPAddress_InvalidAddressMsg"));
    return false;
  }
  if (!mask.empty() && (!IsIPv4Address(mask) || !IsContiguousMask(mask))) {
    Refuse(language.Text("fmXALConfigTargetIPAddress_InvalidSubnetMaskMsg"));
    return false;
  }
  for (const TField& field : {kFields[3], kFields[4], kFields[5]}) {
    const std::string& text = Control(field.Edit).Text;
    if (!text.empty() && !IsIPv4Address(text)) {
      Refuse(language.Text("fmXALConfigTargetIPAddress_InvalidIPv4Msg") +
             FieldName(Control(field.Label).Text));
      return false;
    }
  }
  // A static address without its mask, or a mask without an address to go with it, can't be
  // set; with DHCP the server gives the mask and one typed is not used.
  if (!dhcp && address.empty() != mask.empty()) {
    Refuse(language.Text("fmXALConfigTargetIPAddress_AddressAndMaskMsg"));
    return false;
  }
  return true;
}

}  // namespace xal
