#pragma once

class QWidget;

// Gives every push button of a window that has none an access letter of its own (Alt+letter): the first
// letter of its text that no other control of the window (a button, a labelled field, a menu, a tab) uses
// yet. Buttons whose text names no letter (">>") are left as they are.
void AssignAccessLetters(QWidget* window);
