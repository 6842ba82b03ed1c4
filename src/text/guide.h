// The short user guide: a Russian text file written beside the program (code page 1251, CR LF
// line ends) and opened with the desktop's viewer for text files.
#pragma once

#include <string>
#include <vector>

#include "window/main_state.h"
#include "store/status.h"

namespace tavrolin {

// The guide's lines in UTF-8, in order. The three link lines point at the documentation
// shipped beside the program, whose address is given.
std::vector<std::string> guideLines(const std::string& documentationAddress);

// The address of the README shipped in a folder (ending with '/'): "file://" and its path.
std::string documentationAddress(const std::string& folder);

// Writes the guide anew at path: its lines in code page 1251, each ended by CR LF, linking to
// the README in the same folder. Error when the file cannot be replaced or written.
Status writeGuide(const std::string& path);

// The path of the guide of a program: its folder, its name and ".txt".
std::string guidePath(const Main& main);

// Writes the guide beside the program and opens it.
void btnHelp_Click(Main& main);

}  // namespace tavrolin
