#include "source/source_layout.h"

#include "store/dbf_format.h"

namespace tavrolin::source {

namespace {

// a / b rounded to the nearest whole number, halves to the even neighbour; b > 0.
std::int64_t divideRoundHalfEven(std::int64_t a, std::int64_t b) {
    std::int64_t quotient = a / b;
    std::int64_t remainder = a % b;
    if (remainder < 0) {  // make the remainder non-negative: floor division
        remainder += b;
        quotient -= 1;
    }
    if (remainder * 2 > b || (remainder * 2 == b && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

// Role and marks of a field by its (renamed) name.
void recognise(SourceField& field, SourceLayout& layout) {
    const std::string& n = field.name;
    if (n == "FILL_STYLE") field.selectsKind = store::ObjectKind::Polygon;
    if (n == "LINE_COLOR") field.selectsKind = store::ObjectKind::Line;
    if (n == "POINT_SYMB") field.selectsKind = store::ObjectKind::Point;
    if (n == "TYPEHEX" || n == "MP_TYPE" || n == "TYPE") field.role = FieldRole::TypeCode;
    if (n == "LABEL" || n == "NAME" || n == "VALUE" || n == "DEPTH_M10") {
        field.role = FieldRole::Label;
    }
    if (n == "ENDLEVEL" || n == "DATALEVEL" || n == "LEVEL" || n == "LVL") {
        field.role = FieldRole::Level;
    }
    if (n == "VALUE") layout.hasValueField = true;
    if (n == "DEPTH_M10") layout.hasDepthInMetres = true;
    if (n == "LMC_TYPE") layout.hasLmcType = true;
    if (n == "MARINE") layout.hasMarine = true;
}

bool isRecognisable(char type) {
    return type == 'C' || type == 'N' || type == 'F' || type == 'D' || type == 'L';
}

bool isKnown(char type) {
    return isRecognisable(type) || type == 'M' || type == 'G' || type == 'B' || type == 'P';
}

}  // namespace

Result<SourceHeader> parseHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < store::kFileHeaderSize) {
        return Status::error(
            tavrolin::err::kInputPastEnd,
            "the file (" + std::to_string(bytes.size()) +
                " bytes) is shorter than a table header (32 bytes)",
            "файл (" + std::to_string(bytes.size()) + " байт) короче заголовка таблицы (32 байта)");
    }
    SourceHeader header;
    header.version = bytes[store::kVersionOffset];
    header.declaredRecordCount =
        static_cast<std::int32_t>(store::decodeLe32(&bytes[store::kRecordCountOffset]));
    header.headerLength = store::decodeLe16(&bytes[store::kHeaderLengthOffset]);
    header.recordLength = store::decodeLe16(&bytes[store::kRecordLengthOffset]);
    header.languageDriver = bytes[store::kLanguageDriverOffset];
    return header;
}

std::int64_t computedRecordCount(std::uint64_t fileSize, std::uint32_t headerLength,
                                 std::uint32_t recordLength) {
    std::int64_t data = static_cast<std::int64_t>(fileSize) - headerLength - 1;
    std::int64_t count = divideRoundHalfEven(data, recordLength);
    return count < 0 ? 0 : count;
}

int announcedFieldCount(std::uint32_t headerLength) {
    std::int64_t count = divideRoundHalfEven(
        static_cast<std::int64_t>(headerLength) - static_cast<std::int64_t>(store::kFileHeaderSize),
        store::kFieldDescriptorSize);
    return count < 0 ? 0 : static_cast<int>(count);
}

Result<SourceLayout> parseFields(std::span<const std::uint8_t> descriptors, int announcedCount,
                                 std::uint32_t recordLength) {
    SourceLayout layout;
    int depthMetres = 0;
    int depthFeet = 0;
    std::uint64_t offset = 1;  // after the deletion flag
    for (int i = 0; i < announcedCount; ++i) {
        std::size_t start = static_cast<std::size_t>(i) * store::kFieldDescriptorSize;
        if (start < descriptors.size() && descriptors[start] == store::kHeaderTerminator) break;
        if (start + store::kFieldDescriptorSize > descriptors.size()) {
            return Status::error(
                tavrolin::err::kInputPastEnd,
                "descriptor of field " + std::to_string(i + 1) + " runs past the end of the file",
                "описание поля " + std::to_string(i + 1) + " выходит за конец файла");
        }
        const std::uint8_t* d = &descriptors[start];

        // Name: bytes 0..9 up to the first NUL, in upper case.
        SourceField field;
        for (std::size_t k = 0; k < store::kMaxFieldNameLength && d[k] != 0; ++k) {
            char c = static_cast<char>(d[k]);
            field.name.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
        }
        field.type = static_cast<char>(d[store::kDescriptorTypeOffset]);
        field.length = field.type == 'C' ? store::decodeLe16(&d[store::kDescriptorLengthOffset])
                                         : d[store::kDescriptorLengthOffset];
        field.offset = static_cast<std::uint32_t>(offset);
        field.ignored = !isKnown(field.type);
        offset += field.length;

        if (isRecognisable(field.type)) {
            if (field.name == "DEPTH (M)")
                field.name = depthMetres++ == 0 ? "DEPTH_M00" : "DEPTH_M10";
            if (field.name == "DEPTH (FT)")
                field.name = depthFeet++ == 0 ? "DEPTH_F00" : "DEPTH_F10";
            recognise(field, layout);
        }
        if (!field.ignored && offset > recordLength) {
            const std::string first = std::to_string(field.offset);
            const std::string last = std::to_string(offset - 1);
            return Status::error(kErrBadFileFormat,
                                 "field " + field.name + " (bytes " + first + " to " + last +
                                     ") runs past the record length " +
                                     std::to_string(recordLength),
                                 "поле " + field.name + " (байты " + first + " - " + last +
                                     ") выходит за длину записи " + std::to_string(recordLength));
        }
        layout.fields.push_back(std::move(field));
    }
    return layout;
}

}  // namespace tavrolin::source
