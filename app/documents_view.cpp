// The documents tab: its lists and the commands on them, from the widgets to the controllers.
#include "app/documents_view.h"

#include "app/clients_view.h"
#include "app/main_window.h"
#include "app/window_commands.h"
#include "documents/act_editor_form.h"
#include "documents/goods_list_form.h"
#include "documents/new_fact_form.h"
#include "documents/period_dialogs.h"
#include "documents/tovar_form.h"
#include "documents/waybill_form.h"
#include "payments/debtors_form.h"
#include "payments/payment_form.h"
#include "payments/reconciliation_form.h"
#include "payments/statement_form.h"
#include "report/report_holder.h"
#include "ui_main_window.h"
#include "widgets/screen_fit.h"

#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <algorithm>

DocumentsView::DocumentsView(TBuhForm& window)
    : QObject(&window)
    , w(window)
    , ui(window.ui.get())
    , m_tovarForm(new TTovarForm(&window))
    , m_numbersForm(new TNumbersForm(window.m_prompter, &window))
    , m_tovListForm(new TTovListForm(window.m_documents.goods(), *window.m_prompter, &window))
{
    // The filter's period starts as the period dialog's dates do: today.
    InvoiceFilter filter;
    filter.from = filter.to = QDate::currentDate();
    w.documentLists().setInvoiceFilter(filter);
    setupLists();
}

DocumentsView::~DocumentsView() = default;

void DocumentsView::setupLists()
{
    DocumentLists& docs = w.documentLists();
    const std::pair<DBGrid*, SqlListModel*> lists[] = {{ui->DBGrid3, &docs.invoices()},
                                                       {ui->DBGrid6, &docs.receipts()},
                                                       {ui->DBGrid5, &docs.expenseWaybills()},
                                                       {ui->DBGrid4, &docs.taxWaybills()},
                                                       {ui->DBGrid7, &docs.acts()}};
    const std::pair<DBNavigator*, DBGrid*> navigators[] = {{ui->DBNavigator1, ui->DBGrid3},
                                                           {ui->DBNavigator4, ui->DBGrid6},
                                                           {ui->DBNavigator3, ui->DBGrid5},
                                                           {ui->DBNavigator2, ui->DBGrid4},
                                                           {ui->DBNavigator5, ui->DBGrid7}};
    for (const auto& [grid, model] : lists) {
        grid->setListModel(model);
        // A double click picks an invoice for a waybill; cells are edited by typing or the navigator.
        grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    }
    connect(ui->DBGrid3, &QAbstractItemView::clicked, this,
            [this, &docs] { locateWaybillsOf(int(docs.invoices().keyAt(ui->DBGrid3->currentRow()))); });
    const auto pickInvoice = [this, &docs] {
        w.m_documents.pickForWaybill(ui->DBGrid3->currentRow());
        ui->Edit5->setText(docs.waybillSelection());
        locateWaybillsOf(int(docs.invoices().keyAt(ui->DBGrid3->currentRow())));
    };
    connect(ui->DBGrid3, &QAbstractItemView::doubleClicked, this, pickInvoice);
    ui->DBGrid3->setPickedByKeys(true);
    connect(ui->DBGrid3, &DBGrid::rowPicked, this, pickInvoice);
    connect(ui->DBGrid6, &QAbstractItemView::clicked, this,
            [this, &docs] { locateWaybillsOf(int(docs.receipts().keyAt(ui->DBGrid6->currentRow()))); });
    for (DBGrid* waybills : {ui->DBGrid5, ui->DBGrid4}) {
        const auto follow = [this, waybills] {
            const DocumentsController::DocumentRows rows =
                w.m_documents.documentOfWaybill(*waybills->listModel(), waybills->currentRow());
            ui->DBGrid3->moveTo(rows.invoice);
            ui->DBGrid6->moveTo(rows.receipt);
        };
        connect(waybills, &QAbstractItemView::clicked, this, follow);
        connect(waybills, &QAbstractItemView::doubleClicked, this, follow);
    }
    for (const auto& [navigator, grid] : navigators) {
        navigator->setGrid(grid);
        connect(navigator, &DBNavigator::deleteRequested, this, [this, g = grid] { deleteRow(g); });
    }
    // An act is changed in its editor: a double click or Enter opens it.
    connect(ui->DBGrid7, &QAbstractItemView::doubleClicked, this, [this] { editAct(ActCommand::Edit); });
    ui->DBGrid7->setPickedByKeys(true);
    connect(ui->DBGrid7, &DBGrid::rowPicked, this, [this] { editAct(ActCommand::Edit); });
    // The waybill's picked invoices let go.
    connect(ui->Button9, &QPushButton::clicked, this, [this] {
        w.documentLists().clearWaybillSelection();
        ui->Edit5->clear();
    });

    ui->RxSplitter1->setStretchFactor(0, 1);
    ui->RxSplitter1->setStretchFactor(1, 0);
    ui->RxSplitter1->setSizes({450, 250});
    for (int pane = 0; pane < 3; ++pane)
        ui->RxSplitter2->setStretchFactor(pane, 1);
    ui->RxSplitter2->setSizes({300, 300, 300});
}

