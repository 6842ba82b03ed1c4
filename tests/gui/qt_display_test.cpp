#include "gui/qt_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrolin {
namespace {

// Sets environment variables for one test and puts the old values back after it.
class Environment {
   public:
    ~Environment() {
        for (auto& [name, value] : m_saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    void set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            setenv(name.c_str(), value, 1);
        } else {
            unsetenv(name.c_str());
        }
    }

   private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(QtDisplay, ALocalDisplayWithoutAServerIsNoDisplay) {
    Environment environment;
    environment.set("QT_QPA_PLATFORM", nullptr);
    environment.set("WAYLAND_DISPLAY", nullptr);
    environment.set("DISPLAY", nullptr);
    EXPECT_FALSE(hasDisplay());
    environment.set("DISPLAY", ":4242.0");  // no X server listens on a display that high
    EXPECT_FALSE(hasDisplay());
    environment.set("DISPLAY", "mapserver:0");  // remote: taken on trust
    EXPECT_TRUE(hasDisplay());
    environment.set("QT_QPA_PLATFORM", "offscreen");
    environment.set("DISPLAY", ":4242");
    EXPECT_TRUE(hasDisplay());
}

}  // namespace
}  // namespace tavrolin
