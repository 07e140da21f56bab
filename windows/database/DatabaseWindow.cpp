#include "windows/database/DatabaseWindow.h"

#include "models/state/AppState.h"
#include "models/stats/Frequency.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/FitToScreen.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"
#include "windows/database/DatabaseWindowCommon.h"
#include "windows/database/RecordDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace database {

using namespace dbwin;

namespace {

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// The digit boxes of the set-up frame: the first key typed replaces what the window put there,
// and a click empties them.
ui::BoxRules SetupDigits(int maxLength, text::RetypeFlag* retypeFlag)
{
    return {.keys = ui::KeyRule::Digits,
            .maxLength = maxLength,
            .retypeFlag = retypeFlag,
            .clearOnClick = true};
}

// The width of the small number boxes: three digits of the window's font and the frame.
int NumberBoxWidth(const QFontMetrics& fm)
{
    return fm.horizontalAdvance(QLatin1Char('0')) * 3 + 14;
}

// A grid of the counts of twenty numbers (the `index`th twenty), sized to its twenty columns
// and its two rows, with nothing to scroll.
ui::Grid* MakeCountGrid(int index, QWidget* parent)
{
    auto* grid = new ui::Grid(parent);
    grid->setObjectName(QStringLiteral("DGrid%1").arg(index + 2));
    grid->setRows(2);
    grid->setCols(kCountColumns);
    grid->setCaption(QStringLiteral("Counts of the numbers %1 to %2")
                         .arg(index * kCountColumns + 1)
                         .arg((index + 1) * kCountColumns));
    for (int c = 0; c < kCountColumns; ++c) {
        grid->setColWidthTwips(c, kCountColumnTwips);
        grid->setColAlignment(c, Qt::AlignHCenter);
        grid->setHeaderAlignment(c, Qt::AlignHCenter);
    }
    QTableView* view = grid->view();
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = view->frameWidth() * 2;
    int width = frame;
    for (int c = 0; c < kCountColumns; ++c)
        width += view->columnWidth(c);
    grid->setFixedSize(width, frame + view->horizontalHeader()->sizeHint().height() +
                                  view->verticalHeader()->defaultSectionSize());
    return grid;
}

} // namespace

