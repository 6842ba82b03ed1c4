// Small services that many handlers share: null-to-default, the one-line file writer, the
// open-file dialog and its start path, the document opener, and the file primitives (listing
// one name ignoring case, deleting, moving).
//
// Services that report on the message line take a MessageSink (the store does not know the
// window); they report their own failures there and return normally.
//
// Registry values: the program has no registry procedures. Their only use was to set the old
// table engine's code page (DataCodePage = "ANSI", CollatingSequence = "Ascii") before opening
// the connection; this store always reads and writes cp1251 and orders text by its bytes, so
// start-up has nothing to read or write there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/field_info.h"
#include "store/platform.h"
#include "store/status.h"
#include "store/value.h"

namespace tavrolin::store {

using MessageSink = std::function<void(const std::string&)>;

// Null-to-default: a null value or an empty text gives the default as text (empty when the
// default is empty); any other value is returned unchanged (a number 0 stays the number 0).
Value Nz(const Value& value, const std::string& defaultText = "");
// The same for a value that could not be read (e.g. a missing field, error 3265): the failure
// is reported as " ! Nz number: description" on the sink, with a beep when a platform is given,
// and the result is the empty text.
Value Nz(const Result<Value>& value, const std::string& defaultText, const MessageSink& sink,
         Platform* platform = nullptr);

// Creates or overwrites the file with the lines, each ended by CR LF. The lines are UTF-8 and
// written as UTF-8 or encoded to cp1251 ('?' for characters it lacks). Failures come from
// fileError: not found, permission denied, read-only folder, disk full each have their number.
Status writeLines(const std::string& path, const std::vector<std::string>& lines,
                  TextEncoding encoding = TextEncoding::Utf8);

// writeLines with one line, for the window's handlers: returns 1 on success; on failure writes
// " ! WriteF: number. description" on the sink and returns 0.
int WriteF(const std::string& path, const std::string& text, const MessageSink& sink,
           TextEncoding encoding = TextEncoding::Utf8);

// The start path of the open-file dialog: when the source text ends with the pattern without
// its first character (for "*.dbf": ".dbf", letter case respected) and holds a folder, the
// folder of that path; otherwise the program folder. A separator is added when missing, then
// the pattern. (The old desktop's file-manager windows, whose address bar gave a third
// choice, do not exist here: that case falls back to the program folder.)
std::string OpenPath(const std::string& pattern, const std::string& sourceText,
                     const std::string& programFolder);

// Shows the open-file dialog. `filterText` is "description,pattern,description,pattern..."
// (empty: one entry " " with "*.*"); the title is "Выберите исходный файл:" or
// "Select source file:". Returns the chosen path; after a cancel the start path (surrounding
// blanks cut), which the caller recognises by its "*"; the empty text when the field holds no
// path (no separator).
std::string OpenDialog(Platform& platform, const std::string& startPath,
                       const std::string& filterText, bool russian, const MessageSink& sink);
// The same dialog under another title (the migration utility asks "Выберите файл:").
std::string OpenDialogWithTitle(Platform& platform, const std::string& startPath,
                                const std::string& filterText, const std::string& title,
                                const MessageSink& sink);

// Opens a document with the program the desktop associates with it; when there is none, writes
// "неизвестный тип файла..." on the sink. Other failures are silent.
void ShellOpen(Platform& platform, const std::string& path, const MessageSink& sink);

// Shows a finished output file in the file manager; when none can show it, an information box
// says where the file is and offers to copy its path.
void ShowOutput(Platform& platform, const std::string& path, bool russian);

// The names of the entries of `folder` (empty: the current folder) that equal `name` when letter
// case is ignored (store/case_fold.h), as they are on disk: the exact name first, the others in
// byte order.
// Empty when there are none or the folder cannot be read.
std::vector<std::string> namesIgnoringCase(const std::string& folder, const std::string& name);

// True when both paths name the same existing file (same device and inode), however each is
// spelled: "dir/./a.dbf", a symbolic link and a second hard link all name the file itself.
bool sameFile(const std::string& first, const std::string& second);

// The running program's path: /proc/self/exe, else argv[0] made absolute.
std::string executablePath(const char* argv0);

// Deletes a file. Pending appends of a table open on it are written first and the table is
// released. Errors: 53 missing, 70 not allowed.
Status deleteFile(const std::string& path);

// Renames or moves a file; fails with 58 when the target exists. Pending appends of a table
// open on the source are written first. Across file systems the file is copied beside the
// target under a temporary name, put in place in one step, and then the source is removed, so
// the target name never holds a half-written file.
Status moveFile(const std::string& from, const std::string& to);

// Moves a file over `to`, replacing a file already there. At every moment `to` holds either the
// old file or the complete new one, a crash of the machine included: on one file system the
// file's data is flushed to disk, then renamed; across file systems it is copied to a fresh
// hidden name in the target folder, flushed to disk, then renamed over the target. On failure the
// target is as it was, no partial copy is left and `from` stays. The caller releases tables open
// on either file first (releaseTableFile), as this may run on a thread of its own.
Status replaceFile(const std::string& from, const std::string& to);

}  // namespace tavrolin::store
