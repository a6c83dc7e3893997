// What every window of the program does the same way: where it opens, which keys confirm,
// how closing it ends the program.
#pragma once

class QKeyEvent;
class QWidget;

namespace orvel {

// Moves a top-level window to the middle of the part of its screen that windows may use (the
// screen less its task bars and docks).
void centreOnScreen(QWidget &window);

// Return and the keypad's Enter: both confirm a field or a choice.
bool isEnterKey(const QKeyEvent *event);

// Closing the setup window or the entry window, or Quitter, ends the whole program: each
// change was written when it was made, so nothing is asked and no other window is kept.
void endProgram();

} // namespace orvel
