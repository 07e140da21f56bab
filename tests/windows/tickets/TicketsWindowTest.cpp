#include "windows/tickets/TicketsWindow.h"
#include "models/invest/InvestmentSheet.h"
#include "support/TempDir.h"
#include "support/WindowTestSupport.h"
#include "windows/tickets/TicketDialogs.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

class TicketsWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        // Three weekly draws of 6 from 49, up to Saturday 5 December.
        state.database = MakeDrawDatabase(
            49, 6, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 20, 21, 22}, {7, 8, 9, 10, 30, 31}},
            DrawDates(QDate(2026, 11, 21), 3));
        state.tickets.prizes[3] = {tickets::PrizeKind::Fixed, 1000};
        window = std::make_unique<tickets::TicketsWindow>(state, services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        connect();
    }
    void connect()
    {
        QObject::connect(window.get(), &tickets::TicketsWindow::ticketsChanged,
                         [this] { ++saves; });
    }
    QDialog* dialog()
    {
        QDialog* d = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            return d != nullptr && d->isActiveWindow();
        }));
        return d;
    }
    QTableWidget* table(const char* name)
    {
        return window->findChild<QTableWidget*>(QLatin1String(name));
    }
    QString cell(const char* name, int row, int col)
    {
        const QTableWidgetItem* item = table(name)->item(row, col);
        return item ? item->text() : QString();
    }
    QString label(const char* name)
    {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }

    std::unique_ptr<tickets::TicketsWindow> window;
    int saves = 0;
};

} // namespace

TEST_F(TicketsWindowTest, ATicketTypedByKeyboardIsCheckedAtOnce)
{
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    QDialog* d = dialog();
    ASSERT_NE(d, nullptr);
    // The forms box has the focus; a wrong number keeps the dialog open with the reason.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1 2 3 4 5 60"));
    QTest::keyClick(d, Qt::Key_D, Qt::AltModifier);
    QApplication::focusWidget()->findChild<QLineEdit*>();
    auto* first = d->findChild<QLineEdit*>(QStringLiteral("TicketFirstBox"));
    ASSERT_EQ(QApplication::focusWidget(), first);
    first->selectAll();
    QTest::keyClicks(first, QStringLiteral("2026-11-28"));
    QTest::keyClick(d, Qt::Key_N, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    QTest::keyClick(d, Qt::Key_P, Qt::AltModifier);
    QApplication::focusWidget()->findChild<QLineEdit*>();
    auto* price = d->findChild<QLineEdit*>(QStringLiteral("TicketPriceBox"));
    price->selectAll();
    QTest::keyClicks(price, QStringLiteral("2.50"));
    QTest::keyClick(price, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages().back(),
              QStringLiteral("Ticket|The forms: line 1: 60 is outside 1 to 49."));
    EXPECT_TRUE(d->isVisible());
    auto* forms = d->findChild<QPlainTextEdit*>(QStringLiteral("TicketFormsBox"));
    forms->setFocus();
    QTest::keyClick(forms, Qt::Key_Backspace);
    QTest::keyClick(forms, Qt::Key_Backspace);
    QTest::keyClicks(forms, QStringLiteral("6"));
    QTest::keyClick(forms, Qt::Key_Return, Qt::NoModifier);
    QTest::keyClicks(forms, QStringLiteral("10 9 8 7 11 12"));
    QTest::keyClick(price, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.tickets.tickets.size() == 1; }));
    EXPECT_EQ(state.tickets.tickets[0].forms[1], (std::vector<int>{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(saves, 1);

    // Played on 28 November and 5 December, one to come; 3 of 6 on the 28th wins 10.00.
    EXPECT_EQ(cell("TicketList", 0, 3), QStringLiteral("2 / 1"));
    EXPECT_EQ(cell("TicketList", 0, 4), QStringLiteral("10.00"));
    EXPECT_EQ(cell("TicketList", 0, 5), QStringLiteral("10.00"));
    EXPECT_EQ(cell("TicketResults", 0, 3), QStringLiteral("3: 1 2 3"));
    EXPECT_EQ(cell("TicketResults", 0, 4), QStringLiteral("10.00"));
    EXPECT_EQ(cell("TicketResults", 3, 3), QStringLiteral("4: 7 8 9 10"));
    EXPECT_EQ(cell("TicketResults", 0, 5), QStringLiteral("new"));
    EXPECT_TRUE(label("HonestLine")
                    .startsWith(QStringLiteral("At these odds and prizes you would expect")));
}

TEST_F(TicketsWindowTest, PrizesDeletionPrintingAndWhatIsNew)
{
    state.tickets.tickets.push_back(
        {QStringLiteral("Week"), {{1, 2, 3, 4, 5, 6}}, QDate(2026, 11, 21), 2, 100});
    window = std::make_unique<tickets::TicketsWindow>(state, services);
    connect();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Four matches vary: the prize table's last row is selected; choose 4 of 6.
    table("PrizeTable")->selectRow(3);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    QDialog* d = dialog();
    ASSERT_NE(d, nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return state.tickets.prizes[4].kind == tickets::PrizeKind::Varies; }));
    EXPECT_EQ(cell("PrizeTable", 3, 1), QStringLiteral("varies"));
    EXPECT_TRUE(label("HonestLine").contains(QStringLiteral("unknown (you won 10.00)")));

    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    dialogs.answers = {true};
    // An access key clicks its button a moment later, as a click would show.
    QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return printer.texts.size() == 1; }));
    const QStringList page = printer.texts[0].pages[0];
    // Six of six pay nothing in this table; three of six on the 28th pay 10.00.
    EXPECT_TRUE(page.contains(QStringLiteral("    2026-11-21   1: 6")))
        << page.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("    2026-11-28   1: 3 10.00")));
    EXPECT_TRUE(page.contains(QStringLiteral("    Spent 2.00, won 10.00")));

    dialogs.answers = {false, true};
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.answers.size() == 1; }));
    EXPECT_EQ(state.tickets.tickets.size(), 1u);
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.tickets.tickets.empty(); }));
    EXPECT_EQ(dialogs.log.back().text,
              QStringLiteral("Yes will delete \"Week\" and the amounts typed for it."));

    // Leaving marks what was shown as seen.
    const int savesBefore = saves;
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_EQ(saves, savesBefore);
}

