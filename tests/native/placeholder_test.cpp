#include <gtest/gtest.h>
#include "shell/status_text.h"
TEST(X, Y) { EXPECT_EQ(parse_number(" 12"), 12); }
