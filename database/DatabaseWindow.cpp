#include "database/DatabaseWindow.h"

#include "core/AppState.h"
#include "database/RecordDialog.h"
#include "stats/Frequency.h"
#include "text/Dates.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
namespace database {

namespace {

const QString kHelp = QStringLiteral("Help");
const QString kEntryError = QStringLiteral("Entry Error");
const QString kMaxRecords = QStringLiteral("Max amount of records = 2000");
const QString kDeleteAllFirst =
    QStringLiteral(" Cannot change while records exist in a database. 'Delete All' first.");

QString Num(int value)
{
    return QString::number(value);
}

QString TwoWide(int value)
{
    return text::RightAlign(QString::number(value), 2);
}

// The count grids: numbers 1-20, 21-40 and 41-60 in twenty columns of 440 twips.
constexpr int kCountColumns = 20;
constexpr int kCountColumnTwips = 440;

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
    ui::Dialogs& dialogs = m_services.dialogs;
    auto label = [this](const QString& name, const QString& caption, QWidget* parent) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        return l;
    };
    auto box = [&dialogs](const QString& name, int maxLength, ui::KeyRule rule, QWidget* parent) {
        auto* b = new ui::InputBox(parent);
        b->setObjectName(name);
        b->setMaxLength(maxLength);
        b->setDialogs(&dialogs);
        b->setKeyRule(rule);
        return b;
    };
    const QFontMetrics fm = fontMetrics();
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));

    // The set-up frame.
    m_frame = new QGroupBox(QStringLiteral(" Database setup"), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_title = box(QStringLiteral("InFileName"), 40, ui::KeyRule::NoQuote, m_frame);
    // Room for the 40 characters a title may have, and no more.
    m_title->setMinimumWidth(fm.averageCharWidth() * 30);
    m_title->setMaximumWidth(fm.averageCharWidth() * 44 + 12);
    m_numCol = box(QStringLiteral("NumCol"), 2, ui::KeyRule::Digits, m_frame);
    m_highNum = box(QStringLiteral("HighNum"), 2, ui::KeyRule::Digits, m_frame);
    m_ada1 = box(QStringLiteral("ADA1"), 1, ui::KeyRule::Digits, m_frame);
    for (ui::InputBox* b : {m_title, m_numCol, m_highNum, m_ada1})
        b->setRetypeFlag(&m_state.RetypeFlag);
    for (ui::InputBox* b : {m_numCol, m_highNum, m_ada1}) {
        b->setClearOnClick(true);
        b->setFixedWidth(digit * 3 + 14);
    }
    m_ada2 = label(QStringLiteral("ADA2"), QString(), m_frame);
    m_ada2->setMinimumWidth(digit * 2);
    m_ada2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* setup = new QGridLayout(m_frame);
    setup->addWidget(label(QStringLiteral("Label1"), QStringLiteral(" Title"), m_frame), 0, 0);
    setup->addWidget(m_title, 0, 1, 1, 4);
    setup->addWidget(label(QStringLiteral("Label5"),
                           QStringLiteral(" Number of Picks to select in the lottery"), m_frame),
                     1, 0);
    setup->addWidget(m_numCol, 1, 1);
    setup->addWidget(label(QStringLiteral("Label6"),
                           QStringLiteral(" Numbers in the lottery Range from 1 to"), m_frame),
                     2, 0);
    setup->addWidget(m_highNum, 2, 1);
    setup->addWidget(
        label(QStringLiteral("Label2"), QStringLiteral(" Auto Date Advanced"), m_frame), 3, 0);
    setup->addWidget(m_ada1, 3, 1);
    setup->addWidget(m_ada2, 3, 2);
    setup->addWidget(label(QStringLiteral("Label8"), QStringLiteral(" days weekly"), m_frame), 3,
                     3);
    setup->setColumnStretch(4, 1);
    // Each label names the box beside it, for a screen reader.
    const std::pair<const char*, QWidget*> labelled[] = {
        {"Label1", m_title}, {"Label5", m_numCol}, {"Label6", m_highNum}, {"Label2", m_ada1}};
    for (const auto& [labelName, labelledBox] : labelled)
        ui::LabelFor(m_frame->findChild<QLabel*>(QLatin1String(labelName)), labelledBox);

    // The buttons.
    auto button = [this](const QString& name, const QString& caption) {
        return ui::NamedButton(name, caption, this);
    };
    m_add = button(QStringLiteral("DCalc"), QStringLiteral("&Add Record"));
    m_correct = button(QStringLiteral("DCorrectRec"), QStringLiteral("Correct &Record"));
    m_deleteAll = button(QStringLiteral("DDeleteAll"), QStringLiteral("&Delete All"));
    m_graphs = button(QStringLiteral("DGraphs"), QStringLiteral("&Show Graph"));
    m_helpButton = button(QStringLiteral("DHelp"), ui::QuickHelpPanel::OpenCaption);
    m_exit = button(QStringLiteral("DExit"), QStringLiteral("E&xit to Menu"));
    m_import = button(QStringLiteral("DImport"), QStringLiteral("&Import Draws..."));
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_correct, 1, 0);
    buttons->addWidget(m_deleteAll, 2, 0);
    buttons->addWidget(m_graphs, 0, 1);
    buttons->addWidget(m_helpButton, 1, 1);
    buttons->addWidget(m_exit, 2, 1);
    buttons->addWidget(m_import, 3, 0);
    buttons->setRowStretch(4, 1);
    // Buttons hidden while a correction or an insertion is pending keep their place, so
    // nothing else on the window moves.
    for (QPushButton* b : {m_correct, m_deleteAll, m_graphs, m_import}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }

    // The entry row.
    m_showNext = label(QStringLiteral("ShowNxtAdv"), QString(), this);
    m_inNew = label(QStringLiteral("InNew"), QStringLiteral("New"), this);
    m_inNew->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Insert")) + digit * 2);
    m_date = box(QStringLiteral("InDate"), 10, ui::KeyRule::DateChars, this);
    m_date->setFixedWidth(digit * 11 + 14);
    auto* entryRow = new QGridLayout;
    entryRow->addWidget(m_showNext, 0, 1, 1, 6, Qt::AlignLeft);
    entryRow->addWidget(m_inNew, 1, 0);
    entryRow->addWidget(m_date, 1, 1);
    for (int k = 0; k < 10; ++k) {
        auto* b = box(QStringLiteral("DYourNumIn%1").arg(k), 2, ui::KeyRule::Digits, this);
        b->setFixedWidth(digit * 3 + 14);
        b->setAlignment(Qt::AlignCenter);
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

    // The grids, the count switch, the top-numbers line and the Quick Help box.
    m_records = new ui::Grid(this);
    m_records->setObjectName(QStringLiteral("DGrid1"));
    m_records->view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_records->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_records->setCaption(QStringLiteral("Records"));
    for (int g = 0; g < 3; ++g) {
        auto* grid = new ui::Grid(this);
        grid->setObjectName(QStringLiteral("DGrid%1").arg(g + 2));
        grid->setRows(2);
        grid->setCols(kCountColumns);
        grid->setCaption(QStringLiteral("Counts of the numbers %1 to %2")
                             .arg(g * kCountColumns + 1)
                             .arg((g + 1) * kCountColumns));
        for (int c = 0; c < kCountColumns; ++c) {
            grid->setColWidthTwips(c, kCountColumnTwips);
            grid->setColAlignment(c, Qt::AlignHCenter);
            grid->setHeaderAlignment(c, Qt::AlignHCenter);
        }
        QTableView* view = grid->view();
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Sized to its twenty columns and its two rows, with nothing to scroll.
        const int frame = view->frameWidth() * 2;
        int width = frame;
        for (int c = 0; c < kCountColumns; ++c)
            width += view->columnWidth(c);
        grid->setFixedSize(width, frame + view->horizontalHeader()->sizeHint().height() +
                                      view->verticalHeader()->defaultSectionSize());
        m_counts[static_cast<size_t>(g)] = grid;
    }
    m_whichCnt =
        new QCheckBox(QStringLiteral("&Times drawn (cleared: draws since last drawn)"), this);
    m_whichCnt->setObjectName(QStringLiteral("WhichCnt"));
    m_whichCnt->setAccessibleDescription(
        QStringLiteral("Checked, the counts are the times each number was drawn; cleared, the "
                       "draws since it was last drawn"));
    m_topNumbers =
        label(QStringLiteral("Label4"), QStringLiteral("Showing the number of times drawn"), this);
    m_topNumbers->setWordWrap(true);
    m_topNumbers->setMinimumHeight(fm.lineSpacing() * 2 + 4);
    m_topNumbers->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_helpBox = new QPlainTextEdit(this);
    m_helpBox->setObjectName(QStringLiteral("HelpBoxD"));
    m_help =
        new ui::QuickHelpPanel(m_helpButton, m_helpBox, ui::QuickHelpPanel::Keys::Beep, &dialogs);
    m_help->setText(ui::QuickHelpPanel::JoinParagraphs(HelpLines()));

    auto* right = new QVBoxLayout;
    right->addWidget(m_whichCnt, 0, Qt::AlignLeft);
    right->addWidget(m_topNumbers);
    // Left-aligned, so that their fixed widths do not narrow the column.
    for (ui::Grid* g : m_counts)
        right->addWidget(g, 0, Qt::AlignLeft);
    right->addWidget(m_helpBox, 1);
    right->addStretch(0);

    auto* top = new QHBoxLayout;
    top->addWidget(m_frame, 1);
    top->addLayout(buttons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_records, 0, Qt::AlignLeft);
    bottom->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(entryRow);
    layout->addLayout(bottom, 1);

    // Tab order: the set-up boxes, the count switch, the entry row, then the buttons.
    QWidget* order[] = {m_title,      m_numCol,     m_highNum,    m_ada1,       m_whichCnt,
                        m_date,       m_numbers[0], m_numbers[1], m_numbers[2], m_numbers[3],
                        m_numbers[4], m_numbers[5], m_numbers[6], m_numbers[7], m_numbers[8],
                        m_numbers[9], m_add,        m_correct,    m_deleteAll,  m_graphs,
                        m_helpButton, m_exit,       m_records,    m_helpBox};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(m_exit, m_import);
    setTabOrder(m_import, m_records);

    // Enter in the set-up boxes and the date goes to the first number; the number boxes chain
    // to each other and the last visible one presses "&Add Record" (set by the grid layout).
    for (ui::InputBox* b : {m_title, m_numCol, m_highNum, m_ada1, m_date})
        b->setNext(m_numbers[0]);

    // A click in the title box starts the first-key state without emptying the box.
    connect(m_title, &ui::InputBox::clickedIn, this, [this] { m_state.RetypeFlag = 1; });
    m_title->setLeaveCheck([this] { return leaveTitle(); });
    m_numCol->setLeaveCheck([this] { return leaveNumCol(); });
    m_highNum->setLeaveCheck([this] { return leaveHighNum(); });
    m_ada1->setLeaveCheck([this] { return leaveAdvance(); });
    m_date->setLeaveCheck([this] { return leaveDate(); });

    connect(m_add, &QPushButton::clicked, this, &DatabaseWindow::addRecord);
    connect(m_correct, &QPushButton::clicked, this, &DatabaseWindow::correctRecord);
    connect(m_deleteAll, &QPushButton::clicked, this, &DatabaseWindow::deleteAll);
    connect(m_graphs, &QPushButton::clicked, this, &DatabaseWindow::showGraph);
    connect(m_import, &QPushButton::clicked, this, &DatabaseWindow::importRequested);
    connect(m_helpButton, &QPushButton::clicked, m_help, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &DatabaseWindow::leave);
    connect(m_whichCnt, &QCheckBox::clicked, this, &DatabaseWindow::whichCountClicked);

    resize(1100, 720);
}

