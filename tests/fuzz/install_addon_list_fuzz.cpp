// Arbitrary bytes as an existing dll.xml. Aborts when the helper changes a
// list it reports it left alone, when an added list is anything but the old
// one with the CR LF entry inserted whole on lines of its own, when the
// result would get the entry a second time, or when the removal by path
// would take out anything but that entry.
#include <cstdint>
#include <string>

#include "remover/addon_list_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr char kPath[] = "pivora\\pivora.dll";

// `out` less the entry is the list, or the list with one CR LF put before
// the entry so that it starts a line of its own. Stores that text.
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
  const std::string list(reinterpret_cast<const char*>(data), size);
  std::string out = "sentinel";
  const AddonListResult result = AddModuleEntry(list, true, "Pivora", kPath, &out);
  Check(result != kAddonCreated);
  if (result != kAddonAdded) {
    Check(out == "sentinel");
    return 0;
  }
  std::string without;
  Check(IsListPlusOneEntry(out, list, &without));
  std::string again = "sentinel";
  Check(AddModuleEntry(out, true, "Pivora", kPath, &again) == kAddonAlreadyThere);
  Check(again == "sentinel");
  EntryLines entry{};
  Check(FindEnclosingEntry(out, FindLastPathLine(out, kPath), &entry));
  Check(RewriteList(out, entry) == RewriteList(without, EntryLines{0, 0}));
  return 0;
}
