#include "models/history/JsonSource.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <vector>

namespace history {

namespace {

// Where the objects of one array of the document start, and the keys they use, in the order
// they are written (QJsonObject keeps its keys sorted, so the order comes from the text).
struct ArrayPlaces {
    QString key; // the top object's key that holds the array; empty for a top-level array
    std::vector<int> lines;
    QStringList keys;
};

struct Frame {
    bool object = false;
    bool expectKey = false;
    ArrayPlaces* array = nullptr;   // set on a candidate array's frame
    ArrayPlaces* element = nullptr; // set on an element object's frame
};

// Walks the text once, following strings and nesting, and notes every array at the top or
// directly under a key of the top object: the line of each object in it and the keys they use.
std::vector<ArrayPlaces> FindArrays(const QString& text)
{
    std::vector<ArrayPlaces> arrays;
    arrays.reserve(64);
    std::vector<Frame> stack;
    QString lastKey;
    int line = 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            ++line;
        } else if (c == QLatin1Char('"')) {
            const qsizetype start = i + 1;
            for (++i; i < n && text[i] != QLatin1Char('"'); ++i) {
                if (text[i] == QLatin1Char('\\'))
                    ++i;
                else if (text[i] == QLatin1Char('\n'))
                    ++line;
            }
            if (stack.empty() || !stack.back().object || !stack.back().expectKey) continue;
            stack.back().expectKey = false;
            const QString key = text.mid(start, i - start);
            if (stack.size() == 1) lastKey = key;
            if (ArrayPlaces* a = stack.back().element; a != nullptr && !a->keys.contains(key))
                a->keys << key;
        } else if (c == QLatin1Char('{') || c == QLatin1Char('[')) {
            Frame f;
            f.object = c == QLatin1Char('{');
            f.expectKey = f.object;
            const bool top = stack.empty();
            if (!f.object && (top || (stack.size() == 1 && stack.back().object)) &&
                arrays.size() < arrays.capacity()) {
                arrays.push_back({top ? QString() : lastKey, {}, {}});
                f.array = &arrays.back();
            } else if (f.object && !stack.empty() && stack.back().array != nullptr) {
                f.element = stack.back().array;
                f.element->lines.push_back(line);
            }
            stack.push_back(f);
        } else if (c == QLatin1Char('}') || c == QLatin1Char(']')) {
            if (!stack.empty()) stack.pop_back();
        } else if (c == QLatin1Char(',') && !stack.empty() && stack.back().object) {
            stack.back().expectKey = true;
        }
    }
    return arrays;
}

QString NumberText(double v)
{
    if (v == static_cast<double>(static_cast<qint64>(v)) && v > -1e15 && v < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

// A list's items, flattened, separated by blanks.
void AppendItems(const QJsonArray& list, QStringList& items)
{
    for (const QJsonValue& v : list) {
        if (v.isArray())
            AppendItems(v.toArray(), items);
        else if (v.isDouble())
            items << NumberText(v.toDouble());
        else if (v.isString())
            items << v.toString().trimmed();
        else
            items << QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    }
}

QString FieldText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString().trimmed();
    case QJsonValue::Double:
        return NumberText(v.toDouble());
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Array: {
        QStringList items;
        AppendItems(v.toArray(), items);
        return items.join(QLatin1Char(' '));
    }
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

int ObjectCount(const QJsonArray& a)
{
    int n = 0;
    for (const QJsonValue& v : a)
        n += v.isObject() ? 1 : 0;
    return n;
}

SourceTable Refused(const QString& why)
{
    SourceTable t;
    t.separator = Separator::Json;
    t.problem = QStringLiteral("is not a JSON archive of draws: %1").arg(why);
    return t;
}

} // namespace

bool LooksLikeJson(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSpace() || c == QChar(0xFEFF)) continue;
        return c == QLatin1Char('[') || c == QLatin1Char('{');
    }
    return false;
}

SourceTable ReadJsonTable(const QString& text)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (doc.isNull())
        return Refused(
            QStringLiteral("%1 at character %2").arg(error.errorString()).arg(error.offset));
    // The array of objects: the document itself, or the longest one under a key of it.
    QJsonArray items;
    QString key;
    if (doc.isArray()) {
        items = doc.array();
    } else {
        const QJsonObject top = doc.object();
        for (auto it = top.begin(); it != top.end(); ++it) {
            if (it->isArray() && ObjectCount(it->toArray()) > ObjectCount(items)) {
                items = it->toArray();
                key = it.key();
            }
        }
    }
    if (ObjectCount(items) == 0) return Refused(QStringLiteral("no list of objects found"));

    const std::vector<ArrayPlaces> arrays = FindArrays(text);
    const ArrayPlaces* places = nullptr;
    for (const ArrayPlaces& a : arrays) {
        if (a.key == key && (doc.isArray() || !a.key.isEmpty()) && places == nullptr) places = &a;
    }
    SourceTable t;
    t.separator = Separator::Json;
    t.hasHeader = true;
    if (places != nullptr) t.header = places->keys;
    // Keys the text scan did not see (it cannot fail on a valid document, but keep every one).
    for (const QJsonValue& v : items) {
        for (const QString& k : v.toObject().keys()) {
            if (!t.header.contains(k)) t.header << k;
        }
    }
    int element = 0;
    for (const QJsonValue& v : items) {
        if (!v.isObject()) continue;
        const QJsonObject o = v.toObject();
        SourceRow row;
        const size_t e = static_cast<size_t>(element++);
        row.line = places != nullptr && e < places->lines.size() ? places->lines[e] : 1;
        row.lastLine = row.line;
        for (const QString& k : t.header)
            row.fields << FieldText(o.value(k));
        t.rows.push_back(std::move(row));
    }
    return t;
}

} // namespace history
