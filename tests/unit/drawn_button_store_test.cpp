// The drawn button's stored properties: keys, order, defaults, the text format of a form
// description, and the program's own buttons described in it.

#include <gtest/gtest.h>

#include "controls/product_buttons.h"
#include "controls/property_store.h"
#include "drawn_button_rig.h"

namespace quellix::controls::testing {
namespace {

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& [k, v] : bag.Entries()) keys.push_back(k);
  return keys;
}

TEST(DrawnButtonStoreTest, AnEmptyStoreGivesTheDefaults) {
  ButtonRig rig;
  rig.window.font.name = "Tahoma";
  rig.window.mouse_pointer = 42;
  rig.button.Load(PropertyBag{});
  const DrawnButton& b = rig.button;
  EXPECT_EQ(b.ButtonType(), 2);
  EXPECT_EQ(b.Caption(), "");
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.Font().name, "Tahoma");  // the window's current font
  EXPECT_EQ(b.ColorScheme(), 1);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.BackColor(), 0x8000000Fu);  // the platform's button face
  EXPECT_EQ(b.BackOver(), 0x8000000Fu);
  EXPECT_EQ(b.ForeColor(), 0x80000012u);
  EXPECT_EQ(b.ForeOver(), 0x80000012u);
  EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
  EXPECT_TRUE(b.PictureNormal().Empty());
  EXPECT_TRUE(b.PictureOver().Empty());
  EXPECT_TRUE(b.UseMaskColor());
  EXPECT_FALSE(b.SoftBevel());
  EXPECT_EQ(b.PicturePosition(), 0);
  EXPECT_FALSE(b.UseGreyscale());
  EXPECT_EQ(b.SpecialEffect(), 0);
  EXPECT_FALSE(b.HandPointer());
  EXPECT_FALSE(b.CheckBoxBehaviour());
  EXPECT_FALSE(b.Value());
  // HandPointer false sets the arrow and clears the icon.
  EXPECT_EQ(b.MousePointer(), platform::kPointerArrow);
  EXPECT_EQ(rig.window.mouse_pointer, platform::kPointerArrow);
  EXPECT_EQ(b.Version(), "2.0.6");
}

TEST(DrawnButtonStoreTest, BackOverAndForeOverDefaultToTheColoursJustRead) {
  ButtonRig rig;
  PropertyBag stored;
  stored.WriteColour("BCOL", 0x123456);
  stored.WriteColour("FCOL", 0x654321);
  rig.button.Load(stored);
  EXPECT_EQ(rig.button.BackOver(), 0x123456u);
  EXPECT_EQ(rig.button.ForeOver(), 0x654321u);
}

TEST(DrawnButtonStoreTest, AStoredHandOfFalseResetsThePointerAndIconJustRead) {
  ButtonRig rig;
  PropertyBag stored;
  stored.WriteInt("MPTR", 99);
  stored.WriteText("MICON", "custom");
  stored.WriteBool("HAND", false);
  rig.button.Load(stored);
  EXPECT_EQ(rig.button.MousePointer(), platform::kPointerArrow);
  EXPECT_TRUE(rig.button.MouseIcon().Empty());
  EXPECT_EQ(rig.window.mouse_pointer, platform::kPointerArrow);
  EXPECT_TRUE(rig.window.mouse_icon.Empty());
}

TEST(DrawnButtonStoreTest, HandPointerSetsTheHandIconAndTheCustomPointer) {
  ButtonRig rig;
  PropertyBag stored;
  stored.WriteBool("HAND", true);
  rig.button.Load(stored);
  EXPECT_EQ(rig.window.mouse_pointer, platform::kPointerCustom);
  EXPECT_EQ(rig.window.mouse_icon, kHandCursor);
  rig.window.refuse_pointers = true;
  EXPECT_FALSE(rig.button.SetHandPointer(false));  // the window's refusal reaches the caller
  EXPECT_FALSE(rig.button.SetMousePointer(2));
  rig.button.SetMouseIcon({"other"});  // ignored failure
  EXPECT_EQ(rig.button.MouseIcon().key, "other");
}

