#pragma once
// The source a database remembers for Update Draws: where its draws come from (a file or a web
// address) and how the import read them, so that the next update reads the source the same way
// without asking again. Kept as a JSON object in the side file beside the database.
#include "models/history/Import.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace history {

// A column as it was chosen: its place in the table and, for a table with a header, its name,
// so that a column the operator moved is still found. For a field of several numbers, the
// positions taken (first..last, 1-based; last 0: to the field's end).
struct RememberedColumn {
    int column = 0; // 0-based
    QString name;   // the header's text; empty without a header
    int first = 1;
    int last = 0;
    bool operator==(const RememberedColumn&) const = default;
};

struct RememberedSource {
    QString location; // an absolute file path, or an http(s):// address
    Separator separator = Separator::Comma;
    bool header = true;
    RememberedColumn date;
    DateOrder order = DateOrder::DayFirst;
    std::vector<RememberedColumn> numbers; // a draw's numbers, in this order
    // The extra balls the import found and left out ("Bonus", "Winning Numbers[6]"): what the
    // user chose not to take, as the command line names columns.
    QStringList extraBallsLeftOut;
    bool sortNumbers = true;
    bool operator==(const RememberedSource&) const = default;
};

// True for an http:// or https:// address, false for a file path.
bool IsWebAddress(const QString& location);
// True for a plain http:// address, which is downloaded only once the user accepted it.
bool IsPlainHttp(const QString& location);

// What an import that just read `table` with `mapping` remembers. `location` is the file's
// absolute path or the address.
RememberedSource RememberSource(const QString& location, const SourceTable& table,
                                const Detection& detection, const Mapping& mapping,
                                bool sortNumbers);

QJsonObject ToJson(const RememberedSource& source);
// The source kept in `object`; nothing, with the reason in `problem`, when a field is missing or
// holds what no import wrote.
std::optional<RememberedSource> FromJson(const QJsonObject& object, QString& problem);

// Reads the source's text as it was read when remembered.
SourceTable ReadRememberedTable(const QString& text, const RememberedSource& source);
// The mapping of the remembered columns in the table as it is now: each column found by its
// name where the table has a header, else by its place. False, with the reason ("no column
// \"Ball 3\" any more"), when one is gone.
bool ResolveMapping(const RememberedSource& source, const SourceTable& table, Mapping& mapping,
                    QString& problem);

} // namespace history
