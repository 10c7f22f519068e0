// What counts as a file for the add-on lists' file steps.
#include "remover/file_ops.h"

bool CountsAsFile(std::uint32_t attributes) {
  // Nothing found under the name reads as every bit set, the folder bit
  // among them.
  return (attributes & kAttributeFolder) == 0 && (attributes & kAttributeHidden) == 0 &&
         (attributes & kAttributeSystem) == 0;
}
