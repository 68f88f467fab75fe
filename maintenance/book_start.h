#pragma once

#include <QString>

class Prompter;
class TDM;

// How a book is begun: at a first start (the folder holds no book, or an empty one) and when a folder
// without a book is chosen. The folder dialogs stay with the window.
enum class BookStart { Empty, FromParadox, Demo, OtherFolder, Nothing };

// The welcome of a first start: an empty book, Paradox tables, the demonstration book or another folder.
BookStart AskHowToStart(const QString& folder, Prompter& prompter);
// The offer made for a folder without a book: an empty book or Paradox tables; Nothing when there is a file
// there already (a damaged or foreign one is never replaced) or the book is on a server (its administrator
// makes it), or when the user declines.
BookStart OfferNewBook(const QString& folder, const QString& serverBook, Prompter& prompter);
// Makes the folder's book when there is none and connects to it; fills it with the demonstration data for
// Demo; gives an Empty one its owner row when asked (the welcome's: the owner tab then asks for its
// details). The Paradox tables are the window's to import. False after the engine's message.
bool BeginBook(TDM& dm, const QString& folder, BookStart how, bool withOwnerRow, Prompter& prompter);
