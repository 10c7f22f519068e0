// Names the removal program forms: Type spellings, paths, texts, profile
// values; the window's layout in pixels and what its commands do.
#include "remover/main_window.h"
#include "remover/removal_names.h"
#include "remover/window_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RemoverNames, OnlySixTypeSpellingsSelectAList) {
  struct Case {
    const char* type;
    AddonListKind kind;
  } cases[] = {
      {"DLL", AddonListKind::kModules},  {"dll", AddonListKind::kModules},
      {"Dll", AddonListKind::kModules},  {"EXE", AddonListKind::kPrograms},
      {"exe", AddonListKind::kPrograms}, {"Exe", AddonListKind::kPrograms},
      {"dLL", AddonListKind::kNone},     {"DlL", AddonListKind::kNone},
      {"eXe", AddonListKind::kNone},     {" dll", AddonListKind::kNone},
      {"dll ", AddonListKind::kNone},    {"dll.xml", AddonListKind::kNone},
      {"", AddonListKind::kNone},        {"module", AddonListKind::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(ListKindFromType(c.type), c.kind) << c.type;
}

// The list, temporary and backup paths are rows of RemoverRemoval.FileStepsAndTheirResults.
TEST(RemoverNames, SetupListPathAndConfirmationText) {
  struct Case {
    std::string actual;
    std::string expected;
  } cases[] = {
      {SetupListPathFor("C:\\FSX\\pivora\\unrigger.exe"), "C:\\FSX\\pivora\\setup.lst"},
      {SetupListPathFor("C:\\unrigger.exe"), "C:\\setup.lst"},
      {SetupListPathFor("\\\\server\\share\\a b\\unrigger.exe"),
       "\\\\server\\share\\a b\\setup.lst"},
      {ConfirmationText("Pivora"),
       "Pivora and all its components will be removed. Do you wish to continue?"},
      {ConfirmationText(""), " and all its components will be removed. Do you wish to continue?"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(RemoverNames, ProfileValueIsCutOneShortOfTheStatedSize) {
  char buffer[kProfileBufferChars];
  for (std::size_t i = 0; i < sizeof buffer; ++i) buffer[i] = static_cast<char>('a' + i % 26);
  struct Case {
    unsigned long returned;
    std::size_t length;
  } cases[] = {{0, 0}, {1, 1}, {5, 5}, {248, 248}, {249, 249}, {250, 249}, {254, 249},
               {100000, 249}};
  for (const Case& c : cases) {
    std::string value = ProfileValue(buffer, c.returned);
    EXPECT_EQ(value, std::string(buffer, c.length)) << c.returned;
  }
  EXPECT_EQ(ProfileValue(nullptr, 10), "");
  const char withNul[] = {'a', '\0', 'b'};
  EXPECT_EQ(ProfileValue(withNul, 3), std::string(withNul, 3));
}

// At 96 dpi the designed pixels are read back from the real window, under
// Wine; here the rounding at other resolutions.
TEST(RemoverWindowLayout, TwipsBecomeTheDesignedPixels) {
  struct Case {
    TwipRect twips;
    int dpi;
    PixelRect pixels;
  } cases[] = {
      {kLabel1Twips, 120, {5, 5, 466, 56}},
      {kCommand2Twips, 144, {318, 102, 158, 44}},
      {{-15, -8, 7, 8}, 96, {-1, -1, 0, 1}},
  };
  for (const Case& c : cases) {
    PixelRect p = ToPixels(c.twips, c.dpi, c.dpi);
    EXPECT_EQ(p.left, c.pixels.left) << c.dpi;
    EXPECT_EQ(p.top, c.pixels.top) << c.dpi;
    EXPECT_EQ(p.width, c.pixels.width) << c.dpi;
    EXPECT_EQ(p.height, c.pixels.height) << c.dpi;
  }
  EXPECT_EQ(FontHeightForPoints(kLabelFontCentipoints, 120), -14);
  EXPECT_EQ(FontHeightForPoints(kNormalFontCentipoints, 144), -16);
}

TEST(RemoverWindowLayout, CentredOnTheScreenByOuterSize) {
  struct Case {
    int screenWidth, screenHeight, width, height, left, top;
  } cases[] = {
      {1024, 768, 388, 140, 318, 314},
      {1920, 1080, 389, 141, 766, 470},
      {300, 100, 388, 140, -44, -20},
  };
  for (const Case& c : cases) {
    int left = 0;
    int top = 0;
    CentredOrigin(c.screenWidth, c.screenHeight, c.width, c.height, &left, &top);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(top, c.top);
  }
}

TEST(RemoverWindow, OnlyAClickOfOkRemovesAndEnterPressesTheFocusedButton) {
  using A = MainWindowAction;
  const struct {
    const char* name;
    std::uintptr_t command;  // WM_COMMAND wParam: code << 16 | id
    A action;
  } cases[] = {
      {"OK clicked", 1, A::kRemove},
      {"Cancel clicked, or Esc", 2, A::kClose},
      {"OK gaining the focus (BN_SETFOCUS)", 6u << 16 | 1, A::kNothing},
      {"the label", 100, A::kNothing},
  };
  for (const auto& c : cases) EXPECT_EQ(ActionForCommand(c.command), c.action) << c.name;
  EXPECT_EQ(EnterButtonId(false), 1);
  EXPECT_EQ(EnterButtonId(true), 2);
}

}  // namespace
