#include "polish/mp_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "polish/polish_fixture.h"

namespace tavrolin::polish {
namespace {

using testing::MapFolder;
using namespace std::string_literals;

// The lines a file holds, split the plain way.
std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

void expectReadsBack(const MapFolder& folder, const std::string& bytes) {
    const std::string path = folder.write("map.mp", bytes);
    Result<FileHandle> file = openForReading(path);
    ASSERT_TRUE(file);
    LineReader reader(file->fd(), path);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) lines.emplace_back(line);
    EXPECT_TRUE(reader.status());
    const std::vector<std::string> expected = splitLines(bytes);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i], expected[i]) << i;

    Result<FileHandle> again = openForReading(path);
    Result<long long> count = countLines(again->fd(), path);
    ASSERT_TRUE(count);
    EXPECT_EQ(*count, static_cast<long long>(expected.size()));
}

TEST(LineReader, ReadsEveryLineAcrossBlockEnds) {
    MapFolder folder;
    // Line ends falling on each side of the block end, CR and LF split by it, a last line with
    // and without its end, NUL bytes, and lines longer than one and two blocks.
    for (std::size_t shift : {0, 1, 2, 3}) {
        std::string bytes(kBlockBytes - 2 - shift, 'a');
        bytes += "\r\n\r\nb\nc\0d\r\n"s;
        bytes += std::string(kBlockBytes + 5, 'e') + "\r\n";
        bytes += std::string(2 * kBlockBytes, 'f');
        SCOPED_TRACE(shift);
        expectReadsBack(folder, bytes);
        expectReadsBack(folder, bytes + "\r\n");
    }
    expectReadsBack(folder, "");
    expectReadsBack(folder, "\n");
    expectReadsBack(folder, "one");
    expectReadsBack(folder, "one\r");
    expectReadsBack(folder, "one\r\ntwo\r");
}

TEST(LineWriter, EndsLinesWithCrLfAndWritesInBlocks) {
    MapFolder folder;
    const std::string path = folder.path("out.mp");
    {
        Result<FileHandle> file = createForWriting(path);
        ASSERT_TRUE(file);
        LineWriter writer(file->fd(), path);
        const std::string line(1000, 'x');
        for (std::size_t i = 0; i < 3 * kBlockBytes / 1000; ++i) writer.line(line);
        writer.line(std::string(2 * kBlockBytes + 500, 'y'));  // longer than a block
        writer.raw("raw\r\n");
        writer.flush();
        EXPECT_TRUE(writer.status());
    }
    const std::string bytes = folder.read("out.mp");
    const std::size_t lines = 3 * kBlockBytes / 1000 * 1002;
    EXPECT_EQ(bytes.size(), lines + 2 * kBlockBytes + 502 + 5);
    EXPECT_EQ(bytes.substr(lines - 3, 4), "x\r\ny");
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "yy\r\nraw\r\n");

    // In memory everything stays, past any block.
    LineWriter memory;
    for (int i = 0; i < 3; ++i) memory.line(std::string(kBlockBytes - 1, 'a' + i));
    EXPECT_EQ(memory.text(), std::string(kBlockBytes - 1, 'a') + "\r\n" +
                                 std::string(kBlockBytes - 1, 'b') + "\r\n" +
                                 std::string(kBlockBytes - 1, 'c') + "\r\n");
}

TEST(LineWriter, KeepsTheFirstWriteError) {
    Result<FileHandle> full = openForReading("/dev/full");
    if (!full) GTEST_SKIP() << "no /dev/full";
    Result<FileHandle> file = createForWriting("/dev/full");
    ASSERT_TRUE(file);
    LineWriter writer(file->fd(), "/dev/full");
    writer.line("x");
    writer.flush();
    EXPECT_EQ(writer.status().number(), err::kDiskFull);
}

}  // namespace
}  // namespace tavrolin::polish
