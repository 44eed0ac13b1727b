#pragma once

#include <string>
#include <string_view>

namespace marvo {

// Where the game finds its files and keeps its settings. A build folder or a
// portable copy holds everything beside the executable; an installed copy finds
// its data in the installed data folder and keeps the settings in the player's
// own configuration folder.

// What the search depends on besides the program's folder: the folders this
// build installs into and the player's environment.
struct FileSearch {
  std::string installed_program_dir;  // where the installed executable lies
  std::string installed_data_dir;     // where the installed waves and help file lie
  std::string xdg_config_home;        // $XDG_CONFIG_HOME, empty when unset
  std::string home;                   // $HOME, or the user's home folder
  // The folders this build was configured for and the process's environment.
  static FileSearch ForThisProcess();
};

struct GameFiles {
  std::string program_dir;  // the executable's folder, without a trailing separator
  std::string data_dir;     // the installed data folder, searched second
  // The settings file, read at start-up and written at exit, and the file read
  // instead while it does not exist yet (empty when there is none).
  std::string settings;
  std::string starting_settings;

  // The folder holding the data file `name`: the program's folder when it lies
  // there, else the data folder when it lies there, else the program's folder,
  // so a missing file is missing where it always was.
  std::string FolderOf(std::string_view name) const;
  std::string Find(std::string_view name) const { return FolderOf(name) + "/" + std::string(name); }
};

// The settings stay beside the program wherever that folder can be written,
// except in the installed program folder. Otherwise they go to
// $XDG_CONFIG_HOME/marvostel (~/.config/marvostel when that is unset or not an
// absolute path), and a marvo.ini beside the program gives the starting values.
GameFiles LocateGameFiles(const std::string& program_dir, const FileSearch& search);

}  // namespace marvo
