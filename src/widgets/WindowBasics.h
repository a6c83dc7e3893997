// What every window of the program does the same way: where it opens, which keys confirm,
// how closing it ends the program.
#pragma once

#include <QMargins>

class QKeyEvent;
class QWidget;

namespace orvel {

class Settings;

// Keeps a top-level window whole on the part of its screen that windows may use (the screen
// less its task bars and docks), title bar and borders included, down to a 1280 × 720 laptop.
// With settings, the window opens at the size and place it had when last moved or closed (kept
// under its objectName: the corner of its frame and the size of its inside), brought back
// inside a screen that got smaller; else, and the first time, it opens centred at the size it
// asked for. Its frame is counted once, so that it comes back to the same place at every
// start. Call it once, before the window is shown.
void keepOnScreen(QWidget &window, Settings *settings);
inline void keepOnScreen(QWidget &window, Settings &settings)
{
    keepOnScreen(window, &settings);
}

// The room a window manager's frame takes around a window before the window has one to measure
// (an X11 window manager frames a window only once it is shown): generous, so that a window
// fitted with it still fits with the real frame.
QMargins expectedFrame();

// Return and the keypad's Enter: both confirm a field or a choice.
bool isEnterKey(const QKeyEvent *event);

// Closing the setup window or the entry window, or Quitter, ends the whole program: each
// change was written when it was made, so nothing is asked and no other window is kept.
void endProgram();

} // namespace orvel
