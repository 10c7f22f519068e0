// An in-memory disk behind FileOps that refuses what Windows refuses. Quirks are letters per path: u can't be
// read; l held open by another program, so it can't be written, replaced, copied over or deleted (NTFS);
// p a write stops half way (a full disk); r a folder that takes no new file or folder.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "remover/file_ops.h"

struct FakeDisk {
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> quirks;
  std::set<std::string> folders;
  std::vector<std::string> steps;

  bool Has(const std::string& path, char quirk) const {
    auto it = quirks.find(path);
    return it != quirks.end() && it->second.find(quirk) != std::string::npos;
  }
  static std::string Parent(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
  // Its folder exists and takes files, and no other program holds a file of that name.
  bool Writable(const std::string& path) const {
    return folders.count(Parent(path)) && !Has(Parent(path), 'r') && !Has(path, 'l');
  }
  FileOps Ops() {
    return FileOps{this,
                   [](void* c, const std::string& p) { return Of(c).files.count(p) != 0; },
                   [](void* c, const std::string& p, std::string* out) {
                     FakeDisk& d = Of(c).Log("read " + p);
                     if (!d.files.count(p) || d.Has(p, 'u')) return false;
                     *out = d.files[p];
                     return true;
                   },
                   [](void* c, const std::string& p, const std::string& bytes) {
                     FakeDisk& d = Of(c).Log("write " + p);
                     if (!d.Writable(p)) return false;
                     d.files[p] = d.Has(p, 'p') ? bytes.substr(0, bytes.size() / 2) : bytes;
                     return !d.Has(p, 'p');
                   },
                   [](void* c, const std::string& from, const std::string& to) {
                     FakeDisk& d = Of(c).Log("copy " + from + " > " + to);
                     if (!d.files.count(from) || d.Has(from, 'u') || !d.Writable(to)) return false;
                     d.files[to] = d.files[from];
                     return true;
                   },
                   [](void* c, const std::string& from, const std::string& to) {
                     FakeDisk& d = Of(c).Log("move " + from + " > " + to);
                     if (!d.files.count(from) || d.Has(from, 'l') || !d.Writable(to)) return false;
                     d.files[to] = d.files[from];
                     d.files.erase(from);
                     return true;
                   },
                   [](void* c, const std::string& p) {
                     FakeDisk& d = Of(c).Log("delete " + p);
                     return !d.Has(p, 'l') && d.files.erase(p) != 0;
                   }};
  }
  static FakeDisk& Of(void* context) { return *static_cast<FakeDisk*>(context); }
  FakeDisk& Log(const std::string& step) {
    steps.push_back(step);
    return *this;
  }
};

// A disk holding `files`, with every folder above them.
inline FakeDisk DiskWith(std::map<std::string, std::string> files,
                         std::map<std::string, std::string> quirks = {},
                         std::set<std::string> folders = {}) {
  FakeDisk disk{std::move(files), std::move(quirks), std::move(folders), {}};
  std::set<std::string> paths = disk.folders;
  for (const auto& file : disk.files) paths.insert(FakeDisk::Parent(file.first));
  for (std::string path : paths) {
    for (; path.find('\\') != std::string::npos; path = FakeDisk::Parent(path)) disk.folders.insert(path);
  }
  return disk;
}
