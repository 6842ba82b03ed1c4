#include "templates/text_fold.h"

#include <gtest/gtest.h>

namespace tavrolin::templates {
namespace {

TEST(TextFold, TrimsBlanks) {
    EXPECT_EQ(trim(" \t0x24  "), "0x24");
    EXPECT_EQ(trimRight("  Lake   "), "  Lake");
}

}  // namespace
}  // namespace tavrolin::templates
