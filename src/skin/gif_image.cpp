// The GIF is decoded from memory by the program itself: the blocks up to the first image, then
// its LZW-coded pixels. Every size is checked before anything is allocated for it, and a damaged
// file ends in a Status.
#include "skin/gif_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::skin {

namespace {

// A file beyond this cannot be an icon; it is refused before it is read.
constexpr off_t kMaxGifFileBytes = 8 * 1024 * 1024;

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr int kMaxLzwBits = 12;

Status malformed(const std::string& name, const std::string& what) {
    return Status::error(err::kFail, name + ": " + what);
}

// Reads the bytes in order; a read beyond the end leaves `pastEnd` set and gives zeros.
class ByteReader {
   public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t byte() {
        if (m_position >= m_bytes.size()) {
            pastEnd = true;
            return 0;
        }
        return m_bytes[m_position++];
    }
    int word() {  // little-endian 16 bits
        const int low = byte();
        return low | (byte() << 8);
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        if (m_bytes.size() - m_position < count) {
            pastEnd = true;
            m_position = m_bytes.size();
            return {};
        }
        std::span<const std::uint8_t> part = m_bytes.subspan(m_position, count);
        m_position += count;
        return part;
    }
    // Data sub-blocks: a length byte, that many bytes, up to a length of zero.
    void skipSubBlocks() {
        while (!pastEnd) {
            const std::uint8_t length = byte();
            if (length == 0) return;
            take(length);
        }
    }

    bool pastEnd = false;

   private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

Status endedEarly(const std::string& name) {
    return Status::error(err::kInputPastEnd, name + ": the GIF data ends too early");
}

using ColourTable = std::vector<std::uint32_t>;  // 0xRRGGBB

ColourTable readColourTable(ByteReader& in, int sizeBits) {
    ColourTable table(std::size_t{1} << (sizeBits + 1));
    for (std::uint32_t& colour : table) {
        const std::uint32_t red = in.byte();
        const std::uint32_t green = in.byte();
        colour = (red << 16) | (green << 8) | in.byte();
    }
    return table;
}

// Rows of an interlaced image in the order they are stored: every 8th from 0, every 8th from
// 4, every 4th from 2, every 2nd from 1.
std::vector<int> storedRowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    constexpr int kStart[] = {0, 4, 2, 1};
    constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
    }
    return rows;
}

// Decodes the LZW stream of sub-blocks into exactly `count` colour indexes. Nothing when the
// stream is damaged or holds fewer pixels; `in.pastEnd` tells when the data simply ended.
std::optional<std::vector<std::uint8_t>> decodeLzw(ByteReader& in, int minimumBits,
                                                   std::size_t count) {
    const int clear = 1 << minimumBits;
    const int end = clear + 1;
    std::array<std::uint16_t, 1 << kMaxLzwBits> prefix{};
    std::array<std::uint8_t, 1 << kMaxLzwBits> suffix{};
    for (int code = 0; code < clear; ++code) {
        suffix[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(code);
    }
    std::vector<std::uint8_t> out;
    out.reserve(count);
    std::vector<std::uint8_t> string;

    int width = minimumBits + 1;
    int next = end + 1;
    int previous = -1;
    std::uint32_t bits = 0;
    int bitCount = 0;
    std::size_t blockLeft = 0;
    bool ended = false;
    while (!ended) {
        while (bitCount < width) {
            if (blockLeft == 0) {
                blockLeft = in.byte();
                if (in.pastEnd) return std::nullopt;
                if (blockLeft == 0) {  // the stream ended without its end code
                    if (out.size() >= count) return out;
                    return std::nullopt;
                }
            }
            bits |= static_cast<std::uint32_t>(in.byte()) << bitCount;
            if (in.pastEnd) return std::nullopt;
            bitCount += 8;
            --blockLeft;
        }
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        bitCount -= width;

        if (code == clear) {
            width = minimumBits + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code == end) {
            ended = true;
            break;
        }
        if (code > next || (code == next && previous < 0)) return std::nullopt;

        // The string of the code, written backwards, then turned around.
        string.clear();
        int walk = code == next ? previous : code;
        while (walk >= clear) {
            string.push_back(suffix[static_cast<std::size_t>(walk)]);
            walk = prefix[static_cast<std::size_t>(walk)];
        }
        string.push_back(static_cast<std::uint8_t>(walk));
        std::reverse(string.begin(), string.end());
        if (code == next) string.push_back(string.front());

        if (previous >= 0 && next < (1 << kMaxLzwBits)) {
            prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(previous);
            suffix[static_cast<std::size_t>(next)] = string.front();
            ++next;
            if (next == (1 << width) && width < kMaxLzwBits) ++width;
        }
        previous = code;
        const std::size_t room = count - std::min(count, out.size());
        out.insert(out.end(), string.begin(),
                   string.begin() + static_cast<std::ptrdiff_t>(std::min(room, string.size())));
    }
    in.skipSubBlocks();  // whatever follows the end code in the image's data
    if (in.pastEnd || out.size() < count) return std::nullopt;
    return out;
}

}  // namespace

