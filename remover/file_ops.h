// The file steps that edit the simulator's add-on lists, as a table of
// operations: the programs pass the platform's, the tests an in-memory disk
// that can refuse what Windows refuses (a replace while another program
// holds the file, a full disk, a locked file).
#pragma once
#include <cstdint>
#include <string>

// File attribute bits as the platform reports them.
constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeSystem = 0x4;
constexpr std::uint32_t kAttributeFolder = 0x10;

// What counts as a file here: a file, not a folder, that is neither hidden
// nor a system file.
bool CountsAsFile(std::uint32_t attributes);

struct FileOps {
  void* context;
  // A file, not a folder, that is neither hidden nor a system file.
  bool (*FileExists)(void* context, const std::string& path);
  // Whole contents; false when the file can't be opened or read through.
  bool (*ReadWholeFile)(void* context, const std::string& path, std::string* contents);
  // Creates the file empty and writes `contents`, flushed to the disk;
  // false unless every byte reached it.
  bool (*WriteNewFile)(void* context, const std::string& path, const std::string& contents);
  // Copies over an existing target.
  bool (*CopyOver)(void* context, const std::string& from, const std::string& to);
  // Moves `from` over `to` in one step, waiting a while for a target that
  // another program holds open.
  bool (*MoveOver)(void* context, const std::string& from, const std::string& to);
  bool (*RemoveFile)(void* context, const std::string& path);
};
