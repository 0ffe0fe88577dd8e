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
    EXPECT_TRUE(parseCommandLine({"corvane", "--list-ports"}).listPorts);
    EXPECT_EQ(parseCommandLine({"corvane", "--plot=/tmp/r.csv"}).plotFile, "/tmp/r.csv");
    EXPECT_FALSE(parseCommandLine({"corvane", "--plot", "r.csv", "--demo"}).error.isEmpty())
        << "a recording has no unit";

    EXPECT_EQ(parseCommandLine({"corvane", "--port"}).error, "--port needs a value");
    EXPECT_EQ(parseCommandLine({"corvane", "--trace="}).error, "--trace needs a value");
    EXPECT_EQ(parseCommandLine({"corvane", "--bogus"}).error, "unknown option: --bogus");
    EXPECT_FALSE(parseCommandLine({"corvane", "--demo", "--port", "/dev/x"}).error.isEmpty());
}

TEST(CommandLine, QtsOwnOptionsAreLeftToTheApplicationObject) {
    // Once refused as unknown options.
    auto c = parseCommandLine({"corvane", "-platform", "offscreen", "--port", "/dev/ttyS0", "-display", ":3",
                               "-style=fusion", "--platform", "xcb", "-reverse", "-qwindowgeometry", "640x480+0+0",
                               "--widgetcount", "-stylesheet", "/tmp/look.qss", "--trace", "/tmp/t.txt"});
    EXPECT_TRUE(c.error.isEmpty()) << c.error.toStdString();
    EXPECT_EQ(c.portPath, "/dev/ttyS0");
    EXPECT_EQ(c.traceFile, "/tmp/t.txt");

    // A value that looks like one of ours belongs to the Qt option before it.
    auto named = parseCommandLine({"corvane", "-qwindowtitle", "--demo"});
    EXPECT_TRUE(named.error.isEmpty());
    EXPECT_FALSE(named.demo);

    EXPECT_EQ(parseCommandLine({"corvane", "-platform"}).error, "-platform needs a value");
    EXPECT_EQ(parseCommandLine({"corvane", "-platform=xcb"}).error, "unknown option: -platform=xcb")
        << "Qt reads the platform only as a separate value";
    EXPECT_EQ(parseCommandLine({"corvane", "-platformx", "y"}).error, "unknown option: -platformx");
    EXPECT_EQ(parseCommandLine({"corvane", "-", "y"}).error, "unknown option: -");

    // The window's geometry is kept for the main window, which places itself by it.
    EXPECT_EQ(c.windowGeometry, "640x480+0+0");
    EXPECT_EQ(parseCommandLine({"corvane", "-geometry", "-10-20"}).windowGeometry, "-10-20");
    EXPECT_EQ(parseCommandLine({"corvane", "-qwindowgeometry", "big"}).error,
              "-qwindowgeometry takes a geometry such as 800x600+20+40, not 'big'");
}
