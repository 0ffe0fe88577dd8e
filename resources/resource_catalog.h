#pragma once
// The numbers of every picture compiled into the program (resources/images/<number>.png).
#include <array>

namespace corvane {

inline constexpr std::array<int, 23> kResourcePictureIds = {
    138, 141, 142, 143, 144, 145, 147, 149, 150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 164,
};

// Forces the compiled pictures into any program that links the library and returns how many
// there are.
int linkedResourcePictureCount();

}  // namespace corvane
