#pragma once
// The stored properties of one control instance: keys, matched without regard to case, with
// their values as text, in the order they were written. The typed reads give the default for
// an absent key and for a value that does not read as its type.
//
// Value texts: whole numbers in decimal or as 0x followed by hexadecimal digits; booleans as
// -1 (true) and 0 (false), any other number reading as true; texts in double quotes, with
// \" \\ \n \r \t and \xHH standing for the characters they name; a picture as its quoted
// key; a font as its quoted name followed by size in points, weight, italic, underline,
// strikethrough and character set, separated by blanks.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace quellix::controls {

class PropertyBag {
 public:
  using Entry = std::pair<std::string, std::string>;

  const std::string* Find(std::string_view key) const;
  // Replaces the value of an existing key in place, else appends.
  void Put(std::string_view key, std::string value);
  const std::vector<Entry>& Entries() const { return entries_; }

  std::int32_t ReadInt(std::string_view key, std::int32_t fallback) const;
  bool ReadBool(std::string_view key, bool fallback) const;
  std::string ReadText(std::string_view key, const std::string& fallback) const;
  platform::FontSpec ReadFont(std::string_view key, const platform::FontSpec& fallback) const;
  platform::Picture ReadPicture(std::string_view key) const;

  void WriteInt(std::string_view key, std::int32_t value);
  void WriteColour(std::string_view key, std::uint32_t value);  // as 0x and eight digits
  void WriteBool(std::string_view key, bool value);
  void WriteText(std::string_view key, std::string_view value);
  void WriteFont(std::string_view key, const platform::FontSpec& font);
  // An empty picture leaves no entry.
  void WritePicture(std::string_view key, const platform::Picture& picture);

  friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

 private:
  std::vector<Entry> entries_;
};

// A quoted text with its escapes; the writer's form of every text value.
std::string QuoteText(std::string_view value);

}  // namespace quellix::controls
