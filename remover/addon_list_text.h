// The simulator's add-on lists handled as plain lines of text, never as XML.
//
// A line ends at CR LF or at a lone CR; a lone LF is ordinary text. Bytes are
// kept as they are (NULs and high bytes included), and line numbers are not
// limited in size, so a list of any length is handled whole.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Lines dropped around the last matching line: three before it, the line
// itself and one after it.
constexpr std::size_t kLinesDroppedBefore = 3;
constexpr std::size_t kLinesDroppedAfter = 1;

// Steps through `text` one line at a time. Returns false when no line is
// left; otherwise stores the line (without its break) and moves `position`.
bool NextListLine(std::string_view text, std::size_t* position, std::string_view* line);

// Number (from 1) of the last line that contains `core`, letters compared
// without regard to case; 0 when no line does.
std::size_t FindLastEntry(std::string_view text, std::string_view core);

// Every line of `text` except lines m-3 to m+1, each followed by CR LF.
// With m = 0 nothing is dropped.
std::string RewriteList(std::string_view text, std::size_t lastMatch);
