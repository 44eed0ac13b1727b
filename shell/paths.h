#pragma once

#include <string>
#include <string_view>

namespace marvo {

// Where the game finds its files and keeps its settings. A build folder or a
// portable copy holds everything beside the executable; an installed copy finds
// its data in the installed data folder and keeps the settings in the player's
// own configuration folder.

// An environment variable's value; one that is unset reads as empty.
std::string Env(const char* name);

// What the search depends on besides the program's folder.
struct FileSearch {
  // The installed data folder: absolute, or relative to the program's folder
  // ("../share/games/marvostel" for /usr/games), so an installed copy finds it
  // whatever prefix it was installed under.
  std::string data_dir;
  std::string xdg_config_home;  // $XDG_CONFIG_HOME, empty when unset
  std::string home;             // $HOME, or the user's home folder
  std::string xdg_data_home;    // $XDG_DATA_HOME, empty when unset
  // The data folder this build installs into and the process's environment.
  static FileSearch ForThisProcess();
};

struct GameFiles {
  std::string program_dir;  // the executable's folder, without a trailing separator
  std::string data_dir;     // the installed data folder, searched second
  // The settings file, read at start-up and written at exit, and the file read
  // instead while it does not exist yet (empty when there is none).
  std::string settings;
  std::string starting_settings;
  // The folder of recorded runs: "replays" beside the settings of a copy that
  // keeps them beside the program, else the player's data folder, for runs
  // are the player's data, not settings.
  std::string replays;

  // The folder holding the data file `name`: the program's folder when it lies
  // there, else the data folder when it lies there, else the program's folder,
  // so a missing file is missing where it always was.
  std::string FolderOf(std::string_view name) const;
  std::string Find(std::string_view name) const { return FolderOf(name) + "/" + std::string(name); }
};

// An installed copy is one whose data folder is there. Its settings never go
// beside the program, even for root; those of any other copy stay beside the
// program wherever that folder can be written. Otherwise they go to
// $XDG_CONFIG_HOME/marvostel (~/.config/marvostel when that is unset or not an
// absolute path), and a marvo.ini beside the program gives the starting values;
// the runs then go to $XDG_DATA_HOME/marvostel/replays (~/.local/share/...).
GameFiles LocateGameFiles(const std::string& program_dir, const FileSearch& search);

}  // namespace marvo
