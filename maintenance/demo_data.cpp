#include "maintenance/demo_data.h"

#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

namespace {

// splitmix64: the same numbers on every platform and compiler, unlike the standard distributions.
class Random {
public:
    explicit Random(quint64 seed)
        : m_state(seed)
    {
    }
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }
    QString digits(int count)
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + below(10));
        return s;
    }

private:
    quint64 m_state;
};

struct City {
    const char16_t* name;
    const char16_t* region;
    const char16_t* phoneCode;
    const char16_t* postCode;
};

const City kCities[] = {
    {u"Київ", u"Київська", u"044", u"01"},
    {u"Харків", u"Харківська", u"057", u"61"},
    {u"Одеса", u"Одеська", u"048", u"65"},
    {u"Дніпро", u"Дніпропетровська", u"056", u"49"},
    {u"Львів", u"Львівська", u"032", u"79"},
    {u"Запоріжжя", u"Запорізька", u"061", u"69"},
    {u"Вінниця", u"Вінницька", u"0432", u"21"},
    {u"Полтава", u"Полтавська", u"0532", u"36"},
    {u"Чернігів", u"Чернігівська", u"0462", u"14"},
    {u"Черкаси", u"Черкаська", u"0472", u"18"},
    {u"Житомир", u"Житомирська", u"0412", u"10"},
    {u"Суми", u"Сумська", u"0542", u"40"},
    {u"Рівне", u"Рівненська", u"0362", u"33"},
    {u"Івано-Франківськ", u"Івано-Франківська", u"0342", u"76"},
    {u"Тернопіль", u"Тернопільська", u"0352", u"46"},
    {u"Луцьк", u"Волинська", u"0332", u"43"},
    {u"Ужгород", u"Закарпатська", u"0312", u"88"},
    {u"Хмельницький", u"Хмельницька", u"0382", u"29"},
    {u"Кропивницький", u"Кіровоградська", u"0522", u"25"},
    {u"Миколаїв", u"Миколаївська", u"0512", u"54"},
    {u"Чернівці", u"Чернівецька", u"0372", u"58"},
    {u"Біла Церква", u"Київська", u"04563", u"09"},
    {u"Кременчук", u"Полтавська", u"0536", u"39"},
    {u"Кривий Ріг", u"Дніпропетровська", u"056", u"50"},
    {u"Бровари", u"Київська", u"04594", u"07"},
    {u"Кам'янець-Подільський", u"Хмельницька", u"03849", u"32"},
};

const char16_t* const kStreets[] = {
    u"вул. Шевченка",
    u"вул. Івана Франка",
    u"вул. Лесі Українки",
    u"вул. Грушевського",
    u"вул. Соборна",
    u"просп. Незалежності",
    u"вул. Садова",
    u"вул. Центральна",
    u"просп. Миру",
    u"вул. Київська",
    u"вул. Богдана Хмельницького",
    u"вул. Сковороди",
    u"вул. Заводська",
    u"вул. Промислова",
    u"вул. Героїв Дніпра",
    u"вул. Вокзальна",
    u"вул. Пушкінська",
    u"вул. Котляревського",
    u"вул. Набережна",
    u"бульв. Дружби",
};

const char16_t* const kSurnames[] = {
    u"Коваленко", u"Шевчук",   u"Бондаренко", u"Ткаченко",   u"Кравченко", u"Мельник",  u"Олійник",
    u"Шевченко",  u"Бойко",    u"Лисенко",    u"Петренко",   u"Савченко",  u"Руденко",  u"Марченко",
    u"Поліщук",   u"Клименко", u"Павленко",   u"Гончаренко", u"Кузьменко", u"Левченко", u"Мороз",
    u"Сидоренко", u"Яковенко", u"Романенко",  u"Остапчук",   u"Дмитренко", u"Гнатюк",   u"Білик",
};
const char16_t kInitials[] = u"АБВГДЄЗІКЛМНОПРСТЮЯ";

