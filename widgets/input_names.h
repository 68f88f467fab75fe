#pragma once

class QString;
class QWidget;

// Gives every input of a window that has no name of its own the one a person would say: the text of its
// label (the label that names it as buddy, or the one beside or above it), else its placeholder or hint.
// Names given this way follow the labels when the language changes; names set by hand are kept.
void NameInputs(QWidget* window);

// Whether a widget takes input (a field, a list of choices, a number or date box), not counting the
// parts a compound input is built of.
bool IsInput(const QWidget* widget);
