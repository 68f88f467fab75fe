#pragma once

#include "documents/document_commands.h"

#include <QAction>

#include <array>
#include <optional>
#include <span>

class QMenu;
class TBuhForm;
namespace Ui {
class TBuhForm;
}

// Every command of the main window's menus, held once: its menu item (whose object name is the one the
// item always had), the list's popup menu it also stands in, when the documents allow it, what it does,
// and the command line's way to the same thing where there is one.
struct WindowCommands {
    struct Command {
        QAction* Ui::TBuhForm::*item; // nullptr: a separator of the popup
        int popup;                    // 1..6: the list's menu it stands in; 0: the main menu only
        std::optional<DocumentCommand> rule;
        void (*run)(TBuhForm& window, bool checked);
        const char* commandLine;         // "print invoice": the command and its first word; nullptr: none
        const char* separator = nullptr; // a separator's object name
    };
    static constexpr int kPopupMenus = 6;

    static std::span<const Command> all();
    // The items' handlers connected, and the lists' popup menus made (opened by the right button, the
    // Menu key and Shift+F10 on their lists).
    static void wire(TBuhForm& window, Ui::TBuhForm& ui, std::array<QMenu*, kPopupMenus>& popups);
    static QAction* itemOf(TBuhForm& window, const Command& command);
    // Each item with a rule enabled as the documents say.
    static void enable(Ui::TBuhForm& ui, const DocumentCommandStates& states);
};