const char16_t* const kFirmForms[] = {u"ТОВ", u"ТОВ", u"ТОВ", u"ПП", u"ПрАТ", u"ПАТ", u"ДП", u"ФОП"};
const char16_t* const kNameStarts[] = {
    u"Агро",   u"Буд",   u"Тех", u"Енерго", u"Мет",    u"Хім",    u"Торг",    u"Пром",     u"Еко",
    u"Авто",   u"Транс", u"Мед", u"Інвест", u"Дніпро", u"Карпат", u"Поділля", u"Слобожан", u"Полісся",
    u"Таврія", u"Галич", u"Укр", u"Світ",   u"Зерно",  u"Ліс",    u"Степ",    u"Світло",   u"Альфа",
};
const char16_t* const kNameEnds[] = {
    u"сервіс", u"постач", u"трейд", u"інвест", u"комплекс", u"груп",    u"союз", u"маркет",
    u"світ",   u"лайн",   u"пром",  u"збут",   u"ресурс",   u"техніка", u"буд",  u"склад",
};
const char16_t* const kBanks[] = {
    u"АТ КБ \"ПриватБанк\"", u"АТ \"Ощадбанк\"",   u"АТ \"Райффайзен Банк\"", u"АТ \"Укрексімбанк\"",
    u"АТ \"ПУМБ\"",          u"АБ \"Укргазбанк\"", u"АТ \"ОТП Банк\"",        u"АТ \"Креді Агріколь Банк\""};

struct Goods {
    const char16_t* name;
    const char16_t* unit; // empty: a lump-sum position
    int priceKopecks;
};

const Goods kGoods[] = {
    {u"Цемент М-500", u"міш", 18500},
    {u"Пісок річковий", u"т", 62000},
    {u"Щебінь гранітний фр. 5-20", u"т", 98000},
    {u"Цегла рядова М-150", u"шт", 780},
    {u"Газоблок 600x300x200", u"шт", 6450},
    {u"Арматура А500С d12", u"т", 2850000},
    {u"Труба профільна 40x20", u"м", 11200},
    {u"Лист оцинкований 0,5 мм", u"м2", 21400},
    {u"Фарба фасадна біла", u"л", 13900},
    {u"Ґрунтовка глибокого проникнення", u"л", 4800},
    {u"Плитка керамічна 30x30", u"м2", 32500},
    {u"Клей для плитки", u"міш", 24800},
    {u"Гіпсокартон 12,5 мм", u"шт", 23900},
    {u"Профіль CD-60", u"шт", 8900},
    {u"Саморізи 3,5x25", u"уп", 6700},
    {u"Кабель ВВГ 3x2,5", u"м", 4250},
    {u"Автоматичний вимикач 16А", u"шт", 14800},
    {u"Розетка подвійна", u"шт", 9600},
    {u"Лампа світлодіодна 10 Вт", u"шт", 5400},
    {u"Папір офісний А4", u"пач", 21500},
    {u"Картридж для принтера", u"шт", 89000},
    {u"Олія соняшникова рафінована", u"л", 6900},
    {u"Борошно пшеничне вищого ґатунку", u"кг", 2100},
    {u"Цукор білий", u"кг", 3400},
    {u"Крупа гречана", u"кг", 5200},
    {u"Макаронні вироби", u"кг", 4300},
    {u"Мило господарське", u"шт", 1850},
    {u"Засіб мийний", u"л", 5600},
    {u"Рукавички робочі", u"пар", 2400},
    {u"Мішки поліпропіленові", u"шт", 650},
    {u"Дизельне паливо", u"л", 5490},
    {u"Масло моторне 10W-40", u"л", 23900},
    {u"Шини 205/55 R16", u"шт", 285000},
    {u"Акумулятор 60 Аг", u"шт", 312000},
    {u"Доставка товару", u"", 120000},
    {u"Вантажно-розвантажувальні роботи", u"", 45000},
    {u"Монтажні роботи", u"", 250000},
    {u"Консультаційні послуги", u"", 180000},
};

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}

QString person(Random& rnd)
{
    return str(rnd.pick(kSurnames)) + u' ' + QChar(kInitials[rnd.below(19)]) + u'.' +
           QChar(kInitials[rnd.below(19)]) + u'.';
}