Result<ArgbImage> decodeGif(std::span<const std::uint8_t> bytes, const std::string& name) {
    ByteReader in(bytes);
    const std::span<const std::uint8_t> signature = in.take(6);
    if (in.pastEnd) return endedEarly(name);
    if (std::memcmp(signature.data(), "GIF87a", 6) != 0 &&
        std::memcmp(signature.data(), "GIF89a", 6) != 0) {
        return malformed(name, "not a readable GIF picture (no GIF signature)");
    }
    const int screenWidth = in.word();
    const int screenHeight = in.word();
    const std::uint8_t screenFlags = in.byte();
    in.byte();  // background colour
    in.byte();  // pixel aspect ratio
    ColourTable globalColours;
    if ((screenFlags & 0x80) != 0) globalColours = readColourTable(in, screenFlags & 7);
    if (in.pastEnd) return endedEarly(name);

    // Blocks up to the first image: the graphics control extension before it names its
    // transparent colour; every other extension is skipped.
    int transparentIndex = -1;
    for (;;) {
        const std::uint8_t introducer = in.byte();
        if (in.pastEnd) return endedEarly(name);
        if (introducer == 0x2C) break;
        if (introducer == 0x3B) return malformed(name, "the GIF holds no picture");
        if (introducer != 0x21) return malformed(name, "unexpected GIF record");
        const std::uint8_t label = in.byte();
        if (label == 0xF9) {
            const std::uint8_t length = in.byte();
            const std::span<const std::uint8_t> block = in.take(length);
            if (in.pastEnd) return endedEarly(name);
            if (length < 4) return malformed(name, "damaged graphics control block");
            transparentIndex = (block[0] & 1) != 0 ? block[3] : -1;
        }
        in.skipSubBlocks();
        if (in.pastEnd) return endedEarly(name);
    }

    const int left = in.word();
    const int top = in.word();
    const int width = in.word();
    const int height = in.word();
    const std::uint8_t imageFlags = in.byte();
    if (in.pastEnd) return endedEarly(name);
    if (width <= 0 || height <= 0) return malformed(name, "the image has no pixels");
    if (width > kMaxGifSide || height > kMaxGifSide) {
        return malformed(name, "the image is " + std::to_string(width) + " by " +
                                   std::to_string(height) + " pixels, more than " +
                                   std::to_string(kMaxGifSide) + " a side");
    }
    ColourTable localColours;
    if ((imageFlags & 0x80) != 0) localColours = readColourTable(in, imageFlags & 7);
    if (in.pastEnd) return endedEarly(name);
    const ColourTable& colours = (imageFlags & 0x80) != 0 ? localColours : globalColours;
    if (colours.empty()) return malformed(name, "the picture has no colour table");

    ArgbImage image;
    // Some writers leave the logical screen at 0 by 0; the image then sets the size.
    image.width = screenWidth > 0 ? screenWidth : left + width;
    image.height = screenHeight > 0 ? screenHeight : top + height;
    if (image.width > kMaxGifSide || image.height > kMaxGifSide) {
        return malformed(name, "the picture is " + std::to_string(image.width) + " by " +
                                   std::to_string(image.height) + " pixels, more than " +
                                   std::to_string(kMaxGifSide) + " a side");
    }

    const int minimumBits = in.byte();
    if (in.pastEnd) return endedEarly(name);
    if (minimumBits < 1 || minimumBits > 8) {
        return malformed(name, "not a readable GIF picture (wrong LZW code size)");
    }
    const std::optional<std::vector<std::uint8_t>> indexes = decodeLzw(
        in, minimumBits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (!indexes) {
        if (in.pastEnd) return endedEarly(name);
        return malformed(name, "not a readable GIF picture (damaged image data)");
    }

    image.pixels.assign(
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    std::size_t position = 0;
    for (int row : storedRowOrder(height, (imageFlags & 0x40) != 0)) {
        const int y = top + row;
        for (int column = 0; column < width; ++column) {
            const int index = (*indexes)[position++];
            if (static_cast<std::size_t>(index) >= colours.size()) {
                return malformed(name, "pixel " + std::to_string(column) + ", " +
                                           std::to_string(row) + " has colour " +
                                           std::to_string(index) + " of a table of " +
                                           std::to_string(colours.size()));
            }
            const int x = left + column;
            if (x >= image.width || y >= image.height) continue;  // beyond the screen
            const std::uint32_t rgb = colours[static_cast<std::size_t>(index)];
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                         static_cast<std::size_t>(x)] =
                index == transparentIndex ? rgb : (rgb | kOpaque);
        }
    }
    return image;
}

Result<ArgbImage> readGif(const std::string& path) {
    const int fd = store::io::openFile(path, O_RDONLY);
    if (fd < 0) return store::fileError(errno, "read", path);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};

    struct stat info {};
    if (::fstat(fd, &info) != 0) return store::fileError(errno, "read", path);
    if (S_ISDIR(info.st_mode)) return store::fileError(EISDIR, "read", path);
    if (info.st_size > kMaxGifFileBytes) {
        return malformed(
            path, "the file is " + std::to_string(info.st_size) + " bytes, too large for an icon");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return store::fileError(errno, "read", path);
        if (count == 0) break;  // the file shrank while being read
        done += static_cast<std::size_t>(count);
    }
    bytes.resize(done);
    return decodeGif(bytes, path);
}

}  // namespace tavrolin::skin