std::array<DBGrid*, 5> DocumentsView::grids() const
{
    return {ui->DBGrid3, ui->DBGrid6, ui->DBGrid5, ui->DBGrid4, ui->DBGrid7};
}

void DocumentsView::updateCommands()
{
    WindowCommands::enable(*ui, w.m_documents.commandStates());
}

void DocumentsView::deleteAct()
{
    deleteRow(ui->DBGrid7);
}

void DocumentsView::openGoods()
{
    m_tovListForm->prepare();
    m_tovListForm->exec();
}

void DocumentsView::filterUnpaid(bool on)
{
    w.documentLists().filterUnpaid(on);
    showInvoiceFilter();
}

void DocumentsView::payInvoice()
{
    typePayment(int(w.documentLists().invoices().keyAt(ui->DBGrid3->currentRow())), false);
}

void DocumentsView::payAct()
{
    typePayment(
        w.documentLists().acts().value(ui->DBGrid7->currentRow(), QStringLiteral("ACT_NUMBER")).toInt(),
        true);
}

void DocumentsView::payClient()
{
    typePayment(0, false);
}

void DocumentsView::showClientDocuments()
{
    const int row = w.m_clientsView->currentRow();
    w.documentLists().RefreshClientDocuments(
        w.clientRegister().idAt(row),
        w.clientRegister().model().value(row, QStringLiteral("FIRMNAME")).toString());
    ui->Edit5->clear();
    showCaptions();
    moveToLastRows();
    updateCommands();
}

void DocumentsView::showAllDocuments()
{
    w.documentLists().ShowAllDocuments();
    showCaptions();
    moveToLastRows();
    updateCommands();
}

void DocumentsView::showCaptions()
{
    const DocumentLists& docs = w.documentLists();
    // A client's name, however long, never widens the window.
    SetElidedTitle(ui->GB2, docs.invoiceCaption());
    SetElidedTitle(ui->GB5, docs.receiptCaption());
    SetElidedTitle(ui->GB3, docs.expenseCaption());
    SetElidedTitle(ui->GB4, docs.taxCaption());
    SetElidedTitle(ui->GB6, docs.actCaption());
}

void DocumentsView::showStoredElsewhere()
{
    const auto lists = grids();
    // A cell being typed into is never taken away: the lists are read again once it is posted or left.
    if (std::any_of(std::begin(lists), std::end(lists), [](const DBGrid* g) { return g->isEditing(); })) {
        if (!m_reloadDeferred) {
            m_reloadDeferred = true;
            QTimer::singleShot(BookNotifier::kGatherMs * 4, this, [this] {
                m_reloadDeferred = false;
                showStoredElsewhere();
            });
        }
        return;
    }
    std::array<qint64, std::tuple_size_v<decltype(lists)>> keys{};
    for (std::size_t i = 0; i < std::size(lists); ++i)
        keys[i] = lists[i]->listModel() ? lists[i]->listModel()->keyAt(lists[i]->currentRow()) : 0;
    w.documentLists().reloadAll();
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        SqlListModel* list = lists[i]->listModel();
        const int row = list && keys[i] != 0 ? list->rowOfKey(keys[i]) : -1;
        // A row deleted elsewhere leaves its list on the last row, as a new list stands.
        lists[i]->moveTo(row >= 0 ? row : lists[i]->model()->rowCount() - 1);
    }
    showCaptions();
    updateCommands();
}

void DocumentsView::moveToLastRows()
{
    for (DBGrid* grid : grids())
        grid->moveTo(grid->model()->rowCount() - 1);
}

