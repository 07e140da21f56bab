#include "windows/check/CheckWindow.h"
#include "ui/FitToScreen.h"

#include "models/draws/DrawDatabase.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/Printer.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace check {

namespace {

const QString HelpTitle = QStringLiteral("Help");
const QString EntryErrorTitle = QStringLiteral("Entry Error");

// Grid widths in twips: record number, date, and each drawn position.
constexpr int RecordColTwips = 900;
constexpr int DateColTwips = 1320;
constexpr int NumberColTwips = 580;

// Enter on a focused button presses it, as Space does.
QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent)
{
    return ui::NamedButton(name, caption, parent, ui::EnterPresses::Yes);
}

} // namespace

CheckWindow::CheckWindow(const database::DrawDatabase& db, text::RetypeFlag& retypeFlag,
                         ui::Services& services, QWidget* parent)
    : QWidget(parent), m_db(db), m_retypeFlag(retypeFlag), m_services(services)
{
    setObjectName(QStringLiteral("LCheckWin"));
    setWindowTitle(QStringLiteral("Check Numbers"));
    buildControls();

    // Opening: the title, the minimum for small draws, the grid, and the boxes of the picks.
    m_title->setText(m_db.title());
    m_matchNum->setText(OpeningMinimum(picks()));
    setupGrid(MinGridRows);
    for (int i = 0; i < static_cast<int>(m_boxes.size()); ++i)
        m_boxes[static_cast<size_t>(i)]->setVisible(i < picks());
    m_boxes[0]->setFocus(Qt::OtherFocusReason);

    // Tall enough to show most of the grid's twenty rows.
    resize(sizeHint().width(), std::max(sizeHint().height(), 640));
    ui::FitToScreen(this);
}

CheckWindow::~CheckWindow()
{
    // The boxes lose the focus while the widgets are torn down: no leave handler runs then.
    disconnect(m_matchNum, nullptr, this, nullptr);
}

int CheckWindow::picks() const
{
    return m_db.picksPerDraw();
}

void CheckWindow::buildControls()
{
    buildTitleFrame();
    QGroupBox* setupFrame = buildSetupFrame();
    const auto [numbersLabel, numberRow] = buildNumberRow();
    QLayout* buttons = buildButtons();
    buildResultArea();
    chainEnterKey();
    connectControls();
    layOutWindow(setupFrame, numbersLabel, numberRow, buttons);
    setTabOrders();
}

