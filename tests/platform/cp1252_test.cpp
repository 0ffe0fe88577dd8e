#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = decodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeCp1252(text), all);
}

TEST(Cp1252, HighBytesShowTheirWindowsCharacters) {
    EXPECT_EQ(decodeCp1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(decodeCp1252("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(decodeCp1252("\xB0"
                           "C"),
              QString::fromUtf8("\xC2\xB0"
                                "C"));
    EXPECT_EQ(decodeCp1252("\xE9"), QString::fromUtf8("\xC3\xA9"));
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(encodeCp1252(QString::fromUtf8("a\xE2\x82\xAC\xE2\x98\x83z")), std::string("a\x80?z"));
}

TEST(Cp1252, ZeroBytesAreKept) {
    const std::string bytes("a\0b", 3);
    EXPECT_EQ(encodeCp1252(decodeCp1252(bytes)), bytes);
}

}  // namespace
}  // namespace corvane
