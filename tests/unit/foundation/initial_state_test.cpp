// Before any failure the record reads "No error". When the whole suite runs in one process, a test
// that ran earlier may already have recorded an error; then there is nothing left to check.
#include <gtest/gtest.h>

#include "foundation/errors.h"

TEST(LastErrorInitialStateTest, LastErrorStartsAsNoError) {
    if (LastError.code != 0)
        GTEST_SKIP() << "another test recorded an error first";
    EXPECT_STREQ("No error", LastError.message.chars());
}