void DatabaseWindow::open()
{
    ui::BusyPointer busy(m_services.dialogs);
    DrawDatabase& db = m_state.Database;
    const core::PersonalSettings& settings = m_state.Settings;

    m_title->setText(db.title());
    m_numCol->setText(TwoWide(settings.DefaultPicks));
    m_highNum->setText(Num(settings.DefaultHighNumber));

    m_whichCnt->setChecked(true);
    // The program's measure is times drawn from here on, even before there is a record to count.
    m_state.Stats.measure = stats::Measure::TimesDrawn;

    // A damaged header could hold any step; the box takes one digit, 0..6.
    db.setFirstAdvance(db.advanceFirst());
    m_ada1->setText(Num(db.advanceFirst()));
    m_ada2->setText(Num(db.advanceSecond()));
    if (db.pendingAdvance() == 0) db.setPendingAdvance(7 - db.advanceFirst());

    // The first key typed into a set-up box replaces what the window put there.
    m_state.RetypeFlag = 0;

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

void DatabaseWindow::layOutGrid()
{
    DrawDatabase& db = m_state.Database;
    const int typedPicks = static_cast<int>(text::IntValue(m_numCol->text()));
    const int typedHigh = static_cast<int>(text::IntValue(m_highNum->text()));
    // The database clamps the shape; a box outside its range shows the value in use. Only a
    // damaged header or settings file gets below 1: a draw has at least one number.
    db.setShape(typedPicks, typedHigh);
    const int picks = db.picksPerDraw();
    if (picks != typedPicks) m_numCol->setText(TwoWide(picks));
    if (db.highNumber() != typedHigh) m_highNum->setText(TwoWide(db.highNumber()));

    for (int k = 0; k < 10; ++k) {
        ui::InputBox* b = m_numbers[static_cast<size_t>(k)];
        b->setVisible(k < picks);
        b->setNext(k + 1 < picks ? static_cast<QWidget*>(m_numbers[static_cast<size_t>(k + 1)])
                                 : static_cast<QWidget*>(m_add));
    }
    m_visibleBoxes = picks;

    const int columns = db.columnCount();
    const int rows = db.recordCount() + 24;
    if (m_records->cols() != columns) m_records->setCols(columns);
    if (m_records->rows() != rows) m_records->setRows(rows);
    m_records->setWidthTwips(600 * columns + 1340);
    m_records->setColWidthTwips(0, 900);
    m_records->setColWidthTwips(1, 1320);
    for (int c = 2; c < columns; ++c)
        m_records->setColWidthTwips(c, 580);
    for (int c = 0; c < columns; ++c) {
        m_records->setColAlignment(c, Qt::AlignHCenter);
        m_records->setHeaderAlignment(c, Qt::AlignHCenter);
    }
    m_records->setCell(0, 0, QStringLiteral("Record"));
    m_records->setCell(0, 1, QStringLiteral("Date"));
    for (int c = 2; c < columns; ++c)
        m_records->setCell(0, c, text::NumText(static_cast<long long>(c - 1)));
    m_gridCapacity = rows;
}

void DatabaseWindow::layOutCountGrids()
{
    const int high = m_state.Database.highNumber();
    for (int g = 0; g < 3; ++g) {
        for (int c = 0; c < kCountColumns; ++c) {
            const int n = g * kCountColumns + c + 1;
            m_counts[static_cast<size_t>(g)]->setCell(
                0, c, n <= high ? text::NumText(static_cast<long long>(n)) : QString());
        }
    }
}

void DatabaseWindow::showDatabase()
{
    DrawDatabase& db = m_state.Database;
    // While a correction or an insertion waits for "&Add Record", what the user has typed in
    // the entry row stays there.
    const bool pending = m_pendingOption != entry::Option::None;
    const QString keptDate = m_date->text();
    const QStringList keptBoxes = visibleBoxTexts();

    m_numCol->setText(TwoWide(db.columnCount() - 2));
    m_highNum->setText(TwoWide(db.highNumber()));
    layOutGrid();
    layOutCountGrids();
    advanceDate();
    fillRecordGrid();
    advanceDate();

    if (pending) {
        m_date->setText(keptDate);
        for (int k = 0; k < keptBoxes.size(); ++k)
            m_numbers[static_cast<size_t>(k)]->setText(keptBoxes[k]);
    } else {
        m_inNew->setText(QStringLiteral("New"));
        m_date->setText(text::ShortDate(m_state.ProposedDate));
        clearVisibleBoxes();
    }
    stats::RecomputeFrequencies(db, shownMeasure(), m_state.Stats);
    showCounts();
}

void DatabaseWindow::advanceDate()
{
    const entry::Advance a = entry::AdvanceDate(m_state.Database, m_services.clock.today());
    m_state.ProposedDate = a.proposed;
    m_state.ShownAdvance = a.shown;
    m_date->setText(text::ShortDate(a.proposed));
    showNextStep();
}

void DatabaseWindow::showNextStep()
{
    m_showNext->setText(QStringLiteral(" Next:") +
                        text::NumText(static_cast<long long>(m_state.ShownAdvance)) +
                        QStringLiteral(" days from"));
}

void DatabaseWindow::fillRecordGrid()
{
    const DrawDatabase& db = m_state.Database;
    const int count = db.recordCount();
    const int columns = std::min(db.columnCount(), m_records->cols());
    if (m_records->rows() < count + 1) layOutGrid();
    const QLocale locale;
    const QString dateFormat = text::ShortDateFormat();
    for (int r = count, row = 1; r >= 1; --r, ++row) {
        const DrawRecord& rec = db.record(r);
        m_records->setCell(row, 0, text::RightAlign(text::Hashes(rec.RecordNo), 4));
        m_records->setCell(
            row, 1, rec.DrawDate.isValid() ? locale.toString(rec.DrawDate, dateFormat) : QString());
        for (int c = 2; c < columns; ++c)
            m_records->setCell(
                row, c, text::RightAlign(text::Hashes(rec.Numbers[static_cast<size_t>(c - 2)]), 3));
    }
    // Rows below the records stay empty, whatever a longer table left there.
    m_records->fillRange(count + 1, m_records->rows() - 1, 0, m_records->cols() - 1, QString());
}

void DatabaseWindow::showCounts()
{
    stats::Statistics& stats = m_state.Stats;
    for (int g = 0; g < 3; ++g) {
        ui::Grid* grid = m_counts[static_cast<size_t>(g)];
        for (int c = 0; c < kCountColumns; ++c) {
            const int n = g * kCountColumns + c + 1;
            grid->setCell(1, c, text::Hashes(stats.FrequencyTable[static_cast<size_t>(n)].Measure));
        }
    }
    stats::RankNumbers(stats, m_state.Database.highNumber(), stats::RankOrder::Ranked);
    const stats::TopNumbersLine line =
        stats::ComposeTopNumbers(stats, m_state.Database.picksPerDraw());
    m_state.TopNumbersHeading = line.heading;
    m_state.TopNumbersList = line.numbers;
    if (!line.heading.isEmpty()) {
        m_topNumbers->setText(line.heading + line.numbers);
        m_showingTopNumbers = true;
    } else if (m_showingTopNumbers) {
        // No number has a count any more (the last record was deleted): the old line is not
        // true of the table.
        m_topNumbers->clear();
        m_showingTopNumbers = false;
    }
}

void DatabaseWindow::clearGrids()
{
    m_records->fillRange(1, m_records->rows() - 1, 0, m_records->cols() - 1, QString());
    for (ui::Grid* g : m_counts)
        g->fillRange(1, 1, 0, kCountColumns - 1, QString());
}

QStringList DatabaseWindow::visibleBoxTexts() const
{
    QStringList out;
    for (int k = 0; k < m_visibleBoxes; ++k)
        out << m_numbers[static_cast<size_t>(k)]->text();
    return out;
}

void DatabaseWindow::clearVisibleBoxes()
{
    for (int k = 0; k < m_visibleBoxes; ++k)
        m_numbers[static_cast<size_t>(k)]->clear();
}

void DatabaseWindow::setOperationButtonsVisible(bool visible)
{
    m_graphs->setVisible(visible);
    m_import->setVisible(visible);
    m_deleteAll->setVisible(visible);
    m_correct->setVisible(visible);
}

// ---------------------------------------------------------------------------------------------
// Adding, correcting, inserting, deleting

void DatabaseWindow::showEntryError(const entry::Check& check, bool pending)
{
    ui::Dialogs& d = m_services.dialogs;
    switch (check.problem) {
    case entry::Problem::Missing:
        d.message(kEntryError, pending ? QStringLiteral(" Missing number")
                                       : QStringLiteral(" Correct: missing number."));
        break;
    case entry::Problem::TooHigh:
        d.message(kEntryError, QStringLiteral(" Correct: number ") + check.boxText +
                                   QStringLiteral(" is higher than allowed in Draw."));
        break;
    case entry::Problem::Zero:
        d.message(kEntryError, QStringLiteral(" Correct: number 0 not allowed in Draw."));
        break;
    case entry::Problem::Full:
        d.message(kHelp, kMaxRecords);
        break;
    default:
        break;
    }
    if (check.box >= 0 && check.box < m_visibleBoxes)
        m_numbers[static_cast<size_t>(check.box)]->setFocus();
}

void DatabaseWindow::addRecord()
{
    const QStringList boxes = visibleBoxTexts();
    const entry::Check first = entry::CheckFirst(boxes);
    if (first.problem == entry::Problem::NoRecord) {
        m_services.dialogs.message(kHelp, QStringLiteral(" No record to add to database."));
        return;
    }
    if (first.problem == entry::Problem::Duplicate) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Correct: duplicate numbers."));
        return;
    }
    if (m_pendingOption == entry::Option::Correct || m_pendingOption == entry::Option::Insert) {
        applyPending(boxes);
        return;
    }
    m_state.Modified = true;
    append(boxes);
}

