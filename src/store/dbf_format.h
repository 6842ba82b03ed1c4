// The dBASE IV file facts shared by every reader and writer of tables, and the little-endian
// helpers that decode and encode its integers.
//
// Byte map of a table file:
//
//   offset  size  content
//   0       1     version byte (0x03 dBASE without memo; 0x30..0x32 Visual FoxPro)
//   1       3     date of last update: year - 1900, month, day
//   4       4     number of records, unsigned little-endian
//   8       2     header length in bytes, little-endian (descriptors and terminator included)
//   10      2     record length in bytes, little-endian (deletion flag included)
//   12      2     reserved, 0
//   14      1     dBASE IV "incomplete transaction" mark (1 while a new table is unfinished)
//   15      14    reserved, 0
//   29      1     language-driver byte (0, 0x57, 0xC9, ...)
//   30      2     reserved, 0
//   32      32*n  field descriptors, in field order, then the terminator 0x0D
//   header length ...  records, each record length bytes:
//                  1 deletion flag ('*' deleted, ' ' live), then each field, exactly its width
//   after the last record: the end-of-file byte 0x1A
//
// Field descriptor (32 bytes):
//   0   11  name, ASCII, NUL-padded (at most 10 characters and a NUL)
//   11  1   type letter: C character, N numeric, F float, D date, L logical, M G B P ...
//   12  4   reserved (0 in files we write)
//   16  1   length; for C fields bytes 16 and 17 together form the length (16 + 256 * 17)
//   17  1   decimal count (N and F)
//   18  14  reserved, 0
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrolin::store {

constexpr std::size_t kFileHeaderSize = 32;       // the fixed part before the descriptors
constexpr std::size_t kFieldDescriptorSize = 32;  // one per field, after the file header
constexpr std::size_t kFieldNameSize = 11;        // name bytes in a descriptor, NUL included
constexpr std::size_t kMaxFieldNameLength = 10;   // characters of a name that a file can hold

constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kDateOffset = 1;
constexpr std::size_t kRecordCountOffset = 4;
constexpr std::size_t kHeaderLengthOffset = 8;
constexpr std::size_t kRecordLengthOffset = 10;
constexpr std::size_t kIncompleteOffset = 14;
constexpr std::size_t kLanguageDriverOffset = 29;

constexpr std::size_t kDescriptorTypeOffset = 11;
constexpr std::size_t kDescriptorLengthOffset = 16;
constexpr std::size_t kDescriptorDecimalsOffset = 17;

constexpr std::uint8_t kVersionDbase = 0x03;      // dBASE III/IV table without memo file
constexpr std::uint8_t kHeaderTerminator = 0x0D;  // ends the descriptor list
constexpr std::uint8_t kIncompleteMark = 1;       // at kIncompleteOffset: not finished yet
constexpr std::uint8_t kLanguageCp1251 = 0xC9;    // language driver: Russian, code page 1251
constexpr std::uint8_t kLanguageAnsi = 0x57;      // language driver: the system's ANSI page
constexpr std::uint8_t kEndOfFile = 0x1A;         // follows the last record
constexpr char kDeletedFlag = '*';
constexpr char kLiveFlag = ' ';

constexpr std::size_t kMaxHeaderLength = 0xFFFF;  // header length is a 16-bit field
constexpr std::size_t kMaxRecordLength = 0xFFFF;  // so is the record length

inline std::uint16_t decodeLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t decodeLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void encodeLe16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void encodeLe32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace tavrolin::store