DatabaseWindow::DatabaseWindow(core::AppState& state, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_state(state), m_services(services)
{
    setObjectName(QStringLiteral("LDbase"));
    setWindowTitle(QStringLiteral("Database"));
    m_chooser = [this](QWidget* parentWidget) {
        RecordDialog dialog(m_services.dialogs, parentWidget);
        dialog.exec();
        return dialog.choice();
    };
    buildControls();
    open();
}

DatabaseWindow::~DatabaseWindow() = default;

QStringList DatabaseWindow::HelpLines()
{
    return {
        QStringLiteral("  Create a new File  (more..PgDn)"),
        QStringLiteral("Form must be empty - no records."),
        QStringLiteral("Boxes allowing input are yellow."),
        QStringLiteral("On startup uses your settings from Personalize Settings (Main Menu)."),
        QStringLiteral("If your lottery is different, change to the number of picks and range "
                       "required."),
        QStringLiteral("In Title box type the lottery name."),
        QStringLiteral("Input of records in the Database takes place in row beside 'New'."),
        QStringLiteral("Type in starting date, press <Enter> to move to next column. Type in "
                       "numbers until all are filled."),
        QStringLiteral("Click 'Add Record' button, record will be moved to the Database and "
                       "numbers counted."),
        QStringLiteral("That's it!. Continue to add records to your database now or later."),
        QStringLiteral("New Auto Date Advanced (0 + 7) 7 days after previous record date."),
        QStringLiteral("If two draws weekly, change Auto Date Advanced box by number of days to "
                       "next draw from date shown in 'New' row."),
        QStringLiteral("Date will then be automatically chosen for the same two days each week."),
        QStringLiteral("Click 'Show Graph' for charts with numbers sorted and normal."),
        QStringLiteral("Click 'Delete All' to delete database file from memory."),
        QStringLiteral("Click 'Correct Record' to Correct, Insert or Delete, enter the record "
                       "number, will be shown in 'New' row, change, click Add Record'. Commands "
                       "not used disappear until task completed."),
        QStringLiteral("[/] Shows number of times each number drawn."),
        QStringLiteral("[ ] Shows number of draws since number last drawn. If not drawn yet, "
                       "then total number of draws."),
        QStringLiteral("To save your database file return to main menu and click on 'Save File "
                       "to Disk'."),
        QStringLiteral("Load the Sample.LTO file with 'Open a File from Disk' and try out all "
                       "the features."),
        QStringLiteral("For bonus or powerball numbers, create a separate database using just "
                       "one column."),
        QStringLiteral("For more detailed information press F1."),
        QStringLiteral("                 End"),
    };
}

// ---------------------------------------------------------------------------------------------
// Controls and layout

void DatabaseWindow::buildControls()
{
    buildSetupFrame();
    QLayout* buttons = buildButtons();
    QLayout* entryRow = buildEntryRow();
    buildRecordGrid();
    buildCountGrids();
    QLayout* countColumn = buildCountColumn();
    layOutWindow(buttons, entryRow, countColumn);
    setTabOrders();
    connectControls();
    resize(1100, 720);
    ui::FitToScreen(this);
}

void DatabaseWindow::buildSetupFrame()
{
    ui::Dialogs& dialogs = m_services.dialogs;
    const QFontMetrics fm = fontMetrics();
    m_setupFrame = new QGroupBox(QStringLiteral(" Database setup"), this);
    m_setupFrame->setObjectName(QStringLiteral("Frame1"));
    m_title = ui::MakeInputBox(
        QStringLiteral("InFileName"), dialogs,
        {.keys = ui::KeyRule::NoQuote, .maxLength = 40, .retypeFlag = &m_state.RetypeFlag},
        m_setupFrame);
    // Room for the 40 characters a title may have, and no more.
    m_title->setMinimumWidth(fm.averageCharWidth() * 30);
    m_title->setMaximumWidth(fm.averageCharWidth() * 44 + 12);
    m_picks = ui::MakeInputBox(QStringLiteral("NumCol"), dialogs,
                               SetupDigits(2, &m_state.RetypeFlag), m_setupFrame);
    m_highNumber = ui::MakeInputBox(QStringLiteral("HighNum"), dialogs,
                                    SetupDigits(2, &m_state.RetypeFlag), m_setupFrame);
    m_firstAdvance = ui::MakeInputBox(QStringLiteral("ADA1"), dialogs,
                                      SetupDigits(1, &m_state.RetypeFlag), m_setupFrame);
    for (ui::InputBox* b : {m_picks, m_highNumber, m_firstAdvance})
        b->setFixedWidth(NumberBoxWidth(fm));
    m_secondAdvance = MakeLabel(QStringLiteral("ADA2"), QString(), m_setupFrame);
    m_secondAdvance->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('0')) * 2);
    m_secondAdvance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* setup = new QGridLayout(m_setupFrame);
    const struct {
        const char* name;
        QString caption;
        QWidget* box;
    } rows[] = {
        {"Label1", QStringLiteral(" Title"), m_title},
        {"Label5", QStringLiteral(" Number of Picks to select in the lottery"), m_picks},
        {"Label6", QStringLiteral(" Numbers in the lottery Range from 1 to"), m_highNumber},
        {"Label2", QStringLiteral(" Auto Date Advanced"), m_firstAdvance},
    };
    for (int row = 0; row < 4; ++row) {
        const auto& r = rows[row];
        QLabel* label = MakeLabel(QLatin1String(r.name), r.caption, m_setupFrame);
        setup->addWidget(label, row, 0);
        if (row == 0)
            setup->addWidget(r.box, row, 1, 1, 4);
        else
            setup->addWidget(r.box, row, 1);
        // Each label names the box beside it, for a screen reader.
        ui::LabelFor(label, r.box);
    }
    setup->addWidget(m_secondAdvance, 3, 2);
    setup->addWidget(
        MakeLabel(QStringLiteral("Label8"), QStringLiteral(" days weekly"), m_setupFrame), 3, 3);
    setup->setColumnStretch(4, 1);
}

