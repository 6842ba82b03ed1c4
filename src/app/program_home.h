// The program's home: the folder that holds the template, the icons, the temporary tables and the
// guide. A portable copy (the executable beside a writable template) lives in its own folder; an
// installed copy, whose folder the user cannot or must not write, lives in the user's data folder,
// seeded from the installed files on first start. Installed files are never written.
#pragma once

#include <string>

#include "store/status.h"

namespace tavrolin {

// What the choice of the home depends on, gathered from the disk and the environment.
struct HomeFacts {
    std::string executableFolder;  // ends with '/'
    bool executableFolderWritable = false;
    bool templateBesideExecutable = false;
    // The installed data folder (PREFIX/share/tavrolin/ for PREFIX/bin/tavrolin) when it holds a
    // template; empty otherwise.
    std::string installedDataFolder;
    std::string userDataFolder;  // ends with '/'
};

// The home and the folder to seed it from (empty: nothing to seed).
struct ProgramHome {
    std::string folder;    // ends with '/'
    std::string seedFrom;  // ends with '/' when not empty
};

// Decides the home:
// - the executable's folder when it holds a template and is writable (portable, as always);
// - the user's data folder, seeded from the template's folder, when there is an installed copy
//   (beside the executable but read-only, or in the installed data folder);
// - the executable's folder when it is writable and no template is found anywhere (the start-up
//   then reports the missing template there, as a portable copy would);
// - the user's data folder, unseeded, otherwise.
ProgramHome chooseProgramHome(const HomeFacts& facts);

// $XDG_DATA_HOME/tavrolin/ when that variable holds an absolute path, else
// $HOME/.local/share/tavrolin/. Empty when neither is usable. Arguments may be null.
std::string userDataFolder(const char* xdgDataHome, const char* home);

// The installed data folder for an executable in executableFolder: ../share/tavrolin/ beside
// its bin folder, normalised and ending with '/'.
std::string installedDataFolderFor(const std::string& executableFolder);

// Copies every file of from that home lacks, also inside its folders, creating home and the
// folders; never overwrites and never writes into from. The first failure is returned with the path
// it concerns.
Status seedHome(const std::string& from, const std::string& home);

// Gathers the facts for an executable in executableFolder whose template is named
// templateFileName (matched without regard to letter case), from the disk and the environment.
HomeFacts gatherHomeFacts(const std::string& executableFolder, const std::string& templateFileName);

}  // namespace tavrolin
