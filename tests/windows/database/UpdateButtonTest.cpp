// "&Update Draws" in the Database window: it moves no other control, its access key clashes with
// no other in the window, it asks for the update, and it steps aside with Import Draws while a
// correction is pending.
#include "windows/database/DatabaseWindow.h"

#include "support/WindowTestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <map>

TEST_F(WindowTest, UpdateDrawsHasAKeyOfItsOwnAndStepsAsideDuringACorrection)
{
    fill(5);
    database::DatabaseWindow window(state, services);
    ASSERT_TRUE(ShowActive(&window));
    auto* update = Child<QPushButton>(&window, QStringLiteral("DUpdate"));
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->text(), QStringLiteral("&Update Draws"));

    // Every caption with an access key: the buttons, the check box, the labels of boxes (the
    // Quick Help button's key is the same open or closed).
    const QMap<QChar, QString> keys = AccessKeys(&window);
    EXPECT_EQ(keys.value(QLatin1Char('U')), QStringLiteral("&Update Draws"));

    // Taken out of the layout altogether, nothing else on the window moves: the button adds no
    // row and widens no column.
    std::map<const QWidget*, QRect> placed;
    auto* frame = Child<QWidget>(&window, QStringLiteral("Frame1"));
    for (const QWidget* c : window.findChildren<QWidget*>())
        if (c != update && (c->parentWidget() == &window || c->parentWidget() == frame))
            placed[c] = c->geometry();
    QSizePolicy policy = update->sizePolicy();
    policy.setRetainSizeWhenHidden(false);
    update->setSizePolicy(policy);
    update->hide();
    window.layout()->activate();
    for (const auto& [c, rect] : placed)
        EXPECT_EQ(c->geometry(), rect) << c->objectName().toStdString();
    policy.setRetainSizeWhenHidden(true);
    update->setSizePolicy(policy);
    update->show();

    QSignalSpy asked(&window, &database::DatabaseWindow::updateRequested);
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&asked] { return asked.count() == 1; }));

    // A correction pending: Update Draws hides like Import Draws, and every button stays where
    // it was.
    const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
    std::map<QString, QRect> before;
    for (const QAbstractButton* b : buttons)
        before[b->objectName()] = b->geometry();
    window.setRecordChooser([](QWidget*) {
        return entry::RecordChoice{entry::Option::Correct, 2};
    });
    Child<QPushButton>(&window, QStringLiteral("DCorrectRec"))->click();
    ASSERT_EQ(window.pendingOption(), entry::Option::Correct);
    EXPECT_FALSE(update->isVisible());
    EXPECT_FALSE(Child<QPushButton>(&window, QStringLiteral("DImport"))->isVisible());
    for (const QAbstractButton* b : buttons)
        EXPECT_EQ(b->geometry(), before[b->objectName()]) << b->objectName().toStdString();
    // Its key presses nothing now (a key that reached it would have pushed it down at once).
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_FALSE(update->isDown());
    EXPECT_EQ(asked.count(), 1);
}
