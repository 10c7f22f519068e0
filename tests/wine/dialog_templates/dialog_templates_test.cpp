// Reads the compiled dialog templates and background bitmaps back out of the
// built pivora.dll and compares them with the dialogs as they are meant to
// be. The expected tables are written here from the dialogs' descriptions,
// not from pivora.rc, so that a slip in the script cannot hide in both.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- reading a DLGTEMPLATEEX ------------------------------------------------

struct TemplateItem {
  DWORD exStyle = 0;
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  WORD classAtom = 0;     // 0 when the class is given by name
  std::string className;  // upper case
  std::string text;
  WORD textOrdinal = 0;   // a resource id given instead of a text
};

struct DialogTemplate {
  DWORD exStyle = 0;
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  int pointSize = 0;
  std::string typeface;
  std::vector<TemplateItem> items;
};

// A little reader that never runs past the resource.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  WORD Word() { return static_cast<WORD>(Take(2)); }
  DWORD Dword() { return Take(4); }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() { return static_cast<BYTE>(Take(1)); }
  void AlignDword() { pos_ = (pos_ + 3) & ~static_cast<size_t>(3); }
  // A zero-terminated UTF-16 text; the dialogs hold ASCII only.
  std::string Text() {
    std::string s;
    for (WORD c = Word(); ok_ && c != 0; c = Word()) s += c < 128 ? static_cast<char>(c) : '?';
    return s;
  }
  // sz_Or_Ord: nothing, an ordinal after 0xFFFF, or a text.
  void TextOrOrdinal(std::string* text, WORD* ordinal) {
    const size_t start = pos_;
    const WORD first = Word();
    if (first == 0xFFFF) {
      *ordinal = Word();
    } else if (first != 0) {
      pos_ = start;
      *text = Text();
    }
  }

 private:
  DWORD Take(size_t n) {
    if (!ok_ || pos_ + n > size_) {
      ok_ = false;
      return 0;
    }
    DWORD v = 0;
    for (size_t i = 0; i < n; ++i) v |= static_cast<DWORD>(data_[pos_ + i]) << (8 * i);
    pos_ += n;
    return v;
  }
  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

HMODULE OpenPivora() { return LoadLibraryExA(PIVORA_DLL_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE); }

bool ResourceBytes(HMODULE module, LPCSTR type, int id, const BYTE** data, DWORD* size) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!info) return false;
  HGLOBAL loaded = LoadResource(module, info);
  if (!loaded) return false;
  *data = static_cast<const BYTE*>(LockResource(loaded));
  *size = SizeofResource(module, info);
  return *data != nullptr;
}

bool ReadTemplate(HMODULE module, int id, DialogTemplate* out, std::string* error) {
  const BYTE* data = nullptr;
  DWORD size = 0;
  if (!ResourceBytes(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, id, &data, &size)) {
    *error = "no dialog resource";
    return false;
  }
  Reader r(data, size);
  const WORD version = r.Word();
  const WORD signature = r.Word();
  if (version != 1 || signature != 0xFFFF) {
    *error = "not an extended template";
    return false;
  }
  r.Dword();  // help id
  out->exStyle = r.Dword();
  out->style = r.Dword();
  const WORD count = r.Word();
  out->x = r.Short();
  out->y = r.Short();
  out->cx = r.Short();
  out->cy = r.Short();
  std::string ignoredText;
  WORD ignoredOrdinal = 0;
  r.TextOrOrdinal(&ignoredText, &ignoredOrdinal);  // menu
  r.TextOrOrdinal(&ignoredText, &ignoredOrdinal);  // window class
  out->caption = r.Text();
  if (out->style & (DS_SETFONT | DS_SHELLFONT)) {
    out->pointSize = r.Word();
    r.Word();  // weight
    r.Byte();  // italic
    r.Byte();  // charset
    out->typeface = r.Text();
  }
  for (WORD i = 0; i < count && r.ok(); ++i) {
    TemplateItem item;
    r.AlignDword();
    r.Dword();  // help id
    item.exStyle = r.Dword();
    item.style = r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = r.Dword();
    std::string className;
    r.TextOrOrdinal(&className, &item.classAtom);
    item.className = Upper(className);
    r.TextOrOrdinal(&item.text, &item.textOrdinal);
    const WORD extra = r.Word();
    for (WORD b = 0; b < extra; ++b) r.Byte();
    out->items.push_back(item);
  }
  if (!r.ok()) *error = "template ends early";
  return r.ok();
}

