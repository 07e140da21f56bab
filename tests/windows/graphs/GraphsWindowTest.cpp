#include "windows/graphs/GraphsWindow.h"
#include "models/state/AppState.h"
#include "support/Databases.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/TempDir.h"
#include "ui/BarGraph.h"
#include "ui/Services.h"

#include <QBackingStore>
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

namespace {

// Numbers 1..6 drawn 2, 5, 2, 5, 0 and 2 times; last drawn 2, 0, 1, 0, never, 2 draws ago.
database::DrawDatabase SixNumbers()
{
    return graphs_test::MakeDb(6, 4, {{1, 2, 3, 4}, {2, 4, 6}, {1, 2, 4, 6}, {2, 3, 4}, {2, 4}});
}

QStringList Labels(std::initializer_list<int> numbers)
{
    QStringList out;
    for (const int n : numbers)
        out.append(QString::number(n));
    return out;
}

// Pixels of a strong colour, and pixels dark enough to be ink.
std::pair<int, int> CountInk(const QImage& image)
{
    int coloured = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            coloured += c.saturation() > 80 && c.value() > 40 ? 1 : 0;
            dark += qGray(c.rgb()) < 200 ? 1 : 0;
        }
    }
    return {coloured, dark};
}

class GraphsWindowTest : public ::testing::Test {
protected:
    void open(const database::DrawDatabase& db)
    {
        state.database = db;
        window = std::make_unique<stats::GraphsWindow>(state.database, state.stats, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QLatin1String(name));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString caption(const char* name) const { return button(name)->text(); }
    // The captions of GWhichCnt, ChngView and TwoDBut.
    QStringList captions() const
    {
        return {caption("GWhichCnt"), caption("ChngView"), caption("TwoDBut")};
    }
    QStringList labels() const { return window->graph()->labels(); }
    std::vector<double> values() const { return window->graph()->values(); }

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    std::unique_ptr<stats::GraphsWindow> window;
};

} // namespace

