#include "history/SourceTable.h"

#include "history/DrawDates.h"
#include "text/FileRead.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <csv.h>

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
    if (!blank) c->rows->push_back({c->rowStart, c->fields});
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
        if (!words.isEmpty()) rows.push_back({line, JoinSpelledDates(words)});
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
        break;
    }
    return ' ';
}

SourceTable MakeTable(std::vector<SourceRow> rows, Separator separator, bool header)
{
    SourceTable t;
    t.separator = separator;
    if (header && !rows.empty()) {
        t.hasHeader = true;
        t.header = rows.front().fields;
        t.headerLine = rows.front().line;
        rows.erase(rows.begin());
    }
    t.rows = std::move(rows);
    return t;
}

// The rows before the first draw that hold no date and no number: the last of them is the
// header, earlier ones (a title line) are dropped.
size_t LeadingHeaderRows(const std::vector<SourceRow>& rows)
{
    size_t n = 0;
    while (n < rows.size() && n < 5 && IsHeaderLike(rows[n]))
        ++n;
    return n == rows.size() ? 0 : n;
}

} // namespace

QString ReadErrorText(ReadError error)
{
    switch (error) {
    case ReadError::None:
        return {};
    case ReadError::CannotOpen:
        return QStringLiteral("cannot be opened");
    case ReadError::TooBig:
        return QStringLiteral("is larger than %1 MB; a history of draws is far smaller")
            .arg(MaxSourceBytes / (1024 * 1024));
    case ReadError::Binary:
        return QStringLiteral("is not a text file");
    case ReadError::Empty:
        return QStringLiteral("holds no rows");
    }
    return {};
}

DecodedText DecodeSource(const QByteArray& bytes)
{
    DecodedText d;
    if (bytes.size() > MaxSourceBytes) {
        d.error = ReadError::TooBig;
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
        return d;
    case text::FileReadError::TooLarge:
        d.error = ReadError::TooBig;
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

std::vector<SourceRow> SplitRows(const QString& text, Separator separator)
{
    if (separator == Separator::Whitespace) return SplitWhitespace(text);
    return SplitDelimited(text, DelimiterOf(separator));
}

SourceTable ReadTable(const QString& text)
{
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
    const size_t leading = LeadingHeaderRows(rows);
    if (leading > 1)
        rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(leading - 1));
    return MakeTable(std::move(rows), best, leading > 0);
}

SourceTable ReadTable(const QString& text, Separator separator, bool header)
{
    return MakeTable(SplitRows(text, separator), separator, header);
}

} // namespace history
