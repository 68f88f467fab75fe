#include "app/window_commands.h"

#include "app/clients_view.h"
#include "app/documents_view.h"
#include "app/main_window.h"
#include "documents/act_editor_form.h"
#include "documents/new_fact_form.h"
#include "documents/waybill_form.h"
#include "print/registers.h"
#include "ui_main_window.h"

#include <QMenu>

std::span<const WindowCommands::Command> WindowCommands::all()
{
    using U = Ui::TBuhForm;
    using C = DocumentCommand;
    using W = TBuhForm;
    // In the order the popup menus show them.
    static const Command commands[] = {
        {&U::N9, 1, C::NewInvoice,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::NewInvoice); }, nullptr},
        {&U::N11, 1, C::CopyInvoice,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::CopyInvoice); }, nullptr},
        {&U::N10, 1, C::EditInvoice,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::EditInvoice); }, nullptr},
        {&U::N12, 1, C::PreviewInvoice, [](W& w, bool) { w.m_documentsView->printInvoice(true); },
         "print invoice"},
        {&U::N13, 1, C::PrintInvoice, [](W& w, bool) { w.m_documentsView->printInvoice(false); },
         "print invoice"},
        {&U::N14, 1, C::InvoiceRegister,
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::Invoices); }, "register invoices"},
        {&U::N15, 1, C::ExpenseWaybillForInvoice,
         [](W& w, bool) { w.m_documentsView->issueWaybill(WaybillKind::Expense, false); }, "issue expense"},
        {&U::N16, 1, C::TaxWaybillForInvoice,
         [](W& w, bool) { w.m_documentsView->issueWaybill(WaybillKind::Tax, false); }, "issue tax"},
        {&U::PayInvoice, 1, {}, [](W& w, bool) { w.m_documentsView->payInvoice(); }, "pay --invoice"},
        {nullptr, 1, {}, nullptr, nullptr, "N29"},
        {&U::N30, 1, {}, [](W& w, bool) { w.m_documentsView->filterByPeriod(); }, nullptr},
        {&U::N31, 1, {}, [](W& w, bool) { w.m_documentsView->filterByNumbers(); }, nullptr},
        {&U::UnpaidOnly, 1, {}, [](W& w, bool on) { w.m_documentsView->filterUnpaid(on); }, nullptr},
        {&U::N32, 1, {}, [](W& w, bool) { w.m_documentsView->clearFilters(); }, nullptr},

        {&U::N17, 2, C::NewReceipt,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::NewReceipt); }, nullptr},
        {&U::N18, 2, C::CopyReceipt,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::CopyReceipt); }, nullptr},
        {&U::N19, 2, C::EditReceipt,
         [](W& w, bool) { w.m_documentsView->editDocument(EditorCommand::EditReceipt); }, nullptr},
        {&U::N20, 2, C::ReceiptRegister,
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::Receipts); }, "register receipts"},
        {&U::N21, 2, C::ExpenseWaybillForReceipt,
         [](W& w, bool) { w.m_documentsView->issueWaybill(WaybillKind::Expense, true); }, "issue expense"},
        {&U::N22, 2, C::TaxWaybillForReceipt,
         [](W& w, bool) { w.m_documentsView->issueWaybill(WaybillKind::Tax, true); }, "issue tax"},

        {&U::N23, 3, C::PreviewExpenseWaybill,
         [](W& w, bool) { w.m_documentsView->printExpenseWaybill(true); }, "print expense"},
        {&U::N24, 3, C::PrintExpenseWaybill,
         [](W& w, bool) { w.m_documentsView->printExpenseWaybill(false); }, "print expense"},
        {&U::N27, 3, C::ExpenseRegister,
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::ExpenseWaybills); },
         "register expense"},

        {&U::N25, 4, C::PreviewTaxWaybill, [](W& w, bool) { w.m_documentsView->printTaxWaybill(true); },
         "print tax"},
        {&U::N26, 4, C::PrintTaxWaybill, [](W& w, bool) { w.m_documentsView->printTaxWaybill(false); },
         "print tax"},
        {&U::N28, 4, C::TaxRegister,
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::TaxWaybills); }, "register tax"},

        {&U::N37, 5, {}, [](W& w, bool) { w.m_clientsView->filter(true); }, "export-clients --name"},
        {&U::N35, 5, {}, [](W& w, bool) { w.m_clientsView->filter(false); }, "export-clients --city"},
        {&U::N36, 5, {}, [](W& w, bool) { w.m_clientsView->removeFilters(); }, nullptr},
        {nullptr, 5, {}, nullptr, nullptr, "N34"},
        {&U::N33, 5, {}, [](W& w, bool) { w.m_clientsView->exportList(); }, "export-clients"},
        {&U::PayClient, 5, {}, [](W& w, bool) { w.m_documentsView->payClient(); }, "pay --client"},
        {&U::Reconciliation,
         5,
         {},
         [](W& w, bool) { w.m_documentsView->printReconciliation(); },
         "print reconciliation"},

        {&U::ActNew, 6, C::NewAct, [](W& w, bool) { w.m_documentsView->editAct(ActCommand::New); }, "act"},
        {&U::ActCopy, 6, C::CopyAct, [](W& w, bool) { w.m_documentsView->editAct(ActCommand::Copy); },
         nullptr},
        {&U::ActEdit, 6, C::EditAct, [](W& w, bool) { w.m_documentsView->editAct(ActCommand::Edit); },
         nullptr},
        {&U::ActDelete, 6, C::EditAct, [](W& w, bool) { w.m_documentsView->deleteAct(); }, nullptr},
        {&U::ActPreview, 6, C::PreviewAct, [](W& w, bool) { w.m_documentsView->printAct(true); },
         "print act"},
        {&U::ActPrint, 6, C::PrintAct, [](W& w, bool) { w.m_documentsView->printAct(false); }, "print act"},
        {&U::ActRegister, 6, C::ActRegister,
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::Acts); }, "register acts"},
        {&U::PayAct, 6, {}, [](W& w, bool) { w.m_documentsView->payAct(); }, "pay --act"},

        {&U::N3, 0, {}, [](W& w, bool) { w.m_clientsView->openFind(); }, nullptr},
        {&U::N4, 0, {}, [](W& w, bool) { w.m_documentsView->findDocument(); }, "find"},
        {&U::ImportStatement,
         0,
         {},
         [](W& w, bool) { w.m_documentsView->importStatement(); },
         "import-statement"},
        {&U::DebtorsReport, 0, {}, [](W& w, bool) { w.m_documentsView->writeDebtors(); }, "debtors"},
        {&U::PaymentRegister,
         0,
         {},
         [](W& w, bool) { w.m_documentsView->writeRegister(RegisterKind::Payments); },
         "register payments"},
        {&U::N5, 0, {}, [](W& w, bool) { w.m_documentsView->openGoods(); }, "goods"},
        {&U::N6, 0, {}, [](W& w, bool) { w.editSettings(); }, nullptr},
        {&U::N7, 0, {}, [](W& w, bool) { w.ShowAllDocuments(); }, nullptr},
        {&U::N8, 0, {}, [](W& w, bool) { w.showAbout(); }, "--version"},
        {&U::N2, 0, {}, [](W& w, bool) { w.close(); }, nullptr},
    };
    return commands;
}

