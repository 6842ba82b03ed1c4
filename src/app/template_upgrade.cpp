#include "app/template_upgrade.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "app/startup.h"
#include "store/common_services.h"
#include "store/dbf_format.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin {

namespace fs = std::filesystem;
using store::io::pathFromUtf8;

namespace {

constexpr std::uint8_t kColorWidth = 8;  // RRGGBBAA

Result<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t count) {
    Result<std::vector<std::uint8_t>> bytes = store::readUpTo(path, count);
    if (bytes && bytes->size() < count) {
        return Status::error(err::kInputPastEnd, "the template ends inside its header",
                             "список типов обрывается внутри заголовка");
    }
    return bytes;
}

Status writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Status status = store::writeWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!status) {
        std::error_code ignored;
        fs::remove(pathFromUtf8(path), ignored);
    }
    return status;
}

std::uint32_t recordCountOf(const std::string& path) {
    auto bytes = readPrefix(path, store::kRecordCountOffset + 4);
    if (!bytes) return 0;
    return store::decodeLe32(bytes->data() + store::kRecordCountOffset);
}

// Copies the template's rows into the work table in VID, MP_TYPE order, with the progress bar.
Status copyRows(Main& main, long long& rowsCopied) {
    main.att("");
    auto source = main.connection.openRecordSet("SELECT * FROM " + main.programName +
                                                " ORDER BY VID, MP_TYPE");
    if (!source) return source.status();
    main.att(main.tr(" обновление атрибутов...", " updating file attributes..."));
    const long long step = source->recordCount() / 100;

    auto work = main.connection.openRecordSet("SELECT * FROM MIGROVA", store::LockType::Optimistic);
    if (!work) return work.status();

    const std::vector<store::FieldInfo> fields = source->fields();
    long long i = 0;
    for (; !source->eof(); ++i) {
        Status status = work->addNew();
        for (std::size_t f = 0; status && f < fields.size(); ++f) {
            auto value = source->value(static_cast<int>(f));
            status = value ? work->setValue(fields[f].name, value.value()) : value.status();
        }
        if (status) status = work->update();
        if (status) status = source->moveNext();
        if (!status) return status;
        if (step > 0 && i % step == 0) {
            main.att(progressBar(main.tr(" обновление атрибутов: ", " updating file attributes: "),
                                 i, step));
            main.doEvents();
        }
    }
    rowsCopied = i;
    (void)source->close();  // read only: nothing pending
    return work->close();
}

// Makes the backup as a second name of the template (or a copy where links are not possible),
// then puts the work file in the template's place in one rename: the template is there at every
// instant, and a failure leaves it as it was.
Status swapFiles(const std::string& templatePath, const std::string& workPath,
                 const std::string& backupPath) {
    const fs::path templateFile = pathFromUtf8(templatePath);
    const fs::path backupFile = pathFromUtf8(backupPath);
    std::error_code error;
    fs::create_hard_link(templateFile, backupFile, error);
    if (error) {
        if (error.value() == EEXIST)
            return store::fileError(error, "back up the template to", backupPath);
        error.clear();
        if (!fs::copy_file(templateFile, backupFile, fs::copy_options::none, error) || error) {
            Status status = store::fileError(error, "back up the template to", backupPath);
            if (error.value() != EEXIST) fs::remove(backupFile, error);
            return status;
        }
    }
    fs::rename(pathFromUtf8(workPath), templateFile, error);
    if (error) {
        Status status = store::fileError(error, "rename " + workPath + " to", templatePath);
        std::error_code ignored;
        fs::remove(backupFile, ignored);  // ours: the template was never touched
        return status;
    }
    return {};
}

Status runUpgrade(Main& main) {
    const std::string folder = main.programFolder;
    const std::string templatePath = folder + main.templateFileName;
    const std::string workPath = folder + kUpgradeWorkFile;
    const std::string backupPath = templatePath + ".bak";

    // A work file left by an earlier attempt goes first, in any letter case, so that the table
    // MIGROVA can only mean the new one.
    for (const std::string& old : store::namesIgnoringCase(folder, kUpgradeWorkFile)) {
        std::error_code error;
        fs::remove(pathFromUtf8(folder + old), error);
        if (error) return store::fileError(error, "delete", folder + old);
    }

    const int columns = main.templateColumnCount;
    auto header = readPrefix(templatePath,
                             store::kFileHeaderSize + store::kFieldDescriptorSize * columns + 1);
    if (!header) return header.status();
    auto workHeader = upgradedHeader(header.value(), columns, main.colorColumns);
    if (!workHeader) return workHeader.status();
    std::vector<std::uint8_t> emptyTable = workHeader.value();
    emptyTable.push_back(store::kEndOfFile);
    Status status = writeNewFile(workPath, emptyTable);
    if (!status) return status;

    long long rows = 0;
    status = copyRows(main, rows);
    if (!status) return status;
    // Release every table so that the files on disk are complete and nothing holds them.
    status = main.connection.close();
    if (!status) return status;

    // Never put an incomplete table in the template's place.
    status = checkTableFile(workPath);
    if (!status) return status;
    if (recordCountOf(workPath) != static_cast<std::uint32_t>(rows)) {
        return Status::error(err::kFail, "the work table does not hold every template row",
                             "рабочая таблица содержит не все строки списка типов");
    }
    return swapFiles(templatePath, workPath, backupPath);
}

}  // namespace

