#pragma once
// The steps import and update share: reading a source (a file, standard input or a web
// address), merging its table into the database with the one summary line, and the side file
// that keeps the remembered source.
#include "models/draws/DrawDatabase.h"
#include "models/history/Import.h"
#include "models/tickets/Tickets.h"

#include <QDate>
#include <QString>
#include <QTextStream>
#include <optional>
#include <vector>

namespace cli {

struct SourceRead {
    history::DecodedText text;
    QString name; // as the messages name it
    // A download that failed: its one line, "<address>: <reason>".
    QString failure;
};

// Reads `source`: "-" is standard input, an http(s):// address is downloaded (plain http only
// with `allowHttp`), anything else is a file.
SourceRead ReadSource(const QString& source, bool allowHttp);
// The read's failure as one line on `err`; Failed, or nothing when the source was read.
std::optional<int> SourceFailure(const SourceRead& source, QTextStream& err);

struct MergeSettings {
    QString dbPath;
    QString sourceName;
    history::ImportOptions options;
    bool skipBad = false;
    bool dryRun = false;
};

struct Merged {
    int status = 0;
    // "added 3, already present 120, conflicts 0, rejected 0"; empty when the merge stopped
    // before (its line written).
    QString summary;
    std::vector<QDate> addedDates; // the draws put in
};

// Plans the table against the database, lists the rejected and conflicting rows on `err`, puts
// the new rows in and saves the database unless a rejected row or an unresolved conflict stops
// it (--skip-bad writes what passes) or it is a dry run.
Merged MergeTable(const history::SourceTable& table, const history::Mapping& mapping,
                  database::DrawDatabase& db, const MergeSettings& settings, QTextStream& err);

// Reads the side file of the database at `dbPath` into `book` (empty when there is none). False,
// with its line written, when it is there but cannot be read: it is then never written over.
bool LoadSideFile(const QString& dbPath, tickets::Book& book, QTextStream& err);
// Writes the book into the side file; false with its line written when that fails.
bool SaveSideFile(const QString& dbPath, const tickets::Book& book, QTextStream& err);

} // namespace cli