const char16_t* const kNameQualifiers[] = {u"Плюс",  u"Груп",     u"Україна", u"Схід",
                                           u"Захід", u"Центр",    u"Південь", u"Північ",
                                           u"Інтер", u"Трейдінг", u"Компані", u"Про"};

QString firmName(Random& rnd)
{
    const QString form = str(rnd.pick(kFirmForms));
    if (form == u"ФОП")
        return form + u' ' + person(rnd);
    QString name = str(rnd.pick(kNameStarts)) + str(rnd.pick(kNameEnds));
    if (rnd.chance(40))
        name += u' ' + str(rnd.pick(kNameQualifiers));
    if (rnd.chance(35))
        name += u'-' + QString::number(rnd.between(1, 99));
    return form + QStringLiteral(" \"") + name + u'"';
}

QString address(Random& rnd, const City& city)
{
    return str(city.postCode) + rnd.digits(3) + QStringLiteral(", м. ") + str(city.name) +
           QStringLiteral(", ") + str(rnd.pick(kStreets)) + QStringLiteral(", ") +
           QString::number(rnd.between(1, 180));
}

QString phone(Random& rnd, const City& city)
{
    const QString code = str(city.phoneCode);
    const QString local = rnd.digits(10 - int(code.size()));
    return u'(' + code + QStringLiteral(") ") + local.left(local.size() - 4) + u'-' +
           local.mid(local.size() - 4, 2) + u'-' + local.right(2);
}

ClientRow inventFirm(Random& rnd, const City& city)
{
    ClientRow c;
    c.FIRMNAME = firmName(rnd);
    c.CHIEF = person(rnd);
    c.BUHALTER = person(rnd);
    c.TELFAX = phone(rnd, city);
    c.CITY = str(city.name);
    c.REGION = str(city.region);
    c.POSTADDRESS = address(rnd, city);
    c.LAWADDRESS = rnd.chance(70) ? c.POSTADDRESS : address(rnd, city);
    c.TAXCODE = rnd.digits(12);
    c.MFOCODE = QStringLiteral("3") + rnd.digits(5);
    c.OKPOCODE = rnd.digits(8);
    c.REGNUMBER = rnd.digits(9);
    c.BANKNAME = str(rnd.pick(kBanks));
    c.BANKCITY = c.CITY;
    c.CHETNUMBER = QStringLiteral("2600") + rnd.digits(10);
    c.BANKREGION = c.REGION;
    return c;
}

const QDate kFirstDocumentDate{2025, 1, 2};
const QDate kLastDocumentDate{2026, 11, 30};

// What a waybill takes from an invoice it names.
struct NamedInvoice {
    int number;
    QString suffix;
    QDate date;
    int vatRate;
    double advertisingRate;
    int positions;
};

// The rows of an expense waybill's blank.
constexpr int kWaybillRows = 8;

QString invoiceList(const std::vector<NamedInvoice>& invoices, const QString& prefix, bool withSuffix)
{
    QStringList parts;
    for (const NamedInvoice& f : invoices)
        parts << QString::number(f.number) + (withSuffix ? f.suffix : QString());
    return prefix + parts.join(u',');
}

struct Contract {
    QString number;
    QDate date;
};

} // namespace

