#pragma once
// How the application shell's own message box shows itself to assistive technology.
namespace corvane {

// Registers the shell's interfaces with Qt, after the skinned controls'; later calls do nothing.
void installShellAccessibility();

}  // namespace corvane
