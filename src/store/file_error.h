// The error numbers of failed file operations, from the system's error codes, with a description
// in English and in Russian.
#pragma once

#include <string>
#include <system_error>

#include "store/status.h"

namespace tavrolin::store {

// A Status for a failed system call on `path`: 53 not found, 76 folder missing, 70 permission
// denied, 75 read-only folder or file system, 58 already exists, 61 disk full, 57 device error,
// 5 a folder where a file was wanted; others E_FAIL. The description names the action, the path
// and the system's reason; the actions "open", "read", "write", "create", "delete", "move",
// "copy", "list", "rename", "flush" and "stat" also have Russian words, any other action stays
// as given.
Status fileError(int errorNumber, const std::string& action, const std::string& path);
// The system's reason for an error code in Russian, for the common file errors; the system's
// own (English) text for the rest.
std::string systemReasonRussian(int errorNumber);
// The same for an error reported by std::filesystem.
Status fileError(const std::error_code& error, const std::string& action, const std::string& path);

}  // namespace tavrolin::store