namespace {

// A receipt waiting for its turn: receipts are numbered in date order, and each is dated up to
// kReceiptDelay days after its invoice, so only the last few weeks' receipts are ever held.
struct PendingReceipt {
    InvoiceRow row;
    qint64 sequence;
    // Later in the queue: a later date, or the same date written later.
    bool operator<(const PendingReceipt& other) const
    {
        return row.FACT_DATA != other.row.FACT_DATA ? row.FACT_DATA > other.row.FACT_DATA
                                                    : sequence > other.sequence;
    }
};
constexpr int kReceiptDelay = 20;

// The invoices of one client not yet named by a waybill, and how many the next waybill will name.
struct ClientState {
    QString name;
    Contract contract;
    std::vector<NamedInvoice> open;
    std::size_t groupSize = 1;
    QString chief;
};

const char16_t* const kServices[] = {
    u"Консультаційні послуги з питань бухгалтерського обліку",
    u"Технічне обслуговування комп'ютерної техніки та оргтехніки",
    u"Прибирання офісних приміщень",
    u"Транспортно-експедиційні послуги",
    u"Супровід та оновлення веб-сайту замовника",
    u"Охорона об'єкта замовника",
};

// Some clients are served month by month or quarter by quarter; each such period closes with an act,
// dated in the first days of the next month. A generator of its own leaves the rest of the book as it was.
void writeActs(const TDM& dm, const std::vector<ClientState>& clients, quint64 seed, DemoSummary& summary)
{
    Random rnd(seed ^ 0xAC75AC75AC75AC75ULL);
    TableRows acts(dm, Tables::acts());
    struct Served {
        int client;
        bool quarterly;
        int vatRate;
        QString service;
        double monthly;
    };
    std::vector<Served> served;
    for (int i = 0; i < int(clients.size()); ++i)
        if (i % 15 == 3 || clients.size() < 4) {
            const int rates[] = {20, 20, 7, 0};
            served.push_back({i, rnd.chance(35), rates[rnd.below(4)], str(rnd.pick(kServices)),
                              rnd.between(150000, 6000000) / 100.0});
        }
    // Periods in date order, so the numbers run with the dates.
    for (QDate month(kFirstDocumentDate.year(), kFirstDocumentDate.month(), 1); month < kLastDocumentDate;
         month = month.addMonths(1))
        for (const Served& s : served) {
            const bool quarterEnd = month.month() % 3 == 0;
            if (s.quarterly && !quarterEnd)
                continue;
            const QDate date = month.addMonths(1).addDays(rnd.below(5));
            if (date > kLastDocumentDate)
                continue;
            ActDraft a;
            a.number = ++summary.acts;
            a.date = date;
            a.period = {s.quarterly ? 12 + month.month() / 3 : month.month(), month.year()};
            a.kindOfWork = s.service;
            a.sum = std::round(s.monthly * (s.quarterly ? 3 : 1) * rnd.between(95, 110)) / 100.0;
            a.vatRate = s.vatRate;
            a.representative = clients[std::size_t(s.client)].chief;
            acts.append({a.number, dateToDb(a.date), a.period.year, a.sum, a.period.month, 2 + s.client,
                         a.kindOfWork, a.vatRate, a.representative});
        }
}

// Streams the documents into the tables in date order, so memory does not grow with the book.
class DocumentWriter {
public:
    DocumentWriter(const TDM& dm, Random& rnd, DemoSummary& summary)
        : m_rnd(rnd)
        , m_summary(summary)
        , m_factures(dm, Tables::factures())
        , m_expense(dm, Tables::nakladn1())
        , m_tax(dm, Tables::nakladn2())
    {
    }

    void addInvoice(const InvoiceRow& f, ClientState& client)
    {
        releaseReceiptsUpTo(f.FACT_DATA);
        m_factures.append(toValues(f));
        ++m_summary.invoices;
        if (m_rnd.chance(25)) {
            InvoiceRow r = f;
            r.FACT_DOPNO.clear();
            r.FACT_NR = 0;
            r.FACT_DATA = std::min(f.FACT_DATA.addDays(m_rnd.between(0, kReceiptDelay)), kLastDocumentDate);
            m_pending.push({r, m_sequence++});
        }
        // Consecutive invoices of one client go onto one waybill, one to three at a time.
        const int positions = int(std::count_if(f.positions.begin(), f.positions.end(),
                                                [](const Position& p) { return p.price != 0; }));
        client.open.push_back({f.FACT_NUMBER, f.FACT_DOPNO, f.FACT_DATA, f.FACT_NDS, f.FACT_NR, positions});
        if (client.open.size() >= client.groupSize) {
            addInvoiceWaybills(client, f.ID_NUMBER);
            client.open.clear();
            client.groupSize = std::size_t(m_rnd.between(1, 3));
        }
    }

