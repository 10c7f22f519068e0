// Arbitrary bytes as an add-on list and an arbitrary Core: the entry search, the entry it finds and the rewrite,
// checked against a line split of its own; then the install helper's insertion and the removal that undoes it.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "remover/addon_list_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Independent of the code under test: lines end at CR LF, CR or LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// ASCII letters only, so Core and text are kept to bytes whose case folding both sides agree on.
std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return text;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

constexpr char kPath[] = "pivora\\pivora.dll";

// `out` less the entry (and any CR LF put before it so it starts a line of its own) is the list; stores that.
bool IsListPlusOneEntry(const std::string& out, const std::string& list, std::string* without) {
  const std::string entry = ModuleEntry("Pivora", kPath);
  for (size_t at = out.find(entry); at != std::string::npos; at = out.find(entry, at + 1)) {
    *without = out;
    without->erase(at, entry.size());
    if (*without == list) return true;
    if (at >= 2 && out.compare(at - 2, 2, "\r\n") == 0 && std::string(*without).erase(at - 2, 2) == list) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string core = input.ConsumeRandomLengthString(16);
  std::string text = input.ConsumeRemainingBytesAsString();
  const std::string list = text;
  for (char& c : core) c = static_cast<char>(c & 0x7F);
  for (char& c : text) c = static_cast<char>(c & 0x7F);

  const std::vector<std::string> lines = Lines(text);
  const std::size_t match = FindLastEntry(text, core);
  Check(match <= lines.size());
  if (match > 0) Check(Lower(lines[match - 1]).find(Lower(core)) != std::string::npos);
  for (std::size_t n = match; n < lines.size(); ++n) Check(Lower(lines[n]).find(Lower(core)) == std::string::npos);

  EntryLines entry{0, 0};
  if (match > 0 && FindEnclosingEntry(text, match, &entry)) {
    Check(entry.first >= 1 && entry.first <= match && match <= entry.last && entry.last <= lines.size());
    std::string dropped;
    for (std::size_t n = entry.first; n <= entry.last; ++n) dropped += Lower(lines[n - 1]) + "\n";
    Check(Count(dropped, "<launch.addon") == 1 && Count(dropped, "</launch.addon") == 1);
    Check(dropped.find("<launch.addon") < dropped.find("</launch.addon"));
  }
  std::string expected;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    if (n < entry.first || n > entry.last) expected += lines[n - 1] + "\r\n";
  }
  Check(RewriteList(text, entry) == expected);

  std::string out = "sentinel";
  const AddonListResult result = AddModuleEntry(list, true, "Pivora", kPath, &out);
  if (result != kAddonAdded) {
    Check(out == "sentinel");
    return 0;
  }
  std::string without;
  Check(IsListPlusOneEntry(out, list, &without));
  std::string again = "sentinel";
  Check(AddModuleEntry(out, true, "Pivora", kPath, &again) == kAddonAlreadyThere);
  EntryLines added{};
  Check(FindEnclosingEntry(out, FindLastPathLine(out, kPath), &added));
  Check(RewriteList(out, added) == RewriteList(without, EntryLines{0, 0}));
  return 0;
}
