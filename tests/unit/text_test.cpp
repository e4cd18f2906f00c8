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

TEST(LowerCase, LowersAsciiAndWesternCapitalsOnly) {
  EXPECT_EQ(LowerCase("Cheap OFFERS 123-[]"), "cheap offers 123-[]");
  EXPECT_EQ(LowerCase("\xC0\xC9\xD7\xDE\x8A\xDF\xFF"), "\xE0\xE9\xD7\xFE\x9A\xDF\xFF");
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
