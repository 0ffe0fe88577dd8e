#pragma once
// How the main window shows itself to assistive technology: the window and its status line,
// which a reader announces whenever its text changes ("Corvane ready...", a lost connection).
namespace corvane {

// Registers the interfaces of every layer below the app (controls, forms, shell, screens) with
// Qt; later calls do nothing.
void installAccessibility();

}  // namespace corvane
