#include "text/text.h"

#include <gtest/gtest.h>

namespace quellix::text {
namespace {

TEST(LeadingNumber, ReadsTheNumberATextStartsWith) {
  EXPECT_EQ(LeadingNumber("1"), 1);
  EXPECT_EQ(LeadingNumber("  1"), 1);
  EXPECT_EQ(LeadingNumber("1.0"), 1);
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("-3"), -3);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1e2"), 100);
  EXPECT_EQ(LeadingNumber("1e"), 1);
  EXPECT_EQ(LeadingNumber("&h10"), 16);
  EXPECT_EQ(LeadingNumber("&H0001"), 1);
  EXPECT_EQ(LeadingNumber("&o17"), 15);
}

TEST(LeadingNumber, SkipsBlanksWhereverTheyStandInTheNumber) {
  EXPECT_EQ(LeadingNumber("1 0"), 10);
  EXPECT_EQ(LeadingNumber("1\t0"), 10);
  EXPECT_EQ(LeadingNumber("1\n0"), 10);
  EXPECT_EQ(LeadingNumber("\n\t 1"), 1);
  EXPECT_EQ(LeadingNumber("- 1 2 . 5"), -12.5);
  EXPECT_EQ(LeadingNumber("1 e 2"), 100);
  EXPECT_EQ(LeadingNumber("1e - 1"), 0.1);
  EXPECT_EQ(LeadingNumber("1 e x"), 1);  // no exponent digits: the exponent is not part of it
  EXPECT_EQ(LeadingNumber("& h 1 f"), 31);
  EXPECT_EQ(LeadingNumber(" & o 1 7"), 15);
  EXPECT_EQ(LeadingNumber("1 2abc 3"), 12);
  // Only space, tab and line feed are blanks: a carriage return or a NUL ends the number.
  EXPECT_EQ(LeadingNumber("1\r0"), 1);
  EXPECT_EQ(LeadingNumber(std::string{'1', '\0', '0'}), 1);
  EXPECT_EQ(LeadingNumber("\r1"), 0);
}

TEST(LeadingNumber, NonNumericTextIsZero) {
  for (const char* s : {"", " ", "yes", "on", "+", "-", ".", "&", "&x1", "e5", "1e999999"})
    EXPECT_EQ(LeadingNumber(s), 0) << '"' << s << '"';
}

TEST(IsOn, OnlyTheNumberOneIsOn) {
  EXPECT_TRUE(IsOn("1"));
  EXPECT_TRUE(IsOn(" 1"));
  EXPECT_TRUE(IsOn("1.0"));
  EXPECT_TRUE(IsOn(std::string("1\0", 2)));
  EXPECT_FALSE(IsOn("yes"));
  EXPECT_FALSE(IsOn("2"));
  EXPECT_FALSE(IsOn("0"));
  EXPECT_FALSE(IsOn("1.5"));
  EXPECT_FALSE(IsOn(""));
  EXPECT_FALSE(IsOn("1 0"));  // ten, not one
  EXPECT_TRUE(IsOn("1\n"));
  EXPECT_TRUE(IsOn("\t1 . 0 0"));
}

TEST(LowerCase, LowersAsciiLettersOnlyAndKeepsUtf8Whole) {
  EXPECT_EQ(LowerCase("Cheap OFFERS 123-[]@Z"), "cheap offers 123-[]@z");
  // "ÀÉ×Þ ПРИЗ": bytes such as 0xC3 and 0xD0 begin characters and must not change.
  EXPECT_EQ(LowerCase("\xC3\x80\xC3\x89\xC3\x97\xC3\x9E \xD0\x9F\xD0\xA0\xD0\x98\xD0\x97 CHROME.EXE"),
            "\xC3\x80\xC3\x89\xC3\x97\xC3\x9E \xD0\x9F\xD0\xA0\xD0\x98\xD0\x97 chrome.exe");
}

TEST(TrimBlanks, RemovesBlanksAtBothEndsOnly) {
  EXPECT_EQ(TrimBlanks("  12  "), "12");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\ta b\t"), "\ta b\t");
}

TEST(Field, PadsWithBlanksOrCuts) {
  EXPECT_EQ(Field("abc", 5), "abc  ");
  EXPECT_EQ(Field("abcdefg", 5), "abcde");
  EXPECT_EQ(Field("", 2), "  ");
}

}  // namespace
}  // namespace quellix::text
