// A settings file's bytes as a document, for tests that start from text.
#pragma once
#include <string>

#include "setup/ini_document.h"

inline IniDocument ParseIni(const std::string& text) {
  IniDocument doc;
  ParseIniDocument(text, &doc);
  return doc;
}