TEST_F(TicketsWindowTest, PostingAskForTheRangeAndWritesTheSheetOnce)
{
    state.tickets.tickets.push_back({{}, {{1, 2, 3, 4, 5, 6}}, QDate(2026, 11, 28), 2, 150});
    window = std::make_unique<tickets::TicketsWindow>(state, services);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    TempDir dir;
    const QString sheet = dir.path(QStringLiteral("Money.inv"));
    dialogs.files = {sheet, sheet};
    dialogs.answers = {false};
    for (int round = 0; round < 2; ++round) {
        QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
        QDialog* d = dialog();
        ASSERT_NE(d, nullptr);
        // Only the draw of 28 November, which won 10.00 with three numbers.
        auto* to = d->findChild<QLineEdit*>(QStringLiteral("PostToBox"));
        to->selectAll();
        QTest::keyClicks(to, QStringLiteral("2026-11-28"));
        QTest::keyClick(to, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    EXPECT_EQ(
        dialogs.messages().front(),
        QStringLiteral("Tickets|Posted 3 rows, from 2026-11-28 to 2026-11-28, to Money.inv."));
    // The second time asks, and No leaves the sheet as it was.
    EXPECT_EQ(dialogs.log.back().text,
              QStringLiteral(
                  "Money.inv already holds tickets of these draws. Yes will post them again."));
    inv::InvestmentSheet read;
    ASSERT_EQ(inv::Load(sheet, read).code(), inv::LoadResult::Ok);
    EXPECT_EQ(read.SheetRowCount, 3);
    EXPECT_EQ(read.cell(1, 0).asText(), QStringLiteral("Tickets 2026-11-28"));
    EXPECT_EQ(read.cell(2, 0).asText(), QStringLiteral("Prize 2026-11-28 3 of 6"));
    EXPECT_DOUBLE_EQ(read.SheetTotal, 10.0 - 1.5);
}
