// What a second copy hands to the running one, and the mailto link it may carry.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "quillet/frame/instance_handoff.h"
#include "quillet/frame/mailto_request.h"

namespace {

struct HandOffCase {
  std::vector<std::string> args;
  std::optional<std::string> copyData;
  std::optional<std::uint32_t> flags;
};

TEST(InstanceHandOff, FirstArgumentAsCopyDataAndFlagsOfTheSecond) {
  const std::string longArgument(512, 'x');
  const std::vector<HandOffCase> cases = {
      {{}, std::nullopt, std::nullopt},
      {{"MAILTO:a@b"}, "MAILTO:a@b", std::nullopt},
      {{longArgument}, std::nullopt, std::nullopt},
      {{longArgument.substr(1)}, longArgument.substr(1), std::nullopt},
      {{"d:\\mail", "x"}, "d:\\mail", 0u},
      {{"d:\\mail", "-z"}, "d:\\mail", 1u},
      {{"d:\\mail", "+"}, "d:\\mail", 2u},
      {{"d:\\mail", "-+"}, "d:\\mail", 3u},
  };
  for (const HandOffCase& c : cases) {
    const TInstanceHandOff handOff = HandOffOf(c.args);
    EXPECT_EQ(handOff.copyData, c.copyData) << c.args.size();
    EXPECT_EQ(handOff.flagsMessage, c.flags) << c.args.size();
  }
  EXPECT_EQ(HandOffArgument(std::string("MAILTO:a@b\0junk", 15)), "MAILTO:a@b");
  EXPECT_EQ(HandOffArgument("MAILTO:a@b"), "MAILTO:a@b");
  EXPECT_EQ(HandOffArgument(""), std::nullopt);
  EXPECT_EQ(HandOffArgument(longArgument), std::nullopt);
}

struct MailtoCase {
  std::string url;
  std::string to, cc, bcc, subject, body;
};

TEST(ParseMailto, AddressesFieldsEscapesAndNoHeaderInjection) {
  const std::vector<MailtoCase> cases = {
      {"mailto:a@b.org", "a@b.org", "", "", "", ""},
      {"MAILTO:a@b.org,c@d.org", "a@b.org,c@d.org", "", "", "", ""},
      {"mailto:a@b?subject=Hi%20there&CC=c@d&cc=e@f&bcc=g@h&x=1", "a@b", "c@d, e@f", "g@h", "Hi there", ""},
      {"mailto:?to=a@b&to=c@d", "a@b, c@d", "", "", "", ""},
      {"mailto:a@b?subject=x%0D%0ABcc:%20spy@evil&body=l1%0Al2%0D%0Al3", "a@b", "", "", "x  Bcc: spy@evil",
       "l1\r\nl2\r\nl3"},
      {"mailto:a%40b?subject=%zz%4", "a@b", "", "", "%zz%4", ""},
      {"mailto:a@b?subject=%D6%D0", "a@b", "", "", "中", ""},
  };
  for (const MailtoCase& c : cases) {
    const std::optional<TMailtoRequest> request = ParseMailto(c.url);
    ASSERT_TRUE(request) << c.url;
    EXPECT_EQ(request->to, c.to) << c.url;
    EXPECT_EQ(request->cc, c.cc) << c.url;
    EXPECT_EQ(request->bcc, c.bcc) << c.url;
    EXPECT_EQ(request->subject, c.subject) << c.url;
    EXPECT_EQ(request->body, c.body) << c.url;
  }
  EXPECT_FALSE(ParseMailto("d:\\mail"));
  EXPECT_FALSE(ParseMailto("mailto"));
}

}  // namespace
