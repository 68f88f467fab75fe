#pragma once

class QGroupBox;
class QString;
class QWidget;

// Keeps a window within the available area of its screen, buttons included: a size larger than the
// screen is cut down to it, and a window partly off the screen is moved back onto it.
void FitToScreen(QWidget* window);

// A first size for a main window that has none of its own yet: most of its screen's available area (never
// less than it asks for, never larger than a comfortable reading width), in the middle of that area.
void UseMostOfScreen(QWidget* window);

// Makes a field wide enough to show that many characters of figures and capitals at once.
void ShowChars(QWidget* field, int chars);

// Sets a group box's title so that it never widens the window: a title longer than the box is cut with "…"
// (again whenever the box is resized), and the whole title is the box's tooltip.
void SetElidedTitle(QGroupBox* box, const QString& title);
// The title as set, however much of it the box shows.
QString FullTitle(const QGroupBox* box);