void DatabaseWindow::append(const QStringList& boxes)
{
    DrawDatabase& db = m_state.Database;
    const entry::Check c = entry::Append(db, m_date->text(), boxes);
    switch (c.problem) {
    case entry::Problem::None:
        break;
    case entry::Problem::NoRecord:
        return;
    case entry::Problem::BadDate:
        m_services.dialogs.message(kEntryError, QStringLiteral("Check for wrong entry."));
        return;
    default:
        showEntryError(c, false);
        return;
    }

    ui::BusyPointer busy(m_services.dialogs);
    if (m_gridCapacity < db.recordCount() + 4) layOutGrid();
    fillRecordGrid();
    advanceDate();
    clearVisibleBoxes();
    stats::RecomputeFrequencies(db, shownMeasure(), m_state.Stats);
    showCounts();
    m_numbers[0]->setFocus();
}

void DatabaseWindow::applyPending(const QStringList& boxes)
{
    DrawDatabase& db = m_state.Database;
    const QString date = m_date->text();
    entry::Check c;
    {
        ui::BusyPointer busy(m_services.dialogs);
        c = m_pendingOption == entry::Option::Correct
                ? entry::ApplyCorrection(db, m_selectedRecord, date, boxes)
                : entry::ApplyInsertion(db, date, boxes);
    }
    switch (c.problem) {
    case entry::Problem::None:
        m_state.Modified = true;
        break;
    case entry::Problem::Missing:
    case entry::Problem::TooHigh:
    case entry::Problem::Zero:
        // The entry row stays as typed and the operation is still pending.
        showEntryError(c, true);
        return;
    case entry::Problem::BadDate:
        // An unreadable date is bad input like any other: said so, and nothing typed is lost.
        m_services.dialogs.message(QStringLiteral("Entry error"),
                                   QStringLiteral("Not a proper date, try again. "));
        m_date->setFocus();
        return;
    case entry::Problem::DateAfterLast:
        m_services.dialogs.message(kHelp,
                                   QStringLiteral(" Date cannot be greater than last record.") +
                                       text::ShortDate(c.lastDate));
        break;
    default:
        m_services.dialogs.message(kHelp, kMaxRecords);
        break;
    }
    endPending();
}

