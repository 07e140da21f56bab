#include "windows/graphs/GraphsWindow.h"
#include "ui/FitToScreen.h"

#include "models/draws/DrawDatabase.h"
#include "models/odds/Fairness.h"
#include "models/stats/Frequency.h"
#include "ui/BarGraph.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Services.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
namespace stats {

namespace {

// Each toggle's caption names the view a click switches to.
QString MeasureCaption(bool timesDrawnShown)
{
    return timesDrawnShown ? QStringLiteral("Since &Last Drawn") : QStringLiteral("Times &Drawn");
}
QString OrderCaption(bool rankedShown)
{
    return rankedShown ? QStringLiteral("&Show Unsorted") : QStringLiteral("&Show Sorted");
}
QString BarsCaption(bool threeDShown)
{
    return threeDShown ? QStringLiteral("&TwoD Graph") : QStringLiteral("&ThreeD Graph");
}

// A toggle keeps one width for both its captions, so the buttons do not move when clicked.
void FitCaptions(QPushButton* button, const QString& first, const QString& second)
{
    int width = 0;
    for (const QString& caption : {second, first}) {
        button->setText(caption);
        width = std::max(width, button->sizeHint().width());
    }
    button->setMinimumWidth(width);
}

} // namespace

GraphsWindow::GraphsWindow(const database::DrawDatabase& db, Statistics& stats,
                           ui::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_stats(stats), m_services(services)
{
    setObjectName(QStringLiteral("LGraph"));
    setWindowTitle(QStringLiteral("Graphs"));

    m_graph = new ui::BarGraph(this);
    m_graph->setObjectName(QStringLiteral("LotoGraph"));
    m_viewCaption = new QLabel(this);
    m_viewCaption->setObjectName(QStringLiteral("Label1"));
    m_fairnessLabel = new QLabel(this);
    m_fairnessLabel->setObjectName(QStringLiteral("FairnessLabel"));
    m_fairnessLabel->setWordWrap(true);

    makeButtons();
    layOutWindow();
    setButtonTabOrder();
    connectButtons();

    m_view.open(m_db, m_stats);
    redraw();
    resize(sizeHint());
    ui::FitToScreen(this);
    m_measureToggle->setFocus();
}

void GraphsWindow::makeButtons()
{
    m_measureToggle = ui::NamedButton(QStringLiteral("GWhichCnt"), {}, this);
    m_orderToggle = ui::NamedButton(QStringLiteral("ChngView"), {}, this);
    m_barsToggle = ui::NamedButton(QStringLiteral("TwoDBut"), {}, this);
    FitCaptions(m_measureToggle, MeasureCaption(true), MeasureCaption(false));
    FitCaptions(m_orderToggle, OrderCaption(false), OrderCaption(true));
    FitCaptions(m_barsToggle, BarsCaption(false), BarsCaption(true));
    m_printButton = ui::NamedButton(QStringLiteral("Printer3"), {}, this);
    m_printButton->setText(QStringLiteral("To &Printer"));
    m_exit = ui::NamedButton(QStringLiteral("ExitGrp"), {}, this);
    m_exit->setText(QStringLiteral("E&xit to Menu"));
    m_backTest = ui::NamedButton(QStringLiteral("GBackTest"), QStringLiteral("&Back-test"), this);
}

void GraphsWindow::layOutWindow()
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_measureToggle);
    buttons->addWidget(m_orderToggle);
    buttons->addWidget(m_barsToggle);
    buttons->addWidget(m_backTest);
    buttons->addStretch(1);
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_graph, 1);
    layout->addWidget(m_viewCaption);
    layout->addWidget(m_fairnessLabel);
    layout->addLayout(buttons);
}

void GraphsWindow::setButtonTabOrder()
{
    setTabOrder(m_measureToggle, m_orderToggle);
    setTabOrder(m_orderToggle, m_barsToggle);
    setTabOrder(m_barsToggle, m_printButton);
    setTabOrder(m_printButton, m_exit);
    setTabOrder(m_barsToggle, m_backTest);
}

