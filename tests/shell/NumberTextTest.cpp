#include "shell/NumberText.h"

#include <gtest/gtest.h>

TEST(ReadNumber, Basic) {
    EXPECT_DOUBLE_EQ(ReadNumber(QStringLiteral("12,5")), 12.0);
}