void DatabaseWindow::endPending()
{
    ui::BusyPointer busy(m_services.dialogs);
    m_pendingOption = entry::Option::None;
    m_selectedRecord = 0;
    setOperationButtonsVisible(true);
    m_state.Database.sortByDate();
    clearGrids();
    showDatabase();
    m_numbers[0]->setFocus();
}

void DatabaseWindow::correctRecord()
{
    DrawDatabase& db = m_state.Database;
    if (db.recordCount() == 0) {
        m_services.dialogs.message(kHelp, QStringLiteral(" No records to correct "));
        return;
    }
    const entry::RecordChoice choice = m_chooser ? m_chooser(this) : entry::RecordChoice{};
    if (choice.record == 0 || choice.option == entry::Option::None) return;
    if (choice.record > db.recordCount()) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Record Number does not exist."));
        return;
    }

    switch (choice.option) {
    case entry::Option::Correct: {
        const DrawRecord& rec = db.record(choice.record);
        m_pendingOption = entry::Option::Correct;
        m_selectedRecord = choice.record;
        setOperationButtonsVisible(false);
        m_inNew->setText(text::NumText(static_cast<long long>(rec.RecordNo)));
        m_date->setText(text::ShortDate(rec.DrawDate));
        for (int k = 0; k < m_visibleBoxes; ++k)
            m_numbers[static_cast<size_t>(k)]->setText(
                text::Hashes(rec.Numbers[static_cast<size_t>(k)]));
        m_date->setFocus();
        break;
    }
    case entry::Option::Insert:
        // The table holds no more records than an append may make.
        if (db.recordCount() >= DrawDatabase::MaxRecords) {
            m_services.dialogs.message(kHelp, kMaxRecords);
            return;
        }
        m_pendingOption = entry::Option::Insert;
        m_selectedRecord = choice.record;
        setOperationButtonsVisible(false);
        m_inNew->setText(QStringLiteral("Insert"));
        m_date->clear();
        m_date->setFocus();
        break;
    case entry::Option::Delete: {
        ui::BusyPointer busy(m_services.dialogs);
        entry::DeleteRecord(db, choice.record);
        m_state.Modified = true;
        m_pendingOption = entry::Option::None;
        m_selectedRecord = 0;
        clearGrids();
        showDatabase();
        break;
    }
    case entry::Option::None:
        break;
    }
}

