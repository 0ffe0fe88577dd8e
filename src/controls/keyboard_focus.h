#pragma once
// Keyboard focus: where the keys go and whether the user can see it.
//
// The focus mark is shown only once the user has moved the focus with the keyboard (Tab,
// Shift+Tab, the arrow keys) in a window, and goes again with the next mouse press there: a
// mouse user sees the skin as drawn, a keyboard user always sees where the keys go.
//
// Pop-ups take the focus when they are shown and hand it back when they go, so that a key meant
// for a pop-up never reaches the window behind it.
#include <QColor>
#include <QKeyEvent>
#include <QPainter>
#include <QRect>
#include <QWidget>

namespace corvane {

// Starts following the keyboard and the mouse, once per application. Every skinned control
// calls it when it is made.
void trackKeyboardFocus();
// True while `widget` has the focus and its window is being driven from the keyboard.
bool showsKeyboardFocus(const QWidget* widget);
// The window of `widget` is driven from the keyboard from now on (a move made by our own key
// handling rather than Qt's Tab).
void markKeyboardNavigation(QWidget* widget);
// Gives `target` the focus as a keyboard move does.
void moveFocusByKey(QWidget* target, bool forward = true);

// What a key does to a focused push button: presses it (Space, Enter, Select), is left to the
// container (the arrows lead through the menu's outline or a box's buttons), or neither.
enum class ButtonKey { Press, Arrow, Other };
ButtonKey buttonKeyOf(const QKeyEvent& event);

// The skin's focus mark for controls whose own frame does not show the focus: a
// rectangle in the focus colour, `inset` pixels inside `rect`.
void drawKeyboardFocusMark(QPainter& painter, const QRect& rect, int inset = 3);

// A field that draws no focus of its own (an edit field, a list, a read-only text) gets the
// focus mark as a frame over its edge.
void showKeyboardFocusOn(QWidget* field);

// The scroll position of a pane that shows `visible` pixels from `position` on, moved as little
// as possible so that the span top .. bottom (exclusive) comes into view.
int scrollPositionShowing(int position, int visible, int top, int bottom);

// `popUp` (a top-level window) takes the keyboard whenever it is shown, and hands it back to
// the widget that had it when it is hidden, unless another window has taken it meanwhile.
void takeFocusWhenShown(QWidget* popUp);

}  // namespace corvane
