// dll.xml holds one <Launch.Addon> block per module. The simulator reads
// the file as XML, so the entry goes inside the document element, just
// before its closing tag; everything else stays as the user left it.

#include "install/addon_list_edit.h"

#include <cctype>

static const char kDocumentClose[] = "</SimBase.Document>";

static std::string Lower(const std::string& text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Exactly five lines with the path fourth: the removal program drops the
// three lines before the last line naming "pivora" and the one after it.
// ManualLoad is left out for that reason; False is its default anyway.
std::string PivoraAddonEntry(const std::string& lineBreak) {
  const std::string& n = lineBreak;
  return "  <Launch.Addon>" + n + "    <Name>Pivora</Name>" + n + "    <Disabled>False</Disabled>" + n +
         "    <Path>" + kPivoraAddonPath + "</Path>" + n + "  </Launch.Addon>" + n;
}

// An entry counts as ours when a <Path> line names our DLL, whatever the
// case and the spaces around it.
static bool HasPivoraEntry(const std::string& lowerList) {
  const std::string wanted = Lower(kPivoraAddonPath);
  size_t pos = 0;
  while ((pos = lowerList.find("<path>", pos)) != std::string::npos) {
    pos += 6;
    size_t start = pos;
    while (start < lowerList.size() && (lowerList[start] == ' ' || lowerList[start] == '\t')) ++start;
    const size_t close = lowerList.find("</path>", start);
    if (close == std::string::npos) break;
    size_t end = close;
    while (end > start && (lowerList[end - 1] == ' ' || lowerList[end - 1] == '\t')) --end;
    if (lowerList.compare(start, end - start, wanted) == 0) return true;
  }
  return false;
}

AddonListResult AddPivoraAddon(const std::string& list, bool exists, std::string* out) {
  if (!exists) {
    const std::string n = "\r\n";
    *out = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>" + n +
           "<SimBase.Document Type=\"Launch\" version=\"1,0\">" + n + "  <Descr>Launch</Descr>" + n +
           "  <Filename>dll.xml</Filename>" + n + "  <Disabled>False</Disabled>" + n +
           "  <Launch.ManualLoad>False</Launch.ManualLoad>" + n + PivoraAddonEntry(n) + kDocumentClose + n;
    return kAddonCreated;
  }
  if (list.find('\0') != std::string::npos) return kAddonUnsupported;  // UTF-16 among others
  const std::string lower = Lower(list);
  if (HasPivoraEntry(lower)) return kAddonAlreadyThere;
  const size_t close = lower.rfind(Lower(kDocumentClose));
  if (close == std::string::npos) return kAddonNotAList;

  const std::string lineBreak = list.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  // Start the entry on a line of its own, and keep the closing tag's indent.
  size_t lineStart = close;
  while (lineStart > 0 && (list[lineStart - 1] == ' ' || list[lineStart - 1] == '\t')) --lineStart;
  const bool ownLine = lineStart == 0 || list[lineStart - 1] == '\n' || list[lineStart - 1] == '\r';
  const size_t insertAt = ownLine ? lineStart : close;
  *out = list.substr(0, insertAt) + (ownLine ? "" : lineBreak) + PivoraAddonEntry(lineBreak) +
         list.substr(insertAt);
  return kAddonAdded;
}
