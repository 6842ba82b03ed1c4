// The text pool: one number per distinct text, stable while the pool grows.
#include "store/text_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrolin::store {
namespace {

TEST(TextPool, OneNumberPerTextInTheOrderFirstMet) {
    TextPool pool;
    EXPECT_EQ(pool.intern(""), TextPool::kEmpty);
    EXPECT_EQ(pool.find("a"), TextPool::kNone);
    // Distinct texts that differ in one byte at every place, of every length to 40, NUL bytes
    // included, and enough of them to make the table grow several times.
    std::vector<std::string> texts;
    for (std::size_t length = 1; length <= 40; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (char c : {'a', 'b', '\0', '\xD0'}) {
                texts.push_back(std::string(length, 'x'));
                texts.back()[at] = c;
            }
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(pool.intern(texts[i]), i + 1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(pool.intern(texts[i]), i + 1);
        EXPECT_EQ(pool.find(texts[i]), i + 1);
        ASSERT_EQ(pool.text(static_cast<TextPool::Id>(i + 1)), texts[i]);
    }
    EXPECT_EQ(pool.size(), texts.size() + 1);
    pool.clear();
    EXPECT_EQ(pool.size(), 1u);
    EXPECT_EQ(pool.find(texts.front()), TextPool::kNone);
    EXPECT_EQ(pool.intern(texts.back()), 1u);
}

}  // namespace
}  // namespace tavrolin::store