QLayout* DatabaseWindow::buildButtons()
{
    auto button = [this](const QString& name, const QString& caption) {
        return ui::NamedButton(name, caption, this);
    };
    m_addRecord = button(QStringLiteral("DCalc"), QStringLiteral("&Add Record"));
    m_correctRecord = button(QStringLiteral("DCorrectRec"), QStringLiteral("Correct &Record"));
    m_deleteAll = button(QStringLiteral("DDeleteAll"), QStringLiteral("&Delete All"));
    m_showGraph = button(QStringLiteral("DGraphs"), QStringLiteral("&Show Graph"));
    m_helpButton = button(QStringLiteral("DHelp"), ui::QuickHelpPanel::OpenCaption);
    m_exit = button(QStringLiteral("DExit"), QStringLiteral("E&xit to Menu"));
    m_import = button(QStringLiteral("DImport"), QStringLiteral("&Import Draws..."));
    m_update = button(QStringLiteral("DUpdate"), QStringLiteral("&Update Draws"));
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_addRecord, 0, 0);
    buttons->addWidget(m_correctRecord, 1, 0);
    buttons->addWidget(m_deleteAll, 2, 0);
    buttons->addWidget(m_showGraph, 0, 1);
    buttons->addWidget(m_helpButton, 1, 1);
    buttons->addWidget(m_exit, 2, 1);
    buttons->addWidget(m_import, 3, 0);
    // Beside Import Draws, in the row it already takes: nothing else moves.
    buttons->addWidget(m_update, 3, 1);
    buttons->setRowStretch(4, 1);
    // Buttons hidden while a correction or an insertion is pending keep their place, so
    // nothing else on the window moves.
    for (QPushButton* b : {m_correctRecord, m_deleteAll, m_showGraph, m_import, m_update}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }
    return buttons;
}

QLayout* DatabaseWindow::buildEntryRow()
{
    ui::Dialogs& dialogs = m_services.dialogs;
    const QFontMetrics fm = fontMetrics();
    m_nextStep = MakeLabel(QStringLiteral("ShowNxtAdv"), QString(), this);
    m_entryRowName = MakeLabel(QStringLiteral("InNew"), QStringLiteral("New"), this);
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    m_entryRowName->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Insert")) + digit * 2);
    m_date = ui::MakeInputBox(QStringLiteral("InDate"), dialogs,
                              {.keys = ui::KeyRule::DateChars, .maxLength = 10}, this);
    m_date->setFixedWidth(digit * 11 + 14);
    auto* entryRow = new QGridLayout;
    entryRow->addWidget(m_nextStep, 0, 1, 1, 6, Qt::AlignLeft);
    entryRow->addWidget(m_entryRowName, 1, 0);
    entryRow->addWidget(m_date, 1, 1);
    const ui::BoxRules numberRules{
        .keys = ui::KeyRule::Digits, .maxLength = 2, .alignment = Qt::AlignCenter};
    for (int k = 0; k < 10; ++k) {
        ui::InputBox* b =
            ui::MakeInputBox(QStringLiteral("DYourNumIn%1").arg(k), dialogs, numberRules, this);
        b->setFixedWidth(NumberBoxWidth(fm));
        m_numbers[static_cast<size_t>(k)] = b;
        entryRow->addWidget(b, 1, 2 + k);
    }
    entryRow->setColumnStretch(12, 1);
    entryRow->setHorizontalSpacing(4);
    // The boxes of the entry row are read as the record's date and numbers.
    std::vector<QWidget*> entryBoxes{m_date};
    std::vector<QString> entryParts{QStringLiteral("date")};
    for (int k = 0; k < 10; ++k) {
        entryBoxes.push_back(m_numbers[static_cast<size_t>(k)]);
        entryParts.push_back(QStringLiteral("number %1").arg(k + 1));
    }
    ui::NameRow(QStringLiteral("Record entry"), entryBoxes, entryParts);
    return entryRow;
}

