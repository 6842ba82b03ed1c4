// The GIF is decoded from memory with giflib, one record at a time, so that every size is
// checked before anything is allocated for it and a damaged file ends in a Status.
#include "skin/gif_image.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "store/file_error.h"

namespace tavrolin::skin {

namespace {

// A file beyond this cannot be an icon; it is refused before it is read.
constexpr off_t kMaxGifFileBytes = 8 * 1024 * 1024;

constexpr std::uint32_t kOpaque = 0xFF000000u;

struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    bool pastEnd = false;  // a read asked for more than was left
};

int readFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    if (length <= 0) return 0;
    const std::size_t count =
        std::min(static_cast<std::size_t>(length), reader->bytes.size() - reader->position);
    std::memcpy(out, reader->bytes.data() + reader->position, count);
    reader->position += count;
    if (count < static_cast<std::size_t>(length)) reader->pastEnd = true;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// giflib leaves its error code at 0 on some failures, the end of the data among them; whether
// a read came up short tells that case apart.
Status gifError(const MemoryReader& reader, int giflibError, const std::string& name) {
    if (giflibError == D_GIF_ERR_READ_FAILED || giflibError == D_GIF_ERR_EOF_TOO_SOON ||
        reader.pastEnd) {
        return Status::error(err::kInputPastEnd, name + ": the GIF data ends too early");
    }
    const char* reason = giflibError != 0 ? GifErrorString(giflibError) : nullptr;
    return Status::error(err::kFail, name + ": not a readable GIF picture (" +
                                         (reason != nullptr ? reason : "damaged data") + ")");
}

Status malformed(const std::string& name, const std::string& what) {
    return Status::error(err::kFail, name + ": " + what);
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

Status readImage(GifFileType* gif, int transparentIndex, const std::string& name,
                 ArgbImage& image) {
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0) return malformed(name, "the image has no pixels");
    if (desc.Width > kMaxGifSide || desc.Height > kMaxGifSide) {
        return malformed(name, "the image is " + std::to_string(desc.Width) + " by " +
                                   std::to_string(desc.Height) + " pixels, more than " +
                                   std::to_string(kMaxGifSide) + " a side");
    }
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (colours == nullptr || colours->ColorCount <= 0) {
        return malformed(name, "the picture has no colour table");
    }

    // Some writers leave the logical screen at 0 by 0; the image then sets the size.
    image.width = gif->SWidth > 0 ? gif->SWidth : desc.Left + desc.Width;
    image.height = gif->SHeight > 0 ? gif->SHeight : desc.Top + desc.Height;
    if (image.width > kMaxGifSide || image.height > kMaxGifSide) {
        return malformed(name, "the picture is " + std::to_string(image.width) + " by " +
                                   std::to_string(image.height) + " pixels, more than " +
                                   std::to_string(kMaxGifSide) + " a side");
    }
    image.pixels.assign(
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);

    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (int row : storedRowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR) {
            return gifError(*static_cast<const MemoryReader*>(gif->UserData), gif->Error, name);
        }
        const int y = desc.Top + row;
        for (int column = 0; column < desc.Width; ++column) {
            const int index = line[static_cast<std::size_t>(column)];
            if (index >= colours->ColorCount) {
                return malformed(name, "pixel " + std::to_string(column) + ", " +
                                           std::to_string(row) + " has colour " +
                                           std::to_string(index) + " of a table of " +
                                           std::to_string(colours->ColorCount));
            }
            const int x = desc.Left + column;
            if (x >= image.width || y >= image.height) continue;  // beyond the screen
            const GifColorType& c = colours->Colors[index];
            const std::uint32_t rgb = (static_cast<std::uint32_t>(c.Red) << 16) |
                                      (static_cast<std::uint32_t>(c.Green) << 8) | c.Blue;
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                         static_cast<std::size_t>(x)] =
                index == transparentIndex ? rgb : (rgb | kOpaque);
        }
    }
    return {};
}

}  // namespace

Result<ArgbImage> decodeGif(std::span<const std::uint8_t> bytes, const std::string& name) {
    MemoryReader reader{bytes, 0};
    int error = 0;
    GifHandle gif(DGifOpen(&reader, readFromMemory, &error));
    if (!gif) return gifError(reader, error, name);

    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return gifError(reader, gif->Error, name);
        if (record == IMAGE_DESC_RECORD_TYPE) break;
        if (record == TERMINATE_RECORD_TYPE) return malformed(name, "the GIF holds no picture");
        if (record != EXTENSION_RECORD_TYPE) return malformed(name, "unexpected GIF record");

        // An extension: the graphics control block before the image names its transparent
        // colour; every other block is skipped.
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) {
            return gifError(reader, gif->Error, name);
        }
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_ERROR) {
                return malformed(name, "damaged graphics control block");
            }
            transparentIndex = control.TransparentColor;
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) {
                return gifError(reader, gif->Error, name);
            }
        }
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return gifError(reader, gif->Error, name);

    ArgbImage image;
    Status status = readImage(gif.get(), transparentIndex, name, image);
    if (!status) return status;
    return image;
}

Result<ArgbImage> readGif(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
