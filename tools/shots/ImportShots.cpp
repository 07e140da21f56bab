// Not a test: saves pictures of the import window for looking at them (and for the guide).
// Usage: history_shots [output folder]   (default /tmp/shots/import)
#include "models/history/Export.h"
#include "models/history/RememberedSource.h"
#include "models/state/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/import/ImportDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {
void Save(QWidget& w, const QString& dir, const QString& name)
{
    w.show();
    QApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString Read(const char* name)
{
    QFile f(QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? history::DecodeSource(f.readAll()).text : QString();
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    const QString dir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/import");
    QDir().mkpath(dir);

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    ui::Services services{dialogs, printer, clock};
    if (!lto::Loaded(lto::Load(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.Lto"), state.database)))
        qFatal("the sample database cannot be read");

    {
        history::ImportDialog d(state, services);
        Save(d, dir, QStringLiteral("none"));
    }
    struct Shot {
        const char* fixture;
        const char* name;
        bool empty;
    };
    for (const Shot s :
         {Shot{"ball-per-column.csv", "per-column", true},
          Shot{"semicolon-dotted.csv", "semicolon", true},
          Shot{"aligned-spelled.txt", "aligned", true}, Shot{"damaged.csv", "damaged", false},
          Shot{"powerball-combined.csv", "powerball", true},
          Shot{"supp-by-name.csv", "supplementaries", true},
          Shot{"export-49-columns.csv", "forty-nine-columns", true},
          Shot{"archive.json", "json-archive", true}}) {
        core::AppState own;
        if (!s.empty) own.database = state.database;
        own.database.setShape(6, 49);
        history::ImportDialog d(own, services);
        d.setSource(Read(s.fixture), QLatin1String(s.fixture));
        Save(d, dir, QLatin1String(s.name));
        d.resize(760, 560);
        Save(d, dir, QLatin1String(s.name) + QStringLiteral("-small"));
    }
    {
        // Update Draws: the sample's own export remembered, three draws newer than its last
        // one added to it since.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("draws.csv"));
        QByteArray table = history::ExportCsv(state.database);
        const QDate last = state.database.record(state.database.recordCount()).DrawDate;
        const int picks = state.database.picksPerDraw();
        for (int d = 1; d <= 3; ++d) {
            std::vector<int> numbers;
            for (int k = 0; k < picks; ++k)
                numbers.push_back(1 + (d * 11 + k * 7) % state.database.highNumber());
            std::sort(numbers.begin(), numbers.end());
            table += last.addDays(7 * d).toString(Qt::ISODate).toLatin1();
            for (int n : numbers)
                table += ',' + QByteArray::number(n);
            table += '\n';
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(table) != table.size())
            qFatal("no file");
        file.close();
        core::AppState own;
        own.database = state.database;
        const history::SourceTable read = history::ReadTable(QString::fromUtf8(table));
        const history::Detection found =
            history::Detect(read, picks, history::DateOrder::DayFirst, own.database.highNumber());
        own.tickets.source =
            history::ToJson(history::RememberSource(path, read, found, found.mapping, true));
        history::ImportDialog d(own, services);
        if (!d.startUpdate()) qFatal("the update found nothing to show");
        Save(d, dir, QStringLiteral("update"));
    }
    return 0;
}
