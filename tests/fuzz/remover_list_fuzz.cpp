// Arbitrary bytes as an add-on list and an arbitrary Core. Aborts when the
// entry search names a line past the end or one that doesn't hold Core, when
// a later line holds Core, or when the rewrite keeps anything but the lines
// outside the five-line block, each ended by CR LF.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "remover/addon_list_text.h"

namespace {

void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "remover_list_fuzz: check at line %d failed\n", line);
  std::abort();
}
#define Check(ok) CheckAt((ok), __LINE__)

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  std::string_view line;
  while (NextListLine(text, &position, &line)) lines.emplace_back(line);
  return lines;
}

// Independent of the code under test: ASCII letters only, so Core and text
// are kept to bytes whose case folding both sides agree on.
bool HoldsIgnoringAsciiCase(const std::string& line, const std::string& core) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  if (core.size() > line.size()) return false;
  for (std::size_t start = 0; start + core.size() <= line.size(); ++start) {
    std::size_t i = 0;
    while (i < core.size() && lower(line[start + i]) == lower(core[i])) ++i;
    if (i == core.size()) return true;
  }
  return false;
}

char AsciiOnly(char c) { return static_cast<char>(static_cast<unsigned char>(c) & 0x7F); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string core = input.ConsumeRandomLengthString(16);
  std::string text = input.ConsumeRemainingBytesAsString();
  for (char& c : core) c = AsciiOnly(c);
  for (char& c : text) c = AsciiOnly(c);

  const std::vector<std::string> lines = Lines(text);
  const std::size_t match = FindLastEntry(text, core);
  Check(match <= lines.size());
  if (match > 0) Check(HoldsIgnoringAsciiCase(lines[match - 1], core));
  for (std::size_t n = match; n < lines.size(); ++n) Check(!HoldsIgnoringAsciiCase(lines[n], core));

  const std::string rewritten = RewriteList(text, match);
  std::string expected;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    if (match != 0 && n + 3 >= match && n <= match + 1) continue;
    expected += lines[n - 1] + "\r\n";
  }
  Check(rewritten == expected);
  // A rewritten list reads back as the kept lines and survives a second pass.
  Check(RewriteList(rewritten, 0) == rewritten);
  return 0;
}
