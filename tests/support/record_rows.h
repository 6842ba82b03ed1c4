// Moving through a record set in a test's loop, where a failed move is the test's failure:
//   for (; !set->eof(); tavrolin::testing::next(*set)) ...
#pragma once

#include <gtest/gtest.h>

#include "store/connection.h"

namespace tavrolin::testing {

inline void next(store::RecordSet& set) {
    const Status moved = set.moveNext();
    EXPECT_TRUE(moved.isOk()) << moved.toString();
}

}  // namespace tavrolin::testing
