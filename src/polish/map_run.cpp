#include "polish/map_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "polish/label_points.h"
#include "polish/mp_stream.h"
#include "polish/polygon_retype.h"
#include "store/common_services.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "store/utf8_text.h"

namespace tavrolin {

namespace {

constexpr std::size_t kCheckedCharacters = 100;  // where a CR LF must show
constexpr std::size_t kCutCharacters = 3;        // ".mp" of the source name
constexpr const char* kProcedure = "btnReadShp_Click";

enum class Operation { LabelPoints, Retype };

// Reports a failed run on Att, by the kind of failure.
void reportFailure(Main& main, const Status& status, bool fileFailure) {
    if (fileFailure &&
        (status.number() == err::kFileNotFound || status.number() == err::kBadFileName ||
         status.number() == err::kInvalidArgument)) {
        main.platform.beep();
        main.att(main.tr(" * для продолжения работы укажите исходный файл .MP",
                         " * specify the source file .MP to continue"));
    } else if (fileFailure && status.number() == err::kPermissionDenied) {
        main.platform.beep();
        main.att(main.tr(" ! файл занят другим приложением, чтение атрибутов невозможно",
                         " ! file is in use by another application, failed to open"));
    } else {
        main.fail(kProcedure, status);
    }
}

class MapRun {
   public:
    MapRun(Main& main, std::string sourcePath, Operation operation)
        : m_main(main), m_source(std::move(sourcePath)), m_operation(operation) {}

    void run() {
        m_main.att(m_main.tr(" проверка выбранного файла...", " check source file..."));
        m_main.platform.setBusy(true);
        m_main.doEvents();
        runChecked();
        m_main.platform.setBusy(false);
    }

   private:
    void runChecked();
    // The opening check: false when the run is over (its message shown).
    bool check(int fd);
    Status mainPass(int sourceFd, int outputFd, long long step, bool& fileFailure);
    void succeed();

    Main& m_main;
    std::string m_source;
    Operation m_operation;
    std::string m_output;
    long long m_made = 0;
};

bool MapRun::check(int fd) {
    char head[kCheckedCharacters];
    Result<std::size_t> read = polish::readHead(fd, head, sizeof head, m_source);
    if (!read) {
        reportFailure(m_main, read.status(), true);
        return false;
    }
    if (*read < sizeof head) {
        m_main.fail(kProcedure, Status::error(err::kInputPastEnd,
                                              "input past end of file: " + m_source + " holds " +
                                                  std::to_string(*read) + " of the " +
                                                  std::to_string(kCheckedCharacters) +
                                                  " characters checked first"));
        return false;
    }
    if (std::string_view(head, sizeof head).find("\r\n") == std::string_view::npos) {
        m_main.att(m_main.tr(" ! линуксовый перевод строк не поддерживается...",
                             " ! unix style of linefeed is not supported..."));
        m_main.platform.beep();
        return false;
    }
    return true;
}

void MapRun::runChecked() {
    Result<store::FileDescriptor> source = store::openFile(m_source, O_RDONLY);
    if (!source) return reportFailure(m_main, source.status(), true);
    const int fd = source->get();
    if (!check(fd)) return;

    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return reportFailure(m_main, store::fileError(errno, "read", m_source), true);
    }
    Result<long long> lines = polish::countLines(fd, m_source);
    if (!lines) return reportFailure(m_main, lines.status(), true);
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return reportFailure(m_main, store::fileError(errno, "read", m_source), true);
    }

    m_output =
        mapOutputPath(m_source, m_operation == Operation::LabelPoints ? "-imc.mp" : "-rm.mp");
    if (store::sameFile(m_source, m_output)) {
        return m_main.fail(kProcedure,
                           Status::error(err::kFileAlreadyExists,
                                         "the output " + m_output + " is the source itself"));
    }
    Result<store::FileDescriptor> output = store::openFile(m_output, O_WRONLY | O_CREAT | O_TRUNC);
    if (!output) return reportFailure(m_main, output.status(), true);

    bool fileFailure = true;
    Status status = mainPass(fd, output->get(), *lines / 100, fileFailure);
    source->reset();
    if (Status closed = output->close(m_output); !closed && status) status = closed;

    if (!status) {
        if (m_made == 0) (void)store::deleteFile(m_output);
        return reportFailure(m_main, status, fileFailure);
    }
    if (m_made > 0) return succeed();
    m_main.platform.beep();
    (void)store::deleteFile(m_output);
    m_main.att(m_main.tr(" * полигонов с надписями в исходном файле не найдено",
                         " * polygons with names in the source file not found"));
}

Status MapRun::mainPass(int sourceFd, int outputFd, long long step, bool& fileFailure) {
    polish::LineReader reader(sourceFd, m_source);
    polish::LineWriter writer(outputFd, m_output);
    std::unique_ptr<polish::MapPass> pass;
    if (m_operation == Operation::LabelPoints) {
        pass = std::make_unique<polish::LabelPoints>(writer);
    } else {
        pass = std::make_unique<polish::PolygonRetype>(writer, m_main.drDepthScheme);
    }
    const std::string progress = m_main.tr(" чтение полигонов: ", " processing polygons: ");

    Status status;
    long long counter = 0;
    long long untilProgress = step;
    std::string_view line;
    while (reader.next(line)) {
        ++counter;
        if (Status lineStatus = pass->line(store::trimSpaces(line), counter); !lineStatus) {
            status = std::move(lineStatus);
            break;
        }
        if (step >= 1 && --untilProgress == 0) {
            untilProgress = step;
            m_main.att(progressBar(progress, counter, step));
            m_main.doEvents();
        }
    }
    if (status) {
        pass->finish();
        if (!reader.status()) status = reader.status();
    } else {
        fileFailure = false;  // the pass could not read a line of the map
    }
    writer.flush();
    if (status && !writer.status()) status = writer.status();
    m_made = pass->made();
    return status;
}

void MapRun::succeed() {
    if (m_operation == Operation::LabelPoints) {
        m_main.att(m_main.tr(" файл точек из полигонов с подписями успешно создан",
                             " points from the original polygons created successfully"));
    } else {
        m_main.att(m_main.tr(" файл с типами полигонов по цветовой схеме успешно создан",
                             " file with color polygons types created successfully"));
    }
    store::ShowOutput(m_main.platform, m_output, m_main.russian);
}

}  // namespace

std::string mapOutputPath(const std::string& sourcePath, std::string_view suffix) {
    const std::size_t slash = sourcePath.find_last_of(store::io::kPathSeparators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // Cut whole UTF-8 characters, and only when the name keeps at least one.
    std::size_t cut = sourcePath.size();
    for (std::size_t characters = 0; characters < kCutCharacters && cut > nameStart; ++characters) {
        do {
            --cut;
        } while (cut > nameStart && (static_cast<unsigned char>(sourcePath[cut]) & 0xC0) == 0x80);
    }
    if (cut == nameStart) cut = sourcePath.size();
    return sourcePath.substr(0, cut).append(suffix);
}

void WriteName(Main& main, const std::string& sourcePath) {
    MapRun(main, sourcePath, Operation::LabelPoints).run();
}

void WriteRmmp(Main& main, const std::string& sourcePath) {
    MapRun(main, sourcePath, Operation::Retype).run();
}

}  // namespace tavrolin
