#include "Databases.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/TempDir.h"
#include "core/AppState.h"
#include "stats/LGraph.h"
#include "ui/BarGraph.h"
#include "ui/Services.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using graphs_test::MakeDb;

namespace {

// Numbers 1..6 drawn 2, 5, 2, 5, 0 and 2 times; last drawn 2, 0, 1, 0, never, 2 draws ago.
DrawDatabase SixNumbers()
{
    return MakeDb(6, 4, {{1, 2, 3, 4}, {2, 4, 6}, {1, 2, 4, 6}, {2, 3, 4}, {2, 4}});
}

std::vector<double> Values(std::initializer_list<double> values)
{
    return values;
}

class LGraphTest : public ::testing::Test {
protected:
    void open(const DrawDatabase& db)
    {
        state.Database = db;
        window = std::make_unique<LGraph>(state, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QPushButton* button(const char* name) const
    {
        auto* b = window->findChild<QPushButton*>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString caption(const char* name) const { return button(name)->text(); }
    QStringList labels() const { return window->graph()->labels(); }
    std::vector<double> values() const { return window->graph()->values(); }

    AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    std::unique_ptr<LGraph> window;
};

QStringList Labels(std::initializer_list<int> numbers)
{
    QStringList out;
    for (const int n : numbers)
        out.append(QString::number(n));
    return out;
}

int CountColoured(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.saturation() > 80 && c.value() > 40)
                ++count;
        }
    }
    return count;
}

int CountDark(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
    return count;
}

} // namespace

TEST_F(LGraphTest, OpensOnTimesDrawnInNumberOrderWithFlatBars)
{
    state.Stats.TimesDrawnMode = 0.0f;
    state.Stats.UnsortedSwitch = 1;
    open(SixNumbers());

    EXPECT_EQ(window->objectName(), QStringLiteral("LGraph"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Graphs"));
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Since &Last Drawn"));
    EXPECT_EQ(caption("ChngView"), QStringLiteral("&Show Sorted"));
    EXPECT_EQ(caption("TwoDBut"), QStringLiteral("&ThreeD Graph"));
    EXPECT_EQ(caption("Printer3"), QStringLiteral("To &Printer"));
    EXPECT_EQ(caption("ExitGrp"), QStringLiteral("E&xit to Menu"));
    ASSERT_NE(window->findChild<ui::BarGraph*>(QStringLiteral("LotoGraph")), nullptr);
    ASSERT_NE(window->findChild<QLabel*>(QStringLiteral("Label1")), nullptr);

    EXPECT_EQ(state.Stats.TimesDrawnMode, 1.0f);
    EXPECT_EQ(state.Stats.UnsortedSwitch, 1);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(values(), Values({2, 5, 2, 5, 0, 2}));
    EXPECT_FALSE(window->graph()->threeD());
}

TEST_F(LGraphTest, MeasureButtonSwitchesTitleValuesAndCaption)
{
    open(SixNumbers());
    click("GWhichCnt");
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Times &Drawn"));
    EXPECT_EQ(state.Stats.TimesDrawnMode, 0.0f);
    EXPECT_EQ(state.Stats.UnsortedSwitch, 10);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    // Number 5 was never drawn: the record count.
    EXPECT_EQ(values(), Values({2, 0, 1, 0, 5, 2}));

    click("GWhichCnt");
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Since &Last Drawn"));
    EXPECT_EQ(state.Stats.TimesDrawnMode, 1.0f);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
    EXPECT_EQ(values(), Values({2, 5, 2, 5, 0, 2}));
}

TEST_F(LGraphTest, SortButtonRanksAndTwoClicksRestoreTheOrderWithoutRecomputing)
{
    open(SixNumbers());
    click("ChngView");
    EXPECT_EQ(caption("ChngView"), QStringLiteral("&Show Unsorted"));
    EXPECT_EQ(state.Stats.UnsortedSwitch, 0);
    EXPECT_EQ(labels(), Labels({2, 4, 1, 3, 6, 5}));
    EXPECT_EQ(values(), Values({5, 5, 2, 2, 2, 0}));

    // A draw added behind the window's back shows only after a recompute.
    state.Database.RecordCount = 6;
    state.Database.Records[6].Numbers = {5, 5, 5};
    click("ChngView");
    EXPECT_EQ(caption("ChngView"), QStringLiteral("&Show Sorted"));
    EXPECT_EQ(state.Stats.UnsortedSwitch, 10);
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(values(), Values({2, 5, 2, 5, 0, 2}));

    // The measure button recomputes, and keeps the order shown.
    click("GWhichCnt");
    click("GWhichCnt");
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(values(), Values({2, 5, 2, 5, 3, 2}));
}

TEST_F(LGraphTest, RankedDrawsSinceForAKnownDatabase)
{
    open(SixNumbers());
    click("GWhichCnt");
    click("ChngView");
    EXPECT_EQ(labels(), Labels({5, 1, 6, 3, 2, 4}));
    EXPECT_EQ(values(), Values({5, 2, 2, 1, 0, 0}));
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));
}

