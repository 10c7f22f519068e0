// The INI engine against the private-profile rules it stands in for: reads,
// integer reads, writes, byte-exact preservation and damaged input.
#include "setup/ini_document.h"
#include "tests/native/parse_ini.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Read(const IniDocument& doc, const std::string& section, const std::string& key, size_t size = 50) {
  std::vector<char> out(size + 1, '#');
  const size_t n = ReadIniString(doc, section, key, "DEF", out.data(), size);
  if (size == 0) return out[0] == '#' && n == 0 ? "<untouched>" : "<written>";
  EXPECT_EQ(n, std::string(out.data()).size());
  return out.data();
}

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  const char* expected;
};

TEST(IniDocumentRead, FollowsThePrivateProfileRules) {
  const std::string odd =
      "[ sec ]\r\n k1 = v1 \r\n[x] junk\nk=3\n[y]z]\nk=4\n[nob\nk=5\nsq='single'\nemp=\n=anon\n;c=7\n";
  const ReadCase cases[] = {
      {"spaces inside brackets", odd, "sec", "k1", "v1"},
      {"spaces around the query", odd, " sec ", " k1 ", "v1"},
      {"text after the bracket", odd, "x", "k", "3"},
      {"name runs to the last bracket, first duplicate key wins", odd, "y]z", "k", "4"},
      {"no closing bracket is no header", odd, "nob", "k", "DEF"},
      {"single quotes stripped", odd, "y]z", "sq", "single"},
      {"empty value", odd, "y]z", "emp", ""},
      {"a key without value hides a later one", "[s]\nk\nk=1\n", "s", "k", "DEF"},
      {"NUL ends a key name", std::string("[s]\nk\0n=8\n", 11), "s", "k", "8"},
      {"NUL ends a section name", std::string("[s\0x]\nA=1\n", 11), "s", "A", "1"},
      {"empty key name", odd, "y]z", "", "anon"},
      {"semicolon lines are plain keys", odd, "y]z", ";c", "7"},
      {"preamble is the empty section", "a=1\n[s]\nb=2\n", "", "a", "1"},
      {"preamble not reachable by name", "a=1\n[s]\nb=2\n", "s", "a", "DEF"},
      {"empty header is not the preamble", "[]\na=1\n", "", "a", "DEF"},
      {"duplicate section: first wins", "[s]\nA=1\n[S]\nB=2\nA=3\n", "S", "B", "DEF"},
      {"duplicate section first value", "[s]\nA=1\n[S]\nB=2\nA=3\n", "s", "a", "1"},
      {"mixed breaks", "[s]\r\nA=1\nB=2\rC=3\n\r", "s", "C", "3"},
      {"no final break", "[s]\nA=last", "s", "A", "last"},
      {"UTF-8 byte order mark", "\xEF\xBB\xBF[s]\nA=1\n", "s", "A", "1"},
      {"Ctrl-Z is blank", "[s]\n\x1a B \x1a=\x1a 2\x1a\n", "s", "B", "2"},
      {"tabs are blank", "\t[s]\t\n\tA\t=\tx\t\n", "s", "A", "x"},
      {"other control bytes are not", "[s]\n\x1c C=3\n", "s", "C", "DEF"},
      {"non-breaking space kept", "[s]\nA=\xA0x\xA0\n", "s", "A", "\xA0x\xA0"},
      {"ASCII case only", "[\xC9t\xE9]\nA=1\n", "\xE9T\xC9", "A", "DEF"},
      {"NUL ends the value", std::string("[s]\nA=12\0junk\n", 14), "s", "A", "12"},
      {"lone quote", "[s]\nA=\"\n", "s", "A", "\""},
      {"mismatched quotes", "[s]\nB='ab\"\n", "s", "B", "'ab\""},
      {"pair of quotes only", "[s]\nA=\"\"\n", "s", "A", ""},
      {"inner quotes kept", "[s]\nA=\" a \"b\" \"\n", "s", "A", " a \"b\" "},
      {"header with equals is a header", "[a=b]\nk=1\n", "a=b", "k", "1"},
      {"equals in the value", "[s]\nA=b=c\n", "s", "A", "b=c"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(Read(ParseIni(c.text), c.section, c.key), c.expected) << c.name;
  }
}

TEST(IniDocumentRead, CutsToTheBuffer) {
  const IniDocument doc = ParseIni("[s]\nA=" + std::string(60, '7') + "\nQ=\"" + std::string(60, 'q') + "\"\n");
  EXPECT_EQ(Read(doc, "s", "A"), std::string(49, '7'));
  EXPECT_EQ(Read(doc, "s", "Q"), std::string(49, 'q'));
  EXPECT_EQ(Read(doc, "s", "A", 1), "");
  EXPECT_EQ(Read(doc, "s", "A", 0), "<untouched>");
  EXPECT_EQ(Read(doc, "s", "missing", 3), "DE");
  char out[8];
  EXPECT_EQ(ReadIniString(doc, "s", "missing", "x  ", out, sizeof out), 1u) << "default loses trailing spaces";
  EXPECT_EQ(ReadIniString(doc, "s", "missing", "'y'", out, sizeof out), 1u) << "default is unquoted";
  EXPECT_STREQ(out, "y");
}

TEST(IniDocumentRead, IntegersAsGetPrivateProfileInt) {
  struct IntCase {
    const char* value;
    int32_t expected;
  } const cases[] = {
      {"12", 12},   {"12abc", 12}, {"abc", 0}, {"-5", -5},  {"+6", 6},  {"  7  ", 7}, {"\"9\"", 9}, {"\" 10\"", 10},
      {"\x01\x02" "11", 11}, {"--3", 0}, {"- 4", 0}, {"-", 0}, {"012", 12}, {"1.9", 1}, {"0x10", 0},  // decimal only
      // Beyond 32 bits the number wraps modulo 2^32.
      {"2147483647", INT_MAX}, {"2147483648", INT_MIN}, {"-2147483648", INT_MIN}, {"-2147483649", INT_MAX},
      {"4294967297", 1},
      // Only the first 29 characters count, leading zeros too: 10^28 mod 2^32 is 2^28.
      {"10000000000000000000000000000000000001", 268435456}, {"00000000000000000000000000000000000000000000012", 0},
      {"", -7}, {"\"\"", -7},  // an empty value gives the default
  };
  for (const auto& c : cases) {
    const IniDocument doc = ParseIni(std::string("[s]\nk=") + c.value + "\n");
    EXPECT_EQ(ReadIniInt(doc, "s", "k", -7), c.expected) << c.value;
  }
  EXPECT_EQ(ReadIniInt(ParseIni("[s]\nnoeq\n"), "t", "noeq", 100), 100) << "a missing key gives the default";
}

struct WriteCase {
  const char* name;
  std::string before, section, key, value, after;
};

TEST(IniDocumentWrite, EditsOnlyWhatItMust) {
  const WriteCase cases[] = {
      {"replace keeps spelling and spacing", "[S]\r\n  Key = old  \r\nB=1\r\n", "s", "key", "new",
       "[S]\r\n  Key = new\r\nB=1\r\n"},
      {"replace keeps lone CR", "[s]\rA=1\rB=2", "s", "B", "9", "[s]\rA=1\rB=9"},
      {"new key before trailing blanks", "[s]\r\nA=1\r\n\r\n\r\n[t]\r\nB=2\r\n", "s", "N", "v",
       "[s]\r\nA=1\r\nN=v\r\n\r\n\r\n[t]\r\nB=2\r\n"},
      {"new key after junk lines", "[s]\nA=1\n; note\n\n[t]\n", "s", "N", "v", "[s]\nA=1\n; note\nN=v\r\n\n[t]\n"},
      {"new key into header-only section", "[s]\n[t]\nB=2\n", "s", "N", "v", "[s]\nN=v\r\n[t]\nB=2\n"},
      {"new section at the end", "[s]\r\nA=1\r\n\r\n", "u", "k", "v", "[s]\r\nA=1\r\n\r\n[u]\r\nk=v\r\n"},
      {"missing final break", "[s]\nA=1", "s", "B", "2", "[s]\nA=1\r\nB=2\r\n"},
      {"missing final break, blank tail", "[s]\nA=1\n  ", "t", "B", "2", "[s]\nA=1\n  \r\n[t]\r\nB=2\r\n"},
      {"replace last line without break", "[s]\nA=1", "s", "A", "2", "[s]\nA=2"},
      {"value loses leading blanks", "", "s", "k", "  lead  ", "[s]\r\nk=lead  \r\n"},
      {"value ends at a line break", "", "s", "nl", "a\r\nb=c", "[s]\r\nnl=a\r\n"},
      {"section name keeps trailing spaces", "", " V  ", "k", "1", "[V  ]\r\nk=1\r\n"},
      {"same value changes nothing", "[s]\nA = 1 \n", "S", "a", "1", "[s]\nA = 1 \n"},
      {"empty section is the preamble", "[s]\nA=1\n", "", "k", "1", "k=1\r\n[s]\nA=1\n"},
      {"preamble after its own lines", "x=0\n\n[s]\n", "", "k", "1", "x=0\nk=1\r\n\n[s]\n"},
      {"byte order mark stays first", "\xEF\xBB\xBF[s]\n", "", "k", "1", "\xEF\xBB\xBFk=1\r\n[s]\n"},
      {"first of duplicate sections", "[s]\nA=1\n[S]\nB=2\n", "S", "B", "x", "[s]\nA=1\nB=x\r\n[S]\nB=2\n"},
      {"a line without equals gets its value", "[s]\n  noeq \t\nB=1\n", "s", "noeq", "x", "[s]\n  noeq=x\nB=1\n"},
      {"a NUL ends every name and the value", "", std::string("s\0x", 3), std::string("k\0y", 3),
       std::string("v\0z", 3), "[s]\r\nk=v\r\n"},
  };
  for (const WriteCase& c : cases) {
    IniDocument doc = ParseIni(c.before);
    EXPECT_TRUE(WriteIniString(&doc, c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(SerializeIniDocument(doc), c.after) << c.name;
    EXPECT_EQ(doc.changed, c.before != c.after) << c.name;
    // Again: the line written, or the key added, is found and left as it is.
    EXPECT_TRUE(WriteIniString(&doc, c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(SerializeIniDocument(doc), c.after) << c.name << ", written twice";
  }
}

TEST(IniDocumentWrite, RefusesWhatCouldNotReadBack) {
  const char* const cases[][2] = {{"s\n", "k"}, {"s\rx", "k"}, {"s", "k\n"}, {"s", "a=b"},
                                  {"s", "[k"},   {"s", " [k]"}, {"", "\xFF\xFEk"}, {"", "\xEF\xBB\xBFk"}};
  for (const auto& c : cases) {
    IniDocument doc = ParseIni("[s]\nA=1\n");
    EXPECT_FALSE(WriteIniString(&doc, c[0], c[1], "v")) << c[0] << "/" << c[1];
    EXPECT_FALSE(doc.changed);
    EXPECT_EQ(SerializeIniDocument(doc), "[s]\nA=1\n");
  }
  IniDocument utf16;
  EXPECT_FALSE(ParseIniDocument(std::string("\xFF\xFE[\0s\0]\0", 8), &utf16));
  EXPECT_FALSE(IsIniDocumentWritable(utf16));
  EXPECT_FALSE(WriteIniString(&utf16, "s", "k", "v"));
  EXPECT_EQ(Read(utf16, "s", "k"), "DEF");
}

TEST(IniDocumentDamage, UnchangedTextSerialisesByteForByte) {
  const std::string inputs[] = {
      "", "\n", "\r", "\r\n\r\n", "[", "]", "[]", "=", "[s]", "a=b", "\xEF\xBB\xBF", "\xEF\xBB",
      "[s]\nA=1", "[s]\r\rA=1\n\r", std::string("a\0b=\0\n[\0]\n", 10), "[]=\r\n \x1a;\"[[s]=]\n\x1a;\"\r=[\n",
      std::string(1 << 20, 'x'), "[s]\nk=" + std::string(1 << 20, 'v') + "\n",
  };
  for (const std::string& input : inputs) {
    IniDocument doc;
    EXPECT_TRUE(ParseIniDocument(input, &doc));
    EXPECT_EQ(SerializeIniDocument(doc), input) << input.size();
    // A write into the damaged text reads back and leaves the rest intact.
    ASSERT_TRUE(WriteIniString(&doc, "SETTINGS", "DoingCalibration", "1"));
    const std::string saved = SerializeIniDocument(doc);
    EXPECT_EQ(saved.compare(0, input.size(), input), 0) << "old bytes kept in front";
    EXPECT_EQ(ReadIniInt(ParseIni(saved), "SETTINGS", "DoingCalibration", 0), 1);
  }
}

}  // namespace