void CheckWindow::buildTitleFrame()
{
    m_titleFrame = new QGroupBox(QStringLiteral(" Title"), this);
    m_titleFrame->setObjectName(QStringLiteral("Frame2"));
    m_title = new QLabel(m_titleFrame);
    m_title->setObjectName(QStringLiteral("TitleCheck"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);
    m_title->setTextFormat(Qt::PlainText);
    auto* titleLayout = new QHBoxLayout(m_titleFrame);
    titleLayout->addWidget(m_title);
}

QGroupBox* CheckWindow::buildSetupFrame()
{
    auto* setupFrame = new QGroupBox(QStringLiteral(" Search Database Setup "), this);
    setupFrame->setObjectName(QStringLiteral("Frame1"));
    auto* label3 =
        new QLabel(QStringLiteral(" Search each record for minimum matches of"), setupFrame);
    label3->setObjectName(QStringLiteral("Label3"));
    m_matchNum = ui::MakeInputBox(
        QStringLiteral("MatchNum"), m_services.dialogs,
        {.keys = ui::KeyRule::Digits, .retypeFlag = &m_retypeFlag, .clearOnClick = true},
        setupFrame);
    // As wide as a number column of the result grid.
    m_matchNum->setFixedWidth(ui::TwipsToPixels(NumberColTwips, this));
    ui::LabelFor(label3, m_matchNum);
    auto* setupLayout = new QHBoxLayout(setupFrame);
    setupLayout->addWidget(label3);
    setupLayout->addWidget(m_matchNum);
    setupLayout->addStretch(1);
    return setupFrame;
}

std::pair<QLabel*, QLayout*> CheckWindow::buildNumberRow()
{
    auto* label2 = new QLabel(QStringLiteral(" Enter numbers to check"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto* boxRow = new QHBoxLayout;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        ui::InputBox* box =
            ui::MakeInputBox(QStringLiteral("CInYourNum%1").arg(i), m_services.dialogs,
                             {.keys = ui::KeyRule::Digits, .alignment = Qt::AlignCenter}, this);
        box->setFixedWidth(ui::TwipsToPixels(NumberColTwips, this));
        boxRow->addWidget(box);
        m_boxes[i] = box;
    }
    boxRow->addStretch(1);
    ui::LabelFor(label2, m_boxes[0]);
    std::vector<QWidget*> boxes;
    std::vector<QString> which;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        boxes.push_back(m_boxes[i]);
        which.push_back(QStringLiteral("number %1").arg(i + 1));
    }
    ui::NameRow(label2->text(), boxes, which);
    return {label2, boxRow};
}

QLayout* CheckWindow::buildButtons()
{
    m_calc = MakeButton(QStringLiteral("CCalc"), QStringLiteral("Check &Numbers"), this);
    m_clearAll = MakeButton(QStringLiteral("CClearAll"), QStringLiteral(" &Clear All"), this);
    m_printer = MakeButton(QStringLiteral("CPrinter"), QStringLiteral("To &Printer"), this);
    m_help = MakeButton(QStringLiteral("CHelp"), ui::QuickHelpPanel::OpenCaption, this);
    m_exit = MakeButton(QStringLiteral("CExit"), QStringLiteral("E&xit to Menu"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_calc);
    buttons->addWidget(m_clearAll);
    buttons->addWidget(m_printer);
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    buttons->addWidget(m_exit);
    return buttons;
}

void CheckWindow::buildResultArea()
{
    m_grid = new ui::Grid(this);
    m_grid->setObjectName(QStringLiteral("CGrid"));
    m_grid->setCaption(QStringLiteral("Draws with matching numbers"));
    m_helpBox = new QPlainTextEdit(this);
    m_helpBox->setObjectName(QStringLiteral("CTextBox"));
    // Room for the help text even beside the narrow grid of a draw of few picks.
    m_helpBox->setMinimumWidth(ui::TwipsToPixels(6000, this));
    m_panel = new ui::QuickHelpPanel(m_help, m_helpBox, ui::QuickHelpPanel::Keys::Plain,
                                     &m_services.dialogs, /*takeFocus=*/false);
    m_panel->setText(QuickHelpText());
}

void CheckWindow::chainEnterKey()
{
    // Enter moves along the boxes; from the last shown box to "Check Numbers" without pressing
    // it, so the user can look over the numbers first.
    m_matchNum->setNext(m_boxes[0]);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        ui::InputBox* box = m_boxes[i];
        const int index = static_cast<int>(i);
        box->keyHook = [this, index](QKeyEvent* e) {
            if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
            if (index < picks() - 1)
                m_boxes[static_cast<size_t>(index + 1)]->setFocus(Qt::TabFocusReason);
            else
                m_calc->setFocus(Qt::TabFocusReason);
            return true;
        };
    }
}

void CheckWindow::connectControls()
{
    m_matchNum->setLeaveCheck([this] { return minimumLeft(); });
    connect(m_calc, &QPushButton::clicked, this, &CheckWindow::runSearch);
    connect(m_clearAll, &QPushButton::clicked, this, &CheckWindow::clearAll);
    connect(m_printer, &QPushButton::clicked, this, &CheckWindow::print);
    connect(m_help, &QPushButton::clicked, m_panel, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
}

void CheckWindow::layOutWindow(QGroupBox* setupFrame, QLabel* numbersLabel, QLayout* numberRow,
                               QLayout* buttons)
{
    // The help text takes the place of the result grid while it is open.
    auto* resultArea = new QGridLayout;
    resultArea->addWidget(m_grid, 0, 0, Qt::AlignLeft);
    resultArea->addWidget(m_helpBox, 0, 0);

    // The grid keeps the width of its columns; the buttons stay beside it.
    auto* lower = new QHBoxLayout;
    lower->addLayout(resultArea);
    lower->addLayout(buttons);
    lower->addStretch(1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_titleFrame);
    outer->addWidget(setupFrame);
    outer->addWidget(numbersLabel);
    outer->addLayout(numberRow);
    outer->addLayout(lower, 1);
}

void CheckWindow::setTabOrders()
{
    QWidget* order[] = {m_matchNum, m_boxes[0], m_boxes[1], m_boxes[2], m_boxes[3], m_boxes[4],
                        m_boxes[5], m_boxes[6], m_boxes[7], m_boxes[8], m_boxes[9], m_calc,
                        m_clearAll, m_printer,  m_help,     m_exit,     m_grid,     m_helpBox};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CheckWindow::setupGrid(int requestedRows)
{
    const int rows = std::max(requestedRows, MinGridRows);
    const int cols = m_db.columnCount();
    m_grid->setCols(cols);
    m_grid->setRows(rows);
    m_grid->setWidthTwips(600 * cols + 1340);
    m_grid->setColWidthTwips(0, RecordColTwips);
    m_grid->setColWidthTwips(1, DateColTwips);
    for (int c = 2; c < cols; ++c)
        m_grid->setColWidthTwips(c, NumberColTwips);
    for (int c = 0; c < cols; ++c) {
        m_grid->setHeaderAlignment(c, Qt::AlignHCenter);
        m_grid->setColAlignment(c, Qt::AlignHCenter);
        m_grid->setCell(0, c, HeaderText(c));
    }
}

void CheckWindow::clearGrid()
{
    const int last = m_grid->rows() - 1;
    m_grid->fillRange(1, last, 0, 0, QString());
    m_grid->fillRange(1, last, 1, m_grid->cols() - 1, QString());
}

QStringList CheckWindow::boxTexts() const
{
    QStringList texts;
    for (int i = 0; i < picks(); ++i)
        texts << m_boxes[static_cast<size_t>(i)]->text();
    return texts;
}

bool CheckWindow::minimumLeft()
{
    if (!m_retypeFlag.isSet()) return true;
    const MinimumRevision r = ReviseMinimum(m_matchNum->text(), picks());
    m_matchNum->setText(r.rewritten);
    clearGrid();
    m_retypeFlag.clear();
    if (r.outOfRange) {
        m_services.dialogs.message(HelpTitle, QStringLiteral(" Must be from 1 to ") +
                                                  text::NumText(static_cast<long long>(picks())));
        m_matchNum->setText(r.text);
        return false;
    }
    return true;
}

void CheckWindow::runSearch()
{
    clearGrid();
    m_result = SearchResult{};

    const QStringList boxes = boxTexts();
    const EntryCheck entry = CheckEntries(boxes, m_db.highNumber());
    switch (entry.fault) {
    case EntryFault::None:
        break;
    case EntryFault::TooHigh:
        m_services.dialogs.message(EntryErrorTitle,
                                   QStringLiteral(" Correct: number ") + entry.typed +
                                       QStringLiteral(" is higher than allowed in Draw."));
        return;
    case EntryFault::Zero:
        m_services.dialogs.message(EntryErrorTitle,
                                   QStringLiteral(" Correct: number 0 not allowed in Draw."));
        return;
    case EntryFault::Duplicate:
        m_services.dialogs.message(HelpTitle, QStringLiteral(" Correct: duplicate numbers."));
        return;
    }

    {
        ui::BusyPointer busy(m_services.dialogs);
        m_result = Search(m_db, m_matchNum->text(), boxes);
        showMatches();
    }
    // The result, "No Matches" included, is what the user asked to see: the help text that
    // covers the grid gives way to it.
    m_panel->close();
}

void CheckWindow::showMatches()
{
    setupGrid(m_result.matchCount() + SpareGridRows);
    clearGrid();
    if (m_result.matchCount() == 0) {
        m_grid->setCell(1, 1, QStringLiteral("No Matches"));
        return;
    }
    const int cols = m_grid->cols();
    int gridRow = 1;
    for (auto it = m_result.matches.rbegin(); it != m_result.matches.rend(); ++it, ++gridRow)
        for (int c = 0; c < cols; ++c)
            m_grid->setCell(gridRow, c, CellText(*it, c));
}

void CheckWindow::clearAll()
{
    for (int i = 0; i < picks(); ++i)
        m_boxes[static_cast<size_t>(i)]->clear();
    clearGrid();
    m_boxes[0]->setFocus(Qt::OtherFocusReason);
}

void CheckWindow::print()
{
    if (m_result.matchCount() == 0) {
        m_services.dialogs.message(HelpTitle,
                                   QStringLiteral("No numbers to print. Click Check Numbers"));
        return;
    }
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    ui::PrintLines(m_services.printer, PrintoutLines(m_db.title(), m_result), windowTitle());
}

void CheckWindow::closeEvent(QCloseEvent* event)
{
    m_retypeFlag.clear();
    event->accept();
    if (m_exited.first()) Q_EMIT exitToMenu();
}

} // namespace check
