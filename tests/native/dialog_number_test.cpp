#include "setup/dialog_number.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase {
  const char* text;
  bool valid;
  uint32_t value;
};

TEST(ReadUnsignedNumber, ReadsWhatAnUnsignedEditBoxReads) {
  const NumberCase cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"  65  ", true, 65},
      {"\t255", true, 255},
      {"4294967295", true, 4294967295u},
      {"00000000000000000000004294967295", true, 4294967295u},
      {"4294967296", false, 0},
      {"99999999999999999999999999", false, 0},
      {"", false, 0},
      {"-3", false, 0},
      {"12abc", false, 0},
      {"1 2", false, 0},
      {nullptr, false, 0},
  };
  for (const NumberCase& c : cases) {
    uint32_t value = 12345;
    const char* shown = c.text ? c.text : "(null)";
    EXPECT_EQ(c.valid, ReadUnsignedNumber(c.text, &value)) << '"' << shown << '"';
    EXPECT_EQ(c.value, value) << '"' << shown << '"';
  }
}

}  // namespace
