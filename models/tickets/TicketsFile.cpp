#include "models/tickets/TicketsFile.h"

#include "text/AtomicFile.h"
#include "text/FileRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace tickets {

namespace {

const QString kFormat = QStringLiteral("Tallimo Win9 tickets");

QString Date(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QJsonArray FormsJson(const std::vector<std::vector<int>>& forms)
{
    QJsonArray out;
    for (const auto& form : forms) {
        QJsonArray numbers;
        for (int n : form)
            numbers.append(n);
        out.append(numbers);
    }
    return out;
}

struct Reader {
    QString problem;

    bool fail(const QString& why)
    {
        if (problem.isEmpty()) problem = why;
        return false;
    }
    QDate date(const QJsonValue& value, const QString& what)
    {
        const QDate d = QDate::fromString(value.toString(), Qt::ISODate);
        if (!d.isValid()) fail(QStringLiteral("%1 is not a date (yyyy-mm-dd)").arg(what));
        return d;
    }
    Cents amount(const QJsonValue& value, const QString& what)
    {
        const std::optional<Cents> a = ParseAmount(value.toString());
        if (!a) fail(QStringLiteral("%1 is not an amount").arg(what));
        return a.value_or(0);
    }
    int whole(const QJsonValue& value, int low, int high, const QString& what)
    {
        const double v = value.toDouble(-1);
        if (!value.isDouble() || v != static_cast<int>(v) || v < low || v > high)
            fail(QStringLiteral("%1 is not a whole number from %2 to %3")
                     .arg(what)
                     .arg(low)
                     .arg(high));
        return static_cast<int>(v);
    }

    Ticket ticket(const QJsonObject& o, int index)
    {
        const QString where = QStringLiteral("ticket %1").arg(index);
        Ticket t;
        t.label = o.value(QStringLiteral("label")).toString();
        t.firstDraw =
            date(o.value(QStringLiteral("first_draw")), where + QStringLiteral(": first_draw"));
        t.draws = whole(o.value(QStringLiteral("draws")), 1, MaxDrawsPlayed,
                        where + QStringLiteral(": draws"));
        t.price = amount(o.value(QStringLiteral("price")), where + QStringLiteral(": price"));
        for (const QJsonValue& form : o.value(QStringLiteral("forms")).toArray()) {
            std::vector<int> numbers;
            for (const QJsonValue& n : form.toArray())
                numbers.push_back(whole(n, 1, MaxNumber, where + QStringLiteral(": a number")));
            t.forms.push_back(numbers);
        }
        const QString wrong = TicketProblem(t, MaxFormSize, MaxNumber);
        if (!wrong.isEmpty()) fail(where + QStringLiteral(": ") + wrong);
        return t;
    }

    void prizes(const QJsonArray& rows, Book& book)
    {
        for (const QJsonValue& row : rows) {
            const QJsonObject o = row.toObject();
            const int m = whole(o.value(QStringLiteral("matches")), 1, MaxFormSize,
                                QStringLiteral("a prize's matches"));
            if (!problem.isEmpty()) return;
            Prize& p = book.prizes[static_cast<size_t>(m)];
            const QString text = o.value(QStringLiteral("prize")).toString();
            if (text == QLatin1String("varies")) {
                p.kind = PrizeKind::Varies;
            } else {
                p.kind = PrizeKind::Fixed;
                p.amount = amount(text, QStringLiteral("the prize for %1 matches").arg(m));
            }
        }
    }

    void won(const QJsonArray& rows, Book& book)
    {
        for (const QJsonValue& row : rows) {
            const QJsonObject o = row.toObject();
            WonAmount w;
            w.ticket = whole(o.value(QStringLiteral("ticket")), 1, MaxTickets,
                             QStringLiteral("a won amount's ticket"));
            w.form = whole(o.value(QStringLiteral("form")), 1, MaxForms,
                           QStringLiteral("a won amount's form"));
            w.draw = date(o.value(QStringLiteral("draw")), QStringLiteral("a won amount's draw"));
            w.amount = amount(o.value(QStringLiteral("amount")), QStringLiteral("a won amount"));
            book.won.push_back(w);
        }
    }
};

} // namespace

QString SideFilePath(const QString& databasePath)
{
    const QFileInfo info(databasePath);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QStringLiteral(".tickets.json"));
}

