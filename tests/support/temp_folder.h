// A folder of its own for one test under the system's temporary folder (or another parent),
// removed with the object, also after a test took its permissions away; and whole-file reads and
// writes. Each module's fixture may derive its TempFolder from it to choose a prefix.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace tavrolin::testing {

// The whole file; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ScratchFolder {
   public:
    explicit ScratchFolder(const std::string& prefix, const std::filesystem::path& parent =
                                                          std::filesystem::temp_directory_path()) {
        static std::atomic<int> counter{0};
        m_root = parent / (prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);  // left by a crashed run of the same id
        std::filesystem::create_directories(m_root);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_root, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    // The folder's path ending in a separator, and the path of a file in it.
    std::string str() const { return m_root.string() + "/"; }
    std::string file(const std::string& name) const { return (m_root / name).string(); }
    // Writes a file in the folder and returns its path.
    template <typename Bytes>
    std::string write(const std::string& name, const Bytes& bytes) const {
        const std::string path = file(name);
        writeFile(path,
                  std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return path;
    }

   private:
    std::filesystem::path m_root;
};

}  // namespace tavrolin::testing