void DocumentsView::locateWaybillsOf(int number)
{
    if (const auto rows = w.m_documents.waybillsOfDocument(number)) {
        ui->DBGrid5->moveTo(rows->expense);
        ui->DBGrid4->moveTo(rows->tax);
    }
}

void DocumentsView::deleteRow(DBGrid* grid)
{
    const int row = grid->currentRow();
    if (row < 0 || !w.m_prompter->ask(w.m_documents.deleteQuestion(*grid->listModel(), row)))
        return;
    if (grid->listModel()->deleteRow(row)) {
        grid->moveTo(std::min(row, grid->model()->rowCount() - 1));
        w.sayBook();
    }
    updateCommands();
}

void DocumentsView::printInvoice(bool preview)
{
    std::optional<Page> page = w.m_documents.invoicePage(ui->DBGrid3->currentRow(), preview,
                                                         w.m_owner.record(), w.m_settings, w.m_programFolder);
    if (page)
        showOrPrint({std::move(*page)}, QStringLiteral("TForm1"), preview);
}

void DocumentsView::printExpenseWaybill(bool preview)
{
    if (std::optional<Page> page = w.m_documents.expenseWaybillPage(
            ui->DBGrid5->currentRow(), !preview, w.m_owner.record(), w.m_settings, w.m_programFolder))
        showOrPrint({std::move(*page)}, QStringLiteral("TForm2"), preview);
}

void DocumentsView::printTaxWaybill(bool preview)
{
    if (std::optional<Page> page = w.m_documents.taxWaybillPage(ui->DBGrid4->currentRow(), !preview,
                                                                w.m_owner.record(), w.m_settings))
        showOrPrint({std::move(*page)}, QStringLiteral("TForm3"), preview);
}

void DocumentsView::printAct(bool preview)
{
    if (std::optional<Page> page =
            w.m_documents.actPage(ui->DBGrid7->currentRow(), w.m_owner.record(), w.m_settings))
        showOrPrint({std::move(*page)}, QStringLiteral("ActBlank"), preview);
}

void DocumentsView::editAct(ActCommand command)
{
    const std::optional<DocumentsController::ActEdit> edit =
        w.m_documents.openAct(command, ui->DBGrid7->currentRow(), w.m_settings, QDate::currentDate());
    if (!edit)
        return;
    ActEditorForm editor(*edit, w.m_documents, w.m_prompter, &w);
    if (editor.exec() == QDialog::Accepted)
        showStored(ui->DBGrid7, "ACT_NUMBER", editor.storedNumber());
}

void DocumentsView::typePayment(int number, bool act)
{
    std::optional<PaymentDraft> draft;
    QString what;
    if (number > 0) {
        draft = w.m_payments.openPayment(number, act, QDate::currentDate());
        what = (act ? TBuhForm::tr("акт № %1") : TBuhForm::tr("счет-фактура № %1")).arg(number);
    } else if (const int client = w.currentClientId(); client > 0) {
        draft = OpenClientPayment(client, QDate::currentDate());
        what = w.clientRegister()
                   .model()
                   .value(w.m_clientsView->currentRow(), QStringLiteral("FIRMNAME"))
                   .toString();
    } else {
        w.m_prompter->error(TBuhForm::tr("Выберите клиента в списке клиентов."));
    }
    if (!draft)
        return;
    PaymentForm form(*draft, what, w.m_payments, w.m_prompter, &w);
    if (form.exec() != QDialog::Accepted)
        return;
    const TBuhForm::Chosen before = w.chosen();
    w.documentLists().reloadAll();
    w.chooseAgain(before);
    w.sayBook();
}

void DocumentsView::importStatement()
{
    const QString file =
        QFileDialog::getOpenFileName(&w, TBuhForm::tr("Банковская выписка"), w.m_programFolder,
                                     TBuhForm::tr("Выписки (*.txt *.csv);;Все файлы (*)"));
    if (file.isEmpty())
        return;
    const std::optional<StatementImport> plan = w.m_payments.planStatement(file, w.m_owner.record());
    if (!plan)
        return;
    StatementForm form(*plan, w.m_payments.openDocuments(*plan), &w);
    if (form.exec() != QDialog::Accepted)
        return;
    if (const std::optional<int> stored = w.m_payments.storeStatement(form.chosen(), form.addPayers())) {
        // New clients from the statement join the register, the chosen one stays chosen.
        w.ReconnectAndRefresh();
        w.say([stored = *stored, file] {
            return TBuhForm::tr("Из выписки %1 записано платежей: %2.")
                .arg(QDir::toNativeSeparators(file))
                .arg(stored);
        });
    }
}

