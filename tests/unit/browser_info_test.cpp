// Parsing the browser's DDE reply about its last active window.

#include <gtest/gtest.h>

#include "ui/browser_info.h"

namespace quellix::ui {
namespace {

TEST(ParseWindowInfoReply, AddressAndTitleFromTheFirstTwoQuotedFields) {
  auto info = ParseWindowInfoReply("\"http://www.kelvane.example/\",\"Kelvane, home\",\"extra\"");
  EXPECT_EQ(info.address, "http://www.kelvane.example/");
  EXPECT_EQ(info.title, "Kelvane, home");  // the comma inside quotes stays
  info = ParseWindowInfoReply(" \"a\" ,\r\n \"b\" ");
  EXPECT_EQ(info.address, "a");  // blanks and line breaks outside quotes are dropped
  EXPECT_EQ(info.title, "b");
}

TEST(ParseWindowInfoReply, OddRepliesGiveWhatTheWalkLeaves) {
  EXPECT_EQ(ParseWindowInfoReply("no quotes, at all").address, "");
  EXPECT_EQ(ParseWindowInfoReply("no quotes, at all").title, "");
  EXPECT_EQ(ParseWindowInfoReply("").address, "");
  auto info = ParseWindowInfoReply("\"unterminated, still");
  EXPECT_EQ(info.address, "unterminated, still");
  EXPECT_EQ(info.title, "");
  info = ParseWindowInfoReply("\"a\",\"b\",\"c,d\",\"e\"");
  EXPECT_EQ(info.title, "b");
  info = ParseWindowInfoReply(std::string("\"x\0y\",\"t\"", 10));
  EXPECT_EQ(info.address, std::string("x\0y", 3));
}

}  // namespace
}  // namespace quellix::ui