TEST_F(GraphsWindowTest, OpensOnTimesDrawnInNumberOrderWithFlatBars)
{
    state.stats.measure = stats::Measure::DrawsSince;
    open(SixNumbers());
    EXPECT_EQ(window->objectName(), QStringLiteral("LGraph"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Graphs"));
    EXPECT_EQ(captions(),
              (QStringList{QStringLiteral("Since &Last Drawn"), QStringLiteral("&Show Sorted"),
                           QStringLiteral("&ThreeD Graph")}));
    EXPECT_EQ(caption("Printer3"), QStringLiteral("To &Printer"));
    EXPECT_EQ(caption("ExitGrp"), QStringLiteral("E&xit to Menu"));
    EXPECT_EQ(window->findChild<ui::BarGraph*>(QStringLiteral("LotoGraph")), window->graph());
    EXPECT_NE(window->findChild<QLabel*>(QStringLiteral("Label1")), nullptr);

    EXPECT_EQ(state.stats.measure, stats::Measure::TimesDrawn);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. times drawn in 5 draws. Test Lotto"));
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(values(), (std::vector<double>{2, 5, 2, 5, 0, 2}));
    EXPECT_FALSE(window->graph()->threeD());
}

TEST_F(GraphsWindowTest, TogglesNameTheNextViewAndFeedTheGraph)
{
    open(SixNumbers());
    click("GWhichCnt");
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Times &Drawn"));
    EXPECT_EQ(window->graph()->title(),
              QStringLiteral("No. draws since drawn/not drawn in 5 draws. Test Lotto"));
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(values(), (std::vector<double>{2, 0, 1, 0, 5, 2})); // 5 never drawn: 5 draws

    click("ChngView");
    EXPECT_EQ(caption("ChngView"), QStringLiteral("&Show Unsorted"));
    EXPECT_EQ(labels(), Labels({5, 1, 6, 3, 2, 4}));
    EXPECT_EQ(values(), (std::vector<double>{5, 2, 2, 1, 0, 0}));

    click("TwoDBut");
    EXPECT_EQ(captions(),
              (QStringList{QStringLiteral("Times &Drawn"), QStringLiteral("&Show Unsorted"),
                           QStringLiteral("&TwoD Graph")}));
    EXPECT_TRUE(window->graph()->threeD());
    EXPECT_EQ(labels(), Labels({5, 1, 6, 3, 2, 4}));
    EXPECT_EQ(values(), (std::vector<double>{5, 2, 2, 1, 0, 0}));

    click("GWhichCnt");
    EXPECT_EQ(caption("GWhichCnt"), QStringLiteral("Since &Last Drawn"));
    EXPECT_TRUE(window->graph()->threeD());
    EXPECT_EQ(labels(), Labels({2, 4, 1, 3, 6, 5}));
    EXPECT_EQ(values(), (std::vector<double>{5, 5, 2, 2, 2, 0}));

    click("ChngView");
    click("TwoDBut");
    EXPECT_EQ(captions(),
              (QStringList{QStringLiteral("Since &Last Drawn"), QStringLiteral("&Show Sorted"),
                           QStringLiteral("&ThreeD Graph")}));
    EXPECT_FALSE(window->graph()->threeD());
    EXPECT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
}

TEST_F(GraphsWindowTest, EmptyDatabaseShowsZeroBarsAndZeroDraws)
{
    database::DrawDatabase db;
    db.setShape(db.picksPerDraw(), 10);
    open(db);
    EXPECT_EQ(window->graph()->title(), QStringLiteral("No. times drawn in 0 draws. "));
    EXPECT_EQ(values(), std::vector<double>(10, 0.0));
}

TEST_F(GraphsWindowTest, PrintingAsksTwiceAndPrintsInTheChosenStyle)
{
    open(SixNumbers());
    dialogs.answers = {false};
    click("Printer3");
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_EQ(dialogs.log, (std::vector<RecordedMessage>{
                               {RecordedMessage::Kind::Question, QStringLiteral("Printer"),
                                QStringLiteral("Continue with Printout.")}}));
    EXPECT_EQ(dialogs.busyOn, 0);

    for (const bool colour : {true, false}) {
        SCOPED_TRACE(colour ? "colour" : "monochrome");
        dialogs.clear();
        printer.pages.clear();
        printer.colours.clear();
        dialogs.answers = {true, colour};
        click("Printer3");
        ASSERT_EQ(dialogs.log.size(), 2u);
        EXPECT_EQ(dialogs.log[1],
                  (RecordedMessage{RecordedMessage::Kind::Question, QStringLiteral("Printer"),
                                   QStringLiteral("Print in Color.")}));
        ASSERT_EQ(printer.pages.size(), 1u);
        EXPECT_EQ(printer.colours[0], colour);
        // The hourglass while the page is made, the normal pointer afterwards.
        EXPECT_EQ(dialogs.busyOn, 1);
        EXPECT_EQ(dialogs.busyOff, 1);
        const auto [coloured, dark] = CountInk(printer.pages[0]);
        EXPECT_GT(dark, 2000); // bars, axis, labels and title
        EXPECT_EQ(coloured > 2000, colour);
        EXPECT_EQ(coloured == 0, !colour);
    }
}

TEST_F(GraphsWindowTest, PdfPageCarriesTheGraphInColourAndInGreys)
{
    open(graphs_test::RandomDb(49, 6, 300, 7, QStringLiteral("Random 6/49")));
    click("TwoDBut");
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    TempDir dir;
    for (const bool colour : {true, false}) {
        SCOPED_TRACE(colour ? "colour" : "monochrome");
        const QString base = dir.path(colour ? QStringLiteral("colour") : QStringLiteral("mono"));
        {
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(base + QStringLiteral(".pdf"));
            QPainter painter(&pdf);
            const double width = pdf.pageRect(QPrinter::DevicePixel).width();
            window->graph()->paint(painter, QRectF(0, 0, width, width * 0.6), colour);
        }
        QFile file(base + QStringLiteral(".pdf"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.read(4) == "%PDF");
        if (pdftoppm.isEmpty())
            continue; // the PDF cannot be looked at here; its header is all there is to check
        ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"),
                                               QStringLiteral("60"), QStringLiteral("-singlefile"),
                                               file.fileName(), base}),
                  0);
        const QImage image(base + QStringLiteral(".png"));
        ASSERT_FALSE(image.isNull());
        const auto [coloured, dark] = CountInk(image);
        EXPECT_GT(dark, 1000);
        EXPECT_EQ(coloured > 1000, colour);
        EXPECT_EQ(coloured == 0, !colour);
    }
}

