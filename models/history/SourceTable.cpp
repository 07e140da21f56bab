#include "models/history/SourceTable.h"

#include "models/history/DrawDates.h"
#include "models/history/JsonSource.h"
#include "text/FileRead.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <csv.h>
#include <map>

namespace history {

namespace {

// Windows-1252 at 0x80..0x9F; everything else is Latin-1. The five unassigned codes stay as
// their C1 control characters.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray& bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80u])
                                          : QChar(static_cast<char16_t>(b));
    }
    return s;
}

bool IsNumberListChar(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ') ||
           c == QLatin1Char('-') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char('/') || c == QLatin1Char('|') || c == QLatin1Char('\t');
}

// Digits, possibly several numbers joined by blanks or punctuation.
bool IsNumeric(const QString& field)
{
    bool digit = false;
    for (QChar c : field) {
        if (!IsNumberListChar(c)) return false;
        digit = digit || c.isDigit();
    }
    return digit;
}

bool HasDateShape(const SourceRow& row)
{
    return std::any_of(row.fields.begin(), row.fields.end(),
                       [](const QString& f) { return ClassifyDate(f).looksLikeDate(); });
}

bool HasValidDate(const SourceRow& row)
{
    return std::any_of(row.fields.begin(), row.fields.end(),
                       [](const QString& f) { return ClassifyDate(f).valid(); });
}

// A row that is no draw: no field shaped like a date and none that is a number.
bool IsHeaderLike(const SourceRow& row)
{
    return !HasDateShape(row) && std::none_of(row.fields.begin(), row.fields.end(), IsNumeric);
}

// ---- Delimited text through libcsv -----------------------------------------------------------

struct CsvCollector {
    std::vector<SourceRow>* rows = nullptr;
    QStringList fields;
    int line = 0;
    int rowStart = 0;
};

void OnField(void* data, size_t length, void* context)
{
    auto* c = static_cast<CsvCollector*>(context);
    if (c->fields.isEmpty()) c->rowStart = c->line;
    c->fields << QString::fromUtf8(static_cast<const char*>(data), static_cast<qsizetype>(length))
                     .trimmed();
}

void OnRowEnd(int, void* context)
{
    auto* c = static_cast<CsvCollector*>(context);
    const bool blank = std::all_of(c->fields.begin(), c->fields.end(),
                                   [](const QString& f) { return f.isEmpty(); });
    if (!blank) c->rows->push_back({c->rowStart, c->fields, c->line});
    c->fields.clear();
}

int IsBlank(unsigned char c)
{
    return c == ' ' ? 1 : 0;
}

std::vector<SourceRow> SplitDelimited(const QString& text, char delimiter)
{
    std::vector<SourceRow> rows;
    csv_parser parser{};
    if (csv_init(&parser, 0) != 0) return rows;
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    // Only blanks are trimmed, so that a tab stays a separator.
    csv_set_space_func(&parser, IsBlank);
    CsvCollector collector;
    collector.rows = &rows;
    const QByteArray bytes = text.toUtf8();
    // Fed a line at a time, so that every row knows the line it started on (a quoted field may
    // run over several lines).
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        ++collector.line;
        csv_parse(&parser, bytes.constData() + start, static_cast<size_t>(end - start), OnField,
                  OnRowEnd, &collector);
        start = end;
    }
    csv_fini(&parser, OnField, OnRowEnd, &collector);
    csv_free(&parser);
    return rows;
}

// ---- Whitespace-aligned text ---------------------------------------------------------------

