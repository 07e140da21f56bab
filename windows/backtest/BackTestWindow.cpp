#include "windows/backtest/BackTestWindow.h"

#include "models/draws/DrawDatabase.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/FitToScreen.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/backtest/CumulativePlot.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace odds {

namespace {

constexpr int DefaultForms = 10;
constexpr int DefaultStart = 20;
// A run that has taken this long shows its progress.
constexpr qint64 ShowProgressAfterMs = 150;

QString Num(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

BackTestWindow::BackTestWindow(const database::DrawDatabase& db, ui::Services& services,
                               QWidget* parent)
    : QDialog(parent), m_db(db), m_services(services)
{
    setObjectName(QStringLiteral("LBackTest"));
    setWindowTitle(QStringLiteral("Back-test of the Pick Strategies"));

    // The settings and the commands on top, the table, the reading and the plot underneath.
    QGridLayout* setup = buildSetupBoxes();
    QVBoxLayout* buttons = buildCommandButtons();
    auto* top = new QHBoxLayout;
    top->addLayout(setup, 1);
    top->addLayout(buttons);
    buildResultsTable();
    QLabel* note = buildReadings();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_resultsTable);
    layout->addWidget(m_reading);
    layout->addWidget(m_progress);
    layout->addWidget(m_plot, 1);
    layout->addWidget(note);

    connectHandlers();
    resize(sizeHint());
    ui::FitToScreen(this);
}

QGridLayout* BackTestWindow::buildSetupBoxes()
{
    auto* grid = new QGridLayout;
    m_formsBox = buildSetupBox(grid, 0, QStringLiteral("InBtForms"),
                               QStringLiteral("Entry &forms per way of picking and draw"));
    m_startBox =
        buildSetupBox(grid, 1, QStringLiteral("InBtStart"), QStringLiteral("Start at &record"));
    // Nineteen digits always fit the generator's 64-bit seed.
    m_seedBox = buildSetupBox(grid, 2, QStringLiteral("InBtSeed"),
                              QStringLiteral("&Seed (blank: a new one)"), 19);
    m_formsBox->setText(QString::number(DefaultForms));
    m_startBox->setText(QString::number(DefaultStart));
    grid->setColumnStretch(2, 1);
    return grid;
}

ui::InputBox* BackTestWindow::buildSetupBox(QGridLayout* grid, int row, const QString& name,
                                            const QString& caption, int maxLength)
{
    ui::InputBox* box = ui::MakeInputBox(name, m_services.dialogs,
                                         {.keys = ui::KeyRule::Digits,
                                          .maxLength = maxLength,
                                          .alignment = Qt::AlignRight,
                                          .widthSample = QStringLiteral("00000000000"),
                                          .widthMargin = 16},
                                         this);
    auto* label = new QLabel(caption, this);
    ui::LabelFor(label, box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

QVBoxLayout* BackTestWindow::buildCommandButtons()
{
    m_run = ui::NamedButton(QStringLiteral("BtRun"), QStringLiteral("R&un"), this);
    m_toPrinter = ui::NamedButton(QStringLiteral("BtPrinter"), QStringLiteral("To &Printer"), this);
    m_close = ui::NamedButton(QStringLiteral("BtClose"), QStringLiteral("&Close"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_run);
    buttons->addWidget(m_toPrinter);
    buttons->addWidget(m_close);
    buttons->addStretch(1);
    return buttons;
}

void BackTestWindow::buildResultsTable()
{
    m_resultsTable = new ui::Grid(this);
    m_resultsTable->setObjectName(QStringLiteral("BtTable"));
    m_resultsTable->setCaption(QStringLiteral("Results by way of picking"));
    const QStringList heads{QStringLiteral("Way of picking"), QStringLiteral("Draws"),
                            QStringLiteral("Forms"),          QStringLiteral("Mean matches"),
                            QStringLiteral("Random mean"),    QStringLiteral("z"),
                            QStringLiteral("3 or more"),      QStringLiteral("expected")};
    const int widths[] = {3000, 800, 900, 1600, 1600, 800, 1200, 1100};
    const auto strategies = AllStrategies();
    m_resultsTable->setRows(static_cast<int>(strategies.size()) + 1);
    m_resultsTable->setCols(static_cast<int>(heads.size()));
    m_resultsTable->setFixedCols(0);
    int total = 0;
    for (int c = 0; c < heads.size(); ++c) {
        m_resultsTable->setCell(0, c, heads[c]);
        m_resultsTable->setColWidthTwips(c, widths[c]);
        m_resultsTable->setColAlignment(c, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
        m_resultsTable->setHeaderAlignment(c, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
        total += widths[c];
    }
    m_resultsTable->setWidthTwips(total + 60);
    // Every row shown, without a scroll bar.
    QTableView* view = m_resultsTable->view();
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    const int headerHeight = view->horizontalHeader()->sizeHint().height();
    m_resultsTable->setFixedHeight(headerHeight + static_cast<int>(strategies.size()) * rowHeight +
                                   2 * view->frameWidth() + 2);
    for (size_t i = 0; i < strategies.size(); ++i)
        m_resultsTable->setCell(static_cast<int>(i) + 1, 0, StrategyCaption(strategies[i]));
}

QLabel* BackTestWindow::buildReadings()
{
    // The plot, the progress of a long run, the reading of the figures and the note on them;
    // the note is returned for the layout.
    m_plot = new CumulativePlot(this);
    m_plot->setObjectName(QStringLiteral("BtPlot"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("BtProgress"));
    m_progress->setVisible(false);
    m_reading = new QLabel(this);
    m_reading->setObjectName(QStringLiteral("BtReading"));
    m_reading->setWordWrap(true);
    m_reading->setMinimumHeight(3 * m_reading->fontMetrics().lineSpacing() + 4);
    auto* note = new QLabel(BackTestExplanation(), this);
    note->setWordWrap(true);
    return note;
}

void BackTestWindow::connectHandlers()
{
    m_formsBox->setNext(m_startBox);
    m_startBox->setNext(m_seedBox);
    // Enter in the last box runs the back-test.
    m_seedBox->setNext(m_run);
    connect(m_formsBox, &ui::InputBox::left, this,
            [this] { boxLeft(m_formsBox, 1, MaxBackTestForms, DefaultForms); });
    connect(m_startBox, &ui::InputBox::left, this,
            [this] { boxLeft(m_startBox, 1, database::DrawDatabase::MaxRecords, DefaultStart); });
    connect(m_run, &QPushButton::clicked, this, &BackTestWindow::run);
    connect(m_toPrinter, &QPushButton::clicked, this, &BackTestWindow::print);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void BackTestWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_ranOnce) {
        m_ranOnce = true;
        run();
        // The box that has the focus first has its text selected, so the first key typed
        // replaces it.
        m_formsBox->selectAll();
    }
}

void BackTestWindow::boxLeft(ui::InputBox* box, int low, int high, int putBack)
{
    const long long value = text::IntValue(box->text());
    if (value < low || value > high) {
        m_services.dialogs.message(QStringLiteral("Help"),
                                   QStringLiteral(" Must be from %1 to %2").arg(low).arg(high));
        box->setText(QString::number(putBack));
    }
}

void BackTestWindow::run()
{
    if (m_running) return;
    m_running = true;
    BackTestOptions options;
    options.forms = static_cast<int>(
        std::clamp<long long>(text::IntValue(m_formsBox->text()), 1, MaxBackTestForms));
    options.start = static_cast<int>(std::clamp<long long>(text::IntValue(m_startBox->text()), 1,
                                                           database::DrawDatabase::MaxRecords));
    const QString seedText = m_seedBox->text().trimmed();
    if (!seedText.isEmpty()) options.seed = seedText.toULongLong();
    {
        ui::BusyPointer busy(m_services.dialogs);
        QElapsedTimer clock;
        clock.start();
        m_result = RunBackTest(m_db, options, [this, &clock](int done, int total) {
            if (clock.elapsed() >= ShowProgressAfterMs && (done % 25 == 0 || done == total)) {
                m_progress->setRange(0, total);
                m_progress->setValue(done);
                m_progress->setVisible(true);
                m_progress->repaint();
            }
            return true;
        });
        m_progress->setVisible(false);
    }
    m_seedBox->setText(QString::number(m_result.seed));
    showResult();
    m_running = false;
}

void BackTestWindow::showResult()
{
    QStringList captions;
    std::vector<std::vector<double>> series;
    for (size_t i = 0; i < m_result.strategies.size(); ++i) {
        const StrategyResult& r = m_result.strategies[i];
        const int row = static_cast<int>(i) + 1;
        // A way of picking that never had a pool shows so, not zeros that read as results.
        const bool any = !r.noPool();
        m_resultsTable->setCell(row, 1, any ? QString::number(r.draws) : QStringLiteral("no pool"));
        m_resultsTable->setCell(row, 2, any ? QString::number(r.forms) : QString());
        m_resultsTable->setCell(row, 3, any ? Num(r.meanMatches(), 3) : QString());
        m_resultsTable->setCell(row, 4, any ? Num(r.expectedMean(), 3) : QString());
        m_resultsTable->setCell(row, 5, any ? Num(r.z(), 2) : QString());
        m_resultsTable->setCell(row, 6, any ? QString::number(r.countedForms) : QString());
        m_resultsTable->setCell(row, 7, any ? Num(r.expectedCounted, 1) : QString());
        captions << StrategyCaption(r.strategy);
        series.push_back(r.cumulativeExcess);
    }
    m_plot->setSeries(captions, series);
    m_reading->setText(BackTestReading(m_result));
}

void BackTestWindow::print()
{
    if (m_result.status != BackTest::Status::Done) {
        m_services.dialogs.message(QStringLiteral("Help"),
                                   QStringLiteral("No back-test to print. Click Run"));
        return;
    }
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    // One page: the heading, the table, the reading and what the columns mean in a fixed-pitch
    // font that fits 92 characters across, and the plot under them.
    const QStringList lines = BackTestPrintout(m_result, m_db.title());
    m_services.printer.printPage(
        [this, lines](QPainter& painter, const QRectF& page) {
            QFont font(QStringLiteral("Monospace"));
            font.setStyleHint(QFont::TypeWriter);
            font.setPixelSize(std::max(6, static_cast<int>(page.width() / (92 * 0.62))));
            painter.setFont(font);
            painter.setPen(Qt::black);
            const qreal step = QFontMetricsF(font, painter.device()).lineSpacing();
            qreal y = page.top() + step;
            for (const QString& line : lines) {
                painter.drawText(QPointF(page.left(), y), line);
                y += step;
            }
            const QRectF plot(page.left(), y + step, page.width(),
                              std::min(page.bottom() - y - step, page.width() * 0.6));
            if (plot.height() > 4 * step) m_plot->paint(painter, plot);
        },
        windowTitle(), true);
}

} // namespace odds