TEST_F(GraphsWindowTest, ExitButtonAndTitleBarCloseLeaveOnce)
{
    for (const bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "ExitGrp" : "title bar");
        open(SixNumbers());
        click("ChngView");
        click("ChngView");
        ASSERT_EQ(labels(), Labels({1, 2, 3, 4, 5, 6}));
        QSignalSpy left(window.get(), &stats::GraphsWindow::exitToMenu);
        if (byButton)
            click("ExitGrp");
        else
            window->close();
        EXPECT_EQ(left.count(), 1);
        EXPECT_FALSE(window->isVisible());
        window->close(); // a second close does not leave twice
        EXPECT_EQ(left.count(), 1);
    }
}

TEST_F(GraphsWindowTest, AccessKeysWorkTheButtons)
{
    open(SixNumbers());
    QSignalSpy left(window.get(), &stats::GraphsWindow::exitToMenu);
    // An access key clicks its button after the button's short press animation.
    auto press = [this](Qt::Key key, const std::function<bool()>& done) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        return QTest::qWaitFor(done, 2000);
    };
    EXPECT_TRUE(press(Qt::Key_T, [&] { return window->graph()->threeD(); }));
    EXPECT_TRUE(
        press(Qt::Key_S, [&] { return caption("ChngView") == QStringLiteral("&Show Unsorted"); }));
    EXPECT_TRUE(
        press(Qt::Key_L, [&] { return caption("GWhichCnt") == QStringLiteral("Times &Drawn"); }));
    EXPECT_TRUE(press(Qt::Key_X, [&] { return left.count() == 1; }));
}

namespace {

// What the window's backing store holds (what the screen shows), and the window painted afresh.
QImage OnScreen(QWidget* window)
{
    auto* device = dynamic_cast<QImage*>(window->backingStore()->paintDevice());
    QImage image = device != nullptr ? device->convertToFormat(QImage::Format_RGB32) : QImage();
    image.setDevicePixelRatio(1);
    return image;
}
QImage PaintedAfresh(QWidget* window)
{
    QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace

// Since Last Drawn drops the fairness band's line, and the graph grows over where the caption
// was. At 150 % the graph's lower edge falls inside a row of device pixels; that row must not
// keep half of the old caption (run at 150 % and 200 % too).
TEST_F(GraphsWindowTest, SwitchingTheMeasureLeavesNothingOfTheLastView)
{
    open(MakeDrawDatabase(49, 6, RandomDraws(49, 6, 300, 49), QDate(2020, 1, 4),
                          QStringLiteral("Random 6/49 Lotto")));
    const auto shownAsPainted = [this] {
        return OnScreen(window.get()) == PaintedAfresh(window.get());
    };
    ASSERT_TRUE(QTest::qWaitFor(shownAsPainted));
    click("GWhichCnt");
    ASSERT_EQ(caption("GWhichCnt"), QStringLiteral("Times &Drawn"));
    EXPECT_TRUE(QTest::qWaitFor(shownAsPainted));
    click("GWhichCnt");
    EXPECT_TRUE(QTest::qWaitFor(shownAsPainted));
}
