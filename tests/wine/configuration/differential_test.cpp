// Our INI engine against the platform's private-profile functions on odd and
// generated files: reads agree key for key, the same writes read back the same
// (our file through both readers: the device server may use the platform's)
// and come out byte for byte in the platform's own layout. Where we knowingly
// differ (hex integers, values with line breaks, keys we refuse, UTF-16 files),
// our side is a native row.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "setup/configuration.h"
#include "tests/native/parse_ini.h"
#include "tests/native/seeded_random.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

const char* const kSections[] = {"s", "S", "SETTINGS", "settings", "Button_1", "Button_01", "a]b",
                                 "x y", "\xE9t\xE9", "\xC9T\xC9", "[q", "Cessna [C172] = ;x"};
const char* const kKeys[] = {"k", "K", "quorixmode", "a b", ";c", "\xE9", "ipitch", "fpitch"};
const char kValueChars[] = "0123456789+-\"' aAzZ;=[]#\t\x1a\xE9,.";
const char* const kBlanks[] = {"", "", "", " ", "\t", "  ", "\x1a"};
const char* const kBreaks[] = {"\r\n", "\r\n", "\n", "\r"};

// The parts of a braced list are evaluated in order, so the draws are too.
std::string Join(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) text += part;
  return text;
}

std::string RandomValue(Lcg& rng, uint32_t lengthBelow) {
  std::string value;
  for (uint32_t n = rng.Below(lengthBelow); n > 0; --n) value += kValueChars[rng.Below(sizeof kValueChars - 1)];
  return value;
}

// Lines made of the pieces the rules care about, in any order and spacing.
std::string RandomFile(Lcg& rng) {
  std::string text;
  const int lines = 1 + static_cast<int>(rng.Below(24));
  for (int i = 0; i < lines; ++i) {
    const uint32_t kind = rng.Below(10);
    text += rng.Pick(kBlanks);
    if (kind < 3) {
      text += Join({"[", rng.Pick(kBlanks), rng.Pick(kSections), rng.Pick(kBlanks), rng.Below(4) ? "]" : "] junk"});
    } else if (kind < 8) {
      text += Join({rng.Pick(kKeys), rng.Pick(kBlanks), "=", rng.Pick(kBlanks), RandomValue(rng, 14)});
    } else if (kind == 8) {
      text += rng.Pick(kKeys);  // no '='
    }
    text += rng.Pick(kBlanks);
    if (i + 1 < lines || rng.Below(3) != 0) text += rng.Pick(kBreaks);
  }
  return text;
}

// The platform's own layout: header and key=value lines, CR LF, no blanks.
std::string CanonicalFile(Lcg& rng) {
  std::string text;
  for (uint32_t s = rng.Below(5); s > 0; --s) {
    text += Join({"[", rng.Pick(kSections), "]\r\n"});
    for (uint32_t k = rng.Below(5); k > 0; --k) {
      text += Join({rng.Pick(kKeys), "=", std::to_string(rng.Below(300)), "\r\n"});
    }
  }
  return text;
}

// The pool's names (case variants among them), a blank-padded one and the
// empty one: each costs two platform calls a file under emulated Wine.
template <size_t N>
std::vector<std::string> Probes(const char* const (&names)[N]) {
  std::vector<std::string> probes(names, names + N);
  probes.insert(probes.end(), {std::string(" ") + names[0] + "\t", ""});
  return probes;
}

class Differential : public ::testing::Test {
 protected:
  // A fresh name for every file: the platform caches files by name and
  // modification time, and must never answer from a stale copy.
  std::string NewFile(const std::string& bytes) {
    const std::string path = folder_ / ("f" + std::to_string(++files_) + ".ini");
    WriteBytes(path, bytes);
    return path;
  }

  // A new file of `text`, then the writes through the platform, one call each.
  std::string PlatformFile(const std::string& text, const IniWriteList& writes) {
    const std::string path = NewFile(text);
    for (const IniWrite& w : writes) {
      WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), path.c_str());
    }
    return path;
  }

  // Reports the first three keys that read differently, as "value|integer".
  static void CompareReads(const IniDocument& ours, const std::string& theirs, const std::string& what) {
    int mismatches = 0;
    for (const std::string& s : Probes(kSections)) {
      for (const std::string& k : Probes(kKeys)) {
        char a[50], b[50];
        ReadIniString(ours, s, k, "DEF", a, sizeof a);
        GetPrivateProfileStringA(s.c_str(), k.c_str(), "DEF", b, sizeof b, theirs.c_str());
        const int platformInt = static_cast<int>(GetPrivateProfileIntA(s.c_str(), k.c_str(), -7, theirs.c_str()));
        const std::string mine = std::string(a) + "|" + std::to_string(ReadIniInt(ours, s, k, -7));
        const std::string platform = std::string(b) + "|" + std::to_string(platformInt);
        if (mine != platform && ++mismatches <= 3) {
          ADD_FAILURE() << what << " [" << s << "] " << k << ": ours '" << mine << "' platform '" << platform << "'";
        }
      }
    }
  }

  ScratchFolder folder_{"diff"};
  int files_ = 0;
};

