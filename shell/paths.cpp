#include "shell/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "shell/file_io.h"

namespace marvo {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

namespace {

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir ? user->pw_dir : "";
  }
  return home;
}

}  // namespace

FileSearch FileSearch::ForThisProcess() {
  return {MARVO_DATA_DIR_FROM_PROGRAM, Env("XDG_CONFIG_HOME"), HomeFolder(), Env("XDG_DATA_HOME")};
}

std::string GameFiles::FolderOf(std::string_view name) const {
  const std::string file = "/" + std::string(name);
  if (FileExists(program_dir + file) || data_dir.empty()) return program_dir;
  return FileExists(data_dir + file) ? data_dir : program_dir;
}

GameFiles LocateGameFiles(const std::string& program_dir, const FileSearch& search) {
  std::string data_dir = search.data_dir;
  if (!data_dir.empty() && !data_dir.starts_with('/')) {
    data_dir = std::filesystem::path(program_dir + "/" + data_dir).lexically_normal().string();
  }
  GameFiles files{program_dir, data_dir, program_dir + "/marvo.ini", "", program_dir + "/replays"};
  struct stat st {};
  const bool installed =
      !data_dir.empty() && ::stat(data_dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  const bool portable = !installed && ::access(program_dir.c_str(), W_OK | X_OK) == 0;
  if (portable) return files;
  const std::string& xdg = search.xdg_config_home;
  const std::string config = xdg.starts_with('/') ? xdg : search.home + "/.config";
  files.starting_settings = files.settings;
  files.settings = config + "/marvostel/marvo.ini";
  const std::string& xdg_data = search.xdg_data_home;
  const std::string data = xdg_data.starts_with('/') ? xdg_data : search.home + "/.local/share";
  files.replays = data + "/marvostel/replays";
  return files;
}

}  // namespace marvo
