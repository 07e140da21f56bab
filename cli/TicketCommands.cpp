#include "cli/TicketCommands.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "cli/LoadDatabase.h"
#include "models/odds/FormsFile.h"
#include "models/tickets/TicketsFile.h"

#include <QDate>

#include <functional>
#include <optional>

namespace cli {

namespace {

// What every subcommand shares: its parser, the database named and its tickets.
struct TicketsLine {
    QString name; // "tickets add"
    QCommandLineParser parser;
    QCommandLineOption csv{QStringLiteral("csv"),
                           QStringLiteral("Comma-separated, with a header row.")};
    QString dbPath;
    database::DrawDatabase db;
    QString bookPath;
    tickets::Book book;
};

// Parses the subcommand's options and reads the database and its tickets; the status to end
// with when that fails.
std::optional<int> Open(TicketsLine& line, const QStringList& arguments, const QString& synopsis,
                        QTextStream& out, QTextStream& err)
{
    line.parser.addPositionalArgument(QStringLiteral("DB.lto"), QStringLiteral("The database."));
    int status = Done;
    if (!ParseCommand(line.parser, arguments, synopsis, out, err, status)) return status;
    const QStringList positional = line.parser.positionalArguments();
    if (positional.size() != 1)
        return UsageError(err, line.name, QStringLiteral("name one database (DB.lto)"));
    line.dbPath = positional.front();
    if (!LoadDatabase(line.dbPath, line.db, err)) return Failed;
    line.bookPath = tickets::SideFilePath(line.dbPath);
    const text::Result<tickets::LoadResult> read = tickets::Load(line.bookPath, line.book);
    const QString problem = tickets::LoadProblem(line.bookPath, read);
    if (!problem.isEmpty()) {
        err << problem << '\n';
        return Failed;
    }
    return std::nullopt;
}

int SaveBook(const TicketsLine& line, QTextStream& err)
{
    const text::WriteResult written = tickets::Save(line.bookPath, line.book);
    if (!written) return FileError(err, line.bookPath, WriteFailure(written));
    return Done;
}

QString Blank(const std::optional<tickets::Cents>& amount)
{
    return amount ? tickets::PlainAmount(*amount) : QString();
}

QString Numbers(const std::vector<int>& form)
{
    QStringList numbers;
    for (int n : form)
        numbers << QString::number(n);
    return numbers.join(QLatin1Char(' '));
}

// A CSV cell: quoted when it holds a comma (a label cannot hold a double quote).
QString Cell(const QString& text)
{
    return text.contains(QLatin1Char(',')) ? QStringLiteral("\"%1\"").arg(text) : text;
}

using Rows = std::vector<QStringList>;

void Table(QTextStream& out, bool csv, const Rows& rows)
{
    if (csv) {
        for (const QStringList& row : rows)
            out << row.join(QLatin1Char(',')) << '\n';
    } else {
        out << Aligned(rows);
    }
}

// A table's header row: its column names, as --csv names them too.
QStringList Header(std::initializer_list<const char*> names)
{
    QStringList header;
    for (const char* name : names)
        header << QLatin1String(name);
    return header;
}

// What list, check and summary share: `line.name DB.lto [--csv]` parsed, the database and its
// tickets read, and the tickets checked against the draws; the status to end with when that
// fails.
std::optional<int> OpenChecked(TicketsLine& line, const QStringList& arguments,
                               tickets::Check& check, QTextStream& out, QTextStream& err)
{
    line.parser.addOption(line.csv);
    if (const auto status =
            Open(line, arguments, line.name + QStringLiteral(" DB.lto [--csv]"), out, err))
        return status;
    check = tickets::CheckTickets(line.db, line.book);
    return std::nullopt;
}

// The ticket's date, draws, price and forms as the options give them; the status to end with
// when one is wrong.
std::optional<int> ReadTicket(const TicketsLine& line, const QString& first, const QString& draws,
                              const QString& price, const QString& formsFile, tickets::Ticket& t,
                              QTextStream& err)
{
    t.firstDraw = QDate::fromString(first, Qt::ISODate);
    if (!t.firstDraw.isValid())
        return UsageError(err, line.name, QStringLiteral("--first takes a date as yyyy-mm-dd"));
    const std::optional<int> n = WholeNumber(draws);
    if (!n || *n < 1 || *n > tickets::MaxDrawsPlayed)
        return UsageError(err, line.name,
                          QStringLiteral("--draws takes 1 to %1").arg(tickets::MaxDrawsPlayed));
    t.draws = *n;
    const std::optional<tickets::Cents> cents = tickets::ParseAmount(price);
    if (!cents)
        return UsageError(err, line.name, QStringLiteral("--price takes an amount such as 2.50"));
    t.price = *cents;
    QString reason;
    const auto read = odds::ReadFormsFile(formsFile, line.db.highNumber(), line.db.picksPerDraw(),
                                          tickets::MaxFormSize, reason);
    if (!read) return FileError(err, formsFile, reason);
    for (odds::Form form : *read) {
        std::sort(form.begin(), form.end());
        t.forms.push_back(form);
    }
    return std::nullopt;
}

int Add(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    TicketsLine line;
    line.name = QStringLiteral("tickets add");
    line.parser.setApplicationDescription(
        QStringLiteral("Adds a ticket: the forms of FILE (one a line, as odds --forms reads "
                       "them), played from the first draw dated on or after DATE, for N draws, "
                       "at PRICE a form and draw."));
    const QCommandLineOption forms(QStringLiteral("forms"), QStringLiteral("The forms."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption first(QStringLiteral("first"),
                                   QStringLiteral("The first draw's date (yyyy-mm-dd)."),
                                   QStringLiteral("DATE"));
    const QCommandLineOption draws(QStringLiteral("draws"),
                                   QStringLiteral("The draws played, 1 to 520."),
                                   QStringLiteral("N"));
    const QCommandLineOption price(QStringLiteral("price"),
                                   QStringLiteral("The price of one form for one draw."),
                                   QStringLiteral("PRICE"));
    const QCommandLineOption label(
        QStringLiteral("label"), QStringLiteral("A name for the ticket."), QStringLiteral("LABEL"));
    line.parser.addOptions({forms, first, draws, price, label});
    if (const auto status = Open(line, arguments,
                                 QStringLiteral("tickets add DB.lto --forms FILE --first DATE "
                                                "--draws N --price PRICE [--label LABEL]"),
                                 out, err))
        return *status;
    for (const QCommandLineOption* o : {&forms, &first, &draws, &price})
        if (!line.parser.isSet(*o))
            return UsageError(err, line.name,
                              QStringLiteral("--%1 is needed").arg(o->names().front()));
    tickets::Ticket t;
    t.label = line.parser.value(label);
    if (const auto status = ReadTicket(line, line.parser.value(first), line.parser.value(draws),
                                       line.parser.value(price), line.parser.value(forms), t, err))
        return *status;
    QString problem = tickets::TicketProblem(t, line.db.picksPerDraw(), line.db.highNumber());
    if (line.book.tickets.size() >= tickets::MaxTickets)
        problem = QStringLiteral("a database keeps at most %1 tickets").arg(tickets::MaxTickets);
    if (!problem.isEmpty()) return FileError(err, line.parser.value(forms), problem);
    line.book.tickets.push_back(t);
    if (const int status = SaveBook(line, err); status != Done) return status;
    out << "ticket " << line.book.tickets.size() << " added: " << t.forms.size()
        << (t.forms.size() == 1 ? " form, " : " forms, ") << t.draws
        << (t.draws == 1 ? " draw from " : " draws from ") << t.firstDraw.toString(Qt::ISODate)
        << ", " << tickets::PlainAmount(t.price) << " a form and draw\n";
    return Done;
}

int List(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    TicketsLine line;
    line.name = QStringLiteral("tickets list");
    line.parser.setApplicationDescription(
        QStringLiteral("Lists the tickets of DB.lto with what they cost and won."));
    tickets::Check check;
    if (const auto status = OpenChecked(line, arguments, check, out, err)) return *status;
    const bool csv = line.parser.isSet(line.csv);
    Rows rows = {Header({"ticket", "label", "first_draw", "draws", "forms", "price", "played",
                         "to_come", "spent", "won"})};
    for (size_t i = 0; i < line.book.tickets.size(); ++i) {
        const tickets::Ticket& t = line.book.tickets[i];
        const tickets::TicketResult& r = check.tickets[i];
        rows.push_back({QString::number(i + 1), csv ? Cell(t.label) : t.label,
                        t.firstDraw.toString(Qt::ISODate), QString::number(t.draws),
                        QString::number(t.forms.size()), tickets::PlainAmount(t.price),
                        QString::number(r.played), QString::number(r.toCome),
                        tickets::PlainAmount(r.spent), tickets::PlainAmount(r.won)});
    }
    Table(out, csv, rows);
    return Done;
}

int CheckCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    TicketsLine line;
    line.name = QStringLiteral("tickets check");
    line.parser.setApplicationDescription(QStringLiteral(
        "Checks every form of every ticket against every draw it plays: the matches and the "
        "prize (blank while a prize that varies is not typed)."));
    tickets::Check check;
    if (const auto status = OpenChecked(line, arguments, check, out, err)) return *status;
    Rows rows = {Header({"draw_date", "ticket", "form", "numbers", "matches", "prize"})};
    for (size_t t = 0; t < check.tickets.size(); ++t)
        for (const tickets::DrawPlayed& draw : check.tickets[t].draws)
            for (size_t f = 0; f < draw.forms.size(); ++f)
                rows.push_back({draw.date.toString(Qt::ISODate), QString::number(t + 1),
                                QString::number(f + 1), Numbers(line.book.tickets[t].forms[f]),
                                QString::number(draw.forms[f].matches),
                                Blank(draw.forms[f].prize)});
    Table(out, line.parser.isSet(line.csv), rows);
    return Done;
}

// "3=10.00", "4=varies", "5=none": the tier and its prize; false when it is not one.
bool SetPrize(const QString& text, int picks, tickets::Book& book)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    const std::optional<int> m = WholeNumber(text.left(eq));
    if (eq < 0 || !m || *m < 1 || *m > picks) return false;
    const QString value = text.mid(eq + 1).trimmed();
    tickets::Prize& prize = book.prizes[static_cast<size_t>(*m)];
    if (value == QLatin1String("varies")) {
        prize = {tickets::PrizeKind::Varies, 0};
    } else if (value == QLatin1String("none")) {
        prize = {};
    } else {
        const std::optional<tickets::Cents> amount = tickets::ParseAmount(value);
        if (!amount) return false;
        prize = {tickets::PrizeKind::Fixed, *amount};
    }
    return true;
}

QString PrizeText(const tickets::Prize& prize)
{
    switch (prize.kind) {
    case tickets::PrizeKind::Fixed:
        return tickets::PlainAmount(prize.amount);
    case tickets::PrizeKind::Varies:
        return QStringLiteral("varies");
    case tickets::PrizeKind::None:
        break;
    }
    return QStringLiteral("none");
}

int Prizes(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    TicketsLine line;
    line.name = QStringLiteral("tickets prizes");
    line.parser.setApplicationDescription(QStringLiteral(
        "Shows the prize for each number of matches, after setting the ones given: M=AMOUNT, "
        "M=varies (typed when the operator publishes it) or M=none."));
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("Sets the prize for M matches."),
                                 QStringLiteral("M=PRIZE"));
    line.parser.addOptions({set, line.csv});
    if (const auto status =
            Open(line, arguments,
                 QStringLiteral("tickets prizes DB.lto [--set M=AMOUNT|varies|none]... [--csv]"),
                 out, err))
        return *status;
    const int picks = line.db.picksPerDraw();
    for (const QString& value : line.parser.values(set))
        if (!SetPrize(value, picks, line.book))
            return UsageError(
                err, line.name,
                QStringLiteral("--set %1: give M=AMOUNT, M=varies or M=none with M from 1 to %2")
                    .arg(value)
                    .arg(picks));
    if (line.parser.isSet(set))
        if (const int status = SaveBook(line, err); status != Done) return status;
    Rows rows = {Header({"matches", "prize"})};
    for (int m = 1; m <= picks; ++m)
        rows.push_back({QString::number(m), PrizeText(line.book.prizes[static_cast<size_t>(m)])});
    Table(out, line.parser.isSet(line.csv), rows);
    return Done;
}

int Summary(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    TicketsLine line;
    line.name = QStringLiteral("tickets summary");
    line.parser.setApplicationDescription(QStringLiteral(
        "What every ticket cost and won, and what a player would expect to have won at the exact "
        "odds and the fixed prizes (blank when a prize that varies could have been won)."));
    tickets::Check check;
    if (const auto status = OpenChecked(line, arguments, check, out, err)) return *status;
    const tickets::Totals& totals = check.totals;
    const QString expected =
        totals.expectedWon ? QString::number(*totals.expectedWon, 'f', 2) : QString();
    const Rows rows = {Header({"spent", "won", "net", "expected_won"}),
                       {tickets::PlainAmount(totals.spent), tickets::PlainAmount(totals.won),
                        tickets::PlainAmount(totals.net()), expected}};
    Table(out, line.parser.isSet(line.csv), rows);
    if (!line.parser.isSet(line.csv))
        out << tickets::HonestLine(totals, [](double v) { return QString::number(v, 'f', 2); })
            << '\n';
    return Done;
}

} // namespace

int RunTickets(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    static const std::vector<
        std::pair<QString, std::function<int(const QStringList&, QTextStream&, QTextStream&)>>>
        subcommands = {
            {QStringLiteral("add"), &Add},
            {QStringLiteral("list"), &List},
            {QStringLiteral("check"), &CheckCommand},
            {QStringLiteral("prizes"), &Prizes},
            {QStringLiteral("summary"), &Summary},
        };
    const QString sub = arguments.value(1);
    for (const auto& [name, run] : subcommands)
        if (sub == name)
            return run(QStringList{QStringLiteral("tickets ") + name} + arguments.mid(2), out, err);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        out << "Usage: tallimo tickets add|list|check|prizes|summary DB.lto [options]\n"
               "The tickets of a database: the forms played, checked against every draw, with "
               "what they cost and won. Each subcommand takes --help.\n";
        return Done;
    }
    return UsageError(err, QStringLiteral("tickets"),
                      sub.isEmpty()
                          ? QStringLiteral("name what to do: add, list, check, prizes or summary")
                          : QStringLiteral("unknown subcommand \"%1\"").arg(sub));
}

} // namespace cli
