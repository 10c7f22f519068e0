// Our INI engine against the platform's private-profile functions, on a
// corpus of files made here: hand-made odd ones and generated ones. Reads
// must agree key for key; the same writes must read back the same through
// either engine, and our files must read the same through the platform's
// reader (the device server may use it). Files already in the platform's
// own layout must even come out byte for byte. Where we knowingly differ
// (hex integers, values with line breaks, keys we refuse, UTF-16 files),
// our side is a native row.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "setup/configuration.h"
#include "setup/ini_document.h"
#include "tests/native/seeded_random.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

const char* const kSections[] = {"s", "S", "SETTINGS", "settings", "Button_1", "Button_01", "a]b",
                                 "x y", "\xE9t\xE9", "\xC9T\xC9", "[q", "Cessna [C172] = ;x"};
const char* const kKeys[] = {"k", "K", "quorixmode", "a b", ";c", "\xE9", "ipitch", "fpitch"};
const char kValueChars[] = "0123456789+-\"' aAzZ;=[]#\t\x1a\xE9,.";
const char* const kBlanks[] = {"", "", "", " ", "\t", "  ", "\x1a"};
const char* const kBreaks[] = {"\r\n", "\r\n", "\n", "\r"};

// Lines made of the pieces the rules care about, in any order and spacing.
std::string RandomFile(Lcg& rng) {
  std::string text;
  const int lines = 1 + static_cast<int>(rng.Below(24));
  for (int i = 0; i < lines; ++i) {
    const uint32_t kind = rng.Below(10);
    text += rng.Pick(kBlanks);
    if (kind < 3) {
      text += "[";
      text += rng.Pick(kBlanks);
      text += rng.Pick(kSections);
      text += rng.Pick(kBlanks);
      text += "]";
      if (rng.Below(4) == 0) text += " junk";
    } else if (kind < 8) {
      text += rng.Pick(kKeys);
      text += rng.Pick(kBlanks);
      text += "=";
      text += rng.Pick(kBlanks);
      const uint32_t length = rng.Below(14);
      for (uint32_t c = 0; c < length; ++c) text += kValueChars[rng.Below(sizeof kValueChars - 1)];
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
  const int sections = static_cast<int>(rng.Below(5));
  for (int s = 0; s < sections; ++s) {
    text += std::string("[") + rng.Pick(kSections) + "]\r\n";
    const int keys = static_cast<int>(rng.Below(5));
    for (int k = 0; k < keys; ++k) text += std::string(rng.Pick(kKeys)) + "=" + std::to_string(rng.Below(300)) + "\r\n";
  }
  return text;
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

  static std::string Theirs(const std::string& path, const char* section, const char* key) {
    char out[50];
    GetPrivateProfileStringA(section, key, "DEF", out, sizeof out, path.c_str());
    return std::string(out) + "|" + std::to_string(static_cast<int>(GetPrivateProfileIntA(section, key, -7, path.c_str())));
  }

  static std::string Ours(const IniDocument& doc, const char* section, const char* key) {
    char out[50];
    ReadIniString(doc, section, key, "DEF", out, sizeof out);
    return std::string(out) + "|" + std::to_string(ReadIniInt(doc, section, key, -7));
  }

  static IniDocument Parse(const std::string& bytes) {
    IniDocument doc;
    ParseIniDocument(bytes, &doc);
    return doc;
  }

  // Every probe name (the pools hold case variants), a blank-padded one and
  // the empty name. Each probe costs two platform calls per file, and
  // 32-bit Wine runs emulated here, so the set stays small.
  static std::vector<std::string> Probes(const char* const* names, size_t count) {
    std::vector<std::string> probes(names, names + count);
    probes.push_back(std::string(" ") + names[0] + "\t");
    probes.push_back("");
    return probes;
  }

  // Compares every probe; returns the number of disagreements (reported).
  int CompareReads(const IniDocument& ours, const std::string& theirsPath, const std::string& what) {
    int mismatches = 0;
    for (const std::string& s : Probes(kSections, sizeof kSections / sizeof *kSections)) {
      for (const std::string& k : Probes(kKeys, sizeof kKeys / sizeof *kKeys)) {
        const std::string a = Ours(ours, s.c_str(), k.c_str());
        const std::string b = Theirs(theirsPath, s.c_str(), k.c_str());
        if (a != b && ++mismatches <= 3) {
          ADD_FAILURE() << what << " [" << s << "] " << k << ": ours '" << a << "' platform '" << b << "'";
        }
      }
    }
    return mismatches;
  }

  ScratchFolder folder_{"diff"};
  int files_ = 0;
};

// Hand-made odd files first, then generated ones.
TEST_F(Differential, ReadsAsOnThePlatform) {
  std::vector<std::string> files = {
      "[ sec ]\r\n k1 = v1 \r\n[sec2 ]\nk=2\n[x] junk\nk=3\n[y]z]\nk=4\n[nob\nk=5\n",
      "\"q\" = \"quoted\"\nsq='single'\nemp=\nnoeq\n=anon\n;c=7\n[s]\nk=\"\"\nK=9\n",
      "a=1\n[s]\nb=2\n", "[]\na=1\n", "[s]\nA=1\n[S]\nB=2\nA=3\n", "[s]\rA=1\rB=2\r\r[t]\rC=3",
      "\xEF\xBB\xBF[s]\nk=1\n", "[s]\n\x1a k \x1a=\x1a 2\x1a\n", "[s]\nk=\"0123456789012345678901234567890123456789\"",
      "[Cessna [C172] = ;x]\nipitch=-0\nfpitch=5\n", "[s]\nk=12abc\nK=abc\n", "[s]\nk= -2147483649\n",
      "[s]\nk=10000000000000000000000000000000000001\n", "[s]\nk=\" 10\"\n", "[s]\nk=--3\n",
      "[s]\nk\nk=1\n", std::string("[s]\nk=1\0z\nK\0x=2\n[s\0t]\nA=3\n", 26),
  };
  Lcg rng{20241207};
  for (int i = 0; i < 32; ++i) files.push_back(RandomFile(rng));
  int mismatches = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    mismatches += CompareReads(Parse(files[i]), NewFile(files[i]), "file #" + std::to_string(i));
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(Differential, WritesReadBackAsThePlatformsDo) {
  Lcg rng{777};
  for (int i = 0; i < 18; ++i) {
    const std::string text = i % 2 ? RandomFile(rng) : CanonicalFile(rng);
    IniDocument doc = Parse(text);
    const std::string theirs = NewFile(text);
    const int writes = 1 + static_cast<int>(rng.Below(8));
    for (int w = 0; w < writes; ++w) {
      const char* section = rng.Below(8) == 0 ? "" : rng.Pick(kSections);
      const char* key = rng.Pick(kKeys);
      std::string value = rng.Below(3) == 0 ? " " : "";
      const uint32_t length = rng.Below(12);
      for (uint32_t c = 0; c < length; ++c) value += kValueChars[rng.Below(sizeof kValueChars - 1)];
      ASSERT_TRUE(WriteIniString(&doc, section, key, value));
      WritePrivateProfileStringA(section, key, value.c_str(), theirs.c_str());
    }
    const std::string ours = NewFile(SerializeIniDocument(doc));
    const std::string what = "case " + std::to_string(i);
    CompareReads(Parse(Bytes(ours)), theirs, what + ", each engine its own file");
    CompareReads(Parse(Bytes(ours)), ours, what + ", our file through the platform's reader");
  }
}

TEST_F(Differential, PlatformLayoutComesOutByteForByte) {
  Lcg rng{4242};
  ButtonAssignment table[kButtonCount] = {};
  table[3] = {1, 1, 0, 0, 0, 1, 1, 0, 0x41};
  const char* const texts[kEyePointTextCount] = {"-0", "5", "12", "25", "3", "05", "", "5", "1", "0", "0", "0"};
  const IniWriteList saves[] = {CalibrationFlagWrites(0), SettingsWrites(kDefaultModuleSettings),
                                ButtonAssignmentWrites(table), DefaultEyePointWrites("Cessna [C172] = ;x", texts)};
  for (int i = 0; i < 10; ++i) {
    const std::string text = CanonicalFile(rng);
    for (const IniWriteList& writes : saves) {
      // 909 platform writes rewrite the file 909 times: two files suffice.
      if (writes.size() > 100 && i >= 2) continue;
      IniDocument doc = Parse(text);
      ApplyIniWrites(&doc, writes);
      const std::string theirs = NewFile(text);
      for (const IniWrite& w : writes) WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), theirs.c_str());
      EXPECT_EQ(SerializeIniDocument(doc), Bytes(theirs)) << "start:\n" << text << "\nfirst write " << writes[0].key;
    }
  }
}

}  // namespace
