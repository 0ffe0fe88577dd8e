#pragma once
// The skin's colours for the jobs' windows and dialogs: the panel behind, light text on black
// fields, the accent for what is chosen and the skin's focus colour round what has the keys.
class QWidget;

namespace corvane {

void applyJobsSkin(QWidget& window);

}  // namespace corvane
