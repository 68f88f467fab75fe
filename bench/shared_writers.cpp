// One of several programs storing invoices into one book at once, through the editor's own writer.
//   shared_writers write FOLDER BOOK WRITER COUNT OUT   stores COUNT invoices as writer WRITER (BOOK "" is
//   the
//                                                      SQLite file of FOLDER); OUT gets "number microseconds"
//   shared_writers check FOLDER BOOK OUT...            every stored number once, each invoice readable and
//                                                      the writer's own; the times' median and 99th
//                                                      percentile
#include "db/data_module.h"
#include "db/driver.h"
#include "documents/invoice_editor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

int write(const QString& folder, const QString& book, int writer, int count, const QString& out)
{
    TDM dm;
    dm.connect(folder, book);
    const ClientRow client = *dm.ReadClient(2);
    Settings settings;
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextStream lines(&file);
    int busy = 0;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        // As the editor does: the number offered when it opens, the invoice stored when OK is pressed.
        InvoiceDraft d =
            OpenDraft(EditorCommand::NewInvoice, client, nullptr, dm.NextFactNumber(), 0, QDate(2026, 12, 7));
        d.positions[0] = {QStringLiteral("Цемент М500"), QString(), QStringLiteral("міш"),
                          double(writer * 1000000 + i), 100};
        int number = 0;
        // A bookkeeper told the book is busy presses OK again; the time counts every try.
        for (;;) {
            try {
                number = StoreDraft(dm, d, 2, settings);
                break;
            } catch (const DbError& e) {
                if (!e.isBusy())
                    throw;
                ++busy;
            }
        }
        lines << number << ' ' << timer.nsecsElapsed() / 1000 << '\n';
    }
    if (busy > 0)
        std::fprintf(stderr, "writer %d: told %d times that the book was busy, stored on the next try\n",
                     writer, busy);
    return 0;
}

int check(const QString& folder, const QString& book, const QStringList& outs)
{
    TDM dm;
    dm.connect(folder, book);
    std::set<int> numbers;
    std::vector<qint64> times;
    int lost = 0, doubled = 0, foreign = 0;
    for (int writer = 0; writer < int(outs.size()); ++writer) {
        QFile file(outs[writer]);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        for (int i = 0; !file.atEnd(); ++i) {
            const QList<QByteArray> parts = file.readLine().trimmed().split(' ');
            const int number = parts.value(0).toInt();
            times.push_back(parts.value(1).toLongLong());
            if (!numbers.insert(number).second)
                ++doubled;
            const std::optional<InvoiceRow> row = dm.ReadDocument(number);
            if (!row)
                ++lost;
            else if (row->positions[0].count != double(writer * 1000000 + i))
                ++foreign;
        }
    }
    const int rows = scalar(ConnectionOf(dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt();
    std::sort(times.begin(), times.end());
    const auto at = [&times](double share) {
        return times.empty() ? 0.0 : times[std::size_t(share * double(times.size() - 1))] / 1000.0;
    };
    std::printf("stored %zu, rows %d, lost %d, doubled %d, not the writer's %d; per invoice: median %.2f ms, "
                "99th percentile %.2f ms, slowest %.2f ms\n",
                times.size(), rows, lost, doubled, foreign, at(0.5), at(0.99), at(1.0));
    return lost == 0 && doubled == 0 && foreign == 0 && rows == int(times.size()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 7 && args[1] == QLatin1String("write"))
            return write(args[2], args[3], args[4].toInt(), args[5].toInt(), args[6]);
        if (args.size() >= 5 && args[1] == QLatin1String("check"))
            return check(args[2], args[3], args.mid(4));
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.fullText().toUtf8().constData());
        return 1;
    }
    std::fputs("usage: shared_writers write FOLDER BOOK WRITER COUNT OUT | check FOLDER BOOK OUT...\n",
               stderr);
    return 2;
}
