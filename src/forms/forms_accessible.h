#pragma once
// How the two panes show themselves to assistive technology: the function menu as a tree whose
// branches open and close, the page's panes, and the choice box.
namespace corvane {

// Registers the panes' interfaces with Qt, after the skinned controls' (which the menu entries
// build on); later calls do nothing.
void installFormsAccessibility();

}  // namespace corvane
