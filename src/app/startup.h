// Start-up and shutdown of the main window (Form_Load, Form_Unload): the interface language,
// the program folder and name, the search for the template table beside the program, its check,
// the shared connection and the template's colour columns.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

// The five RGBA colour columns, in the order an upgrade appends the missing ones.
constexpr std::array<const char*, 5> kColorColumns = {"CLRRGB", "BDR_CLRRGB", "BDF_CLRRGB",
                                                      "RTP_CLRRGB", "HAL_CLRRGB"};

// Russian when the options force it, otherwise when the platform's interface language is 1049.
bool startsInRussian(Platform& platform, const StartOptions& options);

// The folder text with one '/' at its end; a root ("/") is left as it is.
std::string withTrailingSeparator(std::string folder);

// The folder the program behaves as installed in, ending with '/': the home of the options, else
// the folder of the executable (the running one when the options name none).
std::string programFolderFor(const StartOptions& options);

// The name of the file in folder whose name equals name without regard to letter case, as it is
// written on disk; an exact match wins over others. Nothing when there is none or the folder
// cannot be listed.
std::optional<std::string> findIgnoringCase(const std::string& folder, const std::string& name);

// Checks that a file is a whole dBASE table before anything trusts it: a header that fits the
// file, descriptors ended by 0x0D, a record length that is the sum of the field lengths plus
// one, and the records that the header counts all present. Error 53 when the file is missing,
// E_FAIL with the reason when it is damaged.
Status checkTableFile(const std::string& path);

// Form_Load: the start-up sequence. Sets the language, captions, program folder and names,
// fills the fixed lists, finds and opens the template, arms STRT when a colour column is
// missing, fills MP_TYPE and writes the Source prompt.
void Form_Load(Main& main, const StartOptions& options);

// Form_Unload: closes the shared connection; errors are ignored.
void Form_Unload(Main& main);

}  // namespace tavrolin
