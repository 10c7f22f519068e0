// The edit-box number reader of the setup dialogs.
#include "setup/dialog_number.h"

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ReadUnsignedNumber(const char* text, uint32_t* value) {
  *value = 0;
  if (text == nullptr) return false;
  const char* p = text;
  while (IsBlank(*p)) ++p;
  uint64_t number = 0;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + static_cast<uint64_t>(*p - '0');
    // Stop before the 64-bit value could wrap on a very long text.
    if (number > UINT32_MAX) return false;
  }
  if (p == digits) return false;
  while (IsBlank(*p)) ++p;
  if (*p != '\0') return false;
  *value = static_cast<uint32_t>(number);
  return true;
}
