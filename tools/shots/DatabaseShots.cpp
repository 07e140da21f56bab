// Not a test: saves pictures of the Database window and its dialogs for looking at them.
// Usage: database_shots [output folder]   (default /tmp/shots/dbwin)
#include "models/state/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindow.h"
#include "windows/database/ExtractDialog.h"
#include "windows/database/RecordDialog.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

namespace {
void Save(QWidget& w, const QString& dir, const QString& name)
{
    w.show();
    QApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    const QString dir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/dbwin");
    QDir().mkpath(dir);

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    ui::Services services{dialogs, printer, clock};

    {
        database::DatabaseWindow empty(state, services);
        Save(empty, dir, QStringLiteral("empty"));
    }

    if (!lto::Loaded(lto::Load(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.Lto"), state.database)))
        qFatal("the sample database cannot be read");
    {
        database::DatabaseWindow w(state, services);
        Save(w, dir, QStringLiteral("loaded"));
        w.findChild<QPushButton*>(QStringLiteral("DHelp"))->click();
        Save(w, dir, QStringLiteral("help"));
        w.findChild<QPushButton*>(QStringLiteral("DHelp"))->click();
        w.setRecordChooser([](QWidget*) { return entry::RecordChoice{entry::Option::Correct, 3}; });
        w.findChild<QPushButton*>(QStringLiteral("DCorrectRec"))->click();
        Save(w, dir, QStringLiteral("correcting"));
        w.resize(800, 500);
        Save(w, dir, QStringLiteral("small"));
        w.resize(1500, 1000);
        Save(w, dir, QStringLiteral("large"));
    }
    {
        // The window's own size, wide enough for every button, Import Draws and Update Draws
        // among them (the user guide's picture; on a screen of at least 1100 by 720).
        database::DatabaseWindow w(state, services);
        w.resize(1100, 720);
        Save(w, dir, QStringLiteral("buttons"));
    }
    {
        database::RecordDialog d(dialogs);
        d.findChild<QRadioButton*>(QStringLiteral("CorInsDel1"))->click();
        Save(d, dir, QStringLiteral("record_dialog"));
    }
    {
        database::ExtractDialog d(state, services);
        Save(d, dir, QStringLiteral("extract"));
        d.findChild<QPushButton*>(QStringLiteral("EHelp"))->click();
        Save(d, dir, QStringLiteral("extract_help"));
        d.findChild<QPushButton*>(QStringLiteral("EHelp"))->click();
        Save(d, dir, QStringLiteral("extract_help_closed"));
    }
    {
        state.database.setShape(10, 60);
        database::DatabaseWindow wide(state, services);
        Save(wide, dir, QStringLiteral("ten_picks"));
    }
    return 0;
}