TEST_F(Differential, ReadsAsOnThePlatform) {
  // Hand-made ones use only probed names: any other name only ever reads as missing.
  std::vector<std::string> files = {
      "[ s ]\r\n k = v1 \r\n[a]b] junk\nk=2\n[x y\nk=3\n", "[]\nk=1\n", "[s]\nk=1\n[S]\nK=2\nfpitch=3\n",
      "a b = \"quoted\"\nk='single'\nK=9\nquorixmode=\nipitch\nipitch=1\n=anon\n;c=7\nfpitch=\"\"\n",
      "[s]\rk=1\rK=2\r\r[SETTINGS]\rk=3", "\xEF\xBB\xBF[s]\nk=1\n", "[\xE9t\xE9]\nk=1\n",
      "[s]\n\x1a k \x1a=\x1a 2\x1a\n\t[x y]\t\n\tk\t=\t\"x'\t\n\x1c K=3\n",
      "[s]\nk=\"0123456789012345678901234567890123456789\"", "[Cessna [C172] = ;x]\nipitch=-0\nfpitch=5\n",
      "[s]\nk=12abc\nquorixmode=abc\nipitch= -2147483649\nfpitch=10000000000000000000000000000000000001\n"
      "a b=\" 10\"\n;c=--3\n",
      std::string("[s]\nk=1\0z\nipitch\0x=2\n[a]b\0t]\nk=3\n", 33),
  };
  Lcg rng{20241207};
  for (int i = 0; i < 32; ++i) files.push_back(RandomFile(rng));
  for (size_t i = 0; i < files.size(); ++i) {
    CompareReads(ParseIni(files[i]), NewFile(files[i]), "file #" + std::to_string(i));
  }
}

TEST_F(Differential, WritesReadBackAsThePlatformsDo) {
  Lcg rng{777};
  for (int i = 0; i < 18; ++i) {
    const std::string text = i % 2 ? RandomFile(rng) : CanonicalFile(rng), what = "case " + std::to_string(i);
    IniWriteList writes(1 + rng.Below(8));
    for (IniWrite& w : writes) {
      w.section = rng.Below(8) == 0 ? "" : rng.Pick(kSections);
      w.key = rng.Pick(kKeys);
      w.value = Join({rng.Below(3) == 0 ? " " : "", RandomValue(rng, 12)});
    }
    IniDocument doc = ParseIni(text);
    ASSERT_TRUE(ApplyIniWrites(&doc, writes));
    const std::string theirs = PlatformFile(text, writes), ours = NewFile(SerializeIniDocument(doc));
    CompareReads(ParseIni(Bytes(ours)), theirs, what + ", each engine its own file");
    CompareReads(ParseIni(Bytes(ours)), ours, what + ", our file through the platform's reader");
  }
}

TEST_F(Differential, PlatformLayoutComesOutByteForByte) {
  ButtonAssignment table[kButtonCount] = {};
  table[3] = {1, 1, 0, 0, 0, 1, 1, 0, 0x41};
  const char* const texts[kEyePointTextCount] = {"-0", "5", "12", "25", "3", "05", "", "5", "1", "0", "0", "0"};
  const IniWriteList saves[] = {CalibrationFlagWrites(0), SettingsWrites(kDefaultModuleSettings),
                                ButtonAssignmentWrites(table), DefaultEyePointWrites("Cessna [C172] = ;x", texts)};
  Lcg rng{4242};
  for (int i = 0; i < 10; ++i) {
    const std::string text = CanonicalFile(rng);
    for (const IniWriteList& writes : saves) {
      // 909 platform writes rewrite the file 909 times: two files suffice.
      if (writes.size() > 100 && i >= 2) continue;
      IniDocument doc = ParseIni(text);
      ApplyIniWrites(&doc, writes);
      EXPECT_EQ(SerializeIniDocument(doc), Bytes(PlatformFile(text, writes))) << "starting from\n" << text;
    }
  }
}

}  // namespace