bool HasLetter(const QString& s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

// Joins the words of a date written in words ("Saturday", "5", "December", "2026") into one
// field.
QStringList JoinSpelledDates(const QStringList& words)
{
    QStringList fields;
    qsizetype i = 0;
    while (i < words.size()) {
        qsizetype taken = 1;
        for (qsizetype k = std::min<qsizetype>(4, words.size() - i); k >= 2; --k) {
            bool letters = false;
            for (qsizetype w = i; w < i + k; ++w)
                letters = letters || HasLetter(words[w]);
            if (!letters) continue;
            const QString joined = words.mid(i, k).join(QLatin1Char(' '));
            if (ClassifyDate(joined).kind == DateField::Kind::Spelled) {
                fields << joined;
                taken = k;
                break;
            }
        }
        if (taken == 1) fields << words[i];
        i += taken;
    }
    return fields;
}

std::vector<SourceRow> SplitWhitespace(const QString& text)
{
    std::vector<SourceRow> rows;
    int line = 0;
    for (QStringView l : QStringView(text).split(QLatin1Char('\n'))) {
        ++line;
        QStringList words;
        qsizetype i = 0;
        while (i < l.size()) {
            while (i < l.size() && l[i].isSpace())
                ++i;
            if (i >= l.size()) break;
            qsizetype j = i;
            if (l[i] == QLatin1Char('"')) {
                j = l.indexOf(QLatin1Char('"'), i + 1);
                j = j < 0 ? l.size() : j + 1;
                words << l.mid(i + 1, j - i - 1).toString().remove(QLatin1Char('"')).trimmed();
            } else {
                while (j < l.size() && !l[j].isSpace())
                    ++j;
                words << l.mid(i, j - i).toString();
            }
            i = j;
        }
        if (!words.isEmpty()) rows.push_back({line, JoinSpelledDates(words), line});
    }
    return rows;
}

char DelimiterOf(Separator s)
{
    switch (s) {
    case Separator::Comma:
        return ',';
    case Separator::Semicolon:
        return ';';
    case Separator::Tab:
        return '\t';
    case Separator::Pipe:
        return '|';
    case Separator::Whitespace:
    case Separator::Json:
        break;
    }
    return ' ';
}

int LineCount(const QString& text)
{
    if (text.isEmpty()) return 0;
    return static_cast<int>(text.count(QLatin1Char('\n'))) +
           (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
}

// `descriptions` leading rows are lines that describe the table; with `header`, the row after
// them is the header. Every line in no row is named blank.
SourceTable MakeTable(const QString& text, std::vector<SourceRow> rows, Separator separator,
                      bool header, size_t descriptions = 0)
{
    SourceTable t;
    t.separator = separator;
    std::vector<char> accounted(static_cast<size_t>(LineCount(text)) + 2, 0);
    auto mark = [&accounted](const SourceRow& r) {
        for (int l = r.line; l <= std::max(r.line, r.lastLine); ++l) {
            if (l >= 0 && static_cast<size_t>(l) < accounted.size())
                accounted[static_cast<size_t>(l)] = 1;
        }
    };
    descriptions = std::min(descriptions, rows.size());
    for (size_t d = 0; d < descriptions; ++d) {
        mark(rows[d]);
        t.skipped.push_back({rows[d].line, SkippedLine::Kind::Description});
    }
    rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(descriptions));
    if (header && !rows.empty()) {
        t.hasHeader = true;
        t.header = rows.front().fields;
        t.headerLine = rows.front().line;
        mark(rows.front());
        t.skipped.push_back({t.headerLine, SkippedLine::Kind::Header});
        rows.erase(rows.begin());
    }
    for (const SourceRow& r : rows)
        mark(r);
    for (size_t l = 1; l + 1 < accounted.size(); ++l) {
        if (accounted[l] == 0) t.skipped.push_back({static_cast<int>(l), SkippedLine::Kind::Blank});
    }
    std::sort(t.skipped.begin(), t.skipped.end(),
              [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
    t.rows = std::move(rows);
    return t;
}

// The rows before the first draw that are not data: the last of them that holds no date and no
// number is the header, and the rows above it (a title, a description of the format such as
// "Format: Draw number, Draw date (yyyymmdd), Winning Number 1, 2, 3, ...") are descriptions.
// Returns {descriptions, header}.
std::pair<size_t, bool> LeadingRows(const std::vector<SourceRow>& rows)
{
    constexpr size_t MostLeading = 5;
    size_t firstDraw = 0;
    while (firstDraw < rows.size() && firstDraw <= MostLeading && !HasValidDate(rows[firstDraw]))
        ++firstDraw;
    if (firstDraw >= rows.size() || firstDraw > MostLeading) {
        // No dated row near the top: only a run of header-like rows is taken for the header.
        size_t n = 0;
        while (n < rows.size() && n < MostLeading && IsHeaderLike(rows[n]))
            ++n;
        return n == 0 || n == rows.size() ? std::pair{size_t{0}, false} : std::pair{n - 1, true};
    }
    for (size_t h = firstDraw; h-- > 0;) {
        if (IsHeaderLike(rows[h])) return {h, true};
    }
    return {0, false};
}

// Rows whose field count differs from the table's usual one and that another separator splits
// into exactly that many fields (a line pasted from elsewhere) are split that way.
void ResplitStrayRows(const QString& text, Separator separator, std::vector<SourceRow>& rows)
{
    if (separator == Separator::Whitespace || rows.size() < 2) return;
    std::map<qsizetype, int> counts;
    for (const SourceRow& r : rows)
        ++counts[r.fields.size()];
    const qsizetype usual =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    QStringList lines;
    for (SourceRow& r : rows) {
        if (r.fields.size() == usual || r.lastLine != r.line) continue;
        if (lines.isEmpty()) lines = text.split(QLatin1Char('\n'));
        if (r.line < 1 || r.line > lines.size()) continue;
        const QString line = lines[r.line - 1];
        for (const Separator other :
             {Separator::Comma, Separator::Semicolon, Separator::Tab, Separator::Pipe}) {
            if (other == separator || !line.contains(QLatin1Char(DelimiterOf(other)))) continue;
            std::vector<SourceRow> split = SplitDelimited(line, DelimiterOf(other));
            if (split.size() == 1 && split.front().fields.size() == usual) {
                r.fields = split.front().fields;
                break;
            }
        }
    }
}

} // namespace

QString SkippedKindName(SkippedLine::Kind kind)
{
    switch (kind) {
    case SkippedLine::Kind::Header:
        return QStringLiteral("header");
    case SkippedLine::Kind::Description:
        return QStringLiteral("description");
    case SkippedLine::Kind::Blank:
        break;
    }
    return QStringLiteral("blank");
}

QString DescribeSkipped(const std::vector<SkippedLine>& skipped)
{
    // Grouped by kind, in the order each kind first appears; runs of lines as "5-9".
    QStringList parts;
    std::vector<SkippedLine::Kind> kinds;
    for (const SkippedLine& s : skipped) {
        if (std::find(kinds.begin(), kinds.end(), s.kind) == kinds.end()) kinds.push_back(s.kind);
    }
    for (const SkippedLine::Kind kind : kinds) {
        QStringList runs;
        int count = 0;
        for (size_t i = 0; i < skipped.size(); ++i) {
            if (skipped[i].kind != kind) continue;
            size_t j = i;
            while (j + 1 < skipped.size() && skipped[j + 1].kind == kind &&
                   skipped[j + 1].line == skipped[j].line + 1)
                ++j;
            runs << (j == i ? QString::number(skipped[i].line)
                            : QStringLiteral("%1-%2").arg(skipped[i].line).arg(skipped[j].line));
            count += static_cast<int>(j - i) + 1;
            i = j;
        }
        parts << QStringLiteral("%1 %2 (%3)")
                     .arg(count == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                          runs.join(QStringLiteral(", ")), SkippedKindName(kind));
    }
    return parts.join(QStringLiteral(", "));
}

QString ReadErrorText(ReadError error)
{
    switch (error) {
    case ReadError::None:
        return {};
    case ReadError::CannotOpen:
        return QStringLiteral("cannot be opened");
    case ReadError::TooLarge:
        return QStringLiteral("is larger than %1 MB; a history of draws is far smaller")
            .arg(MaxSourceBytes / (1024 * 1024));
    case ReadError::Binary:
        return QStringLiteral("is not a text file");
    case ReadError::Empty:
        return QStringLiteral("holds no rows");
    }
    return {};
}

QString ReadErrorText(const DecodedText& read)
{
    QString text = ReadErrorText(read.error);
    if (!read.reason.isEmpty()) text += QStringLiteral(" (%1)").arg(read.reason);
    return text;
}

DecodedText DecodeSource(const QByteArray& bytes)
{
    DecodedText d;
    if (bytes.size() > MaxSourceBytes) {
        d.error = ReadError::TooLarge;
        return d;
    }
    if (bytes.contains('\0')) {
        d.error = ReadError::Binary;
        return d;
    }
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    d.text = utf8.decode(view);
    if (utf8.hasError()) d.text = FromWindows1252(bytes);
    if (d.text.trimmed().isEmpty()) d.error = ReadError::Empty;
    return d;
}

DecodedText ReadSourceFile(const QString& path)
{
    const text::FileRead read = text::ReadCapped(path, MaxSourceBytes);
    DecodedText d;
    switch (read.error) {
    case text::FileReadError::CannotOpen:
        d.error = ReadError::CannotOpen;
        d.reason = read.reason;
        return d;
    case text::FileReadError::TooLarge:
        d.error = ReadError::TooLarge;
        return d;
    case text::FileReadError::ReadFailed: // no bytes: a source that holds no rows
    case text::FileReadError::None:
        break;
    }
    return DecodeSource(read.bytes);
}

QString SeparatorName(Separator separator)
{
    switch (separator) {
    case Separator::Comma:
        return QStringLiteral("comma");
    case Separator::Semicolon:
        return QStringLiteral("semicolon");
    case Separator::Tab:
        return QStringLiteral("tab");
    case Separator::Pipe:
        return QStringLiteral("vertical bar");
    case Separator::Whitespace:
        return QStringLiteral("blanks");
    case Separator::Json:
        return QStringLiteral("JSON archive");
    }
    return {};
}

int SourceTable::columnCount() const
{
    qsizetype n = header.size();
    for (const SourceRow& r : rows)
        n = std::max(n, r.fields.size());
    return static_cast<int>(n);
}

QString SourceTable::columnName(int column) const
{
    if (column >= 0 && column < header.size() && !header[column].isEmpty()) return header[column];
    return QStringLiteral("column %1").arg(column + 1);
}

std::vector<SourceRow> SplitRows(const QString& text, Separator separator)
{
    if (separator == Separator::Json) return ReadJsonTable(text).rows;
    if (separator == Separator::Whitespace) return SplitWhitespace(text);
    return SplitDelimited(text, DelimiterOf(separator));
}

SourceTable ReadTable(const QString& text)
{
    if (LooksLikeJson(text)) return ReadJsonTable(text);
    // The first lines decide: each separator is tried on them, and the one that gives the most
    // rows with a date beside other fields wins (the earlier in this list on a tie).
    constexpr int SampleLines = 60;
    qsizetype end = -1;
    for (int n = 0; n < SampleLines; ++n) {
        end = text.indexOf(QLatin1Char('\n'), end + 1);
        if (end < 0) break;
    }
    const QString sample = end < 0 ? text : text.left(end);

    static constexpr std::array<Separator, 5> candidates = {Separator::Tab, Separator::Semicolon,
                                                            Separator::Comma, Separator::Pipe,
                                                            Separator::Whitespace};
    Separator best = Separator::Whitespace;
    qsizetype bestScore = -1;
    for (const Separator s : candidates) {
        if (s != Separator::Whitespace && !sample.contains(QLatin1Char(DelimiterOf(s)))) continue;
        const std::vector<SourceRow> rows = SplitRows(sample, s);
        const qsizetype score = std::count_if(rows.begin(), rows.end(), [](const SourceRow& r) {
            return r.fields.size() >= 2 && HasValidDate(r);
        });
        if (score > bestScore) {
            best = s;
            bestScore = score;
        }
    }
    std::vector<SourceRow> rows = SplitRows(text, best);
    ResplitStrayRows(text, best, rows);
    const auto [descriptions, header] = LeadingRows(rows);
    return MakeTable(text, std::move(rows), best, header, descriptions);
}

SourceTable ReadTable(const QString& text, Separator separator, bool header)
{
    if (separator == Separator::Json) return ReadJsonTable(text);
    std::vector<SourceRow> rows = SplitRows(text, separator);
    ResplitStrayRows(text, separator, rows);
    const auto [descriptions, found] = LeadingRows(rows);
    return MakeTable(text, std::move(rows), separator, header, header && found ? descriptions : 0);
}

} // namespace history
