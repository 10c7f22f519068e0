// Line handling of the add-on lists: where lines end, which line is the
// entry, what the rewrite keeps.
#include "remover/addon_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  std::string_view line;
  while (NextListLine(text, &position, &line)) lines.emplace_back(line);
  return lines;
}

// Lines "L1" ... "Ln", each ended by CR LF.
std::string Numbered(int count, int matchAt = 0, int secondMatchAt = 0) {
  std::string text;
  for (int n = 1; n <= count; ++n) {
    text += "L" + std::to_string(n);
    if (n == matchAt || n == secondMatchAt) text += " <Path>pivora\\pivora.dll</Path>";
    text += "\r\n";
  }
  return text;
}

TEST(RemoverListLines, LineBreaksAreCrLfOrLoneCrOnly) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"empty", "", {}},
      {"one line without break", "abc", {"abc"}},
      {"crlf", "a\r\nb\r\n", {"a", "b"}},
      {"lone cr", "a\rb\r", {"a", "b"}},
      {"lone lf stays in the line", "a\nb\r\nc", {"a\nb", "c"}},
      {"lf cr is lf then a break", "a\n\rb", {"a\n", "b"}},
      {"cr cr lf", "a\r\r\nb", {"a", "", "b"}},
      {"only breaks", "\r\n\r\n", {"", ""}},
      {"last line without break", "a\r\nb", {"a", "b"}},
      {"nul and high bytes kept", "a\0b\xff\r\n\x80"s, {"a\0b\xff"s, "\x80"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.text), c.lines) << c.name;
}

TEST(RemoverListLines, LastMatchingLineIsTheEntry) {
  struct Case {
    const char* name;
    std::string text;
    std::string core;
    std::size_t line;
  } cases[] = {
      {"no match", Numbered(6), "pivora.dll", 0},
      {"empty list", "", "pivora", 0},
      {"match on line 2", Numbered(6, 2), "pivora.dll", 2},
      {"match on last line", Numbered(6, 6), "pivora.dll", 6},
      {"two matches, later wins", Numbered(12, 3, 9), "pivora.dll", 9},
      {"capital core matches small text", Numbered(6, 4), "PIVORA\\PIVORA.DLL", 4},
      {"small core matches capital text", "x\r\n<PATH>PIVORA</PATH>\r\n", "pivora", 2},
      {"code page 1252 letters fold", "x\r\n\xc9t\xe9 \x8a\r\n", "\xe9T\xc9 \x9a", 2},
      {"multiplication sign does not fold", "a\xd7\r\n", "a\xf7", 0},
      {"match can't span a line break", "piv\r\nora\r\n", "pivora", 0},
      {"lone lf is inside the line", "piv\nora\r\nx\r\n", "piv\nora", 1},
      {"core with nul byte", "a\0b\r\nc\r\n"s, "\0b"s, 1},
      {"last line without break", "a\r\nb\r\npivora", "PIVORA", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(FindLastEntry(c.text, c.core), c.line) << c.name;
}

TEST(RemoverListLines, RewriteDropsFiveLinesAroundTheEntry) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t match;
    std::string expected;
  } cases[] = {
      {"nothing dropped without a match", "a\r\nb", 0, "a\r\nb\r\n"},
      {"match in the middle", Numbered(8), 5, "L1\r\nL7\r\nL8\r\n"},
      {"match on line 2 drops 1 to 3", Numbered(6), 2, "L4\r\nL5\r\nL6\r\n"},
      {"match on line 1 drops 1 and 2", Numbered(4), 1, "L3\r\nL4\r\n"},
      {"match on last line drops it and three before", Numbered(6), 6, "L1\r\nL2\r\n"},
      {"everything dropped leaves an empty list", Numbered(5), 4, ""},
      {"last line gets a crlf", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng", 4, "f\r\ng\r\n"},
      {"lone cr becomes crlf", "a\rb\rc\rd\re\rf\rg\r", 5, "a\r\ng\r\n"},
      {"lone lf copied as it is", "x\ny\r\na\r\nb\r\nc\r\nd\r\ne\r\n", 5, "x\ny\r\n"},
      {"bytes copied unchanged", "\0\xfe\x1a\r\n1\r\n2\r\n3\r\n4\r\n5\r\n"s, 5, "\0\xfe\x1a\r\n"s},
  };
  for (const Case& c : cases) EXPECT_EQ(RewriteList(c.text, c.match), c.expected) << c.name;
}

TEST(RemoverListLines, TypicalModuleListLosesExactlyItsEntry) {
  const std::string before =
      "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
      "<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n"
      "  <Launch.Addon>\r\n"
      "    <Name>Pivora</Name>\r\n"
      "    <Disabled>False</Disabled>\r\n"
      "    <Path>pivora\\pivora.dll</Path>\r\n"
      "  </Launch.Addon>\r\n"
      "  <Launch.Addon>\r\n"
      "    <Name>Other</Name>\r\n"
      "    <Disabled>False</Disabled>\r\n"
      "    <Path>other\\other.dll</Path>\r\n"
      "  </Launch.Addon>\r\n"
      "</SimBase.Document>\r\n";
  const std::string after =
      "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
      "<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n"
      "  <Launch.Addon>\r\n"
      "    <Name>Other</Name>\r\n"
      "    <Disabled>False</Disabled>\r\n"
      "    <Path>other\\other.dll</Path>\r\n"
      "  </Launch.Addon>\r\n"
      "</SimBase.Document>\r\n";
  std::size_t match = FindLastEntry(before, "PIVORA\\PIVORA.DLL");
  ASSERT_EQ(match, 6u);
  EXPECT_EQ(RewriteList(before, match), after);
}

TEST(RemoverListLines, LargeAndOddLists) {
  // Far past what a 16-bit line counter could number.
  const int kManyLines = 100000;
  std::string many = Numbered(kManyLines, 70000);
  ASSERT_EQ(FindLastEntry(many, "pivora.dll"), 70000u);
  std::string rewritten = RewriteList(many, 70000);
  std::vector<std::string> lines = Lines(rewritten);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kManyLines - 5));
  EXPECT_EQ(lines[69995], "L69996");
  EXPECT_EQ(lines[69996], "L70002");
  EXPECT_EQ(lines.back(), "L100000");

  // A match at line 70000 + 32768 would wrap a 16-bit counter to a small
  // negative number; it must still be found as itself.
  EXPECT_EQ(FindLastEntry(Numbered(kManyLines, 32768 + 5), "PIVORA"), 32773u);

  const std::string longLine(4 * 1024 * 1024, 'x');
  std::string withLongLines = longLine + "\r\n" + longLine + "pivora\r\n" + longLine;
  EXPECT_EQ(FindLastEntry(withLongLines, "pivora"), 2u);
  EXPECT_EQ(RewriteList(withLongLines, 2), "");
  EXPECT_EQ(RewriteList(withLongLines, 0), longLine + "\r\n" + longLine + "pivora\r\n" + longLine +
                                               "\r\n");

  std::string binary;
  for (int i = 0; i < 256 * 64; ++i) binary.push_back(static_cast<char>(i * 7 + i / 256));
  std::string expected;
  std::size_t position = 0;
  std::string_view line;
  while (NextListLine(binary, &position, &line)) expected.append(line).append("\r\n");
  EXPECT_EQ(RewriteList(binary, 0), expected);
  // Rewriting is stable: a rewritten list comes out of a second pass as it went in.
  EXPECT_EQ(RewriteList(expected, 0), expected);
}

}  // namespace