void GraphsWindow::connectButtons()
{
    connect(m_measureToggle, &QPushButton::clicked, this, &GraphsWindow::toggleMeasure);
    connect(m_orderToggle, &QPushButton::clicked, this, &GraphsWindow::toggleOrder);
    connect(m_barsToggle, &QPushButton::clicked, this, &GraphsWindow::toggleBars);
    connect(m_printButton, &QPushButton::clicked, this, &GraphsWindow::print);
    connect(m_exit, &QPushButton::clicked, this, &GraphsWindow::close);
    connect(m_backTest, &QPushButton::clicked, this, &GraphsWindow::backTestRequested);
}

void GraphsWindow::toggleMeasure()
{
    m_view.toggleMeasure(m_db, m_stats);
    redraw();
}

void GraphsWindow::toggleOrder()
{
    m_view.toggleOrder(m_db, m_stats);
    redraw();
}

void GraphsWindow::toggleBars()
{
    m_view.toggleBars();
    redraw();
}

void GraphsWindow::redraw()
{
    m_measureToggle->setText(MeasureCaption(m_view.timesDrawn()));
    m_orderToggle->setText(OrderCaption(m_view.ranked()));
    m_barsToggle->setText(BarsCaption(m_view.threeD()));

    const GraphData graph = ComposeGraphData(m_db, m_stats);
    m_graph->setTitle(graph.title);
    m_graph->setBars(graph.labels, std::vector<double>(graph.values.begin(), graph.values.end()));
    m_graph->setThreeD(m_view.threeD());

    // What a fair draw would give each count, and whether the counts look like one.
    const odds::Fairness fairness = odds::TestFairness(m_db);
    const bool band = m_view.timesDrawn() && fairness.status != odds::Fairness::Status::NoTest &&
                      fairness.draws > 0;
    m_graph->setReference(band ? std::optional<ui::BarGraph::Reference>(
                                     ui::BarGraph::Reference{fairness.expected, 2 * fairness.sd})
                               : std::nullopt);
    m_fairnessText = odds::FairnessCaption(fairness, band);
    m_fairnessLabel->setText(m_fairnessText);

    m_viewCaption->setText((m_view.timesDrawn()
                                ? QStringLiteral("Times each number was drawn")
                                : QStringLiteral("Draws since each number was last drawn")) +
                           (m_view.ranked() ? QStringLiteral(", largest first.")
                                            : QStringLiteral(", in number order.")));
}

void GraphsWindow::print()
{
    ui::Dialogs& dialogs = m_services.dialogs;
    if (!ui::ConfirmPrintout(dialogs)) return;
    const bool colour = dialogs.ask(QStringLiteral("Printer"), QStringLiteral("Print in Color."));
    const ui::BusyPointer busy(dialogs);
    // The page is painted by the graph's own painter in the chosen style; the window keeps its
    // screen colours.
    const ui::BarGraph* graph = m_graph;
    // The graph across the page's width, in the proportions of the window's graph.
    const double aspect = graph->height() > 0 && graph->width() > 0
                              ? static_cast<double>(graph->height()) / graph->width()
                              : 0.6;
    const QString fairness = m_fairnessText;
    m_services.printer.printPage(
        [graph, colour, aspect, fairness](QPainter& painter, const QRectF& page) {
            const double height =
                std::min(page.height(), page.width() * std::clamp(aspect, 0.4, 1.0));
            graph->paint(painter, QRectF(page.left(), page.top(), page.width(), height), colour);
            // The fairness line under the graph, in the graph's own axis font size.
            if (!fairness.isEmpty() && height < page.height()) {
                QFont font = graph->font();
                font.setPointSizeF(9);
                painter.save();
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(
                    QRectF(page.left(), page.top() + height, page.width(), page.height() - height),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, fairness);
                painter.restore();
            }
        },
        QStringLiteral("Graphs"), colour);
}

void GraphsWindow::leave()
{
    if (m_exited.first()) Q_EMIT exitToMenu();
}

void GraphsWindow::closeEvent(QCloseEvent* event)
{
    leave();
    event->accept();
}

} // namespace stats