    // The last invoices of a client may still wait for their waybills, as in a real book.
    void finish() { releaseReceiptsUpTo(kLastDocumentDate.addDays(kReceiptDelay + 1)); }

private:
    void releaseReceiptsUpTo(const QDate& date)
    {
        // Every receipt still to come is dated on or after the invoice being written.
        while (!m_pending.empty() && m_pending.top().row.FACT_DATA <= date) {
            InvoiceRow r = m_pending.top().row;
            m_pending.pop();
            r.FACT_NUMBER = -++m_summary.receipts;
            m_factures.append(toValues(r));
            if (m_rnd.chance(10)) {
                TaxWaybillRow w;
                w.NAKL_DATA = r.FACT_DATA;
                w.FACT1_NUMBER = r.FACT_NUMBER;
                w.NAME_CLIENT = r.NAME_OWNER;
                w.OPLATA_TYPE = QStringLiteral("оплата з розр./ рах. ");
                w.INFO = QStringLiteral("проплата от ") + r.FACT_DATA.toString(QStringLiteral("dd.MM.yyyy"));
                w.ID_NUMBER = r.ID_NUMBER;
                writeTax(w);
            }
        }
    }

    void addInvoiceWaybills(const ClientState& client, int clientId)
    {
        const std::vector<NamedInvoice>& named = client.open;
        std::vector<int> numbers;
        for (const NamedInvoice& f : named)
            numbers.push_back(f.number);
        numbers.resize(3, 0);
        const QDate last = named.back().date;
        // A waybill is written only where its blank takes it: one VAT rate (an expense waybill one
        // advertising tax too) and the rows of the expense blank, the smaller one.
        int rows = 0;
        bool oneRate = true, oneTax = true;
        for (const NamedInvoice& f : named) {
            rows += f.positions;
            oneRate = oneRate && f.vatRate == named.front().vatRate;
            oneTax = oneTax && f.advertisingRate == named.front().advertisingRate;
        }
        const bool prints = oneRate && rows <= kWaybillRows;
        if (m_rnd.chance(55)) {
            ExpenseWaybillRow w;
            w.NAKL_DATA = last;
            w.INFO = invoiceList(named, QStringLiteral("р/ф № "), false);
            w.FACT1_NUMBER = numbers[0];
            w.FACT2_NUMBER = numbers[1];
            w.FACT3_NUMBER = numbers[2];
            w.NAME_CLIENT = person(m_rnd);
            w.DOV_NUMBER = m_rnd.between(1, 999);
            w.DOV_SERIE = QStringLiteral("ЯПЧ");
            w.DOV_DATA = last.addDays(-m_rnd.below(5));
            w.ID_NUMBER = clientId;
            if (prints && oneTax) {
                w.NAKL_NUMBER = ++m_summary.expenseWaybills;
                m_expense.append(toValues(w));
            }
        }
        if (m_rnd.chance(65)) {
            TaxWaybillRow w;
            w.NAKL_DATA = last;
            w.FACT1_NUMBER = numbers[0];
            w.FACT2_NUMBER = numbers[1];
            w.FACT3_NUMBER = numbers[2];
            w.NAME_CLIENT = client.name;
            w.OPLATA_TYPE = QStringLiteral("оплата з розр./ рах. ");
            if (client.contract.number.isEmpty())
                w.INFO = invoiceList(named, QStringLiteral("р/ф № "), true);
            else
                w.INFO = QStringLiteral("договір № ") + client.contract.number + QStringLiteral(" від ") +
                         client.contract.date.toString(QStringLiteral("dd.MM.yyyy")) +
                         invoiceList(named, QStringLiteral("( р/ф № "), true) + u')';
            w.ID_NUMBER = clientId;
            if (prints)
                writeTax(w);
        }
    }

    void writeTax(TaxWaybillRow& w)
    {
        w.NAKL_NUMBER = ++m_summary.taxWaybills;
        m_tax.append(toValues(w));
    }

    Random& m_rnd;
    DemoSummary& m_summary;
    TableRows m_factures, m_expense, m_tax;
    std::priority_queue<PendingReceipt> m_pending;
    qint64 m_sequence = 0;
};

} // namespace

