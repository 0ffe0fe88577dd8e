#include <gtest/gtest.h>

#include "app/command_line.h"

using corvane::parseCommandLine;

TEST(CommandLine, OptionsValuesAndMistakes) {
    auto c = parseCommandLine({"corvane", "--port", "/dev/pts/3", "--trace=/tmp/t.txt"});
    EXPECT_TRUE(c.error.isEmpty());
    EXPECT_EQ(c.portPath, "/dev/pts/3");
    EXPECT_EQ(c.traceFile, "/tmp/t.txt");
    EXPECT_FALSE(c.demo);

    EXPECT_TRUE(parseCommandLine({"corvane", "--demo"}).demo);
    EXPECT_TRUE(parseCommandLine({"corvane", "--help"}).help);
    EXPECT_TRUE(parseCommandLine({"corvane", "--version"}).version);

    EXPECT_EQ(parseCommandLine({"corvane", "--port"}).error, "--port needs a value");
    EXPECT_EQ(parseCommandLine({"corvane", "--trace="}).error, "--trace needs a value");
    EXPECT_EQ(parseCommandLine({"corvane", "--bogus"}).error, "unknown option: --bogus");
    EXPECT_FALSE(parseCommandLine({"corvane", "--demo", "--port", "/dev/x"}).error.isEmpty());
}