void WindowCommands::wire(TBuhForm& window, Ui::TBuhForm& ui, std::array<QMenu*, kPopupMenus>& popups)
{
    DBGrid* const owners[kPopupMenus] = {ui.DBGrid3, ui.DBGrid6, ui.DBGrid5,
                                         ui.DBGrid4, ui.DBGrid1, ui.DBGrid7};
    for (int m = 0; m < kPopupMenus; ++m) {
        QMenu* menu = popups[std::size_t(m)] = new QMenu(&window);
        menu->setObjectName(QStringLiteral("PopupMenu%1").arg(m + 1));
        DBGrid* grid = owners[m];
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(grid, &QWidget::customContextMenuRequested, menu, [grid, menu](const QPoint& pos) {
            menu->popup(grid->viewport()->mapToGlobal(pos));
        });
    }
    for (const Command& c : all()) {
        QMenu* popup = c.popup > 0 ? popups[std::size_t(c.popup - 1)] : nullptr;
        if (!c.item) {
            popup->addSeparator()->setObjectName(QLatin1String(c.separator));
            continue;
        }
        QAction* item = ui.*c.item;
        if (popup)
            popup->addAction(item);
        QObject::connect(item, &QAction::triggered, &window,
                         [&window, run = c.run](bool checked) { run(window, checked); });
    }
}

QAction* WindowCommands::itemOf(TBuhForm& window, const Command& command)
{
    return command.item ? (*window.ui).*command.item : nullptr;
}

void WindowCommands::enable(Ui::TBuhForm& ui, const DocumentCommandStates& states)
{
    for (const Command& c : all())
        if (c.item && c.rule)
            (ui.*c.item)->setEnabled(states.at(*c.rule));
}
