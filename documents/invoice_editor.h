#pragma once

#include "base/number_format.h"
#include "base/settings.h"
#include "db/rows.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TDM;

// One position as the editor shows it: the name in two lines of at most 35 characters, the unit, the
// quantity and the unit price.
struct DraftPosition {
    QString line1, line2, measure;
    double count = 0;
    double price = 0;
    // A receipt joins its two lines with a blank; a name read back without that blank keeps its text.
    bool blankBetween = true;
    bool operator==(const DraftPosition&) const = default;
};

// What the invoice and receipt editor holds: the document and the payer's details.
struct InvoiceDraft {
    bool isInvoice = true;
    bool isNew = true;
    int number = 0;         // the invoice number (NoFact1); a receipt's number once it has one
    int originalNumber = 0; // the stored row an edit replaces
    int proposedNumber = 0; // the number a new invoice was offered; another is taken if someone took it
    std::optional<InvoiceRow> original; // an edit's row as it was read, to tell another user's change
    QString dopNo;
    QDate date;
    std::array<DraftPosition, 4> positions;
    QString payerName; // NameEd
    QString dogNumber, taxCode, regNumber, dogDate, lawAddress;
    bool withNds = false;
    bool advertisingTax = false;
    bool operator==(const InvoiceDraft&) const = default;
};

enum class EditorCommand { NewInvoice, CopyInvoice, EditInvoice, NewReceipt, CopyReceipt, EditReceipt };

inline constexpr int kLineLength = 35;

// The draft a command opens with: the payer from the client row, the positions (and for an edit the
// number, date and payer name) from the selected document, the advertising-tax box from the settings.
InvoiceDraft OpenDraft(EditorCommand command, const ClientRow& client, const InvoiceRow* selected,
                       int nextInvoiceNumber, double advertisingTaxPercent, const QDate& today);

// A stored name in its two lines: characters 1 to 35, and 36 on (a receipt's joining blank dropped).
DraftPosition SplitName(const QString& name, bool invoice);
// The stored name of a position. An invoice's first line shorter than 35 characters is padded to 36
// when a second line follows (PadFirstLines does the same to the draft, as the editor shows it).
QString JoinedName(const DraftPosition& position, bool invoice);
void PadFirstLines(InvoiceDraft& draft);

// Why a number typed into position n's quantity or price cannot be stored, naming the field and the
// precision setting it must keep to; empty when it can.
QString PositionNumberProblem(TypedNumber problem, int position, bool count, const QString& text, int places);
// For a figure with more decimals than its setting allows, when a setting can hold them: the decimals to
// raise the quantity (count) or price setting to, and the question offering it after the problem.
struct PrecisionOffer {
    int places = 0;
    QString question;
};
std::optional<PrecisionOffer> RaisePrecisionOffer(int position, bool count, const QString& text, int places);

// A price that includes VAT at the given percent, without it.
double NetOfVat(double grossPrice, int vatPercent);

// Stores the document in one step: a new row, or the edited one in place; nothing of it when anything
// fails. The number it is stored under: a new receipt gets the next receipt number, and a new invoice
// whose offered number another writer has taken meanwhile the next free one. Throws DbError, also for an
// invoice number below 1 or one typed that is taken, and for an edit of a row that someone else changed
// or deleted since it was opened.
int StoreDraft(TDM& dm, const InvoiceDraft& draft, int clientId, const Settings& settings);

// The payer's details typed in the editor into the client's row; throws DbError (a date that is no date
// included). An empty date text clears the date.
void StorePayerDetails(TDM& dm, int clientId, const InvoiceDraft& draft);

// A number as the goods picker reads prices: "." or else "," separates the decimals; no sign or exponent;
// anything else in the text gives 0.
double ParseDecimalText(const QString& text);

// The goods picker's items, alphabetically: the name, three blanks, "Цена: " and the price with the
// price decimals.
QStringList GoodsPickerItems(const TDM& dm, int pricePlaces);
// A picked item as a position: the name in two lines, and the price when the text carries one.
struct PickedGoods {
    QString line1, line2;
    std::optional<double> price;
};
PickedGoods ParsePickedText(const QString& text);

// A position into the goods list: the two lines joined, cut to 70 characters, and the price as entered.
void StoreGoods(TDM& dm, const DraftPosition& position);
