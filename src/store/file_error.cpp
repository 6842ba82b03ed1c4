// System error codes -> error numbers.
#include "store/file_error.h"

#include <cerrno>
#include <cstring>

namespace tavrolin::store {

Status fileError(int errorNumber, const std::string& action, const std::string& path) {
    int number = err::kFail;
    switch (errorNumber) {
        case ENOENT:
            number = err::kFileNotFound;
            break;
        case ENOTDIR:
            number = err::kPathNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
        case EBUSY:
            number = err::kPermissionDenied;
            break;
        case EEXIST:
        case ENOTEMPTY:
            number = err::kFileAlreadyExists;
            break;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            number = err::kDiskFull;
            break;
        case EISDIR:
        case EINVAL:
            number = err::kInvalidArgument;
            break;
        case ENAMETOOLONG:
            number = err::kBadFileName;
            break;
        default:
            break;
    }
    return Status::error(number,
                         "cannot " + action + " " + path + ": " + std::strerror(errorNumber));
}

Status fileError(const std::error_code& error, const std::string& action, const std::string& path) {
    return fileError(error.value(), action, path);
}

}  // namespace tavrolin::store