TEST(DrawnButtonStoreTest, SaveWritesEveryKeyInOrderWithBooleansAsMinusOne) {
  ButtonRig rig;
  rig.Start(CommandButtonProperties("OK"));
  const PropertyBag saved = rig.button.Save();
  EXPECT_EQ(Keys(saved),
            (std::vector<std::string>{"BTYPE",  "TX",    "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL",
                                      "BCOLO",  "FCOL",  "FCOLO", "MCOL", "MPTR",    "UMCOL",  "SOFT",
                                      "PICPOS", "NGREY", "FX",    "HAND", "CHECK",   "VALUE"}));
  EXPECT_EQ(*saved.Find("ENAB"), "-1");
  EXPECT_EQ(*saved.Find("SOFT"), "-1");
  EXPECT_EQ(*saved.Find("HAND"), "0");
  EXPECT_EQ(*saved.Find("TX"), "\"OK\"");
  EXPECT_EQ(*saved.Find("BCOL"), "0x00E9E9E9");
  EXPECT_EQ(*saved.Find("MPTR"), "1");
}

TEST(DrawnButtonStoreTest, PicturesAreSavedBetweenThePointerAndTheMaskSwitch) {
  ButtonRig rig;
  PropertyBag stored = CommandButtonProperties();
  stored.WriteText("MICON", "pointer");
  stored.WriteText("PICN", "add");
  stored.WriteText("PICH", "addnew");
  rig.button.Load(stored);
  rig.button.SetMouseIcon({"pointer"});
  const auto keys = Keys(rig.button.Save());
  const std::vector<std::string> middle(keys.begin() + 11, keys.begin() + 16);
  EXPECT_EQ(middle, (std::vector<std::string>{"MPTR", "MICON", "PICN", "PICH", "UMCOL"}));
}

TEST(DrawnButtonStoreTest, EveryPropertySurvivesSaveTextAndLoad) {
  ButtonRig rig;
  DrawnButton& b = rig.button;
  b.Load(PropertyBag{});
  b.SetButtonType(14);
  b.SetCaption("Save \"all\" &As\\\n\x01\xE9");
  b.SetEnabled(false);
  b.SetFont({"Courier New", 10.5, 700, true, true, true, 238});
  b.SetColorScheme(4);
  b.SetShowFocusRect(false);
  b.SetBackColor(0x112233);
  b.SetBackOver(0x80000005);
  b.SetForeColor(0x445566);
  b.SetForeOver(0x778899);
  b.SetMaskColor(0xFF00FF);
  b.SetPictureNormal({"add"});
  b.SetPictureOver({"addnew"});
  b.SetUseMaskColor(false);
  b.SetSoftBevel(true);
  b.SetPicturePosition(3);
  b.SetUseGreyscale(true);
  b.SetSpecialEffect(2);
  b.SetHandPointer(true);
  b.SetCheckBoxBehaviour(true);
  b.SetValue(true);
  const PropertyBag saved = b.Save();
  const std::string text = WriteStore({{"Form1", "drawnButton9", saved}});
  const auto read = ReadStore(text);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].properties, saved);

  ButtonRig other;
  other.button.Load(read[0].properties);
  EXPECT_EQ(other.button.Save(), saved);
  EXPECT_EQ(other.button.Caption(), b.Caption());
  EXPECT_EQ(other.button.Font(), b.Font());
  EXPECT_EQ(other.button.BackOver(), 0x80000005u);
  EXPECT_FALSE(other.window.enabled);
  EXPECT_EQ(other.window.access_keys, "a");
  EXPECT_TRUE(other.button.Value());
}

TEST(DrawnButtonStoreTest, DamagedValuesFallBackToTheirDefaults) {
  PropertyBag stored;
  stored.Put("BTYPE", "nine");
  stored.Put("TX", "\"unterminated");
  stored.Put("ENAB", "0 0");
  stored.Put("FONT", "\"Arial\" 99999 400 0 0 0 0");
  stored.Put("COLTYPE", "0x1FFFFFFFF");
  stored.Put("BCOL", "-");
  stored.Put("MPTR", "70000");
  stored.Put("PICN", "add");  // a picture key must be quoted
  ButtonRig rig;
  rig.window.font.name = "Fallback";
  rig.button.Load(stored);
  EXPECT_EQ(rig.button.ButtonType(), 2);
  EXPECT_EQ(rig.button.Caption(), "");
  EXPECT_TRUE(rig.button.Enabled());
  EXPECT_EQ(rig.button.Font().name, "Fallback");
  EXPECT_EQ(rig.button.ColorScheme(), 1);
  EXPECT_EQ(rig.button.BackColor(), 0x8000000Fu);
  EXPECT_EQ(rig.button.PictureNormal().key, "");
}

