#pragma once
// A message that may be longer than the place a form gives it (a list of
// problems, of file names): the label keeps its place and look, and scrolls
// when its text does not fit.

class QLabel;
class QScrollArea;

namespace ScrollingText {

// Puts `label`, a word-wrapped label already placed on its form, into a
// frameless scroll area at its place; the area is returned. The label keeps
// its name, so it is found as before.
QScrollArea* Wrap(QLabel* label);

}  // namespace ScrollingText
