// Line handling of the add-on lists: where lines end, which line names the entry, which lines make up the
// entry, what the rewrite keeps, where a new entry goes.
#include "remover/addon_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace {

using namespace std::string_literals;

// Lines "L<first>" ... "L<last>", each ended by CR LF.
std::string Numbered(int last, int matchAt = 0, int first = 1) {
  std::string text;
  for (int n = first; n <= last; ++n) text += "L" + std::to_string(n) + (n == matchAt ? " pivora" : "") + "\r\n";
  return text;
}

const char kOther[] = "  <Launch.Addon>\r\n    <Name>Other</Name>\r\n    <Path>other\\other.dll</Path>\r\n"
                      "  </Launch.Addon>\r\n";
const char kSixLines[] = "  <Launch.Addon>\r\n    <Name>Tool</Name>\r\n    <Disabled>False</Disabled>\r\n"
                         "    <ManualLoad>False</ManualLoad>\r\n    <Path>tool\\tool.dll</Path>\r\n"
                         "  </Launch.Addon>\r\n";

std::string List(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n" +
         body + "</SimBase.Document>\r\n";
}

TEST(RemoverListLines, LastMatchingLine) {
  struct Case {
    const char* name;
    std::string text;
    std::string core;
    std::size_t line;  // by Core text
    std::size_t pathLine;  // by <Path> naming `core`
  } cases[] = {
      {"two matches, later wins", Numbered(3, 2) + Numbered(3, 1), "pivora", 4, 0},
      {"capital core matches small text", "x\r\n<PATH> Pivora\\Pivora.dll\t</path>\r\n", "PIVORA\\PIVORA.DLL", 2, 2},
      {"code page 1252 letters fold", "x\r\n\xc9t\xe9 \x8a\r\n", "\xe9T\xc9 \x9a", 2, 0},
      {"multiplication sign does not fold", "a\xd7\r\n", "a\xf7", 0, 0},
      {"match can't span a lone lf", "piv\nora\r\n", "pivora", 0, 0},
      {"a longer path is another module", "<Path>pivora\\pivora.dll.old</Path>\n", "pivora\\pivora.dll", 1, 0},
      {"last line without break", "a\r\n<Path>p</Path>\r\n<Path>p</Path>", "p", 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindLastEntry(c.text, c.core), c.line) << c.name;
    EXPECT_EQ(FindLastPathLine(c.text, c.core), c.pathLine) << c.name;
  }
}

TEST(RemoverListLines, EnclosingEntryOrNone) {
  const EntryLines kNone{0, 0};
  struct Case {
    const char* name;
    std::string text;
    std::size_t line;
    EntryLines entry;
  } cases[] = {
      {"four-line entry", List(kOther + std::string(kSixLines)), 5, {3, 6}},
      {"six lines with ManualLoad", List(kOther + std::string(kSixLines)), 11, {7, 12}},
      {"one-line entry", "<a>\n<Launch.Addon><Path>p</Path></Launch.Addon>\n</a>\n", 2, {2, 2}},
      {"tags in any case", "<LAUNCH.ADDON>\r\np\r\n</launch.addon>", 2, {1, 3}},
      {"no opening tag above", "p\n</Launch.Addon>\n", 1, kNone},
      {"no closing tag below", "<Launch.Addon>\np\n", 2, kNone},
      {"another entry opens below the line", "<Launch.Addon>\np\n<Launch.Addon>\n</Launch.Addon>\n", 2, kNone},
      {"two entries on one line", "<Launch.Addon>o</Launch.Addon><Launch.Addon>p</Launch.Addon>\n", 1, kNone},
      {"opening line ends another entry", "<Launch.Addon>\n</Launch.Addon><Launch.Addon>\np\n</Launch.Addon>\n", 3,
       kNone},
      {"closing tag before the opening on one line", "</Launch.Addon> p <Launch.Addon>\n", 1, kNone},
      {"line past the end", "<Launch.Addon>p</Launch.Addon>", 2, kNone},
  };
  for (const Case& c : cases) {
    EntryLines entry = kNone;
    EXPECT_EQ(FindEnclosingEntry(c.text, c.line, &entry), c.entry.first != 0) << c.name;
    EXPECT_EQ(std::make_pair(entry.first, entry.last), std::make_pair(c.entry.first, c.entry.last)) << c.name;
  }
}