TEST(DrawnButtonStoreTest, ValuesReadWithoutRegardToKeyCaseAndInEveryNumberForm) {
  PropertyBag stored;
  stored.Put("btype", "  0x9 ");
  stored.Put("Enab", "1");            // any number other than 0 is true
  stored.Put("bcol", "-2147483633");  // 0x8000000F as a signed number
  stored.Put("FX", "-1");
  ButtonRig rig;
  rig.button.Load(stored);
  EXPECT_EQ(rig.button.ButtonType(), 9);
  EXPECT_TRUE(rig.button.Enabled());
  EXPECT_EQ(rig.button.BackColor(), 0x8000000Fu);
  EXPECT_EQ(rig.button.SpecialEffect(), -1);
}

TEST(DrawnButtonStoreTest, NewInstanceTakesTheSystemLookAndTheContainersNameAndFont) {
  ButtonRig rig;
  rig.window.name = "drawnButton24";
  rig.window.font.name = "Arial";
  rig.button.InitNew();
  EXPECT_EQ(rig.button.Caption(), "drawnButton24");
  EXPECT_EQ(rig.button.Font().name, "Arial");
  EXPECT_EQ(rig.button.ButtonType(), 2);
  EXPECT_EQ(rig.button.ColorScheme(), 1);
  EXPECT_EQ(rig.button.BackColor(), 0xC8D0D4u);  // computed, not a reference
  EXPECT_EQ(rig.button.BackOver(), 0xC8D0D4u);
  EXPECT_EQ(rig.button.ForeColor(), 0x000000u);
  EXPECT_EQ(rig.button.MaskColor(), 0xC0C0C0u);
}

TEST(DrawnButtonStoreTest, DesignerSettersFollowTheirCompanions) {
  ButtonRig rig;
  rig.window.user_mode = false;
  rig.button.InitNew();
  rig.button.SetBackColor(0x010203);
  rig.button.SetForeColor(0x040506);
  rig.button.SetButtonType(5);
  EXPECT_EQ(rig.button.BackOver(), 0x010203u);
  EXPECT_EQ(rig.button.ForeOver(), 0x040506u);
  EXPECT_TRUE(rig.button.FontBold());
  EXPECT_TRUE(rig.button.StoredPropertiesChanged());

  rig.window.user_mode = true;
  rig.button.SetBackColor(0x0A0B0C);
  EXPECT_EQ(rig.button.BackOver(), 0x010203u);
}

TEST(DrawnButtonStoreTest, FontSizeReadsBackAsAWholeNumber) {
  ButtonRig rig;
  rig.Start(CommandButtonProperties());
  rig.button.SetFont({"Arial", 8.25, 400, false, false, false, 178});
  EXPECT_EQ(rig.button.FontSize(), 8);
  rig.button.SetFontSize(12);
  EXPECT_EQ(rig.button.Font().size, 12.0);
  rig.button.SetFontBold(true);
  EXPECT_EQ(rig.button.Font().weight, 700);
}

TEST(DrawnButtonStoreTest, TheTextFormatSkipsWhatItCannotRead) {
  const auto read = ReadStore(
      "# comment\r\n"
      "BTYPE = 3\n"  // outside a block
      "Begin Form1.drawnButton1\r\n"
      "  BTYPE = 9\r\n"
      "  no equals sign here\n"
      "   = 5\n"
      "  TX = \"a = b\"\n"
      "Begin broken\n"
      "  FX = 1\n"
      "end\n"
      "BEGIN Form2.drawnButton8\n"
      "  TX=\"OK\"");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].form, "Form1");
  EXPECT_EQ(read[0].name, "drawnButton1");
  EXPECT_EQ(read[0].properties.Entries().size(), 2u);
  EXPECT_EQ(read[0].properties.ReadInt("BTYPE", 0), 9);
  EXPECT_EQ(read[0].properties.ReadText("TX", ""), "a = b");
  EXPECT_EQ(read[1].properties.ReadText("TX", ""), "OK");
  EXPECT_NE(FindStored(read, "form2", "DRAWNBUTTON8"), nullptr);
  EXPECT_EQ(FindStored(read, "Form3", "drawnButton8"), nullptr);
}

TEST(DrawnButtonStoreTest, TextsKeepEveryByte) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  PropertyBag bag;
  bag.WriteText("TX", all);
  EXPECT_EQ(bag.Find("TX")->find('\n'), std::string::npos);
  const auto read = ReadStore(WriteStore({{"F", "b", bag}}));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].properties.ReadText("TX", "x"), all);
}

// The program's own buttons.

const PropertyBag& Stored(std::string_view form, std::string_view name) {
  const StoredControl* control = FindStored(ProductButtons(), form, name);
  EXPECT_NE(control, nullptr) << form << "." << name;
  static const PropertyBag empty;
  return control ? control->properties : empty;
}