// ---- what the dialogs are meant to hold ---------------------------------------

enum Kind {
  kLabel,         // static, left-aligned
  kLabelCentred,  // static, centred
  kLabelRight,    // static, right-aligned
  kGroupBox,
  kCheckBox,      // automatic check box
  kPushButton,
  kDefaultButton,
  kEdit,          // bordered, single line, any characters
  kListUnsorted,  // notifying
  kListSorted,    // notifying
  kPicture,       // hidden bitmap picture; `text` unused, `bitmap` names it
};

constexpr DWORD kNoId = 0xFFFFFFFF;
constexpr int kAny = -1;  // a position or size that the description leaves open

struct Expected {
  DWORD id;
  Kind kind;
  const char* text;
  int x, y, cx, cy;
  DWORD alsoStyle = 0;  // SS_SUNKEN, WS_BORDER, ES_AUTOHSCROLL, BS_MULTILINE
  int xOr = kAny;       // a second x that the description allows
  int bitmap = 0;
};

struct ExpectedDialog {
  int id;
  const char* caption;
  int cx, cy;
  bool extendedFrame;  // topmost, dialog modal frame, control parent, window edge
  std::vector<Expected> items;
};

// Static and button styles keep their type in the low bits.
constexpr DWORD kStaticType = SS_TYPEMASK;
constexpr DWORD kButtonType = BS_TYPEMASK;

bool IsClass(const TemplateItem& item, WORD atom, const char* name) {
  return item.classAtom == atom || item.className == name;
}