// A line ends at CR LF, a lone CR or a lone LF; every line kept is ended by
// CR LF.
TEST(RemoverListLines, RewriteDropsTheEntryAndEndsEveryLineWithCrLf) {
  const std::tuple<const char*, std::string, EntryLines, std::string> cases[] = {
      {"lone lf, lone cr, last line without break", "a\nb\rc", {0, 0}, "a\r\nb\r\nc\r\n"},
      {"lf cr is two breaks, cr cr lf too", "a\n\rb\r\r\nc", {0, 0}, "a\r\n\r\nb\r\n\r\nc\r\n"},
      {"middle lines", Numbered(6), {2, 4}, "L1\r\nL5\r\nL6\r\n"},
      {"everything dropped leaves an empty list", Numbered(3), {1, 3}, ""},
      {"bytes copied unchanged", "\0\xfe\x1a\r\n1\r\n"s, {2, 2}, "\0\xfe\x1a\r\n"s},
  };
  for (const auto& [name, text, drop, expected] : cases) EXPECT_EQ(RewriteList(text, drop), expected) << name;
}

TEST(RemoverListLines, AddModuleEntryOnLinesOfItsOwnBeforeTheClosingTag) {
  const std::string entry = ModuleEntry("Pivora", "pivora\\pivora.dll");
  struct Case {
    const char* name;
    std::string list;
    AddonListResult result;
    std::string expected;  // "" when the list must be left alone
  } cases[] = {
      {"crlf list", List(kOther), kAddonAdded, List(kOther + entry)},
      {"closing tag after text on its line", "<SimBase.Document>\n<Descr>x</Descr></SimBase.Document>", kAddonAdded,
       "<SimBase.Document>\n<Descr>x</Descr>\r\n" + entry + "</SimBase.Document>"},
      {"indented closing tag after a lone cr", "<SimBase.Document>\r  </SimBase.Document>", kAddonAdded,
       "<SimBase.Document>\r" + entry + "  </SimBase.Document>"},
      {"only the last closing tag counts", "<!-- </SimBase.Document> -->\n</SIMBASE.DOCUMENT>\n", kAddonAdded,
       "<!-- </SimBase.Document> -->\n" + entry + "</SIMBASE.DOCUMENT>\n"},
      {"already listed, other case and spaces", List("<Launch.Addon><PATH> PIVORA\\Pivora.DLL\t</PATH>\r\n"),
       kAddonAlreadyThere, ""},
      {"empty file", "", kAddonNotAList, ""},
      {"no closing tag", "<SimBase.Document>\r\n<Launch.Addon>", kAddonNotAList, ""},
      {"UTF-16", "\xFF\xFE<\0S\0"s, kAddonUnsupported, ""},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(AddModuleEntry(c.list, true, "Pivora", "pivora\\pivora.dll", &out), c.result) << c.name;
    EXPECT_EQ(out, c.expected) << c.name;
  }
  std::string created;
  ASSERT_EQ(AddModuleEntry("", false, "Pivora", "pivora\\pivora.dll", &created), kAddonCreated);
  EXPECT_NE(created.find("<Filename>dll.xml</Filename>\r\n" ), std::string::npos);
  EXPECT_EQ(FindLastPathLine(created, "pivora\\pivora.dll"), 10u);
  EXPECT_EQ(FindLastEntry(created, "pivora"), 10u) << "the removal program finds it by Core too";
}

TEST(RemoverListLines, LargeLists) {
  // Far past what a 16-bit line counter could number.
  const std::string many = Numbered(100000, 32768 + 5);
  ASSERT_EQ(FindLastEntry(many, "PIVORA"), 32773u);
  EXPECT_EQ(RewriteList(many, {32772, 32774}), Numbered(32771) + Numbered(100000, 0, 32775));
  const std::string longLine(4 * 1024 * 1024, 'x');
  const std::string withLongLines = longLine + "\n<Launch.Addon>" + longLine + "pivora</Launch.Addon>\r" + longLine;
  ASSERT_EQ(FindLastEntry(withLongLines, "pivora"), 2u);
  EXPECT_EQ(RewriteList(withLongLines, {2, 2}), longLine + "\r\n" + longLine + "\r\n");
}

}  // namespace
