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
    // Texts that differ in one byte at every place, of every length to 40, NUL bytes included,
    // and enough of them to make the table grow several times.
    std::vector<std::string> texts;
    for (std::size_t length = 1; length <= 40; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (char c : {'a', 'b', '\0', '\xD0'}) {
                std::string text(length, 'x');
                text[at] = c;
                texts.push_back(text);
            }
        }
    }
    std::vector<TextPool::Id> ids;
    for (const std::string& text : texts) ids.push_back(pool.intern(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(pool.intern(texts[i]), ids[i]) << i;
        EXPECT_EQ(pool.find(texts[i]), ids[i]) << i;
        ASSERT_EQ(pool.text(ids[i]), texts[i]) << i;
    }
    // Distinct texts got consecutive numbers after the empty text.
    std::vector<bool> seen(pool.size(), false);
    for (TextPool::Id id : ids) seen[id] = true;
    std::size_t distinct = 0;
    for (bool s : seen) distinct += s;
    EXPECT_EQ(distinct + 1, pool.size());
    EXPECT_EQ(ids.front(), 1u);

    pool.clear();
    EXPECT_EQ(pool.size(), 1u);
    EXPECT_EQ(pool.find(texts.front()), TextPool::kNone);
    EXPECT_EQ(pool.intern(texts.back()), 1u);
}

}  // namespace
}  // namespace tavrolin::store
