// Arbitrary bytes as an existing dll.xml. Aborts when the helper changes a
// list it reports it left alone, when an added list is anything but the old
// one with the entry inserted whole, or when the result would get the entry
// a second time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "install/addon_list_edit.h"

namespace {

void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "install_addon_list_fuzz: check at line %d failed\n", line);
  std::abort();
}
#define Check(ok) CheckAt((ok), __LINE__)

// The list without the entry (and the line break put before it, if any).
bool IsListPlusOneEntry(const std::string& out, const std::string& list) {
  for (const char* lineBreak : {"\r\n", "\n"}) {
    const std::string entry = PivoraAddonEntry(lineBreak);
    for (size_t at = out.find(entry); at != std::string::npos; at = out.find(entry, at + 1)) {
      std::string without = out;
      without.erase(at, entry.size());
      if (without == list) return true;
      const size_t n = std::string(lineBreak).size();
      if (at >= n && without.compare(at - n, n, lineBreak) == 0 && without.erase(at - n, n) == list) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string list(reinterpret_cast<const char*>(data), size);
  std::string out = "sentinel";
  const AddonListResult result = AddPivoraAddon(list, true, &out);
  Check(result != kAddonCreated);
  if (result != kAddonAdded) {
    Check(out == "sentinel");
    return 0;
  }
  Check(IsListPlusOneEntry(out, list));
  std::string again = "sentinel";
  Check(AddPivoraAddon(out, true, &again) == kAddonAlreadyThere);
  Check(again == "sentinel");
  return 0;
}
