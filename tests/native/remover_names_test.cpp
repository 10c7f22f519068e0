// Names the removal program forms: Type spellings, paths, texts, profile
// values; the window's layout in pixels and what its commands do.
#include "remover/main_window.h"
#include "remover/removal_names.h"
#include "remover/window_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(RemoverNames, OnlySixTypeSpellingsSelectAList) {
  for (const char* type : {"DLL", "dll", "Dll"}) EXPECT_EQ(ListKindFromType(type), AddonListKind::kModules) << type;
  for (const char* type : {"EXE", "exe", "Exe"}) EXPECT_EQ(ListKindFromType(type), AddonListKind::kPrograms) << type;
  for (const char* type : {"dLL", "DlL", "eXe", " dll", "dll ", "dll.xml", "", "module"}) {
    EXPECT_EQ(ListKindFromType(type), AddonListKind::kNone) << type;
  }
}

// The list, temporary and backup paths are rows of RemoverRemoval.FileStepsAndTheirResults.
TEST(RemoverNames, SetupListPathAndConfirmationText) {
  EXPECT_EQ(SetupListPathFor("C:\\FSX\\pivora\\unrigger.exe"), "C:\\FSX\\pivora\\setup.lst");
  EXPECT_EQ(ConfirmationText("Pivora"), "Pivora and all its components will be removed. Do you wish to continue?");
}

TEST(RemoverNames, ProfileValueIsCutOneShortOfTheStatedSize) {
  char buffer[kProfileBufferChars];
  for (std::size_t i = 0; i < sizeof buffer; ++i) buffer[i] = static_cast<char>('a' + i % 26);
  const std::pair<unsigned long, std::size_t> cases[] = {
      {0, 0}, {1, 1}, {5, 5}, {248, 248}, {249, 249}, {250, 249}, {254, 249}, {100000, 249}};
  for (const auto& [returned, length] : cases) EXPECT_EQ(ProfileValue(buffer, returned), std::string(buffer, length));
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
    std::vector<int> pixels;  // left, top, width, height
  } cases[] = {
      {kLabel1Twips, 120, {5, 5, 466, 56}},
      {kCommand2Twips, 144, {318, 102, 158, 44}},
      {{-15, -8, 7, 8}, 96, {-1, -1, 0, 1}},
  };
  for (const Case& c : cases) {
    const PixelRect p = ToPixels(c.twips, c.dpi, c.dpi);
    EXPECT_EQ(std::vector<int>({p.left, p.top, p.width, p.height}), c.pixels) << c.dpi;
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
    EXPECT_EQ(std::make_pair(left, top), std::make_pair(c.left, c.top)) << c.screenWidth;
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