TEST_F(LGraphTest, BarStyleButtonKeepsOrderAndMeasure)
{
    open(SixNumbers());
    click("GWhichCnt");
    click("ChngView");
    const QStringList labelsBefore = labels();
    const std::vector<double> valuesBefore = values();
    const QString titleBefore = window->graph()->title();

    click("TwoDBut");
    EXPECT_EQ(caption("TwoDBut"), QStringLiteral("&TwoD Graph"));
    EXPECT_TRUE(window->graph()->threeD());
    EXPECT_EQ(labels(), labelsBefore);
    EXPECT_EQ(values(), valuesBefore);
    EXPECT_EQ(window->graph()->title(), titleBefore);
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Times &Drawn"));
    EXPECT_EQ(caption("ChngView"), QStringLiteral("&Show Unsorted"));

    // The other toggles keep the bar style.
    click("ChngView");
    click("GWhichCnt");
    EXPECT_TRUE(window->graph()->threeD());
    click("TwoDBut");
    EXPECT_EQ(caption("TwoDBut"), QStringLiteral("&ThreeD Graph"));
    EXPECT_FALSE(window->graph()->threeD());
}

TEST_F(LGraphTest, EmptyDatabaseShowsZeroBarsAndZeroDraws)
{
    DrawDatabase db;
    db.HighNumber = 10;
    open(db);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. times drawn in 0 draws. "));
    EXPECT_EQ(labels().size(), 10);
    EXPECT_EQ(values(), std::vector<double>(10, 0.0));
}

TEST_F(LGraphTest, PrintingAsksTwiceAndPrintsInTheChosenStyle)
{
    open(SixNumbers());
    dialogs.answers = {false};
    click("Printer3");
    EXPECT_TRUE(printer.pages.empty());
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0], (RecordedMessage{RecordedMessage::Kind::Question, QStringLiteral("Printer"),
                                               QStringLiteral("Continue with Printout.")}));

    for (const bool colour : {true, false}) {
        SCOPED_TRACE(colour ? "colour" : "monochrome");
        dialogs.clear();
        printer.pages.clear();
        printer.colours.clear();
        dialogs.answers = {true, colour};
        click("Printer3");
        ASSERT_EQ(dialogs.log.size(), 2u);
        EXPECT_EQ(dialogs.log[0].text, QStringLiteral("Continue with Printout."));
        EXPECT_EQ(dialogs.log[1], (RecordedMessage{RecordedMessage::Kind::Question, QStringLiteral("Printer"),
                                                   QStringLiteral("Print in Color.")}));
        ASSERT_EQ(printer.pages.size(), 1u);
        EXPECT_EQ(printer.colours[0], colour);
        const QImage& page = printer.pages[0];
        EXPECT_GT(CountDark(page), 2000); // bars, axis, labels and title
        if (colour) {
            EXPECT_GT(CountColoured(page), 2000);
        } else {
            EXPECT_EQ(CountColoured(page), 0);
        }
    }
    // The window keeps its view.
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Since &Last Drawn"));
    EXPECT_EQ(values(), Values({2, 5, 2, 5, 0, 2}));
}

TEST_F(LGraphTest, PdfPageCarriesTheGraphInColourAndInGreys)
{
    open(graphs_test::RandomDb(49, 6, 300, 7, QStringLiteral("Random 6/49")));
    click("TwoDBut");
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    TempDir dir;
    for (const bool colour : {true, false}) {
        SCOPED_TRACE(colour ? "colour" : "monochrome");
        const QString pdfPath = dir.path(colour ? QStringLiteral("colour.pdf") : QStringLiteral("mono.pdf"));
        {
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(pdfPath);
            QPainter painter(&pdf);
            const QRectF page(QPointF(0, 0), pdf.pageRect(QPrinter::DevicePixel).size());
            window->graph()->paint(painter, QRectF(0, 0, page.width(), page.width() * 0.6), colour);
        }
        const QByteArray bytes = dir.read(QFileInfo(pdfPath).fileName());
        ASSERT_TRUE(bytes.startsWith("%PDF")) << bytes.left(16).constData();
        if (pdftoppm.isEmpty())
            continue;
        const QString pngBase = dir.path(colour ? QStringLiteral("colour") : QStringLiteral("mono"));
        ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                               QStringLiteral("-singlefile"), pdfPath, pngBase}),
                  0);
        const QImage image(pngBase + QStringLiteral(".png"));
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(CountDark(image), 1000);
        if (colour) {
            EXPECT_GT(CountColoured(image), 1000);
        } else {
            EXPECT_EQ(CountColoured(image), 0);
        }
    }
}

TEST_F(LGraphTest, ExitButtonAndTitleBarCloseLeaveOnceWithRankingRestored)
{
    for (const bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "ExitGrp" : "title bar");
        open(SixNumbers());
        click("ChngView");
        click("ChngView");
        ASSERT_EQ(state.Stats.UnsortedSwitch, 10);
        QSignalSpy left(window.get(), &LGraph::exitToMenu);
        if (byButton)
            click("ExitGrp");
        else
            window->close();
        EXPECT_EQ(left.count(), 1);
        EXPECT_EQ(state.Stats.UnsortedSwitch, 0);
        EXPECT_FALSE(window->isVisible());
        window->close(); // a second close does not leave twice
        EXPECT_EQ(left.count(), 1);
    }
}

TEST_F(LGraphTest, AccessKeysWorkTheButtons)
{
    open(SixNumbers());
    QSignalSpy left(window.get(), &LGraph::exitToMenu);
    // An access key clicks its button after the button's short press animation.
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->graph()->threeD(); }, 2000));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return caption("ChngView") == QStringLiteral("&Show Unsorted"); }, 2000));
    QTest::keyClick(window.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return caption("GWhichCnt") == QStringLiteral("Times &Drawn"); }, 2000));
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return left.count() == 1; }, 2000));
}