void DatabaseWindow::deleteAll()
{
    if (!m_services.dialogs.ask(QStringLiteral("Erase Database"),
                                QStringLiteral("Yes will delete the database file in memory.")))
        return;
    m_state.Stats.FrequencyTable.fill(stats::FrequencyRow{});
    m_state.Database.erase();
    m_title->clear();
    m_state.setFileInMemory({});
    m_topNumbers->clear();
    m_showingTopNumbers = false;
    m_state.TopNumbersHeading.clear();
    m_state.TopNumbersList.clear();
    layOutGrid();
    clearGrids();
}

// ---------------------------------------------------------------------------------------------
// The other buttons

stats::Measure DatabaseWindow::shownMeasure() const
{
    return m_whichCnt->isChecked() ? stats::Measure::TimesDrawn : stats::Measure::DrawsSince;
}

void DatabaseWindow::whichCountClicked()
{
    // The counts are recomputed in the measure the switch now shows.
    clearGrids();
    showDatabase();
}

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
    stats::RecomputeFrequencies(m_state.Database, shownMeasure(), m_state.Stats);
    showCounts();
}

void DatabaseWindow::leave()
{
    if (!m_left.first()) return;
    m_pendingOption = entry::Option::None;
    m_selectedRecord = 0;
    // The title box is taken even when the window is closed while it has the focus.
    m_state.Database.setTitle(m_title->text());
    hide();
    Q_EMIT exitToMenu();
}

