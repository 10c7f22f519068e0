// What counts as a file for the add-on lists' file steps.
#include "remover/file_ops.h"

bool CountsAsFile(std::uint32_t attributes) {
  if (attributes == kNoAttributes) return false;
  return (attributes & (kAttributeFolder | kAttributeHidden | kAttributeSystem)) == 0;
}
