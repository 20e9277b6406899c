#include "common/program_version.h"

#include <gtest/gtest.h>

TEST(ProgramVersion, IsTheBuildsProjectVersionAsItIs)
{
    EXPECT_EQ(programVersion(), QStringLiteral(LECTORIUM_VERSION)); // "0.1.0", never "0.1.00"
}
