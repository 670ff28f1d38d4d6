// Texts at the edge to the system: a character is never cut in two, whatever cut it.
#include <gtest/gtest.h>

#include "win/text.h"

namespace {

TEST(Texts, HalfACharacterAtTheEndIsDropped) {
    const wchar_t grin[] = {L'a', 0xD83D, 0xDE00, 0xD83D};  // "a", a whole emoji, then half of one
    EXPECT_EQ(win::Utf8(grin, 4), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(win::Utf8(grin, 3), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(win::Utf8(grin + 3, 1), "");
    EXPECT_EQ(win::HeldTo("a\xF0\x9F\x98\x80", 2), "a");
}

}  // namespace