TEST(ProductButtonsTest, EveryBlockIsReadAndUnique) {
  const auto& buttons = ProductButtons();
  EXPECT_EQ(buttons.size(), 36u);  // 35 of type 9 and Browse
  for (std::size_t i = 0; i < buttons.size(); ++i)
    for (std::size_t j = i + 1; j < buttons.size(); ++j)
      EXPECT_FALSE(buttons[i].form == buttons[j].form && buttons[i].name == buttons[j].name)
          << buttons[i].name;
  EXPECT_EQ(ReadStore(WriteStore(buttons)), buttons);
}

TEST(ProductButtonsTest, EveryButtonSharesTheCommonProperties) {
  for (const StoredControl& control : ProductButtons()) {
    ButtonRig rig;
    rig.button.Load(control.properties);
    const DrawnButton& b = rig.button;
    SCOPED_TRACE(control.form + "." + control.name);
    EXPECT_EQ(b.ColorScheme(), 2);
    EXPECT_EQ(b.MaskColor(), 0xFFFFFFu);
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_EQ(b.PicturePosition(), 0);
    EXPECT_FALSE(b.UseGreyscale());
    EXPECT_EQ(b.SpecialEffect(), 0);
    EXPECT_FALSE(b.HandPointer());
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.MousePointer(), platform::kPointerArrow);
    EXPECT_FALSE(b.PictureNormal().Empty());
    EXPECT_EQ(b.Font(), (platform::FontSpec{"Arial", 8.25, 400, false, false, false, 178}));
    // The caption and the enabled state are the form's to give (DrawnButtonHostTest).
    EXPECT_EQ(control.properties.Find("TX"), nullptr);
    EXPECT_EQ(control.properties.Find("ENAB"), nullptr);
    EXPECT_EQ(b.BackColor(), b.BackOver());
    EXPECT_EQ(b.ForeColor(), 0x000000u);
  }
}

TEST(ProductButtonsTest, GroupsHaveTheirColoursAndSwitches) {
  struct Expect {
    const char* form;
    const char* name;
    int type;
    Rgb back, fore_over;
    bool focus, soft, check;
  };
  const Expect expected[] = {
      {"Form1", "drawnButton1", 9, 0xE6BA9D, 0xFFFFFF, false, true, true},
      {"Form1", "drawnButton14", 9, 0xE6BA9D, 0xFFFFFF, false, true, true},
      {"Form1", "drawnButton20", 9, 0xE6BA9D, 0xFFFFFF, false, true, true},
      {"Form1", "drawnButton7", 9, 0xE9E9E9, 0x000000, true, true, false},
      {"Form1", "drawnButton23", 9, 0xE9E9E9, 0x000000, true, true, false},
      {"Form2", "drawnButton8", 9, 0xE9E9E9, 0x000000, true, true, false},
      {"Form3", "drawnButton7", 9, 0xE9E9E9, 0x000000, true, true, false},
      {"Form1", "drawnButton4", 9, 0xFAD8CB, 0x000000, true, true, false},
      {"Form1", "drawnButton5", 9, 0xFAD8CB, 0x000000, true, true, false},
      {"Form1", "drawnButton6", 9, 0xFAD8CB, 0x000000, true, true, false},
      {"Form1", "drawnButton12", 9, 0xFAD8CB, 0x000000, true, true, false},
      {"Form1", "drawnButton3", 8, 0xE9E9E9, 0x000000, true, false, false},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    ButtonRig rig;
    rig.button.Load(Stored(e.form, e.name));
    const DrawnButton& b = rig.button;
    EXPECT_EQ(b.ButtonType(), e.type);
    EXPECT_EQ(b.BackColor(), e.back);
    EXPECT_EQ(b.ForeOver(), e.fore_over);
    EXPECT_EQ(b.ShowFocusRect(), e.focus);
    EXPECT_EQ(b.SoftBevel(), e.soft);
    EXPECT_EQ(b.CheckBoxBehaviour(), e.check);
  }
}

TEST(ProductButtonsTest, OnlyBrowseIsType8) {
  int type8 = 0;
  for (const StoredControl& control : ProductButtons()) {
    const int type = control.properties.ReadInt("BTYPE", 0);
    EXPECT_TRUE(type == 8 || type == 9) << control.name;
    type8 += type == 8;
  }
  EXPECT_EQ(type8, 1);
}

}  // namespace
}  // namespace quellix::controls::testing
