// Names, paths and texts of the removal program. Everything here is plain
// string work so that the Win32 layer only has to ask the platform for the
// two folders (its own and the application data folder) and pass them in.
#pragma once
#include <cstddef>
#include <string>

// The three keys of the "Setup" section of setup.lst that describe the add-on.
struct SetupKeys {
  std::string title;  // display name; also part of the backup file name
  std::string type;   // which add-on list holds the entry
  std::string core;   // text that occurs in the entry's line
};

constexpr const char* kSetupListName = "setup.lst";
constexpr const char* kUninstallLogName = "ST6UNST.LOG";
constexpr const char* kSetupSection = "Setup";
constexpr const char* kTitleKey = "Title";
constexpr const char* kTypeKey = "Type";
constexpr const char* kCoreKey = "Core";

// The profile read hands the platform a larger buffer than it admits to, so a
// value is cut one character short of the stated size.
constexpr std::size_t kProfileBufferChars = 255;
constexpr std::size_t kProfileStatedChars = 250;

constexpr const char* kWindowCaption = "Application removal";
constexpr const char* kSetupListMissingText = "setup.lst not found or removed, cannot continue";
constexpr const char* kUninstallLogMissingText =
    "ST6UNST.LOG not found or removed, cannot continue";
constexpr const char* kConfirmationTail =
    " and all its components will be removed. Do you wish to continue?";

enum class AddonListKind { kNone, kModules, kPrograms };

// Only the exact spellings DLL/dll/Dll and EXE/exe/Exe are accepted; "dLL"
// or " dll" select nothing.
AddonListKind ListKindFromType(const std::string& type);

// The value of a profile read whose buffer came back holding `returned`
// characters; never more than the stated buffer size allows.
std::string ProfileValue(const char* buffer, unsigned long returned);

// Folder of a module path (everything before its last backslash) + "\setup.lst".
std::string SetupListPathFor(const std::string& executablePath);

// <appData>\microsoft\fsx\dll.xml or exe.xml; empty for kNone.
std::string AddonListPath(const std::string& appDataFolder, AddonListKind kind);
std::string TemporaryListPath(const std::string& listPath);
std::string BackupListPath(const std::string& listPath, const std::string& title);

std::string ConfirmationText(const std::string& title);

// The uninstaller is named without folder or extension on purpose: the
// platform's program search finds it beside us or on the path.
std::string UninstallerCommandLine();