void DatabaseWindow::buildRecordGrid()
{
    m_records = new ui::Grid(this);
    m_records->setObjectName(QStringLiteral("DGrid1"));
    m_records->view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_records->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_records->setCaption(QStringLiteral("Records"));
}

void DatabaseWindow::buildCountGrids()
{
    for (int g = 0; g < 3; ++g)
        m_counts[static_cast<size_t>(g)] = MakeCountGrid(g, this);
}

QLayout* DatabaseWindow::buildCountColumn()
{
    const QFontMetrics fm = fontMetrics();
    m_timesDrawn =
        new QCheckBox(QStringLiteral("&Times drawn (cleared: draws since last drawn)"), this);
    m_timesDrawn->setObjectName(QStringLiteral("WhichCnt"));
    // Its access key waits for the check of the box being edited, as a command button does.
    ui::GuardCommand(m_timesDrawn);
    m_timesDrawn->setAccessibleDescription(
        QStringLiteral("Checked, the counts are the times each number was drawn; cleared, the "
                       "draws since it was last drawn"));
    m_topNumbers = MakeLabel(QStringLiteral("Label4"),
                             QStringLiteral("Showing the number of times drawn"), this);
    m_topNumbers->setWordWrap(true);
    m_topNumbers->setMinimumHeight(fm.lineSpacing() * 2 + 4);
    m_topNumbers->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_helpBox = new QPlainTextEdit(this);
    m_helpBox->setObjectName(QStringLiteral("HelpBoxD"));
    m_help = new ui::QuickHelpPanel(m_helpButton, m_helpBox, ui::QuickHelpPanel::Keys::Beep,
                                    &m_services.dialogs);
    m_help->setText(ui::QuickHelpPanel::JoinParagraphs(HelpLines()));

    auto* column = new QVBoxLayout;
    column->addWidget(m_timesDrawn, 0, Qt::AlignLeft);
    column->addWidget(m_topNumbers);
    // Left-aligned, so that their fixed widths do not narrow the column.
    for (ui::Grid* g : m_counts)
        column->addWidget(g, 0, Qt::AlignLeft);
    column->addWidget(m_helpBox, 1);
    column->addStretch(0);
    return column;
}

