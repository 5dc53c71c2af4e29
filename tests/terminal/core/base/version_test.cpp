#include "terminal/core/base/version.h"

#include <gtest/gtest.h>

namespace {

TEST(Version, BuildStampFromTheBuildDate)
{
    EXPECT_EQ(BuildStampOf("Dec 23 2002"), 0xA4CBCu);
    EXPECT_EQ(ProgramBuildStamp(), 0xA4CBCu);
    EXPECT_EQ(BuildStampOf("Jan  1 2014"), 0xA0000u | (1u << 8) | (1u << 3) | (0u << 12) | 4u);
    EXPECT_EQ(BuildStampOf("Nov 30 2001"), 0xA0004u | (11u << 8) | (30u << 3) | (3u << 12));
    // A name that is none of January to November counts as December.
    EXPECT_EQ(BuildStampOf("Xyz 23 2002"), BuildStampOf("Dec 23 2002"));
}

}  // namespace