void DocumentsView::printReconciliation()
{
    const int client = w.currentClientId();
    if (client <= 0) {
        w.m_prompter->error(TBuhForm::tr("Выберите клиента в списке клиентов."));
        return;
    }
    ReconciliationForm form(w.clientRegister()
                                .model()
                                .value(w.m_clientsView->currentRow(), QStringLiteral("FIRMNAME"))
                                .toString(),
                            QDate::currentDate(), &w);
    if (form.exec() != QDialog::Accepted)
        return;
    if (std::optional<Pages> pages =
            w.m_payments.reconciliation(client, form.from(), form.to(), w.m_owner.record()))
        showOrPrint(std::move(*pages), QStringLiteral("ReconciliationBlank"), form.preview());
}

void DocumentsView::writeDebtors()
{
    DebtorsForm form(w.m_payments, w.m_programFolder, &w);
    form.exec();
    if (!form.writtenFile().isEmpty())
        w.say([file = form.writtenFile(), lines = form.writtenLines()] {
            return TBuhForm::tr("Должники записаны в файл %1: строк %2.")
                .arg(QDir::toNativeSeparators(file))
                .arg(lines);
        });
}

void DocumentsView::showStored(DBGrid* list, const char* numberColumn, int number)
{
    w.ReconnectAndRefresh();
    const SqlListModel* model = list->listModel();
    list->moveTo(numberColumn ? model->findFirst(QLatin1String(numberColumn), number)
                              : model->rowOfKey(number));
    updateCommands();
    w.sayBook();
}

void DocumentsView::showOrPrint(Pages pages, const QString& holderName, bool preview)
{
    m_holder.reset(); // before the new one, so that a lookup by name finds the blank in hand
    m_holder = std::make_unique<ReportHolder>(std::move(pages), holderName, &w);
    ReportHolder* holder = m_holder.get();
    if (preview) {
        holder->Preview(&w, w.m_prompter);
        return;
    }
    switch (holder->Print(&w)) {
    case PrintOutcome::NoPrinter:
        // Without a printer the preview is the way to a PDF.
        w.m_prompter->error(
            TBuhForm::tr("Принтер не найден. Документ можно сохранить в PDF из окна просмотра."));
        holder->Preview(&w, w.m_prompter);
        break;
    case PrintOutcome::Failed:
        w.m_prompter->error(PrintFailedText());
        break;
    case PrintOutcome::Printed:
    case PrintOutcome::Cancelled:
        break;
    }
}

void DocumentsView::editDocument(EditorCommand command)
{
    const bool invoice = command == EditorCommand::NewInvoice || command == EditorCommand::CopyInvoice ||
                         command == EditorCommand::EditInvoice;
    DBGrid* list = invoice ? ui->DBGrid3 : ui->DBGrid6;
    const std::optional<InvoiceDraft> draft =
        w.m_documents.openEditor(command, list->currentRow(), w.m_settings, QDate::currentDate());
    if (!draft)
        return;
    TNewFactForm editor(*draft, w.m_documents, w.m_settings, m_tovarForm, w.m_prompter, &w);
    connect(&editor, &TNewFactForm::precisionRaised, this, [this](const Settings& raised) {
        w.m_settings.price = raised.price;
        w.m_settings.goods = raised.goods;
        QString error;
        if (!WriteSettings(w.m_settings, w.m_programFolder, &error))
            w.m_prompter->error(error);
        w.applyPrecision();
    });
    if (editor.exec() == QDialog::Accepted)
        showStored(list, nullptr, editor.storedNumber());
}

void DocumentsView::issueWaybill(WaybillKind kind, bool forReceipt)
{
    const DBGrid* source = forReceipt ? ui->DBGrid6 : ui->DBGrid3;
    const std::optional<WaybillDraft> draft =
        w.m_documents.openWaybill(kind, forReceipt, source->currentRow(), QDate::currentDate());
    if (!draft)
        return;
    WaybillForm form(*draft, w.m_documents, w.m_prompter, &w);
    if (form.exec() == QDialog::Accepted)
        showStored(kind == WaybillKind::Expense ? ui->DBGrid5 : ui->DBGrid4, "NAKL_NUMBER",
                   form.storedNumber());
}

