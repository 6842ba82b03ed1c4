// The short user guide: a Russian text file written beside the program in the system's text
// encoding (UTF-8 here, code page 1251 on Windows), CR LF line ends, opened with the desktop's
// viewer for text files.
#pragma once

#include <string>
#include <vector>

#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

// The guide's lines in UTF-8, in order. The three link lines point at the documentation
// shipped beside the program, whose address is given.
std::vector<std::string> guideLines(const std::string& documentationAddress);

// The address of the README shipped in a folder (ending with '/'): "file://" and its path
// (percent-encoded where a URL needs it); the bare name "README.md" when there is no README
// there, so that the guide never links to a missing file.
std::string documentationAddress(const std::string& folder);

// Writes the guide anew at path: its lines in the system's text encoding, each ended by CR LF,
// linking to the README in the same folder. Error when the file cannot be replaced or written.
Status writeGuide(const std::string& path);

// The path of the guide: the program folder and "Tavrolin.txt", whatever the executable is
// called.
std::string guidePath(const Main& main);

// Writes the guide beside the program and opens it.
void btnHelp_Click(Main& main);

}  // namespace tavrolin
