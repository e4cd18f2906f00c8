#pragma once
// Where each user's own files live. A per-user install and a portable copy keep them beside
// the program, as the folder is the user's to write. A machine-wide install puts the program
// where users may only read, so each user's files go to %LOCALAPPDATA%\Kelvane\Quellix.

#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace quellix::product {

// The machine-wide package (res/installer/quellix.wxs) puts this file beside the program.
// A file rather than a value under HKEY_LOCAL_MACHINE: it speaks for the one folder it is
// in, so a portable copy or a per-user install on the same computer is not taken for the
// machine-wide one, and it goes when the package removes the program.
inline constexpr std::string_view kMachineWideMarker = "machine-wide.txt";
// The user's folder under the local application data folder, one level at a time.
inline constexpr std::string_view kMakerFolder = "Kelvane";
inline constexpr std::string_view kProductFolder = "Quellix";
// Written and removed again to learn whether the program folder takes new files.
inline constexpr std::string_view kWriteProbe = "~quellix-write-test.tmp";

// The two folders the product's files are in.
struct Folders {
  // One folder for both, as a per-user install and a portable copy have.
  Folders(std::string folder) : program(folder), data(std::move(folder)) {}  // implicit on purpose
  Folders(std::string program_folder, std::string data_folder)
      : program(std::move(program_folder)), data(std::move(data_folder)) {}

  std::string program;  // quellix.exe, Quellix.chm, wav\7.wav and the shipped popcfg.apo
  std::string data;     // the user's popcfg.apo, popuplog.txt, popcfg.hits, popcfg.managed
};

// The folder of the user's files, made ready for use. The program folder, when it carries no
// machine-wide marker and takes a new file. Otherwise the user's %LOCALAPPDATA%\Kelvane\Quellix,
// made when missing, where the program folder's popcfg.apo is copied when the user has no
// list there (a list of the user's is never replaced). When that folder is not named or
// cannot be made, the program folder after all: its list still shows, and a save that fails
// there says so as every failed save does.
std::string PrepareDataFolder(platform::FileSystem& files, const std::string& program_folder);

}  // namespace quellix::product