text::Result<LoadResult> Parse(const QByteArray& bytes, Book& book)
{
    book = Book{};
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return {
            LoadResult::Damaged,
            QStringLiteral("not JSON at byte %1 (%2)").arg(error.offset).arg(error.errorString())};
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        return {LoadResult::Damaged, QStringLiteral("not a tickets file")};
    const int version = root.value(QStringLiteral("version")).toInt(0);
    if (version < 1 || version > FileVersion)
        return {LoadResult::Damaged, QStringLiteral("version %1, this program reads version %2")
                                         .arg(version)
                                         .arg(FileVersion)};
    Reader reader;
    Book read;
    const QJsonArray list = root.value(QStringLiteral("tickets")).toArray();
    if (list.size() > MaxTickets)
        reader.fail(QStringLiteral("more than %1 tickets").arg(MaxTickets));
    for (qsizetype i = 0; i < list.size() && reader.problem.isEmpty(); ++i)
        read.tickets.push_back(reader.ticket(list[i].toObject(), static_cast<int>(i) + 1));
    reader.prizes(root.value(QStringLiteral("prizes")).toArray(), read);
    reader.won(root.value(QStringLiteral("won")).toArray(), read);
    const QJsonValue seen = root.value(QStringLiteral("seen_up_to"));
    if (!seen.isUndefined() && !seen.isNull())
        read.seenUpTo = reader.date(seen, QStringLiteral("seen_up_to"));
    read.source = root.value(QStringLiteral("source")).toObject();
    if (!reader.problem.isEmpty()) return {LoadResult::Damaged, reader.problem};
    book = std::move(read);
    return LoadResult::Ok;
}

text::Result<LoadResult> Load(const QString& path, Book& book)
{
    book = Book{};
    if (!QFileInfo::exists(path)) return LoadResult::NoFile;
    const text::FileRead read = text::ReadCapped(path, MaxFileBytes);
    switch (read.error) {
    case text::FileReadError::None:
        return Parse(read.bytes, book);
    case text::FileReadError::TooLarge:
        return {LoadResult::TooLarge, read.reason};
    case text::FileReadError::CannotOpen:
    case text::FileReadError::ReadFailed:
        break;
    }
    return {LoadResult::CannotOpen, read.reason};
}

QByteArray Serialize(const Book& book)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("version"), FileVersion);
    QJsonArray list;
    for (const Ticket& t : book.tickets) {
        QJsonObject o;
        o.insert(QStringLiteral("label"), t.label);
        o.insert(QStringLiteral("first_draw"), Date(t.firstDraw));
        o.insert(QStringLiteral("draws"), t.draws);
        o.insert(QStringLiteral("price"), PlainAmount(t.price));
        o.insert(QStringLiteral("forms"), FormsJson(t.forms));
        list.append(o);
    }
    root.insert(QStringLiteral("tickets"), list);
    QJsonArray prizes;
    for (int m = 1; m <= MaxFormSize; ++m) {
        const Prize& p = book.prizes[static_cast<size_t>(m)];
        if (p.kind == PrizeKind::None) continue;
        QJsonObject o;
        o.insert(QStringLiteral("matches"), m);
        o.insert(QStringLiteral("prize"),
                 p.kind == PrizeKind::Varies ? QStringLiteral("varies") : PlainAmount(p.amount));
        prizes.append(o);
    }
    root.insert(QStringLiteral("prizes"), prizes);
    QJsonArray won;
    for (const WonAmount& w : book.won)
        won.append(QJsonObject{{QStringLiteral("ticket"), w.ticket},
                               {QStringLiteral("form"), w.form},
                               {QStringLiteral("draw"), Date(w.draw)},
                               {QStringLiteral("amount"), PlainAmount(w.amount)}});
    root.insert(QStringLiteral("won"), won);
    if (book.seenUpTo.isValid()) root.insert(QStringLiteral("seen_up_to"), Date(book.seenUpTo));
    if (!book.source.isEmpty()) root.insert(QStringLiteral("source"), book.source);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

text::WriteResult Save(const QString& path, const Book& book)
{
    if (book.isEmpty()) {
        if (!QFileInfo::exists(path)) return true;
        QFile file(path);
        if (file.remove()) return true;
        return {false, file.errorString()};
    }
    return text::WriteFileAtomically(path, Serialize(book));
}

QString LoadProblem(const QString& path, const text::Result<LoadResult>& result)
{
    const QString name = QFileInfo(path).fileName();
    QString why;
    switch (result.code()) {
    case LoadResult::Ok:
    case LoadResult::NoFile:
        return {};
    case LoadResult::CannotOpen:
        why = QStringLiteral("cannot be opened (%1)").arg(result.reason());
        break;
    case LoadResult::TooLarge:
        why = QStringLiteral("is too large for a tickets file");
        break;
    case LoadResult::Damaged:
        why = QStringLiteral("is damaged: %1").arg(result.reason());
        break;
    }
    return QStringLiteral("%1 %2; it is left as it was and no ticket is read from it.")
        .arg(name, why);
}

} // namespace tickets
