// With the desktop's larger fonts every window still shows every caption whole: no label,
// button, check box or option is narrower or lower than its text needs.
#include "app/MainMenu.h"
#include "app/SettingsForm.h"
#include "check/CheckWindow.h"
#include "core/AppState.h"
#include "database/DatabaseWindow.h"
#include "database/DrawDatabase.h"
#include "database/ExtractDialog.h"
#include "database/RecordDialog.h"
#include "invest/InvNumDialog.h"
#include "invest/InvTrackWindow.h"
#include "picks/LotteryWindow.h"
#include "stats/LGraph.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The captions that do not fit in `window`, as "name: needs WxH, has WxH".
QStringList Clipped(QWidget* window)
{
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        QSize needs;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
            needs = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                      : label->minimumSizeHint();
        } else if (qobject_cast<QAbstractButton*>(w)) {
            // The caption's whole width and one line of it; an option's round indicator may
            // overhang its row by a pixel.
            needs = QSize(w->minimumSizeHint().width(), w->fontMetrics().height());
        } else {
            continue;
        }
        if (w->width() < needs.width() || w->height() < needs.height())
            clipped << QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
                           .arg(w->objectName(), qobject_cast<QLabel*>(w)
                                                     ? qobject_cast<QLabel*>(w)->text()
                                                     : qobject_cast<QAbstractButton*>(w)->text())
                           .arg(needs.width())
                           .arg(needs.height())
                           .arg(w->width())
                           .arg(w->height());
    }
    return clipped;
}

} // namespace

TEST(LargerFonts, EveryCaptionFitsUpToTwiceTheSize)
{
    const QFont normal = QApplication::font();
    for (const double factor : {1.0, 1.25, 1.5, 2.0}) {
        SCOPED_TRACE(factor);
        QFont larger = normal;
        larger.setPointSizeF(normal.pointSizeF() * factor);
        QApplication::setFont(larger);

        AppState state;
        FakeDialogs dialogs;
        FakePrinter printer;
        FakeClock clock;
        ui::Services services{dialogs, printer, clock};
        ASSERT_EQ(lto::Load(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.Lto"), state.Database),
                  lto::LoadResult::Ok);
        const std::vector<std::pair<const char*, std::function<QWidget*()>>> windows = {
            {"menu", [&] { return new app::MainMenu; }},
            {"settings", [&] { return new app::SettingsForm(state, services); }},
            {"database", [&] { return new DatabaseWindow(state, services); }},
            {"record", [&] { return new RecordDialog(dialogs); }},
            {"extract", [&] { return new ExtractDialog(state, services); }},
            {"graphs", [&] { return new LGraph(state, services); }},
            {"picks", [&] { return new picks::LotteryWindow(state, services); }},
            {"check", [&] { return new check::CheckWindow(state, services); }},
            {"invest", [&] { return new inv::InvTrackWindow(state, services); }},
            {"amount", [&] { return new inv::InvNumDialog(QStringLiteral(" Amount"), dialogs); }},
        };
        for (const auto& [title, make] : windows) {
            SCOPED_TRACE(title);
            std::unique_ptr<QWidget> window(make());
            window->show();
            const QStringList clipped = Clipped(window.get());
            EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();
        }
    }
    QApplication::setFont(normal);
}
