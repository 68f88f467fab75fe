#include "app/command_support.h"

#include "base/prompter.h"
#include "clients/client_export.h"
#include "clients/client_register.h"
#include "db/data_module.h"

#include <QCommandLineParser>

namespace Cli {

// Appends the client list as the export dialog does, for the fields in the order given.
int exportClients(const QCommandLineParser& parser, const Invocation& inv, Prompter& prompter)
{
    std::vector<ExportColumn> columns;
    for (const QString& item :
         optionValue(parser, QStringLiteral("fields")).split(u',', Qt::SkipEmptyParts)) {
        const int field = exportFieldOfColumn(item.section(u':', 0, 0).trimmed());
        bool ok = field >= 0;
        int width = ok ? exportFields()[std::size_t(field)].defaultWidth : 0;
        if (ok && item.contains(u':')) {
            width = item.section(u':', 1).trimmed().toInt(&ok);
            ok = ok && width >= 0 && width <= kMaxExportWidth;
        }
        if (!ok) {
            printErr(
                QStringLiteral("--fields: \"%1\" is not a client field (FIRMNAME, CITY, ...) with a width "
                               "from 0 to %2")
                    .arg(item)
                    .arg(kMaxExportWidth));
            return ExitUsage;
        }
        columns.push_back({field, width});
    }
    if (columns.empty()) {
        printErr(QStringLiteral("export-clients: --fields NAME[:WIDTH],... is expected"));
        return ExitUsage;
    }
    const QString sort = parser.isSet(QStringLiteral("sort")) ? optionValue(parser, QStringLiteral("sort"))
                                                              : QStringLiteral("FIRMA");
    if (!sortIndexNames().contains(sort)) {
        printErr(
            QStringLiteral("--sort: one of %1 is expected").arg(sortIndexNames().join(QStringLiteral(", "))));
        return ExitUsage;
    }
    const auto filterValue = [&parser](const QString& name) {
        return parser.isSet(name) ? std::optional(optionValue(parser, name)) : std::nullopt;
    };
    const std::optional<QString> name = filterValue(QStringLiteral("name"));
    const std::optional<QString> city = filterValue(QStringLiteral("city"));
    const QString file = outputFile(parser, inv, ClientListFileName());
    if (file.isEmpty())
        return ExitUsage;
    const bool sheet = spreadsheetOutput(parser, file);
    return writeFromBook(inv, prompter, [&](TDM& dm, QString* error) {
        const ListQuery clients = ListQueries::clients(dm.dialect(), name, city, sort);
        return sheet ? WriteClientListSheet(dm, clients, columns, file, error)
                     : AppendClientList(dm, clients, columns, file, error);
    });
}

} // namespace Cli