void DatabaseWindow::closeEvent(QCloseEvent* event)
{
    leave();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Leaving the boxes

bool DatabaseWindow::leaveTitle()
{
    m_title->setEdited(false);
    m_state.Database.setTitle(m_title->text());
    return true;
}

bool DatabaseWindow::leaveNumCol()
{
    if (!m_numCol->edited()) return true;
    m_numCol->setEdited(false);
    m_state.RetypeFlag = 0;
    const DrawDatabase& db = m_state.Database;
    m_numCol->setText(text::RightAlign(m_numCol->text().trimmed(), 2));
    const long long value = text::IntValue(m_numCol->text());
    if (value < 1 || value > 10) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 10"));
        m_numCol->setText(TwoWide(db.columnCount() - 2));
        return false;
    }
    if (db.recordCount() != 0) {
        m_services.dialogs.message(kHelp, kDeleteAllFirst);
        m_numCol->setText(TwoWide(db.columnCount() - 2));
        return false;
    }
    layOutGrid();
    return true;
}

bool DatabaseWindow::leaveHighNum()
{
    if (!m_highNum->edited()) return true;
    m_highNum->setEdited(false);
    m_state.RetypeFlag = 0;
    const DrawDatabase& db = m_state.Database;
    const long long value = text::IntValue(m_highNum->text());
    if (value < 1 || value > 60) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 60"));
        m_highNum->setText(Num(db.highNumber()));
        return false;
    }
    if (db.recordCount() != 0) {
        m_services.dialogs.message(kHelp, kDeleteAllFirst);
        m_highNum->setText(Num(db.highNumber()));
        return false;
    }
    layOutGrid();
    layOutCountGrids();
    stats::RecomputeFrequencies(m_state.Database, shownMeasure(), m_state.Stats);
    showCounts();
    return true;
}

