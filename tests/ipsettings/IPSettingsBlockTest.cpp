#include "ipsettings/XALIPSettingsBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "regex/IPPattern.h"

namespace xal {
namespace {

std::string Group(const std::string& adapter, const std::string& address,
                  const std::string& mask = "", const std::string& gateway = "",
                  const std::string& dns1 = "", const std::string& dns2 = "") {
  return adapter + "\r\n" + address + "\r\n" + mask + "\r\n" + gateway + "\r\n" + dns1 + "\r\n" +
         dns2 + "\r\n";
}

std::string AllErrors(const std::vector<std::string>& errors) {
  std::string text;
  for (const std::string& error : errors) {
    text += error + "\n";
  }
  return text;
}

TEST(IPSettingsBlockLength, OnlyPlainDecimalNumbersInRange) {
  const struct {
    const char* text;
    std::optional<std::size_t> expected;
  } cases[] = {
      {"17", 17},
      {"1", 1},
      {"1048576", 1048576},
      {"0017", 17},
      {"0", std::nullopt},
      {"", std::nullopt},
      {"1048577", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-17", std::nullopt},
      {"+17", std::nullopt},
      {" 17", std::nullopt},
      {"17 ", std::nullopt},
      {"0x11", std::nullopt},
      {"1e3", std::nullopt},
      {"\xd9\xa1\xd9\xa7", std::nullopt},  // Arabic-Indic digits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseIPSettingsBlockLength(c.text), c.expected) << c.text;
  }
}

TEST(IPSettingsBlockAddress, AgreesWithTheProgramsAddressCheck) {
  const char* const texts[] = {
      "192.168.0.1", "0.0.0.0",    "255.255.255.255", "010.001.000.009", "1.2.3",
      "1.2.3.4.5",   "256.1.1.1",  "1.2.3.04",        "1..2.3",          "1.2.3.4 ",
      " 1.2.3.4",    "1.2.3.0004", "a.b.c.d",         "1.2.3.-4",        "",
      "1.2.3.4\n",   "999.0.0.0",  "00.0.0.0"};
  for (const char* text : texts) {
    EXPECT_EQ(ParseIPv4Address(text).has_value(), IsIPv4Address(text)) << text;
  }
  // Leading zeros are decimal, as the user typed them, never octal.
  EXPECT_EQ(ParseIPv4Address("010.001.000.009")->ToString(), "10.1.0.9");
}

TEST(IPSettingsBlockAddress, MaskPrefixLengths) {
  const struct {
    const char* mask;
    std::optional<int> expected;
  } cases[] = {{"255.255.255.0", 24},
               {"255.255.255.255", 32},
               {"128.0.0.0", 1},
               {"255.255.254.0", 23},
               {"0.0.0.0", std::nullopt},
               {"255.0.255.0", std::nullopt},
               {"255.255.255.1", std::nullopt},
               {"0.255.255.255", std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(SubnetMaskPrefixLength(*ParseIPv4Address(c.mask)), c.expected) << c.mask;
  }
}

TEST(IPSettingsBlock, AThreeLetterAdapterToDhcp) {
  // 3 + 2 + 4 + 2 + 4 x 2 bytes.
  const std::string text = "abc\r\nDHCP\r\n\r\n\r\n\r\n\r\n";
  ASSERT_EQ(text.size(), 19u);
  const TIPSettingsBlock block = ParseIPSettingsBlock(text);
  ASSERT_TRUE(block.Accepted()) << AllErrors(block.Errors);
  ASSERT_EQ(block.Groups.size(), 1u);
  EXPECT_EQ(block.Groups[0].Adapter, "abc");
  EXPECT_EQ(block.Groups[0].Address, "DHCP");
  EXPECT_EQ(block.Groups[0].SubnetMask, "");
  EXPECT_EQ(block.Groups[0].DNS2, "");
}

TEST(IPSettingsBlock, TwoGroupsInOrderWithEveryField) {
  const std::string text = Group("Intel(R) Ethernet \xe6\x9d\xb1", "10.0.0.5", "255.255.255.0",
                                 "10.0.0.1", "8.8.8.8", "127.0.0.1") +
                           Group("Wireless", "DHCP", "", "", "192.168.0.1");
  const TIPSettingsBlock block = ParseIPSettingsBlock(text);
  ASSERT_TRUE(block.Accepted()) << AllErrors(block.Errors);
  ASSERT_EQ(block.Groups.size(), 2u);
  const TIPSettingsGroup& first = block.Groups[0];
  EXPECT_EQ(first.Adapter, "Intel(R) Ethernet \xe6\x9d\xb1");
  EXPECT_EQ(first.Address, "10.0.0.5");
  EXPECT_EQ(first.SubnetMask, "255.255.255.0");
  EXPECT_EQ(first.Gateway, "10.0.0.1");
  EXPECT_EQ(first.DNS1, "8.8.8.8");
  EXPECT_EQ(first.DNS2, "127.0.0.1");
  EXPECT_EQ(block.Groups[1].Adapter, "Wireless");
  EXPECT_EQ(block.Groups[1].DNS1, "192.168.0.1");
}

TEST(IPSettingsBlock, RefusesTheWholeBlockWithTheReason) {
  const std::string good = Group("eth", "DHCP");
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {"", "the block is empty"},
      // Structure.
      // The last line feed cut off.
      {"abc\r\nDHCP\r\n\r\n\r\n\r\n\r", "line 6 (byte 17): a carriage return without a line feed"},
      {"abc\r\nDHCP\r\n\r\n\r\n\r\n", "ends inside group 1, which has 5 of its 6 lines"},
      {"abc\r\nDHCP\r\n\r\n\r\n\r\n\r\nx", "line 7 is not ended by CR LF"},
      {good + good.substr(0, good.size() - 1), "a carriage return without a line feed"},
      {"abc\nDHCP\r\n\r\n\r\n\r\n\r\n", "line 1 (byte 3): a line feed without a carriage return"},
      {"a\rbc\r\nDHCP\r\n\r\n\r\n\r\n\r\n", "a carriage return without a line feed"},
      {good + std::string(10, '\0'), "line 7 (byte 19): the control character U+0000"},
      {Group("a\tb", "DHCP"), "the control character U+0009"},
      {Group("a\x7f", "DHCP"), "the control character U+007F"},
      {Group("a\xc2\x85", "DHCP"), "the control character U+0085"},
      // Not UTF-8: a code-page byte, a cut sequence, overlong, surrogate, beyond U+10FFFF.
      {Group("caf\xe9", "DHCP"), "line 1 (byte 3): the text is not valid UTF-8"},
      {"abc\xe6\x9d", "not valid UTF-8"},
      {Group("\xc0\xaf", "DHCP"), "not valid UTF-8"},
      {Group("\xed\xa0\x80", "DHCP"), "not valid UTF-8"},
      {Group("\xf4\x90\x80\x80", "DHCP"), "not valid UTF-8"},
      // Fields.
      {Group("", "DHCP"), "group 1: the adapter line is empty"},
      {good + Group("eth", "dhcp"), "group 2: the address \"dhcp\" is neither"},
      {Group("eth", "10.0.0.256", "255.0.0.0"), "the address \"10.0.0.256\" is neither"},
      {Group("eth", "10.0.0.5"), "group 1: the static address 10.0.0.5 needs a subnet mask"},
      {Group("eth", "", "255.255.255.0"), "a subnet mask is given without a static address"},
      {Group("eth", "10.0.0.5", "255.0.255.0"), "255.0.255.0 is not a mask of contiguous ones"},
      {Group("eth", "10.0.0.5", "0.0.0.0"), "0.0.0.0 is not a mask of contiguous ones"},
      {Group("eth", "10.0.0.5", "mask"), "the subnet mask \"mask\" is not an IPv4 address"},
      {Group("eth", "10.0.0.0", "255.255.255.0"),
       "10.0.0.0 is the network address of its subnet /24"},
      {Group("eth", "10.0.0.255", "255.255.255.0"), "is the broadcast address of its subnet /24"},
      {Group("eth", "127.0.0.2", "255.0.0.0"), "127.0.0.2 can't be given to an adapter"},
      {Group("eth", "224.0.0.1", "255.0.0.0"), "224.0.0.1 can't be given to an adapter"},
      {Group("eth", "DHCP", "", "gw"), "the gateway \"gw\" is not an IPv4 address"},
      {Group("eth", "DHCP", "", "", "1.2.3.4;5.6.7.8"), "the DNS server 1 \"1.2.3.4;5.6.7.8\""},
      {Group("eth", "DHCP", "", "", "", "0.0.0.0"), "the DNS server 2 0.0.0.0 is not a host"},
      {Group("eth", "DHCP", "", "127.0.0.1"), "the gateway 127.0.0.1 is not a host address"},
  };
  for (const auto& c : cases) {
    const TIPSettingsBlock block = ParseIPSettingsBlock(c.text);
    EXPECT_FALSE(block.Accepted()) << c.reason;
    EXPECT_TRUE(block.Groups.empty()) << c.reason;
    EXPECT_NE(AllErrors(block.Errors).find(c.reason), std::string::npos)
        << "expected \"" << c.reason << "\" in:\n"
        << AllErrors(block.Errors);
  }
}

TEST(IPSettingsBlock, ListsEveryFaultyGroupAndCutsLongValues) {
  const std::string longName(5000, 'n');
  const TIPSettingsBlock block = ParseIPSettingsBlock(
      Group("eth", "DHCP") + Group("eth", "x") + Group("eth", "1.2.3.4") + Group("eth", longName));
  ASSERT_EQ(block.Errors.size(), 3u) << AllErrors(block.Errors);
  EXPECT_EQ(block.Errors[0].rfind("group 2: ", 0), 0u);
  EXPECT_EQ(block.Errors[1].rfind("group 3: ", 0), 0u);
  EXPECT_EQ(block.Errors[2].rfind("group 4: ", 0), 0u);
  EXPECT_LT(block.Errors[2].size(), 200u);

  std::vector<std::string> many(30, "fault");
  const std::string joined = JoinIPSettingsErrors(many);
  EXPECT_NE(joined.find("and 10 more"), std::string::npos) << joined;
}

TEST(IPSettingsBlock, CopiesOnlyWhatTheMappingHolds) {
  // A block is mapped in whole pages: bytes past the text are zeros, not the end of the view.
  std::vector<std::uint8_t> page(4096, 0);
  const std::string text = "abc\r\nDHCP\r\n\r\n\r\n\r\n\r\n";
  std::copy(text.begin(), text.end(), page.begin());

  EXPECT_EQ(CopyIPSettingsBlock(page.data(), page.size(), 19), text);
  EXPECT_EQ(CopyIPSettingsBlock(page.data(), page.size(), page.size() + 1), std::nullopt);
  EXPECT_EQ(CopyIPSettingsBlock(nullptr, 0, 1), std::nullopt);

  // N larger than the text reads the zeros after it, which refuses the block.
  const auto longer = CopyIPSettingsBlock(page.data(), page.size(), 20);
  ASSERT_TRUE(longer);
  EXPECT_FALSE(ParseIPSettingsBlock(*longer).Accepted());
  // N shorter than the text cuts its last line.
  EXPECT_FALSE(ParseIPSettingsBlock(*CopyIPSettingsBlock(page.data(), page.size(), 18)).Accepted());
}

class IPSettingsPlan : public ::testing::Test {
 protected:
  TIPApplyPlan Plan(const std::string& text) {
    const TIPSettingsBlock block = ParseIPSettingsBlock(text);
    EXPECT_TRUE(block.Accepted()) << AllErrors(block.Errors);
    return PlanIPSettings(block.Groups, adapters_);
  }

  const std::vector<TIPAdapter> adapters_ = {
      {"Ethernet", "Intel(R) Ethernet Connection I219-V", 7},
      {"Ethernet 2", "Intel(R) Ethernet Connection I219-V #2", 9},
      {"Wi-Fi", "Realtek Wireless LAN", 12},
  };
};

TEST_F(IPSettingsPlan, StaticAddressWithGatewayAndServers) {
  const TIPApplyPlan plan =
      Plan(Group("Realtek", "010.0.0.5", "255.255.255.0", "10.0.0.1", "8.8.8.8", "8.8.4.4"));
  ASSERT_TRUE(plan.Accepted()) << AllErrors(plan.Errors);
  ASSERT_EQ(plan.Actions.size(), 1u);
  const TIPAdapterAction& action = plan.Actions[0];
  EXPECT_EQ(action.Adapter, 2u);
  EXPECT_FALSE(action.EnableDhcp);
  EXPECT_EQ(action.Address->ToString(), "10.0.0.5");
  EXPECT_EQ(action.SubnetMask->ToString(), "255.255.255.0");
  EXPECT_EQ(action.Gateway->ToString(), "10.0.0.1");
  ASSERT_EQ(action.DnsServers.size(), 2u);
  EXPECT_EQ(action.DnsServers[1].ToString(), "8.8.4.4");
  // What the user confirms: the address as it will be set, not as the block spelled it.
  EXPECT_EQ(DescribeIPApplyPlan(plan, adapters_),
            "Adapter: Realtek Wireless LAN\n"
            "  Connection: Wi-Fi, interface 12\n"
            "  Address: 10.0.0.5\n"
            "  Subnet mask: 255.255.255.0\n"
            "  Gateway: 10.0.0.1\n"
            "  DNS servers: 8.8.8.8, 8.8.4.4\n");
}

TEST_F(IPSettingsPlan, DhcpGoesToEveryAdapterTheTextNames) {
  const TIPApplyPlan plan = Plan(Group("Intel(R) Ethernet", "DHCP", "", "", "192.168.0.1"));
  ASSERT_TRUE(plan.Accepted()) << AllErrors(plan.Errors);
  ASSERT_EQ(plan.Actions.size(), 2u);
  EXPECT_EQ(plan.Actions[0].Adapter, 0u);
  EXPECT_EQ(plan.Actions[1].Adapter, 1u);
  for (const TIPAdapterAction& action : plan.Actions) {
    EXPECT_TRUE(action.EnableDhcp);
    EXPECT_FALSE(action.Address);
    EXPECT_FALSE(action.Gateway);
    ASSERT_EQ(action.DnsServers.size(), 1u);
  }
}

TEST_F(IPSettingsPlan, RefusedPlans) {
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {Group("Broadcom", "DHCP"), "group 1: no adapter's description holds \"Broadcom\""},
      // The program compares adapter names with letter case counting, and so does the plan.
      {Group("realtek", "DHCP"), "no adapter's description holds \"realtek\""},
      // The connection's own name is not what the program compared.
      {Group("Wi-Fi", "DHCP"), "no adapter's description holds \"Wi-Fi\""},
      {Group("Intel", "10.0.0.5", "255.0.0.0"),
       "\"Intel\" names 2 adapters (\"Intel(R) Ethernet Connection I219-V\" (interface 7), "
       "\"Intel(R) Ethernet Connection I219-V #2\" (interface 9)); a static address"},
      // One unknown adapter refuses the groups that could be applied as well.
      {Group("Realtek", "DHCP") + Group("Nowhere", "DHCP"), "group 2: no adapter"},
  };
  for (const auto& c : cases) {
    const TIPApplyPlan plan = Plan(c.text);
    EXPECT_FALSE(plan.Accepted()) << c.reason;
    EXPECT_TRUE(plan.Actions.empty()) << c.reason;
    EXPECT_NE(AllErrors(plan.Errors).find(c.reason), std::string::npos)
        << "expected \"" << c.reason << "\" in:\n"
        << AllErrors(plan.Errors);
  }
}

TEST_F(IPSettingsPlan, TheFirstGroupForAnAdapterWins) {
  // The program puts the set that stands highest first, and hands a setting over once for each
  // address line of the adapter, so the same group may come twice.
  const std::string first = Group("#2", "10.0.0.5", "255.255.255.0");
  const TIPApplyPlan plan = Plan(first + first + Group("I219-V #2", "DHCP"));
  ASSERT_TRUE(plan.Accepted()) << AllErrors(plan.Errors);
  ASSERT_EQ(plan.Actions.size(), 1u);
  EXPECT_EQ(plan.Actions[0].Group, 1u);
  EXPECT_EQ(plan.Actions[0].Address->ToString(), "10.0.0.5");
  ASSERT_EQ(plan.Notes.size(), 2u);
  EXPECT_EQ(plan.Notes[1],
            "group 3: adapter \"Intel(R) Ethernet Connection I219-V #2\" "
            "(interface 9) is set by group 1 already");
}

TEST_F(IPSettingsPlan, WhatIsNotUsedIsSaid) {
  const TIPApplyPlan plan = Plan(Group("Realtek", "DHCP", "", "10.0.0.1") + Group("#2", "") +
                                 Group("V #2", "", "", "10.1.1.1"));
  ASSERT_TRUE(plan.Accepted()) << AllErrors(plan.Errors);
  ASSERT_EQ(plan.Actions.size(), 2u);
  EXPECT_TRUE(plan.Actions[0].EnableDhcp);
  EXPECT_FALSE(plan.Actions[0].Gateway);
  // A gateway alone changes only the gateway.
  EXPECT_FALSE(plan.Actions[1].EnableDhcp);
  EXPECT_FALSE(plan.Actions[1].Address);
  EXPECT_EQ(plan.Actions[1].Gateway->ToString(), "10.1.1.1");
  EXPECT_EQ(DescribeIPApplyPlan(plan, adapters_),
            "Adapter: Realtek Wireless LAN\n"
            "  Connection: Wi-Fi, interface 12\n"
            "  Address: by DHCP\n"
            "  Subnet mask: by DHCP\n"
            "  Gateway: by DHCP\n"
            "  DNS servers: unchanged\n"
            "\n"
            "Adapter: Intel(R) Ethernet Connection I219-V #2\n"
            "  Connection: Ethernet 2, interface 9\n"
            "  Address: unchanged\n"
            "  Subnet mask: unchanged\n"
            "  Gateway: 10.1.1.1\n"
            "  DNS servers: unchanged\n"
            "\n"
            "Not used:\n"
            "  group 1: DHCP assigns the subnet mask and gateway; the ones given are not used\n"
            "  group 2: nothing to change\n");
}

TEST_F(IPSettingsPlan, TheTextShowsEveryAdapterOnLinesOfItsOwn) {
  // A connection name is the user's to choose; a line break in it must not make a line of the
  // plan that looks like a setting.
  const std::vector<TIPAdapter> adapters = {
      {"Office\r\n  Address: 10.9.9.9", "Intel(R) Ethernet Connection I219-V", 7},
      {"", "Intel(R) Ethernet Connection I219-V #2", 9},
  };
  const TIPSettingsBlock block = ParseIPSettingsBlock(
      Group("Intel(R) Ethernet", "DHCP", "", "", "192.168.0.1", "192.168.0.2"));
  ASSERT_TRUE(block.Accepted()) << AllErrors(block.Errors);
  const TIPApplyPlan plan = PlanIPSettings(block.Groups, adapters);
  ASSERT_EQ(plan.Actions.size(), 2u);
  EXPECT_EQ(DescribeIPApplyPlan(plan, adapters),
            "Adapter: Intel(R) Ethernet Connection I219-V\n"
            "  Connection: Office    Address: 10.9.9.9, interface 7\n"
            "  Address: by DHCP\n"
            "  Subnet mask: by DHCP\n"
            "  Gateway: by DHCP\n"
            "  DNS servers: 192.168.0.1, 192.168.0.2\n"
            "\n"
            "Adapter: Intel(R) Ethernet Connection I219-V #2\n"
            "  Connection: interface 9\n"
            "  Address: by DHCP\n"
            "  Subnet mask: by DHCP\n"
            "  Gateway: by DHCP\n"
            "  DNS servers: 192.168.0.1, 192.168.0.2\n");
}

}  // namespace
}  // namespace xal
