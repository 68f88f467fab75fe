#pragma once

class QWidget;

// Keeps a window within the available area of its screen, buttons included: a size larger than the
// screen is cut down to it, and a window partly off the screen is moved back onto it.
void FitToScreen(QWidget* window);