void DocumentsView::findDocument()
{
    TFindForm2 dialog(w.m_documents.lastFindNumber(), w.m_documents.lastFindList(), &w);
    if (dialog.exec() != QDialog::Accepted)
        return;
    DocumentsController::FoundRows found = w.m_documents.findDocument(dialog.number(), dialog.list());
    if (found.client > 0 && w.clientRegister().rowOfId(found.client) >= 0) {
        w.m_clientsView->settleEdits();
        w.m_clientsView->locate(found.client);
        showClientDocuments();
        found = w.m_documents.findDocument(dialog.number(), dialog.list());
    }
    const std::pair<DBGrid*, int> moves[] = {{ui->DBGrid3, found.invoice},
                                             {ui->DBGrid6, found.receipt},
                                             {ui->DBGrid5, found.expense},
                                             {ui->DBGrid4, found.tax},
                                             {ui->DBGrid7, found.act}};
    for (const auto& [grid, row] : moves)
        if (row >= 0)
            grid->moveTo(row);
    const QString searched = dialog.list() == 0   ? w.documentLists().invoiceCaption()
                             : dialog.list() == 1 ? w.documentLists().expenseCaption()
                             : dialog.list() == 2 ? w.documentLists().taxCaption()
                                                  : w.documentLists().actCaption();
    const int foundRow = dialog.list() == 0   ? found.invoice
                         : dialog.list() == 1 ? found.expense
                         : dialog.list() == 2 ? found.tax
                                              : found.act;
    if (foundRow >= 0)
        w.sayBook();
    else
        w.say([number = dialog.number(), searched] {
            return DocumentNotFoundText(number, searched.trimmed());
        });
}

TDataForm& DocumentsView::dataForm()
{
    // Made when first asked for: most sessions never open it, and its date fields cost a start.
    if (!m_dataForm)
        m_dataForm = new TDataForm(w.m_prompter, &w);
    return *m_dataForm;
}

void DocumentsView::writeRegister(RegisterKind kind)
{
    TDataForm& period = dataForm();
    period.prepareForRegister(QDir(w.m_programFolder).filePath(RegisterFileName(kind)));
    if (period.exec() != QDialog::Accepted)
        return;
    if (const std::optional<int> lines =
            w.m_documents.writeRegister(kind, period.from(), period.to(), period.fileName()))
        w.say([file = period.fileName(), lines = *lines] {
            return TBuhForm::tr("Журнал записан в файл %1: строк %2.")
                .arg(QDir::toNativeSeparators(file))
                .arg(lines);
        });
}

void DocumentsView::filterByPeriod()
{
    const InvoiceFilter& filter = w.documentLists().invoiceFilter();
    ui->N30->setChecked(filter.byDate); // the mark follows the filter, not the click
    TDataForm& period = dataForm();
    period.prepareForFilter();
    if (filter.byNumber)
        period.setPeriod(filter.from, filter.to);
    if (period.exec() != QDialog::Accepted)
        return;
    w.documentLists().filterByPeriod(period.from(), period.to());
    showInvoiceFilter();
}

void DocumentsView::filterByNumbers()
{
    const InvoiceFilter& filter = w.documentLists().invoiceFilter();
    ui->N31->setChecked(filter.byNumber);
    m_numbersForm->setRange(filter.numberFrom, filter.numberTo);
    if (m_numbersForm->exec() != QDialog::Accepted)
        return;
    w.documentLists().filterByNumbers(m_numbersForm->from(), m_numbersForm->to());
    showInvoiceFilter();
}

void DocumentsView::clearFilters()
{
    w.documentLists().clearInvoiceFilters();
    showInvoiceFilter();
}

void DocumentsView::showInvoiceFilter()
{
    const InvoiceFilter& filter = w.documentLists().invoiceFilter();
    ui->N30->setChecked(filter.byDate);
    ui->N31->setChecked(filter.byNumber);
    ui->UnpaidOnly->setChecked(filter.unpaid);
    ui->N32->setEnabled(filter.active());
    showCaptions();
    ui->DBGrid3->moveTo(ui->DBGrid3->model()->rowCount() - 1);
}
