#include "picks/PickWindow.h"

#include "core/AppState.h"
#include "odds/Odds.h"
#include "picks/Ball.h"
#include "stats/Frequency.h"
#include "text/Format.h"
#include "ui/Buttons.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/NoRecordsHelp.h"
#include "ui/Printer.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"
#include "ui/TextPrinter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace picks {

namespace {

const QString HelpTitle = QStringLiteral("Help");
const QString PickedFromNumbers = QStringLiteral(" Picked from numbers ");
// The grid's normal rows: the heading row and ten entry forms.
constexpr int GridRowCount = 11;
constexpr int SelectAllRows = MaxSelectAllForms + 1;
// Twips per grid column, and the extra width the Select All grid needs for its scroll bar.
constexpr int ColumnTwips = 575;
constexpr int ScrollBarTwips = 250;

QString TwoDigits(int value)
{
    return text::RightAlign(QString::number(value), 2);
}

} // namespace

PickWindow::PickWindow(core::AppState& state, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_state(state), m_services(services)
{
    setObjectName(QStringLiteral("Lottery"));
    setWindowTitle(QStringLiteral("Pick-a-Winner"));
    buildControls();
    open();
}

PickWindow::~PickWindow() = default;

void PickWindow::setGenerator(PickGenerator generator)
{
    m_session.setGenerator(std::move(generator));
}

void PickWindow::buildControls()
{
    // ---- Lottery setup ----
    auto* frame2 = new QGroupBox(QStringLiteral("  Lottery setup  "), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* setupLayout = new QGridLayout(frame2);
    auto makeBox = [&](const QString& name, const QString& labelName, const QString& caption,
                       int row) {
        auto* box = new ui::InputBox(frame2);
        box->setObjectName(name);
        box->setKeyRule(ui::KeyRule::Digits);
        box->setDialogs(&m_services.dialogs);
        box->setRetypeFlag(&m_state.RetypeFlag);
        box->setClearOnClick(true);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        auto* label = new QLabel(caption, frame2);
        label->setObjectName(labelName);
        label->setBuddy(box);
        setupLayout->addWidget(box, row, 0);
        setupLayout->addWidget(label, row, 1);
        return box;
    };
    m_colNum = makeBox(QStringLiteral("InColNum"), QStringLiteral("Label5"),
                       QStringLiteral(" Number of Picks to select in the lottery"), 0);
    m_highNum = makeBox(QStringLiteral("InHighNum"), QStringLiteral("Label6"),
                        QStringLiteral(" Numbers in the lottery Range from 1 to"), 1);
    m_numRows = makeBox(QStringLiteral("InNumRows"), QStringLiteral("Label7"),
                        QStringLiteral(" Number of entry forms being played"), 2);
    setupLayout->setColumnStretch(1, 1);

    // ---- Source of the numbers ----
    auto* frame1 = new QGroupBox(QStringLiteral(" Pick random numbers from amongst: "), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* sourceLayout = new QVBoxLayout(frame1);
    const QString optionCaptions[] = {
        QStringLiteral(" Full range of numbers in the lottery"),
        QStringLiteral(" Top third of numbers in database"),
        QStringLiteral(" Middle third of numbers in database"),
        QStringLiteral(" Bottom third of numbers in database"),
    };
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(optionCaptions[i], frame1);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        sourceLayout->addWidget(option);
        m_options[static_cast<size_t>(i)] = option;
    }
    sourceLayout->addSpacing(6);
    m_whichCnt = new QCheckBox(frame1);
    m_whichCnt->setObjectName(QStringLiteral("PWhichCnt"));
    m_whichCnt->setAccessibleDescription(
        QStringLiteral("Which count ranks the numbers for the thirds: checked, times drawn; "
                       "cleared, draws since last drawn"));
    sourceLayout->addWidget(m_whichCnt);
    m_dbPicks = new QCheckBox(QStringLiteral("Allow less than normal database picks"), frame1);
    m_dbPicks->setObjectName(QStringLiteral("ChkDBPicks"));
    m_dbPicks->setAccessibleDescription(
        QStringLiteral("Checked, a form may have fewer picks than a draw of the database"));
    sourceLayout->addWidget(m_dbPicks);

    // ---- Commands ----
    m_calc = ui::NamedButton(QStringLiteral("PCalc"), QStringLiteral("&Calculate"), this);
    m_calcAll = ui::NamedButton(QStringLiteral("CalcAllNum"), QStringLiteral("&Select All"), this);
    m_clearAll = ui::NamedButton(QStringLiteral("PClearAll"), QStringLiteral("Clear &All"), this);
    m_printer = ui::NamedButton(QStringLiteral("PPrinter"), QStringLiteral("To &Printer"), this);
    m_help = ui::NamedButton(QStringLiteral("PHelp"), QStringLiteral("Quick &Help"), this);
    m_exit = ui::NamedButton(QStringLiteral("PExit"), QStringLiteral("E&xit to Menu"), this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_calc, 0, 0);
    buttons->addWidget(m_calcAll, 0, 1);
    buttons->addWidget(m_clearAll, 1, 0);
    buttons->addWidget(m_printer, 1, 1);
    buttons->addWidget(m_help, 2, 0);
    buttons->addWidget(m_exit, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(frame2);
    left->addWidget(frame1);
    left->addStretch(1);
    left->addLayout(buttons);

    // ---- Results: the database in memory, the balls, the grid ----
    auto* results = new QWidget(this);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    m_infoLabel = new QLabel(results);
    m_infoLabel->setObjectName(QStringLiteral("InfoLabel1"));
    m_infoLabel->setAlignment(Qt::AlignCenter);
    m_infoLabel->setFrameShape(QFrame::StyledPanel);
    resultsLayout->addWidget(m_infoLabel);

    auto* ballRow = new QHBoxLayout;
    ballRow->addStretch(1);
    for (int i = 0; i < 6; ++i) {
        auto* ball = new Ball(RestingColours[static_cast<size_t>(i)], results);
        ball->setObjectName(QStringLiteral("Balls%1").arg(i));
        ball->setProperty("index", i);
        ballRow->addWidget(ball);
        m_balls[static_cast<size_t>(i)] = ball;
    }
    ballRow->addSpacing(8);
    m_picture7 = new QLabel(results);
    m_picture7->setObjectName(QStringLiteral("Picture7"));
    m_picture7->setAlignment(Qt::AlignCenter);
    m_picture7->setFrameShape(QFrame::Box);
    m_picture7->setAutoFillBackground(true);
    {
        QPalette p = m_picture7->palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, Qt::black);
        m_picture7->setPalette(p);
    }
    m_picture7->setFixedSize(
        m_picture7->fontMetrics().horizontalAdvance(QStringLiteral("Shuffling")) + 24,
        m_picture7->fontMetrics().height() + 10);
    ballRow->addWidget(m_picture7);
    ballRow->addStretch(1);
    resultsLayout->addLayout(ballRow);

    m_grid = new ui::Grid(results);
    m_grid->setObjectName(QStringLiteral("PGrid"));
    m_grid->setCaption(QStringLiteral("Picks for the entry forms"));
    resultsLayout->addWidget(m_grid, 0, Qt::AlignHCenter);
    resultsLayout->addStretch(1);

    m_textBox = new QPlainTextEdit(this);
    m_textBox->setObjectName(QStringLiteral("PTextBox"));

    // The help text takes the place of the results while it is open.
    auto* right = new QGridLayout;
    right->addWidget(results, 0, 0);
    right->addWidget(m_textBox, 0, 0);
    const int widestGrid = ColumnTwips * (MaxPicks + 1) + 10 + ScrollBarTwips;
    results->setMinimumWidth(ui::TwipsToPixels(widestGrid, this) + 16);

    // ---- What the picks were drawn from ----
    m_pickFrom = new QLabel(PickedFromNumbers, this);
    m_pickFrom->setObjectName(QStringLiteral("PickFrom"));
    QFont bold = m_pickFrom->font();
    bold.setBold(true);
    m_pickFrom->setFont(bold);
    m_fromNums = new QLabel(this);
    m_fromNums->setObjectName(QStringLiteral("FromNums"));
    m_fromNums->setWordWrap(true);
    m_fromNums->setFrameShape(QFrame::StyledPanel);
    m_fromNums->setMinimumHeight(2 * m_fromNums->fontMetrics().height() + 8);
    m_fromNums->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_fromNums->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 0);
    top->addLayout(right, 1);
    // ---- The odds of the forms shown, and the back-test of the ways to pick ----
    m_odds = new QLabel(this);
    m_odds->setObjectName(QStringLiteral("OddsLabel"));
    m_odds->setWordWrap(true);
    m_odds->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_odds->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for the longest odds (ten picks, estimated) at the window's opening width.
    m_odds->setMinimumHeight(4 * m_odds->fontMetrics().lineSpacing());
    m_backTest = ui::NamedButton(QStringLiteral("PBackTest"), QStringLiteral("&Back-test"), this);
    auto* oddsRow = new QHBoxLayout;
    oddsRow->addWidget(m_odds, 1);
    oddsRow->addWidget(m_backTest, 0, Qt::AlignTop);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addWidget(m_pickFrom);
    outer->addWidget(m_fromNums);
    outer->addLayout(oddsRow);

    m_helpPanel = new ui::QuickHelpPanel(m_help, m_textBox, ui::QuickHelpPanel::Keys::Silent,
                                         &m_services.dialogs);
    m_helpPanel->setText(QuickHelpText());

    // ---- Keyboard ----
    m_colNum->setNext(m_highNum);
    m_highNum->setNext(m_numRows);
    // Enter in the last box moves to Calculate without pressing it.
    connect(m_numRows, &ui::InputBox::enterPressed, this,
            [this] { m_calc->setFocus(Qt::TabFocusReason); });
    QWidget* order[] = {m_colNum,       m_highNum,    m_numRows,  m_options[0], m_options[1],
                        m_options[2],   m_options[3], m_whichCnt, m_dbPicks,    m_calc,
                        m_calcAll,      m_clearAll,   m_printer,  m_help,       m_exit,
                        m_grid->view(), m_textBox,    m_backTest};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // ---- Handlers ----
    m_colNum->setLeaveCheck([this] { return setupBoxLeft(m_colNum, SetupBox::Picks); });
    m_highNum->setLeaveCheck([this] { return setupBoxLeft(m_highNum, SetupBox::High); });
    m_numRows->setLeaveCheck([this] { return setupBoxLeft(m_numRows, SetupBox::Forms); });
    const Source sources[] = {Source::FullRange, Source::Top, Source::Middle, Source::Bottom};
    for (int i = 0; i < 4; ++i) {
        const Source source = sources[i];
        connect(m_options[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, source] { optionClicked(source); });
    }
    connect(m_whichCnt, &QCheckBox::clicked, this, &PickWindow::whichCountClicked);
    connect(m_dbPicks, &QCheckBox::toggled, this, [this](bool on) { m_allowFewerPicks = on; });
    connect(m_calc, &QPushButton::clicked, this, &PickWindow::calculate);
    connect(m_calcAll, &QPushButton::clicked, this, &PickWindow::selectAll);
    connect(m_clearAll, &QPushButton::clicked, this, &PickWindow::clearAll);
    connect(m_printer, &QPushButton::clicked, this, &PickWindow::printPicks);
    connect(m_help, &QPushButton::clicked, m_helpPanel, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_backTest, &QPushButton::clicked, this, [this] {
        // An access key clicks without moving the focus: the box being edited is left, and
        // checked, before the back-test opens.
        m_backTest->setFocus(Qt::OtherFocusReason);
        Q_EMIT backTestRequested();
    });

    resize(sizeHint().width() + 40, sizeHint().height());
}

void PickWindow::open()
{
    database::DrawDatabase& db = m_state.Database;
    m_session.PickGrid = PickTable(10, 11);
    m_session.SourceOption = Source::FullRange;
    m_options[0]->setChecked(true);
    m_dbPicks->setChecked(false);
    m_allowFewerPicks = false;
    m_whichCnt->setChecked(true);
    whichCountClicked(true);

    if (db.recordCount() > 0) {
        m_infoLabel->setText(text::FileInMemoryText(db.title()));
        m_infoLabel->setVisible(true);
        m_whichCnt->setVisible(true);
    } else {
        m_infoLabel->setVisible(false);
        m_whichCnt->setVisible(false);
        db.setShape(m_state.Settings.DefaultPicks, m_state.Settings.DefaultHighNumber);
    }
    showInBox(m_numRows, m_state.Settings.EntryForms);

    m_session.PickCount = db.picksPerDraw();
    layOutGrid(false);
    showInBox(m_colNum, db.picksPerDraw());
    showInBox(m_highNum, db.highNumber());
    resetBalls();
}

// ---- Setup boxes ----

void PickWindow::showInBox(ui::InputBox* box, int value)
{
    box->setText(TwoDigits(value));
}

bool PickWindow::setupBoxLeft(ui::InputBox* box, SetupBox which)
{
    const BoxCheck check =
        CheckSetupBox(which, text::IntValue(box->text()), m_state.Settings.EntryForms);
    if (!check.ok) {
        m_services.dialogs.message(HelpTitle, check.message);
        showInBox(box, check.value);
    }
    if (m_state.RetypeFlag == 1) {
        showInBox(box, check.value);
        m_state.RetypeFlag = 0;
    }
    if (which == SetupBox::Picks) {
        m_session.PickCount = std::min(check.value, MaxPicks);
        if (check.value != 1) m_grid->setTextColor(windowTextColor());
        clearResults();
        layOutGrid(false);
    } else {
        clearResults();
    }
    return check.ok;
}

// ---- Source ----

void PickWindow::selectFullRange()
{
    m_options[0]->setChecked(true);
    m_session.SourceOption = Source::FullRange;
}

void PickWindow::optionClicked(Source source)
{
    if (source == Source::FullRange) {
        m_session.SourceOption = Source::FullRange;
        return;
    }
    if (m_state.Database.recordCount() < 1) {
        ShowNoRecordsHelp(m_services.dialogs);
        selectFullRange();
        return;
    }
    // Clicking the source already chosen changes nothing.
    if (m_session.SourceOption == source) return;
    m_session.SourceOption = source;
    clearResults();
}

void PickWindow::whichCountClicked(bool checked)
{
    m_whichCnt->setText(checked ? QStringLiteral(" Database: Times numbers were drawn")
                                : QStringLiteral(" Database: No. draws since last drawn"));
    clearResults();
    stats::RecomputeFrequencies(m_state.Database,
                                checked ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince,
                                m_state.Stats);
}

// ---- Grid ----

QColor PickWindow::windowTextColor() const
{
    return palette().color(QPalette::Text);
}

void PickWindow::layOutGrid(bool selectAll)
{
    const int picks = std::clamp(m_session.PickCount, 1, MaxPicks);
    const int rows = selectAll ? SelectAllRows : GridRowCount;
    const int cols = picks + 1;
    m_grid->setRows(rows);
    m_grid->setCols(cols);
    for (int c = 0; c < cols; ++c) {
        m_grid->setColWidthTwips(c, ColumnTwips - 15);
        m_grid->setColAlignment(c, Qt::AlignHCenter);
        m_grid->setHeaderAlignment(c, Qt::AlignHCenter);
    }
    m_grid->setWidthTwips(ColumnTwips * cols + 10 + (selectAll ? ScrollBarTwips : 0));
    m_grid->setCell(0, 0, QStringLiteral("No."));
    for (int c = 1; c <= picks; ++c)
        m_grid->setCell(0, c, text::NumText(static_cast<long long>(c)));
    m_grid->fillRange(1, rows - 1, 0, 0, QString());

    // The heading row and ten entry forms exactly; the twenty forms of Select All scroll.
    QTableView* view = m_grid->view();
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    const int headerHeight = view->horizontalHeader()->sizeHint().height();
    m_grid->setFixedHeight(headerHeight + MaxCalculateForms * rowHeight + 2 * view->frameWidth());
}

void PickWindow::clearResults()
{
    const int rows = m_grid->rows();
    const int cols = m_grid->cols();
    m_grid->fillRange(1, rows - 1, 0, 0, QString());
    m_grid->fillRange(1, rows - 1, 1, cols - 1, QString());
    m_pickFrom->setText(PickedFromNumbers);
    m_fromNums->setText(QString());
    m_odds->clear();
    // What is no longer shown is no longer printed either.
    m_session.clearPicks();
}

void PickWindow::fillGrid()
{
    for (int r = 1; r <= m_session.EntryFormCount; ++r) {
        m_grid->setCell(r, 0, QString::number(r));
        for (int c = 1; c <= m_session.PickCount; ++c)
            m_grid->setCell(r, c, PickText(m_session.PickGrid.at(r, c), 2));
    }
}

// ---- Commands ----

void PickWindow::calculate()
{
    if (m_animating) return;
    m_helpPanel->close();
    m_session.resetPicks();
    m_state.RetypeFlag = 0;
    m_session.SourceText.clear();
    m_session.PoolText.clear();
    clearResults();

    const database::DrawDatabase& db = m_state.Database;
    const CalculateSetup setup = ResolveCalculateSetup(
        text::IntValue(m_colNum->text()), text::IntValue(m_highNum->text()),
        text::IntValue(m_numRows->text()), m_session.SourceOption, m_allowFewerPicks,
        db.picksPerDraw(), db.highNumber(), m_state.Settings.EntryForms);
    if (setup.picksAboveDatabase)
        m_services.dialogs.message(
            HelpTitle, QStringLiteral("Number of picks greater than allowed for database."));
    if (setup.showPicks) showInBox(m_colNum, setup.picks);
    if (setup.showHigh) showInBox(m_highNum, setup.high);
    if (setup.showForms) showInBox(m_numRows, setup.forms);
    // One pick per entry form shows in red.
    m_grid->setTextColor(setup.picks == 1 ? QColor(255, 0, 0) : windowTextColor());
    if (setup.missing) {
        m_services.dialogs.message(QStringLiteral("Error"),
                                   QStringLiteral("Cannot work with missing number "));
        return;
    }
    m_session.LotteryHigh = setup.high;
    m_session.PickCount = setup.picks;
    m_session.EntryFormCount = setup.forms;

    layOutGrid(false);
    const PickSession::Status status =
        m_session.calculate(m_state.Stats, db.recordCount(), db.highNumber());
    if (status == PickSession::Status::NoRecords) {
        m_services.dialogs.message(HelpTitle, QStringLiteral(" No records in database"));
        selectFullRange();
        return;
    }
    if (status == PickSession::Status::NotEnoughData) {
        // What was drawn is shown; the source labels keep their cleared texts.
        m_services.dialogs.message(HelpTitle, QStringLiteral(" No enough Data"));
    } else {
        m_pickFrom->setText(m_session.SourceText);
        m_fromNums->setText(m_session.PoolText);
    }

    {
        ui::BusyPointer busy(m_services.dialogs);
        animateBalls();
        fillGrid();
        if (status == PickSession::Status::Done) showOdds();
    }
    m_picture7->clear();
    m_helpPanel->close();
}

void PickWindow::selectAll()
{
    if (m_animating) return;
    m_helpPanel->close();
    m_grid->setTextColor(windowTextColor());
    selectFullRange();

    const database::DrawDatabase& db = m_state.Database;
    // Only the picks and the highest number count here; the entry forms are what the
    // range needs.
    const CalculateSetup setup = ResolveCalculateSetup(
        text::IntValue(m_colNum->text()), text::IntValue(m_highNum->text()), 1, Source::FullRange,
        m_allowFewerPicks, db.picksPerDraw(), db.highNumber(), m_state.Settings.EntryForms);
    if (setup.showPicks) showInBox(m_colNum, setup.picks);
    if (setup.showHigh) showInBox(m_highNum, setup.high);
    if (setup.missing) {
        m_services.dialogs.message(QStringLiteral("Error"),
                                   QStringLiteral("Cannot work with missing number "));
        return;
    }
    m_session.LotteryHigh = setup.high;
    m_session.PickCount = setup.picks;
    clearResults();

    const PickSession::SelectAllOutcome outcome = m_session.selectAll();
    if (outcome.status == PickSession::Status::TooMany) {
        m_services.dialogs.message(QStringLiteral("Select All"),
                                   TooManyFormsMessage(outcome.quotient));
        showInBox(m_numRows, m_state.Settings.EntryForms);
        return;
    }
    layOutGrid(true);
    if (outcome.status == PickSession::Status::NotEnoughData) {
        m_services.dialogs.message(HelpTitle, QStringLiteral(" Not enough Data"));
        return;
    }
    {
        ui::BusyPointer busy(m_services.dialogs);
        showInBox(m_numRows, outcome.lastForm);
        m_pickFrom->setText(m_session.SourceText);
        m_fromNums->setText(m_session.PoolText);
        animateBalls();
        fillGrid();
        showOdds();
    }
    m_picture7->clear();
    m_helpPanel->close();
}

void PickWindow::showOdds()
{
    // A third plays the database's lottery, whose draws may hold more numbers than a form when
    // fewer picks are allowed; otherwise the setup boxes describe the lottery.
    const database::DrawDatabase& db = m_state.Database;
    const bool third = IsThird(m_session.SourceOption);
    const int high = third ? db.highNumber() : m_session.LotteryHigh;
    const int drawn =
        third ? std::max(db.picksPerDraw(), m_session.PickCount) : m_session.PickCount;
    std::vector<odds::Form> forms;
    for (int r = 1; r <= m_session.EntryFormCount; ++r) {
        odds::Form form;
        for (int c = 1; c <= m_session.PickCount; ++c)
            if (const int n = m_session.PickGrid.at(r, c); n != 0) form.push_back(n);
        if (!form.empty()) forms.push_back(std::move(form));
    }
    const odds::SetOdds result = odds::SetOfFormsOdds(forms, high, drawn);
    m_odds->setText(odds::SetOddsText(result, high, drawn));
    // The whole text shown, however many lines it takes at the window's width: a longer text
    // makes the window taller, so nothing above it moves.
    const int need = m_odds->heightForWidth(m_odds->width());
    if (need > m_odds->minimumHeight()) {
        const int extra = need - m_odds->minimumHeight();
        m_odds->setMinimumHeight(need);
        resize(width(), height() + extra);
    }
}

void PickWindow::clearAll()
{
    clearResults();
    m_session.resetPicks();
}

void PickWindow::printPicks()
{
    const std::optional<QStringList> lines = m_session.printout();
    if (!lines) {
        m_services.dialogs.message(HelpTitle,
                                   QStringLiteral("No numbers to print. Click Calculate"));
        return;
    }
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    ui::TextPrinter printer;
    for (const QString& line : *lines) {
        printer.print(line);
        printer.endLine();
    }
    printer.finish();
    m_services.printer.printText(printer.document(), windowTitle());
}

// ---- Balls ----

void PickWindow::resetBalls()
{
    for (size_t i = 0; i < m_balls.size(); ++i)
        m_balls[i]->setPaletteIndex(RestingColours[i]);
}

void PickWindow::animateBalls()
{
    // The display runs inside the command; the clock's waits keep the window painted but take
    // no clicks or keys, and the window cannot be closed meanwhile.
    struct Animating {
        bool& flag;
        explicit Animating(bool& f) : flag(f) { flag = true; }
        ~Animating() { flag = false; }
    } animating(m_animating);
    for (const BallFrame& frame : BallAnimation()) {
        for (size_t i = 0; i < m_balls.size(); ++i)
            m_balls[i]->setPaletteIndex(frame.colours[i]);
        if (!frame.status.isEmpty()) m_picture7->setText(frame.status);
        if (frame.waitMs > 0) m_services.clock.wait(frame.waitMs);
    }
}

// ---- Leaving ----

void PickWindow::closeEvent(QCloseEvent* event)
{
    if (m_animating) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_exited.first()) Q_EMIT exitToMenu();
}

} // namespace picks
