// Errors as values: a Status carries an error number and a description, and a Result<T> carries
// either a value or the Status that explains why there is none.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace tavrolin {

// Error numbers shared by every subsystem. They keep the numbers that the messages of the
// program have always shown, so that a user's report reads the same on every platform.
namespace err {
constexpr int kInvalidArgument = 5;      // a value or a statement the callee cannot take
constexpr int kOverflow = 6;             // a number that does not fit its field
constexpr int kSubscriptOutOfRange = 9;  // an index past the end of a list
constexpr int kTypeMismatch = 13;        // text where a number was wanted
constexpr int kBadFileName = 52;         // a path that cannot name a file
constexpr int kFileNotFound = 53;        // no such file or folder
constexpr int kFileAlreadyExists = 58;   // a create or move onto an existing file
constexpr int kDeviceIo = 57;            // the device failed to read or write
constexpr int kDiskFull = 61;            // the device is out of space
constexpr int kInputPastEnd = 62;        // a file ends before its header says it should
constexpr int kPermissionDenied = 70;    // the file is locked, read-only or not ours
constexpr int kReadOnlyFolder = 75;      // a folder or file system that may not be written
constexpr int kPathNotFound = 76;        // the folder of a path does not exist
constexpr int kItemNotFound = 3265;      // a field name that the record set does not have
constexpr int kNoCurrentRecord = 3021;   // BOF or EOF is true where a row is needed
constexpr int kReadOnly = 3027;          // a change to a record set opened read-only
constexpr int kSyntax = 3134;            // a statement the store does not understand
constexpr int kTableNotFound = 3011;     // a statement names a table that is not there
constexpr int kFail = static_cast<int>(0x80004005);  // E_FAIL: a malformed file
}  // namespace err

class [[nodiscard]] Status {
   public:
    Status() = default;  // success

    // description: English; russian: the same in Russian, for the Russian interface (empty:
    // the English text serves both).
    static Status error(int number, std::string description, std::string russian = {}) {
        Status s;
        s.m_number = number;
        s.m_description = std::move(description);
        s.m_russian = std::move(russian);
        return s;
    }

    bool isOk() const { return m_number == 0; }
    explicit operator bool() const { return isOk(); }
    int number() const { return m_number; }
    const std::string& description() const { return m_description; }
    // The description in the interface language: the Russian text when asked for and given.
    const std::string& description(bool russian) const {
        return russian && !m_russian.empty() ? m_russian : m_description;
    }
    const std::string& russianDescription() const { return m_russian; }

    // "number. description", the form every failure message ends with.
    std::string toString() const { return std::to_string(m_number) + ". " + m_description; }
    std::string toString(bool russian) const {
        return std::to_string(m_number) + ". " + description(russian);
    }

   private:
    int m_number = 0;
    std::string m_description;
    std::string m_russian;
};

template <typename T>
class [[nodiscard]] Result {
   public:
    Result(T value) : m_value(std::move(value)) {}         // NOLINT: implicit by design
    Result(Status status) : m_status(std::move(status)) {  // NOLINT: implicit by design
        assert(!m_status.isOk());                          // a Result without a value must say why
    }

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return m_status; }

    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() & { return *m_value; }
    const T& operator*() const& { return *m_value; }

   private:
    std::optional<T> m_value;
    Status m_status;
};

}  // namespace tavrolin