bool DatabaseWindow::leaveAdvance()
{
    if (!m_ada1->edited()) return true;
    m_ada1->setEdited(false);
    m_state.RetypeFlag = 0;
    DrawDatabase& db = m_state.Database;
    const int value = static_cast<int>(text::IntValue(m_ada1->text()));
    if (value > 6) {
        m_services.dialogs.message(kHelp, QStringLiteral(" Must be from 1 to 6"));
        m_ada1->setText(Num(db.advanceFirst()));
        return false;
    }
    // The new steps take effect at the next advance; the date already proposed stays.
    db.setFirstAdvance(value);
    m_ada2->setText(Num(db.advanceSecond()));
    m_showNext->setText(value == 0 ? QStringLiteral(" Next: 7 days from")
                                   : QStringLiteral(" Next: ") + m_ada1->text() +
                                         QStringLiteral(" days from"));
    return true;
}

bool DatabaseWindow::leaveDate()
{
    if (!m_date->edited()) return true;
    const auto date = text::ParseDate(m_date->text());
    if (!date) {
        m_services.dialogs.message(QStringLiteral("Entry error"),
                                   QStringLiteral("Not a proper date, try again. "));
        // Back to the date once the focus change under way has finished; the box stays
        // marked as typed into, so leaving it again checks it again.
        QMetaObject::invokeMethod(
            this, [this] { m_date->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
        return false;
    }
    m_date->setEdited(false);
    m_date->setText(text::ShortDate(*date));
    return true;
}

} // namespace database