// Checks one control against its description; returns what differs.
std::string Compare(const TemplateItem& got, const Expected& want) {
  std::string why;
  auto need = [&why](bool ok, const char* what) {
    if (!ok) why += std::string(" ") + what + ";";
  };
  const DWORD s = got.style;
  need(got.id == want.id, "id");
  need((s & WS_CHILD) != 0, "child window");
  need(((s & WS_VISIBLE) != 0) == (want.kind != kPicture), want.kind == kPicture ? "hidden" : "visible");
  const bool sunken = (want.alsoStyle & SS_SUNKEN) != 0;
  const bool bordered = (want.alsoStyle & WS_BORDER) != 0;
  switch (want.kind) {
    case kLabel:
    case kLabelCentred:
    case kLabelRight: {
      const DWORD type = want.kind == kLabel ? SS_LEFT : want.kind == kLabelCentred ? SS_CENTER : SS_RIGHT;
      need(IsClass(got, 0x0082, "STATIC"), "static class");
      need((s & kStaticType) == type, "alignment");
      need(((s & SS_SUNKEN) != 0) == sunken, "sunken or not");
      need(((s & WS_BORDER) != 0) == bordered, "border or not");
      break;
    }
    case kPicture:
      need(IsClass(got, 0x0082, "STATIC"), "static class");
      need((s & kStaticType) == SS_BITMAP, "bitmap picture");
      need(got.textOrdinal == want.bitmap, "refers to the background bitmap");
      break;
    case kGroupBox:
      need(IsClass(got, 0x0080, "BUTTON"), "button class");
      need((s & kButtonType) == BS_GROUPBOX, "group box");
      break;
    case kCheckBox:
      need(IsClass(got, 0x0080, "BUTTON"), "button class");
      need((s & kButtonType) == BS_AUTOCHECKBOX, "automatic check box");
      break;
    case kPushButton:
    case kDefaultButton:
      need(IsClass(got, 0x0080, "BUTTON"), "button class");
      need((s & kButtonType) == (want.kind == kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
           want.kind == kDefaultButton ? "default push button" : "plain push button");
      need(((s & BS_MULTILINE) != 0) == ((want.alsoStyle & BS_MULTILINE) != 0), "multi-line or not");
      break;
    case kEdit:
      need(IsClass(got, 0x0081, "EDIT"), "edit class");
      need((s & WS_BORDER) != 0, "border");
      need((s & ES_MULTILINE) == 0, "single line");
      need((s & (ES_CENTER | ES_RIGHT)) == 0, "left-aligned");
      need((s & (ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE | ES_PASSWORD | ES_READONLY)) == 0, "any characters");
      if (want.alsoStyle & ES_AUTOHSCROLL) need((s & ES_AUTOHSCROLL) != 0, "horizontal scrolling");
      break;
    case kListUnsorted:
    case kListSorted:
      need(IsClass(got, 0x0083, "LISTBOX"), "list box class");
      need((s & LBS_NOTIFY) != 0, "notifying");
      need(((s & LBS_SORT) != 0) == (want.kind == kListSorted), want.kind == kListSorted ? "sorted" : "unsorted");
      break;
  }
  if (want.kind != kPicture) need(got.text == want.text, "text");
  need(want.x == kAny || got.x == want.x || got.x == want.xOr, "x");
  need(want.y == kAny || got.y == want.y, "y");
  need(want.cx == kAny || got.cx == want.cx, "width");
  need(want.cy == kAny || got.cy == want.cy, "height");
  return why;
}

void ExpectDialog(const ExpectedDialog& want) {
  HMODULE module = OpenPivora();
  ASSERT_NE(module, nullptr) << "cannot load " << PIVORA_DLL_PATH;
  DialogTemplate got;
  std::string error;
  ASSERT_TRUE(ReadTemplate(module, want.id, &got, &error)) << "dialog " << want.id << ": " << error;
  FreeLibrary(module);

  EXPECT_EQ(got.caption, want.caption);
  EXPECT_EQ(got.x, 0);
  EXPECT_EQ(got.y, 0);
  EXPECT_EQ(got.cx, want.cx);
  EXPECT_EQ(got.cy, want.cy);
  EXPECT_EQ(got.pointSize, 8);
  EXPECT_EQ(got.typeface, "MS Sans Serif");
  // Pop-up with a caption and a modal frame, and no system menu (so no
  // close box: the dialogs end through their own buttons).
  EXPECT_EQ(got.style & (WS_POPUP | WS_CAPTION | DS_MODALFRAME), DWORD(WS_POPUP | WS_CAPTION | DS_MODALFRAME));
  EXPECT_EQ(got.style & WS_SYSMENU, 0u);
  if (want.extendedFrame) {
    EXPECT_EQ(got.exStyle,
              DWORD(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE));
  }
  ASSERT_EQ(got.items.size(), want.items.size()) << "controls in dialog " << want.id;
  for (size_t i = 0; i < want.items.size(); ++i) {
    const std::string why = Compare(got.items[i], want.items[i]);
    EXPECT_TRUE(why.empty()) << "dialog " << want.id << ", control " << i << " (id " << int(want.items[i].id)
                             << ", \"" << want.items[i].text << "\"):" << why << " got id " << int(got.items[i].id)
                             << " style 0x" << std::hex << got.items[i].style << std::dec << " at "
                             << got.items[i].x << "," << got.items[i].y << " " << got.items[i].cx << "x"
                             << got.items[i].cy << " text \"" << got.items[i].text << "\"";
  }
}

TEST(DialogTemplates, DeviceCalibration) {
  ExpectDialog({120, "Device calibration", 315, 401, true, {
      {kNoId, kPicture, "", 0, 0, 312, 286, 0, kAny, 123},
      {1025, kLabelCentred, "Pitch", 45, 11, 91, 8},
      {1026, kLabelCentred, "Pitch", 48, 112, 88, 8},
      {1027, kLabelRight, "Bank", 0, 75, 60, 8},
      {1028, kLabel, "Bank", 112, 77, 61, 8},
      {1029, kLabelRight, "Yaw", 162, 94, 63, 8},
      {1030, kLabel, "Yaw", 238, 94, 67, 8},
      {1033, kLabelCentred, "Forward", 41, 164, 83, 8},
      {1034, kLabelCentred, "Backward", 39, 250, 86, 8},
      {1035, kLabelRight, "Left", 1, 218, 52, 8},
      {1036, kLabel, "Right", 113, 218, 60, 8},
      {1031, kLabelCentred, "Up", 190, 165, 80, 8},
      {1032, kLabelCentred, "Down", 191, 252, 77, 8},
      {kNoId, kGroupBox, "Center values", 1, 289, 312, 41},
      {1042, kLabel, "Pitch: 0", 8, 302, 83, 9},
      {1043, kLabel, "Bank: 0", 101, 302, 83, 9},
      {1044, kLabel, "Yaw: 0", 190, 302, 83, 9},
      {1045, kLabel, "Back/Forth: 0", 8, 312, 83, 9},
      {1046, kLabel, "Left/Right: 0", 102, 312, 83, 9},
      {1047, kLabel, "Up/Down: 0", 190, 312, 83, 9},
      {kNoId, kLabel,
       "HOW TO CALIBRATE THE DEVICE: to perform a safe and reliable calibration, move the controller all the ways "
       "to minimum and maximum extensions, for each of the 6 axis (pitch, bank, yaw, forth/back, left/right, "
       "up/down), then click SAVE CALIBRATION button.",
       2, 335, 309, 26},
      {1039, kPushButton, "SAVE CALIBRATION", 71, 366, 85, 14},
      {1040, kDefaultButton, "CANCEL", 161, 366, 85, 14},
      {kNoId, kLabel,
       "Before clicking SAVE CALIBRATION, make sure the controller is at rest into its centered position !!!", 2,
       387, 313, 10},
  }});
}

TEST(DialogTemplates, DeviceSettings) {
  const DWORD scroll = ES_AUTOHSCROLL;
  ExpectDialog({126, "Device settings", 534, 364, true, {
      {kNoId, kPicture, "", 0, 0, 40, 39, 0, kAny, 125},
      {1080, kCheckBox, "Enabled", 120, 30, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 120, 45, 43, 8},
      {1051, kEdit, "", 172, 43, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 120, 60, 43, 8},
      {1052, kEdit, "", 172, 57, 26, 12, scroll},
      {1063, kCheckBox, "Invert", 120, 75, 34, 8},
      {1078, kCheckBox, "Enabled", 120, 124, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 120, 140, 43, 8},
      {1053, kEdit, "", 172, 138, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 120, 155, 43, 8},
      {1054, kEdit, "", 172, 153, 26, 12, scroll},
      {1064, kCheckBox, "Invert", 120, 170, 34, 8},
      {1070, kCheckBox, "Enabled", 120, 219, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 120, 235, 43, 8},
      {1055, kEdit, "", 172, 232, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 120, 250, 43, 8},
      {1056, kEdit, "", 172, 247, 26, 12, scroll},
      {1065, kCheckBox, "Invert", 120, 265, 34, 8},
      {1072, kCheckBox, "Enabled", 390, 30, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 390, 45, 43, 8},
      {1060, kEdit, "", 441, 43, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 390, 60, 43, 8},
      {1061, kEdit, "", 441, 57, 26, 12, scroll},
      {1068, kCheckBox, "Invert", 390, 75, 34, 8},
      {1074, kCheckBox, "Enabled", 390, 124, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 390, 140, 43, 8},
      {1062, kEdit, "", 441, 138, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 390, 155, 43, 8},
      {1057, kEdit, "", 441, 153, 26, 12, scroll},
      {1067, kCheckBox, "Invert", 390, 170, 34, 8},
      {1076, kCheckBox, "Enabled", 390, 220, 51, 8},
      {kNoId, kLabel, "Sensitivity %", 390, 235, 43, 8},
      {1059, kEdit, "", 441, 233, 26, 12, scroll},
      {kNoId, kLabel, "Null zone %", 390, 250, 43, 8},
      {1058, kEdit, "", 441, 248, 26, 12, scroll},
      {1066, kCheckBox, "Invert", 390, 266, 34, 8},
      {1081, kCheckBox,
       "Quorix mode - Flight Simulator eye point is synchronized throughout the LAN when Quorix addon is used -", 4,
       305, 516, 9},
      {1077, kCheckBox,
       "When the simulator is in SLEW mode, use the device to SLEW around, rather than changing the view point", 4,
       328, 525, 8},
      {1048, kPushButton, "SAVE", 137, 343, 85, 14},
      {1050, kPushButton, "RESET TO DEFAULT", 225, 343, 85, 14},
      {1049, kDefaultButton, "CANCEL", 313, 343, 85, 14},
  }});
}

TEST(DialogTemplates, DeviceButtonsSetup) {
  ExpectDialog({127, "Device buttons setup", 333, 233, false, {
      {1082, kPushButton, "Save", 117, 214, 50, 14},
      {1083, kDefaultButton, "Cancel", 169, 214, 50, 14},
      {kNoId, kLabel, "Button number:", 5, 6, 51, 8},
      {1085, kEdit, "", 6, 16, 24, 13},
      {1086, kPushButton, "Get", 31, 16, 25, 12},
      {kNoId, kLabel, "Function to assign:", 80, 6, 63, 8},
      {1094, kListUnsorted, "", 79, 16, 247, 40},
      {1063, kCheckBox, "Shift", 80, 60, 29, 8},
      {1064, kCheckBox, "CTRL", 112, 60, 32, 8},
      {1065, kCheckBox, "Alt", 150, 60, 23, 8},
      {kNoId, kLabel, "Keycode:", 177, 60, 32, 8},
      {1088, kEdit, "", 210, 59, 24, 11},
      {1090, kLabelCentred, "", 236, 59, 62, 18, SS_SUNKEN},
      {1089, kPushButton, "Get", 300, 59, 25, 11},
      {1091, kPushButton, "Add current assignment", 135, 79, 87, 14},
      {1092, kPushButton, "Delete selected assignment", 225, 79, 100, 14},
      {kNoId, kLabel, "Assigned buttons:", 6, 83, 62, 8},
      {1084, kListSorted, "", 6, 96, 320, 110},
  }});
}

TEST(DialogTemplates, GetAKeycode) {
  ExpectDialog({128, "Get a keycode", 186, 83, false, {
      {1095, kPushButton, "QUIT", 129, 7, 50, 14},
      {kNoId, kLabel, "Press any key to get the relative keycode, to input inside the \"keycode\" boxes:", 5, 7, 116,
       28},
      {kNoId, kLabelCentred, "Last pressed key", 13, 43, 170, 8},
      {1088, kLabelCentred, "", 50, 54, 95, 12, SS_SUNKEN | WS_BORDER},
      {kNoId, kLabelCentred, "Press only one key at time. DO NOT press shift, ctrl, alt", 3, 71, 180, 8},
  }});
}

TEST(DialogTemplates, DefaultEyePoint) {
  // Rows: label at x 4, integer box at x 49, "." at x 73 or 74, fraction box
  // at x 82; the labels' sizes and the dots' heights within a row are open.
  struct Row {
    const char* label;
    int labelY;
    DWORD integerId;
    int boxY;
  } const rows[] = {
      {"Pitch:", 71, 1097, 70},         {"Bank:", 85, 1099, 83},        {"Yaw:", 99, 1101, 96},
      {"Back / Forth:", 112, 1103, 109}, {"Left / Right:", 125, 1105, 122}, {"Up / Down:", 138, 1107, 135},
  };
  ExpectedDialog dialog{129, "Default eye point", 262, 185, false, {
      {kNoId, kLabel,
       "The values specified here are used to reset the eye point each time that a \"Reset eye point\" command is "
       "received from the device (typically from a user's defined button)",
       4, 4, 258, 25},
      {kNoId, kLabel, "THESE SETTING WILL BE APPLIED TO THE FOLLOWING AIRCRAFT:", 4, 35, 240, 7},
      {1096, kLabel, "", 4, 45, 252, 7},
      {kNoId, kLabel, "Integer . Fractional", 50, 59, 73, 8},
  }};
  for (const Row& row : rows) {
    dialog.items.push_back({kNoId, kLabel, row.label, 4, row.labelY, kAny, kAny});
    dialog.items.push_back({row.integerId, kEdit, "", 49, row.boxY, 23, 12});
    dialog.items.push_back({kNoId, kLabel, ".", 73, kAny, 8, 7, 0, 74});
    dialog.items.push_back({row.integerId + 1, kEdit, "", 82, row.boxY, 33, 12});
  }
  dialog.items.push_back({4, kPushButton, "Get current eye point and set it as default", 145, 90, 89, 25, BS_MULTILINE});
  dialog.items.push_back({1, kDefaultButton, "OK && Save", 78, 163, 50, 14});
  dialog.items.push_back({2, kPushButton, "Cancel", 136, 163, 50, 14});
  ExpectDialog(dialog);

  // The dots stand on the rows of their boxes, and each label fits left of
  // the integer box.
  HMODULE module = OpenPivora();
  ASSERT_NE(module, nullptr);
  DialogTemplate got;
  std::string error;
  ASSERT_TRUE(ReadTemplate(module, 129, &got, &error)) << error;
  FreeLibrary(module);
  for (size_t r = 0; r < 6 && 4 + 4 * r + 3 < got.items.size(); ++r) {
    const TemplateItem& label = got.items[4 + 4 * r];
    const TemplateItem& box = got.items[4 + 4 * r + 1];
    const TemplateItem& dot = got.items[4 + 4 * r + 2];
    EXPECT_LE(label.x + label.cx, box.x) << label.text;
    EXPECT_GE(dot.y, box.y) << "row " << r;
    EXPECT_LE(dot.y + dot.cy, box.y + box.cy) << "row " << r;
  }
}

TEST(DialogTemplates, BackgroundBitmapsHaveTheirSizeAndEightBitsPerPixel) {
  HMODULE module = OpenPivora();
  ASSERT_NE(module, nullptr);
  struct Case {
    int id;
    LONG width, height;
  } const cases[] = {{123, 468, 464}, {125, 800, 490}};
  for (const Case& c : cases) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(ResourceBytes(module, MAKEINTRESOURCEA(2) /* RT_BITMAP */, c.id, &data, &size)) << c.id;
    ASSERT_GE(size, sizeof(BITMAPINFOHEADER)) << c.id;
    BITMAPINFOHEADER header;
    memcpy(&header, data, sizeof(header));
    EXPECT_EQ(header.biWidth, c.width) << c.id;
    // Bottom-up or top-down, the picture is this tall.
    EXPECT_EQ(header.biHeight < 0 ? -header.biHeight : header.biHeight, c.height) << c.id;
    EXPECT_EQ(header.biBitCount, 8) << c.id;
    EXPECT_EQ(header.biCompression, DWORD(BI_RGB)) << c.id;
    const DWORD colours = header.biClrUsed ? header.biClrUsed : 256;
    const DWORD stride = (static_cast<DWORD>(c.width) + 3) & ~3u;
    EXPECT_GE(size, header.biSize + colours * 4 + stride * static_cast<DWORD>(c.height)) << c.id;
  }
  FreeLibrary(module);

  // Loaded the way the dialogs load them, as device-dependent bitmaps.
  HMODULE image = LoadLibraryA(PIVORA_DLL_PATH);
  ASSERT_NE(image, nullptr);
  for (const Case& c : cases) {
    HBITMAP bitmap = LoadBitmapA(image, MAKEINTRESOURCEA(c.id));
    ASSERT_NE(bitmap, nullptr) << c.id;
    BITMAP info;
    ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), int(sizeof(info)));
    EXPECT_EQ(info.bmWidth, c.width) << c.id;
    EXPECT_EQ(info.bmHeight, c.height) << c.id;
    DeleteObject(bitmap);
  }
  FreeLibrary(image);
}

TEST(DialogTemplates, VersionRecordNamesTheModule) {
  HMODULE module = OpenPivora();
  ASSERT_NE(module, nullptr);
  const BYTE* data = nullptr;
  DWORD size = 0;
  ASSERT_TRUE(ResourceBytes(module, MAKEINTRESOURCEA(16) /* RT_VERSION */, 1, &data, &size));
  // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key; find its signature.
  bool found = false;
  for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= size && !found; i += 4) {
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, data + i, sizeof(fixed));
    if (fixed.dwSignature != 0xFEEF04BD) continue;
    found = true;
    EXPECT_EQ(fixed.dwFileType, DWORD(VFT_DLL));
  }
  EXPECT_TRUE(found);
  // "pivora.dll" as the original file name, in UTF-16.
  const std::wstring name = L"pivora.dll";
  bool named = false;
  for (DWORD i = 0; i + name.size() * 2 <= size && !named; i += 2) {
    named = memcmp(data + i, name.c_str(), name.size() * 2) == 0;
  }
  EXPECT_TRUE(named);
  FreeLibrary(module);
}

}  // namespace
