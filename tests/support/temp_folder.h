// A folder of its own for one test under the system's temporary folder (or another parent),
// removed with the object, also after a test took its permissions away. Each module's fixture
// derives its TempFolder from it and adds the accessors its tests use.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace tavrolin::testing {

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

   private:
    std::filesystem::path m_root;
};

}  // namespace tavrolin::testing
