// With the desktop's larger fonts every window still shows every caption whole: no label,
// button, check box or option is narrower or lower than its text needs.
#include "EveryWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

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

        EveryWindow().forEach([](const char*, QWidget& window) {
            const QStringList clipped = Clipped(&window);
            EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();
        });
    }
    QApplication::setFont(normal);
}

TEST(LargerFonts, EveryWindowFitsTheAvailableScreen)
{
    // Run as well on a 1280x1024 screen at scale 1.5 and 2 (see the CMake list).
    EveryWindow().forEach([](const char*, QWidget& window) {
        const QRect room = window.screen()->availableGeometry();
        const QSize size = window.frameGeometry().size();
        EXPECT_LE(size.width(), room.width()) << size.width() << "x" << size.height();
        EXPECT_LE(size.height(), room.height()) << size.width() << "x" << size.height();
        // A window fitted into a scroll area still shows every control it did: whatever no one
        // hid on purpose (it or a widget around it) is visible.
        auto hiddenOnPurpose = [&window](const QWidget* w) {
            for (; w != nullptr && w != &window; w = w->parentWidget())
                if (w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden()) return true;
            return false;
        };
        for (const QWidget* w : window.findChildren<QWidget*>())
            EXPECT_TRUE(hiddenOnPurpose(w) || w->isVisibleTo(&window))
                << w->objectName().toStdString() << " " << w->metaObject()->className();
    });
}
