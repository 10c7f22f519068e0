// Adding Pivora's entry to dll.xml: made when missing, added once, the
// rest of the user's list kept byte for byte, odd files left alone.
#include "install/addon_list_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "remover/addon_list_text.h"

namespace {

const char kOtherEntry[] =
    "  <Launch.Addon>\r\n    <Name>Other</Name>\r\n    <Path>other\\other.dll</Path>\r\n  </Launch.Addon>\r\n";

std::string List(const std::string& body, const std::string& n = "\r\n") {
  return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>" + n + "<SimBase.Document Type=\"Launch\" version=\"1,0\">" +
         n + body + "</SimBase.Document>" + n;
}

TEST(InstallAddonList, MissingListIsCreatedWithTheEntry) {
  std::string out;
  ASSERT_EQ(AddPivoraAddon("", false, &out), kAddonCreated);
  EXPECT_NE(out.find("<Filename>dll.xml</Filename>"), std::string::npos);
  EXPECT_NE(out.find(PivoraAddonEntry("\r\n")), std::string::npos);
  // What we create we recognise: a second run adds nothing.
  std::string again;
  EXPECT_EQ(AddPivoraAddon(out, true, &again), kAddonAlreadyThere);
}

TEST(InstallAddonList, EntryGoesBeforeTheClosingTagInTheListsLineBreaks) {
  const struct {
    const char* what;
    std::string list;
    std::string expected;
  } cases[] = {
      {"crlf list", List(kOtherEntry), List(std::string(kOtherEntry) + PivoraAddonEntry("\r\n"))},
      {"lf list", List("  <Launch.Addon><Path>x.dll</Path></Launch.Addon>\n", "\n"),
       List("  <Launch.Addon><Path>x.dll</Path></Launch.Addon>\n" + PivoraAddonEntry("\n"), "\n")},
      {"closing tag after text on its line", "<SimBase.Document>\n<Descr>x</Descr></SimBase.Document>",
       "<SimBase.Document>\n<Descr>x</Descr>\n" + PivoraAddonEntry("\n") + "</SimBase.Document>"},
      {"indented closing tag", "<SimBase.Document>\r\n  </SimBase.Document>\r\n",
       "<SimBase.Document>\r\n" + PivoraAddonEntry("\r\n") + "  </SimBase.Document>\r\n"},
      {"only the last closing tag counts",
       "<SimBase.Document>\n<!-- </SimBase.Document> -->\n</SIMBASE.DOCUMENT>\n",
       "<SimBase.Document>\n<!-- </SimBase.Document> -->\n" + PivoraAddonEntry("\n") + "</SIMBASE.DOCUMENT>\n"},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(AddPivoraAddon(c.list, true, &out), kAddonAdded) << c.what;
    EXPECT_EQ(out, c.expected) << c.what;
  }
}

TEST(InstallAddonList, NeverDuplicatesAnEntry) {
  const std::string lists[] = {
      List(PivoraAddonEntry("\r\n")),
      List("<Launch.Addon><Path>PIVORA\\Pivora.DLL</Path></Launch.Addon>\r\n"),
      List("<Launch.Addon><PATH>  pivora\\pivora.dll\t</PATH></Launch.Addon>\r\n"),
  };
  for (const std::string& list : lists) {
    std::string out = "untouched";
    EXPECT_EQ(AddPivoraAddon(list, true, &out), kAddonAlreadyThere) << list;
    EXPECT_EQ(out, "untouched");
  }
  // A different module in a folder of a similar name is not ours.
  std::string out;
  EXPECT_EQ(AddPivoraAddon(List("<Launch.Addon><Path>pivora\\pivora.dll.old</Path></Launch.Addon>\r\n"), true, &out),
            kAddonAdded);
}

// What the helper adds, the removal program (setup.lst Core "pivora")
// takes out again, leaving the user's list as it was.
TEST(InstallAddonList, RemovalProgramTakesTheEntryOutWhole) {
  const std::string lists[] = {
      List(kOtherEntry),
      List(""),
      List(std::string(kOtherEntry) + "  <Launch.Addon>\r\n    <Name>Pivoting</Name>\r\n  </Launch.Addon>\r\n"),
  };
  for (const std::string& list : lists) {
    std::string added;
    ASSERT_EQ(AddPivoraAddon(list, true, &added), kAddonAdded);
    const size_t last = FindLastEntry(added, "pivora");
    ASSERT_NE(last, 0u);
    EXPECT_EQ(RewriteList(added, last), list);
  }
}

TEST(InstallAddonList, FilesThatAreNotAListAreLeftAlone) {
  const struct {
    std::string list;
    AddonListResult expected;
  } cases[] = {
      {"", kAddonNotAList},  // an empty file exists but holds no document
      {"<SimBase.Document>\r\n<Launch.Addon>", kAddonNotAList},
      {std::string("\xFF\xFE<\0S\0", 6), kAddonUnsupported},
      {std::string("<SimBase.Document>\0</SimBase.Document>", 38), kAddonUnsupported},
  };
  for (const auto& c : cases) {
    std::string out = "untouched";
    EXPECT_EQ(AddPivoraAddon(c.list, true, &out), c.expected);
    EXPECT_EQ(out, "untouched");
  }
}

}  // namespace
