#pragma once
// Timing a program's start from outside: with PELUMO_QUIT_AFTER_FIRST_PAINT
// set in the environment, the program ends as soon as `window` has been
// painted for the first time, so the whole run is the time from starting the
// program to a window on the screen. Without it, nothing happens.

class QWidget;

namespace FirstPaint {

void QuitAfterIfAsked(QWidget* window);

}  // namespace FirstPaint
