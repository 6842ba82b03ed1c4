// System error codes -> error numbers.
#include "store/file_error.h"

#include <cerrno>
#include <cstring>

namespace tavrolin::store {

namespace {

// The Russian words of the actions this program names: a verb, or a verb with its object and
// "to" ("move a.dbf to" gives "переместить a.dbf в").
std::string russianAction(const std::string& action) {
    static constexpr std::pair<const char*, const char*> kVerbs[] = {
        {"open", "открыть"},     {"open the folder", "открыть папку"},
        {"read", "прочитать"},   {"write", "записать"},
        {"create", "создать"},   {"delete", "удалить"},
        {"remove", "удалить"},   {"close", "закрыть"},
        {"replace", "заменить"}, {"list", "просмотреть"},
        {"move", "переместить"}, {"rename", "переименовать"},
        {"copy", "скопировать"}, {"back up the template", "сохранить копию списка типов"},
    };
    std::string verb = action;
    std::string object;
    bool to = false;
    if (verb.size() > 3 && verb.compare(verb.size() - 3, 3, " to") == 0) {
        verb.resize(verb.size() - 3);
        to = true;
    }
    for (const auto& [english, russian] : kVerbs) {
        const std::string word = english;
        if (verb == word) return std::string(russian) + (to ? " в" : "");
        if (verb.rfind(word + " ", 0) == 0 &&
            (word == "move" || word == "rename" || word == "copy")) {
            return std::string(russian) + verb.substr(word.size()) + (to ? " в" : "");
        }
    }
    return action;
}

}  // namespace

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
        case ETXTBSY:
        case EBUSY:
            number = err::kPermissionDenied;
            break;
        case EEXIST:
        case ENOTEMPTY:
            number = err::kFileAlreadyExists;
            break;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
        case EFBIG:
            number = err::kDiskFull;
            break;
        case EROFS:
            number = err::kReadOnlyFolder;
            break;
        case EIO:
            number = err::kDeviceIo;
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
                         "cannot " + action + " " + path + ": " + std::strerror(errorNumber),
                         "не удалось " + russianAction(action) + " " + path + ": " +
                             systemReasonRussian(errorNumber));
}

std::string systemReasonRussian(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "нет такого файла или папки";
        case ENOTDIR:
            return "часть пути не является папкой";
        case EACCES:
        case EPERM:
            return "нет доступа";
        case EROFS:
            return "файловая система только для чтения";
        case ETXTBSY:
        case EBUSY:
            return "файл занят";
        case EEXIST:
            return "файл уже существует";
        case ENOTEMPTY:
            return "папка не пуста";
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "нет места на диске";
        case EFBIG:
            return "файл слишком велик";
        case EISDIR:
            return "это папка";
        case EINVAL:
            return "недопустимый аргумент";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case EIO:
            return "ошибка ввода-вывода";
        case EXDEV:
            return "файлы на разных дисках";
        default:
            return std::strerror(errorNumber);
    }
}

Status fileError(const std::error_code& error, const std::string& action, const std::string& path) {
    return fileError(error.value(), action, path);
}

}  // namespace tavrolin::store
