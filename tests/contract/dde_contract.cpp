// The DDE request the browser information tool makes, against a server that answers as a
// browser's window-information service does, and against none.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "contract/platform_under_test.h"

namespace quellix::contract {
namespace {

constexpr char kService[] = "iexplore";
constexpr char kTopic[] = "WWW_GetWindowInfo";
constexpr char kItem[] = "-1";
constexpr unsigned kTimeout = 3000;  // ms

class DdeContract : public ::testing::Test {
 protected:
  std::unique_ptr<PlatformUnderTest> p = MakePlatformUnderTest();
  platform::DdeClient& dde = p->Services().dde;

  std::optional<std::string> Ask(const std::string& item = kItem, unsigned timeout = kTimeout) {
    return dde.RequestText(kService, kTopic, item, timeout);
  }
  // The request's result and how long it took, which the test log shows.
  std::optional<std::string> TimedAsk(const char* what, unsigned timeout) {
    const auto start = std::chrono::steady_clock::now();
    auto reply = Ask(kItem, timeout);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::printf("[ dde      ] %s: %s after %lld ms\n", what, reply ? "reply" : "failure",
                static_cast<long long>(elapsed.count()));
    return reply;
  }
};

TEST_F(DdeContract, TheReplyComesAsTheServerSentIt) {
  const std::string reply = "\"http://example.com/a?b=1&c=%20\",\"Offers, cheap \\ \"\"x\"\"\",\"\"";
  p->ServeBrowserWindowInfo({reply});
  EXPECT_EQ(TimedAsk("server answering at once", kTimeout), reply);
  // Each request has a conversation of its own; the next one is answered alike.
  EXPECT_EQ(Ask(), reply);
}

// A browser answers in its ANSI code page (the Western one on the machines this suite runs
// on): "Café – €5" comes back in UTF-8.
TEST_F(DdeContract, AReplyInTheWesternPageArrivesInUtf8) {
  const std::string reply =
      "\"http://example.com/\",\"Caf\xC3\xA9 \xE2\x80\x93 \xE2\x82\xAC"
      "5\"";
  p->ServeBrowserWindowInfo({reply});
  EXPECT_EQ(Ask(), reply);
}

TEST_F(DdeContract, AnEmptyReplyIsAReply) {
  p->ServeBrowserWindowInfo({""});
  EXPECT_EQ(Ask(), "");
}

TEST_F(DdeContract, NamesCompareWithoutCase) {
  p->ServeBrowserWindowInfo({"\"u\",\"t\""});
  EXPECT_EQ(dde.RequestText("IExplore", "www_getwindowinfo", kItem, kTimeout), "\"u\",\"t\"");
}

TEST_F(DdeContract, OtherItemsAndTopicsFailAndTheServerStillAnswers) {
  p->ServeBrowserWindowInfo({"\"u\",\"t\""});
  EXPECT_EQ(Ask("0"), std::nullopt);
  EXPECT_EQ(dde.RequestText(kService, "WWW_Activate", kItem, kTimeout), std::nullopt);
  EXPECT_EQ(dde.RequestText("netscape", kTopic, kItem, kTimeout), std::nullopt);
  EXPECT_EQ(Ask(), "\"u\",\"t\"");
}

TEST_F(DdeContract, WithNoServerTheRequestFails) {
  EXPECT_EQ(TimedAsk("no server", kTimeout), std::nullopt);
  EXPECT_EQ(TimedAsk("no server, again", kTimeout), std::nullopt);
}

TEST_F(DdeContract, AServerSlowerThanTheTimeOutFails) {
  // Had the client waited for the answer, the reply would be here. (Closing the conversation
  // still waits for the busy server, which the log's figure shows.)
  p->ServeBrowserWindowInfo({"\"late\",\"late\"", 1, 3000});
  EXPECT_EQ(TimedAsk("server answering after 3000 ms, time-out 1000 ms", 1000), std::nullopt);
}

TEST_F(DdeContract, LongRepliesAreCut) {
  const std::string piece = "0123456789abcdef";
  p->ServeBrowserWindowInfo({piece, 5000});  // 80000 bytes
  const auto reply = Ask();
  ASSERT_TRUE(reply);
  ASSERT_EQ(reply->size(), platform::DdeClient::kMaxReply);
  EXPECT_EQ(reply->substr(0, 32), piece + piece);
  EXPECT_EQ(reply->substr(reply->size() - piece.size()), piece);  // 65536 is a whole number of pieces
}

}  // namespace
}  // namespace quellix::contract
