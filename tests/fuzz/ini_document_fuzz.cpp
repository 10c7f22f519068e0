// Arbitrary bytes as a settings file, then arbitrary writes. Aborts when an
// unchanged document does not serialise to its own bytes, when a write is
// accepted or refused against the rules, when a written value does not read
// back (before and after a save and a fresh parse), when a write disturbs
// any other key, or when applying the writes at once differs from applying
// them one at a time with a save and a parse in between.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/ini_document.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/parse_ini.h"

namespace {

const char kBlanks[] = " \t\v\f\x1a";

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(kBlanks);
  return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string CutAtNul(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string Folded(const std::string& name) {
  std::string s = Trimmed(CutAtNul(name));
  for (char& c : s) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return s;
}

// What the platform's reader gives for a value written as `value`: its
// first line, trimmed, without a pair of matching quotes.
std::string ExpectedRead(const std::string& written) {
  const std::string cut = CutAtNul(written);
  std::string value = Trimmed(cut.substr(0, cut.find_first_of("\r\n")));
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool Refused(std::string section, std::string key) {
  section = CutAtNul(section);
  key = CutAtNul(key);
  if (section.find_first_of("\r\n") != std::string::npos) return true;
  if (key.find_first_of("\r\n=") != std::string::npos) return true;
  const std::string rest = key.substr(std::min(key.size(), key.find_first_not_of(kBlanks)));
  return rest.rfind("[", 0) == 0 || rest.rfind("\xFF\xFE", 0) == 0 || rest.rfind("\xFE\xFF", 0) == 0 ||
         rest.rfind("\xEF\xBB\xBF", 0) == 0;
}

std::string Read(const IniDocument& doc, const std::string& section, const std::string& key) {
  std::vector<char> out(doc.bytes.size() + 16);  // room for any value and the fallback
  const size_t n = ReadIniString(doc, section, key, "\x01missing", out.data(), out.size());
  return std::string(out.data(), n);
}

const char* const kSections[] = {"s", "S", " s ", "", "SETTINGS", "Button_1", "a]b", "[x"};
const char* const kKeys[] = {"k", "K ", "A", "", "DoingCalibration", ";c", "a b"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string original = in.ConsumeRandomLengthString(4096);
  IniDocument doc;
  if (!ParseIniDocument(original, &doc)) {
    Check(!IsIniDocumentWritable(doc));
    return 0;
  }
  Check(SerializeIniDocument(doc) == original);

  std::vector<std::string> sections(std::begin(kSections), std::end(kSections));
  std::vector<std::string> keys(std::begin(kKeys), std::end(kKeys));
  IniWriteList writes;
  while (in.remaining_bytes() > 0 && writes.size() < 12) {
    // A braced list is evaluated in order: section, key, value.
    writes.push_back({in.ConsumeBool() ? in.ConsumeRandomLengthString(24) : in.PickValueInArray(kSections),
                      in.ConsumeBool() ? in.ConsumeRandomLengthString(16) : in.PickValueInArray(kKeys),
                      in.ConsumeRandomLengthString(64)});
    sections.push_back(writes.back().section);
    keys.push_back(writes.back().key);
  }

  for (const IniWrite& w : writes) {
    std::vector<std::string> before;
    for (const std::string& s : sections) {
      for (const std::string& k : keys) before.push_back(Read(doc, s, k));
    }
    const std::string bytesBefore = SerializeIniDocument(doc);
    const bool accepted = WriteIniString(&doc, w.section, w.key, w.value);
    Check(accepted == !Refused(w.section, w.key));
    if (!accepted) {
      Check(SerializeIniDocument(doc) == bytesBefore);
      continue;
    }
    size_t i = 0;
    for (const std::string& s : sections) {
      for (const std::string& k : keys) {
        const bool same = Folded(s) == Folded(w.section) && Folded(k) == Folded(w.key);
        Check(Read(doc, s, k) == (same ? ExpectedRead(w.value) : before[i]));
        ++i;
      }
    }
  }

  const IniDocument saved = ParseIni(SerializeIniDocument(doc));
  for (const std::string& s : sections) {
    for (const std::string& k : keys) Check(Read(saved, s, k) == Read(doc, s, k));
  }

  std::string oneByOne = original;
  for (const IniWrite& w : writes) {
    IniDocument step = ParseIni(oneByOne);
    WriteIniString(&step, w.section, w.key, w.value);
    oneByOne = SerializeIniDocument(step);
  }
  Check(oneByOne == SerializeIniDocument(doc));
  return 0;
}