DemoSummary FillDemoData(TDM& dm, const DemoOptions& options)
{
    Random rnd(options.seed);
    DemoSummary summary;
    // Every row below is cut to its columns as it is bound.
    InBulkWriteTurn(dm, [&] {
        // The book is locked before it is found empty: two runs at once never both fill it.
        if (!IsDatabaseEmpty(dm))
            throw DbError(QCoreApplication::translate(
                "Demo",
                "База данных уже содержит клиентов или документы: демонстрационные данные не добавлены."));

        // The owner is a Kyiv trading house with the same kind of details as its clients.
        ClientRow self = inventFirm(rnd, kCities[0]);
        self.FIRMNAME = QStringLiteral("ТОВ \"Торговий дім Дніпро-Постач\"");
        self.LAWADDRESS = self.POSTADDRESS;
        OwnerRecord owner;
        for (const OwnerRecord::Field& f : OwnerRecord::fields())
            for (const ClientRow::Field& c : ClientRow::textFields())
                if (qstrcmp(f.column, c.column) == 0)
                    owner.*f.member = self.*c.member;
        dm.SaveOwnerRecord(owner);

        {
            TableRows products(dm, Tables::products());
            for (const Goods& g : kGoods) {
                products.append({QVariant(), str(g.name), g.priceKopecks / 100.0});
                ++summary.products;
            }
        }

        std::vector<ClientState> clients;
        {
            TableRows inserter(dm, Tables::clients());
            const int firstId = dm.NextClientNumber();
            for (int i = 0; i < options.clients; ++i) {
                ClientRow c = inventFirm(rnd, rnd.pick(kCities));
                c.ID_NUMBER = firstId + i;
                if (rnd.chance(60)) {
                    c.DOGDATA = QDate(2023, 1, 1).addDays(rnd.below(700));
                    c.DOGNUMBER = QString::number(rnd.between(1, 250)) + u'/' +
                                  c.DOGDATA.toString(QStringLiteral("yy"));
                }
                inserter.append(toValues(c));
                clients.push_back(
                    {c.FIRMNAME, {c.DOGNUMBER, c.DOGDATA}, {}, std::size_t(rnd.between(1, 3)), c.CHIEF});
                ++summary.clients;
            }
        }

        if (!clients.empty()) {
            // Invoices in date order; a few clients buy far more often than the rest.
            DocumentWriter writer(dm, rnd, summary);
            const int span = int(kFirstDocumentDate.daysTo(kLastDocumentDate));
            const int clientCount = int(clients.size());
            for (int i = 0; i < options.invoices; ++i) {
                InvoiceRow f;
                f.FACT_NUMBER = i + 1;
                f.FACT_DATA = kFirstDocumentDate.addDays(qint64(span) * i / std::max(options.invoices, 1));
                const int r = rnd.below(clientCount);
                const int clientIndex = int(qint64(r) * r / clientCount);
                ClientState& client = clients[std::size_t(clientIndex)];
                f.ID_NUMBER = 2 + clientIndex;
                f.NAME_OWNER = client.name;
                const int lines = rnd.between(1, 4);
                for (int p = 0; p < lines; ++p) {
                    const Goods& g = rnd.pick(kGoods);
                    Position& pos = f.positions[std::size_t(p)];
                    pos.name = str(g.name);
                    pos.measure = str(g.unit);
                    // Quantities a small firm sells: dear goods in ones and twos, cheap ones by the dozen.
                    const int most = std::clamp(3000000 / std::max(g.priceKopecks, 1), 1, 120);
                    pos.count = pos.measure.isEmpty() ? 1 : rnd.between(1, most);
                    pos.price = (g.priceKopecks * rnd.between(90, 115) / 100) / 100.0;
                }
                f.FACT_NDS = rnd.chance(92) ? 20 : 0;
                f.FACT_NR = rnd.chance(3) ? 1.5 : 0;
                if (rnd.chance(4))
                    f.FACT_DOPNO = QString(QChar(u"абвг"[rnd.below(4)]));
                writer.addInvoice(f, client);
            }
            writer.finish();
            writeActs(dm, clients, options.seed, summary);
        }
    });
    return summary;
}
