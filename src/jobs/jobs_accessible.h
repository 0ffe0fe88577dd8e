#pragma once
// How the jobs room's own self-painting parts show themselves to assistive technology.
namespace corvane {

// Registers the room's interfaces with Qt; later calls do nothing.
void installJobsAccessibility();

}  // namespace corvane