void DatabaseWindow::layOutWindow(QLayout* buttons, QLayout* entryRow, QLayout* countColumn)
{
    auto* top = new QHBoxLayout;
    top->addWidget(m_setupFrame, 1);
    top->addLayout(buttons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_records, 0, Qt::AlignLeft);
    bottom->addLayout(countColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(entryRow);
    layout->addLayout(bottom, 1);
}

void DatabaseWindow::setTabOrders()
{
    // The set-up boxes, the count switch, the entry row, then the buttons.
    QWidget* order[] = {m_title,      m_picks,      m_highNumber,    m_firstAdvance, m_timesDrawn,
                        m_date,       m_numbers[0], m_numbers[1],    m_numbers[2],   m_numbers[3],
                        m_numbers[4], m_numbers[5], m_numbers[6],    m_numbers[7],   m_numbers[8],
                        m_numbers[9], m_addRecord,  m_correctRecord, m_deleteAll,    m_showGraph,
                        m_helpButton, m_exit,       m_records,       m_helpBox};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(m_exit, m_import);
    setTabOrder(m_import, m_update);
    setTabOrder(m_update, m_records);
}

void DatabaseWindow::connectControls()
{
    // Enter in the set-up boxes and the date goes to the first number; the number boxes chain
    // to each other and the last visible one presses "&Add Record" (set by the grid layout).
    for (ui::InputBox* b : {m_title, m_picks, m_highNumber, m_firstAdvance, m_date})
        b->setNext(m_numbers[0]);

    // A click in the title box starts the first-key state without emptying the box.
    connect(m_title, &ui::InputBox::clickedIn, this, [this] { m_state.RetypeFlag.set(); });
    m_title->setLeaveCheck([this] { return leaveTitle(); });
    m_picks->setLeaveCheck([this] { return leavePicks(); });
    m_highNumber->setLeaveCheck([this] { return leaveHighNumber(); });
    m_firstAdvance->setLeaveCheck([this] { return leaveAdvance(); });
    m_date->setLeaveCheck([this] { return leaveDate(); });

    connect(m_addRecord, &QPushButton::clicked, this, &DatabaseWindow::addRecord);
    connect(m_correctRecord, &QPushButton::clicked, this, &DatabaseWindow::correctRecord);
    connect(m_deleteAll, &QPushButton::clicked, this, &DatabaseWindow::deleteAll);
    connect(m_showGraph, &QPushButton::clicked, this, &DatabaseWindow::showGraph);
    connect(m_import, &QPushButton::clicked, this, &DatabaseWindow::importRequested);
    connect(m_update, &QPushButton::clicked, this, &DatabaseWindow::updateRequested);
    connect(m_helpButton, &QPushButton::clicked, m_help, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &DatabaseWindow::leave);
    connect(m_timesDrawn, &QCheckBox::clicked, this, &DatabaseWindow::whichCountClicked);
}

void DatabaseWindow::open()
{
    ui::BusyPointer busy(m_services.dialogs);
    DrawDatabase& db = m_state.database;
    const core::PersonalSettings& settings = m_state.settings;

    m_title->setText(db.title());
    m_picks->setText(TwoWide(settings.DefaultPicks));
    m_highNumber->setText(Num(settings.DefaultHighNumber));

    m_timesDrawn->setChecked(true);
    // The program's measure is times drawn from here on, even before there is a record to count.
    m_state.stats.measure = stats::Measure::TimesDrawn;

    // A damaged header could hold any step; the box takes one digit, 0..6.
    db.setFirstAdvance(db.advanceFirst());
    m_firstAdvance->setText(Num(db.advanceFirst()));
    m_secondAdvance->setText(Num(db.advanceSecond()));
    if (db.pendingAdvance() == 0) db.setPendingAdvance(7 - db.advanceFirst());

    // The first key typed into a set-up box replaces what the window put there.
    m_state.RetypeFlag.clear();

    if (db.recordCount() > 0) showDatabase();
    layOutGrid();
    layOutCountGrids();
    if (db.recordCount() == 0) advanceDate();
    showNextStep();

    if (db.recordCount() > 0)
        m_numbers[0]->setFocus();
    else
        m_title->setFocus();
}

// ---------------------------------------------------------------------------------------------
// The graphs, and leaving

void DatabaseWindow::showGraph()
{
    m_state.graphCaller = core::GraphCaller::DatabaseWindow;
    m_awayAtGraph = true;
    hide();
    Q_EMIT showGraphRequested();
}

void DatabaseWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_awayAtGraph) return;
    m_awayAtGraph = false;
    // The graphs window switches the measure for itself; back here, the counts follow this
    // window's own switch again.
    stats::RecomputeFrequencies(m_state.database, shownMeasure(), m_state.stats);
    showCounts();
}

void DatabaseWindow::leave()
{
    if (!m_left.first()) return;
    m_pendingOption = entry::Option::None;
    m_selectedRecord = 0;
    // The title box is taken even when the window is closed while it has the focus.
    m_state.database.setTitle(m_title->text());
    hide();
    Q_EMIT exitToMenu();
}

void DatabaseWindow::closeEvent(QCloseEvent* event)
{
    leave();
    event->accept();
}

} // namespace database