Result<std::vector<std::uint8_t>> upgradedHeader(const std::vector<std::uint8_t>& templateHeader,
                                                 int columnCount,
                                                 const std::array<bool, 5>& colorColumns) {
    std::size_t n = static_cast<std::size_t>(std::max(columnCount, 0));
    const std::size_t copied = store::kFileHeaderSize + store::kFieldDescriptorSize * n + 1;
    if (n == 0 || templateHeader.size() < copied) {
        return Status::error(err::kInputPastEnd,
                             "the template header is shorter than " + std::to_string(n) + " fields",
                             "заголовок списка типов короче " + std::to_string(n) + " полей");
    }
    std::vector<std::uint8_t> header(templateHeader.begin(),
                                     templateHeader.begin() + static_cast<long>(copied));
    store::encodeLe32(&header[store::kRecordCountOffset], 0);
    unsigned recordLength = store::decodeLe16(&header[store::kRecordLengthOffset]);
    for (std::size_t i = 0; i < kColorColumns.size(); ++i) {
        if (colorColumns[i]) continue;
        ++n;
        header.resize(store::kFileHeaderSize + store::kFieldDescriptorSize * n + 1, 0);
        const std::size_t at = store::kFieldDescriptorSize * n;
        std::fill(header.begin() + static_cast<long>(at),
                  header.begin() + static_cast<long>(at + store::kFieldDescriptorSize), 0);
        const std::string name = kColorColumns[i];
        std::copy_n(name.begin(), std::min(name.size(), store::kFieldNameSize),
                    header.begin() + static_cast<long>(at));
        header[at + store::kDescriptorTypeOffset] = 'C';
        header[at + store::kDescriptorLengthOffset] = kColorWidth;
        recordLength += kColorWidth;
    }
    store::encodeLe16(
        &header[store::kHeaderLengthOffset],
        static_cast<std::uint16_t>(store::kFileHeaderSize + store::kFieldDescriptorSize * n + 1));
    store::encodeLe16(&header[store::kRecordLengthOffset],
                      static_cast<std::uint16_t>(recordLength));
    header[12] = 0;
    header[13] = 0;
    header[store::kFieldDescriptorSize * (n + 1)] = store::kHeaderTerminator;
    return header;
}

void STRT_Timer(Main& main) {
    main.form.change("STRT", -1, [](Control& c) { c.interval = 0; });
    main.doEvents();
    // Only a template that was found and read whole is ever upgraded.
    if (!main.templateUsable) return;
    if (std::all_of(main.colorColumns.begin(), main.colorColumns.end(),
                    [](bool present) { return present; })) {
        return;
    }
    const std::string backupName = main.templateFileName + ".bak";
    if (findIgnoringCase(main.programFolder, backupName)) {
        main.att(main.tr(" ! перед обновлением файла атрибутов перепишите резервную копию ",
                         " ! before updating attributes move backup file ") +
                 backupName);
        return;
    }
    upgradeTemplate(main);
}

bool upgradeTemplate(Main& main) {
    main.platform.setBusy(true);
    Status status = runUpgrade(main);
    // Reopen the shared connection on the folder, now holding the new template (or the old one
    // after a failure), whatever state the upgrade left it in.
    (void)main.connection.close();
    Status reopened = main.connection.open(main.programFolder);
    if (status && !reopened) status = reopened;
    if (!reopened) main.templateUsable = false;
    main.platform.setBusy(false);
    if (!status) {
        // This message has one wording in both languages.
        main.att(" ! обновить атрибуты не удалось, Migrova: " + status.toString(main.russian));
        main.platform.beep();
        return false;
    }
    for (bool present : main.colorColumns) {
        if (!present) ++main.templateColumnCount;
    }
    main.colorColumns.fill(true);
    main.att(main.tr(" атрибуты успешно обновлены", " update attributes is completed"));
    return true;
}

}  // namespace tavrolin
