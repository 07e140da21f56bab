#include "windows/import/ImportDialog.h"

#include "models/history/Export.h"
#include "models/history/JsonSource.h"
#include "windows/import/PlanModel.h"

#include "models/state/AppState.h"
#include "text/Dates.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/FitToScreen.h"
#include "ui/Services.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace history {

namespace {

const QString kHelp = QStringLiteral("Help");

} // namespace

ImportDialog::ImportDialog(core::AppState& state, ui::Services& services, QWidget* parent)
    : QDialog(parent), m_state(state), m_services(services), m_model(std::make_unique<PlanModel>())
{
    setObjectName(QStringLiteral("LImport"));
    setWindowTitle(QStringLiteral("Import Draws"));
    buildControls();
    readTable();
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::buildControls()
{
    // The controls are made in their tab order.
    QHBoxLayout* sourceRow = buildSourceRow();
    auto* options = new QGridLayout;
    addReadingOptions(options);
    addShapeOptions(options);
    addPlanOptions(options);
    options->setColumnStretch(5, 1);
    QLabel* columnsLabel = buildColumnsTable();
    QHBoxLayout* rowsCaption = buildRowsTable();
    QHBoxLayout* buttons = buildButtonRow();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addLayout(options);
    layout->addWidget(columnsLabel);
    layout->addWidget(m_columns, 2);
    layout->addLayout(rowsCaption);
    layout->addWidget(m_plannedRows, 3);
    layout->addLayout(buttons);

    describeControls();
    connectControls();
    // As large as the screen allows, up to the size the preview reads best at.
    QSize size(980, 700);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    resize(size.expandedTo(minimumSizeHint()));
    ui::FitToScreen(this);
}

QHBoxLayout* ImportDialog::buildSourceRow()
{
    m_sourceLabel = new QLabel(
        QStringLiteral("No table yet: open a file, type a web address or paste a copied table."),
        this);
    m_sourceLabel->setObjectName(QStringLiteral("ISource"));
    // A long address or path is cut short rather than widening the window (its tooltip holds
    // the whole).
    m_sourceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("IAddress"));
    m_address->setPlaceholderText(QStringLiteral("https://..."));
    m_address->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    auto* addressLabel = new QLabel(QStringLiteral("Web &address"), this);
    ui::LabelFor(addressLabel, m_address);
    m_open = ui::NamedButton(QStringLiteral("IOpenFile"), QStringLiteral("Open &File..."), this);
    m_paste = ui::NamedButton(QStringLiteral("IPaste"), QStringLiteral("&Paste Table"), this);

    // The address sits between the source's name and the buttons, which keep their places.
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_sourceLabel, 1);
    sourceRow->addWidget(addressLabel);
    sourceRow->addWidget(m_address);
    sourceRow->addWidget(m_open);
    sourceRow->addWidget(m_paste);
    return sourceRow;
}

void ImportDialog::addReadingOptions(QGridLayout* options)
{
    m_separator = new QComboBox(this);
    m_separator->setObjectName(QStringLiteral("ISeparator"));
    for (Separator s : {Separator::Comma, Separator::Semicolon, Separator::Tab, Separator::Pipe,
                        Separator::Whitespace, Separator::Json})
        m_separator->addItem(SeparatorName(s), static_cast<int>(s));
    auto* separatorLabel = new QLabel(QStringLiteral("&Separator"), this);
    ui::LabelFor(separatorLabel, m_separator);
    m_headerRow = new QCheckBox(QStringLiteral("First row is a &header"), this);
    m_headerRow->setObjectName(QStringLiteral("IHeader"));
    m_dateOrder = new QComboBox(this);
    m_dateOrder->setObjectName(QStringLiteral("IDateOrder"));
    m_dateOrder->addItem(QStringLiteral("day first (5/12 is 5 December)"),
                         static_cast<int>(DateOrder::DayFirst));
    m_dateOrder->addItem(QStringLiteral("month first (5/12 is May 12)"),
                         static_cast<int>(DateOrder::MonthFirst));
    auto* orderLabel = new QLabel(QStringLiteral("Date &order"), this);
    ui::LabelFor(orderLabel, m_dateOrder);
    m_dateOrderNote = new QLabel(this);
    m_dateOrderNote->setObjectName(QStringLiteral("IDateNote"));
    m_dateOrderNote->setWordWrap(true);

    options->addWidget(separatorLabel, 0, 0);
    options->addWidget(m_separator, 0, 1);
    options->addWidget(m_headerRow, 0, 2, 1, 2);
    options->addWidget(orderLabel, 1, 0);
    options->addWidget(m_dateOrder, 1, 1);
    options->addWidget(m_dateOrderNote, 1, 2, 1, 4);
}

void ImportDialog::addShapeOptions(QGridLayout* options)
{
    m_shapeNote = new QLabel(this);
    m_shapeNote->setObjectName(QStringLiteral("IShape"));
    m_shapeNote->setWordWrap(true);
    m_shapeNote->setMinimumWidth(fontMetrics().averageCharWidth() * 22);
    m_picks = new QSpinBox(this);
    m_picks->setObjectName(QStringLiteral("IPicks"));
    m_picks->setRange(1, 10);
    m_highNumber = new QSpinBox(this);
    m_highNumber->setObjectName(QStringLiteral("IHigh"));
    m_highNumber->setRange(1, 60);
    auto* picksLabel = new QLabel(QStringLiteral("Pic&ks per draw"), this);
    ui::LabelFor(picksLabel, m_picks);
    auto* highLabel = new QLabel(QStringLiteral("Hi&ghest number"), this);
    ui::LabelFor(highLabel, m_highNumber);

    options->addWidget(picksLabel, 2, 0);
    options->addWidget(m_picks, 2, 1, Qt::AlignLeft);
    options->addWidget(highLabel, 2, 2);
    options->addWidget(m_highNumber, 2, 3, Qt::AlignLeft);
    options->addWidget(m_shapeNote, 2, 4, 1, 2);
}

void ImportDialog::addPlanOptions(QGridLayout* options)
{
    m_sortNumbers = new QCheckBox(QStringLiteral("Sort each draw's n&umbers"), this);
    m_sortNumbers->setObjectName(QStringLiteral("ISort"));
    m_sortNumbers->setChecked(true);
    m_replaceConflicts =
        new QCheckBox(QStringLiteral("&Replace records whose date comes with other numbers"), this);
    m_replaceConflicts->setObjectName(QStringLiteral("IReplace"));
    m_onlyRange = new QCheckBox(QStringLiteral("Only draws fro&m"), this);
    m_onlyRange->setObjectName(QStringLiteral("IRange"));
    m_rangeFrom = new QDateEdit(this);
    m_rangeFrom->setObjectName(QStringLiteral("IFrom"));
    m_rangeTo = new QDateEdit(this);
    m_rangeTo->setObjectName(QStringLiteral("ITo"));
    for (QDateEdit* d : {m_rangeFrom, m_rangeTo}) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        d->setDateRange(QDate(1900, 1, 1), QDate(2499, 12, 31));
    }
    auto* toLabel = new QLabel(QStringLiteral("&to"), this);
    ui::LabelFor(toLabel, m_rangeTo);

    options->addWidget(m_sortNumbers, 3, 0, 1, 6);
    options->addWidget(m_replaceConflicts, 4, 0, 1, 6);
    auto* range = new QHBoxLayout;
    range->addWidget(m_onlyRange);
    range->addWidget(m_rangeFrom);
    range->addWidget(toLabel);
    range->addWidget(m_rangeTo);
    range->addStretch(1);
    options->addLayout(range, 5, 0, 1, 6);
}

QLabel* ImportDialog::buildColumnsTable()
{
    m_columns = new QTableWidget(this);
    m_columns->setObjectName(QStringLiteral("IColumns"));
    m_columns->setColumnCount(4);
    m_columns->setHorizontalHeaderLabels({QStringLiteral("Column"), QStringLiteral("First value"),
                                          QStringLiteral("Looks like"), QStringLiteral("Use as")});
    m_columns->verticalHeader()->hide();
    m_columns->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    m_columns->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_columns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* columnsLabel = new QLabel(QStringLiteral("&Columns"), this);
    ui::LabelFor(columnsLabel, m_columns);
    return columnsLabel;
}

QHBoxLayout* ImportDialog::buildRowsTable()
{
    m_plannedRows = new QTableView(this);
    m_plannedRows->setObjectName(QStringLiteral("IRows"));
    m_plannedRows->setModel(m_model.get());
    m_plannedRows->verticalHeader()->hide();
    m_plannedRows->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_plannedRows->horizontalHeader()->setStretchLastSection(true);
    m_plannedRows->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* rowsLabel = new QLabel(QStringLiteral("Ro&ws"), this);
    ui::LabelFor(rowsLabel, m_plannedRows);
    m_problemsOnly = new QCheckBox(QStringLiteral("Problems on&ly"), this);
    m_problemsOnly->setObjectName(QStringLiteral("IProblems"));
    auto* caption = new QHBoxLayout;
    caption->addWidget(rowsLabel);
    caption->addWidget(m_problemsOnly);
    caption->addStretch(1);
    return caption;
}

QHBoxLayout* ImportDialog::buildButtonRow()
{
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("ICounts"));
    m_counts->setWordWrap(true);
    m_remember = new QCheckBox(QStringLiteral("Remem&ber this source for Update"), this);
    m_remember->setObjectName(QStringLiteral("IRemember"));
    m_remember->setEnabled(false);
    m_import = ui::NamedButton(QStringLiteral("IImport"), QStringLiteral("&Import"), this);
    m_cancel = ui::NamedButton(QStringLiteral("ICancel"), QStringLiteral("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_counts, 1);
    buttons->addWidget(m_remember);
    buttons->addWidget(m_import);
    buttons->addWidget(m_cancel);
    return buttons;
}

void ImportDialog::describeControls()
{
    // What a screen reader says for each control: the name the window shows beside it, and
    // what it holds.
    const std::pair<QWidget*, const char*> descriptions[] = {
        {m_separator, "The character between the fields of a row"},
        {m_headerRow, "Checked, the first row names the columns and holds no draw"},
        {m_dateOrder, "How dates written with numbers only are read"},
        {m_sortNumbers, "Checked, each draw's numbers are stored in ascending order"},
        {m_replaceConflicts,
         "Checked, a row whose date is in the database with other numbers replaces that record"},
        {m_onlyRange, "Checked, only the draws between the two dates are taken"},
        {m_problemsOnly, "Checked, the rows list shows only the rejected and conflicting rows"},
        {m_address, "The address of a table of draws on the web; Enter downloads it"},
        {m_remember, "Checked, Update Draws in the Database window reads this source again, "
                     "the same way"},
    };
    for (const auto& [control, description] : descriptions)
        control->setAccessibleDescription(QLatin1String(description));
    ui::SetAccessibleTextWithin(m_picks, QStringLiteral("Picks per draw"),
                                QStringLiteral("The numbers of one draw, for an empty database"));
    ui::SetAccessibleTextWithin(m_highNumber, QStringLiteral("Highest number"),
                                QStringLiteral("The highest number drawn, for an empty database"));
    ui::SetAccessibleTextWithin(m_rangeFrom, QStringLiteral("First date taken"),
                                QStringLiteral("Draws dated before it are left out"));
    ui::SetAccessibleTextWithin(m_rangeTo, QStringLiteral("Last date taken"),
                                QStringLiteral("Draws dated after it are left out"));
    ui::SetAccessibleText(m_columns, QStringLiteral("Columns of the table"),
                          QStringLiteral("Each column of the table: its name, its first value, "
                                         "what it looks like and what it is used as"));
    ui::SetAccessibleText(m_plannedRows, QStringLiteral("Rows of the table"),
                          QStringLiteral("Each row of the table: its line, what happens to it, "
                                         "its date, its numbers and the reason"));
    m_plannedRows->viewport()->setAccessibleName(m_plannedRows->accessibleName());
}

void ImportDialog::connectControls()
{
    connect(m_open, &QPushButton::clicked, this, [this] { openFile(); });
    connect(m_paste, &QPushButton::clicked, this, &ImportDialog::pasteTable);
    connect(m_address, &QLineEdit::returnPressed, this, [this] { openAddress(m_address->text()); });
    connect(m_separator, &QComboBox::activated, this, [this] {
        if (!m_updating) readTable();
    });
    connect(m_headerRow, &QCheckBox::toggled, this, [this] {
        if (!m_updating) readTable();
    });
    connect(m_dateOrder, &QComboBox::activated, this, [this] {
        m_mapping.order = static_cast<DateOrder>(m_dateOrder->currentData().toInt());
        replan();
    });
    // The shape the user sets comes first: the columns are guessed again to match it.
    for (QSpinBox* s : {m_picks, m_highNumber})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            if (!m_updating) guessColumns();
        });
    for (QCheckBox* c : {m_sortNumbers, m_replaceConflicts, m_onlyRange, m_problemsOnly})
        connect(c, &QCheckBox::toggled, this, [this] { replan(); });
    for (QDateEdit* d : {m_rangeFrom, m_rangeTo})
        connect(d, &QDateEdit::dateChanged, this, [this] {
            if (m_onlyRange->isChecked()) replan();
        });
    connect(m_import, &QPushButton::clicked, this, &ImportDialog::importClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportDialog::setSource(const QString& text, const QString& name)
{
    showSource(text, name, {});
}

void ImportDialog::showSource(const QString& text, const QString& name, const QString& location)
{
    noteSource(text, name, location);
    const SourceTable sniffed = ReadTable(text);
    m_updating = true;
    m_separator->setCurrentIndex(m_separator->findData(static_cast<int>(sniffed.separator)));
    m_headerRow->setChecked(sniffed.hasHeader);
    m_updating = false;
    m_table = sniffed;
    detect();
}

void ImportDialog::noteSource(const QString& text, const QString& name, const QString& location)
{
    m_sourceText = text;
    m_sourceName = name;
    m_sourceLocation = location;
    m_sourceLabel->setText(QStringLiteral("Source: %1").arg(name));
    m_sourceLabel->setToolTip(location.isEmpty() ? name : location);
    // A file or an address is remembered by default; the clipboard cannot be read again, and a
    // side file that could not be read is never written over.
    const bool rememberable = !location.isEmpty() && m_state.ticketsProblem.isEmpty();
    m_remember->setEnabled(rememberable);
    m_remember->setChecked(rememberable);
}

bool ImportDialog::openFile()
{
    const std::optional<QString> path = m_services.dialogs.chooseFile(
        ui::FileMode::Open, QStringLiteral("Tables of draws (*.csv *.txt *.tsv *.json)"),
        QString());
    if (!path || path->isEmpty()) return false;
    const DecodedText read = ReadSourceFile(*path);
    const QString problem = read.error != ReadError::None ? ReadErrorText(read.error)
                            : LooksLikeJson(read.text)    ? ReadJsonTable(read.text).problem
                                                          : QString();
    if (!problem.isEmpty()) {
        m_services.dialogs.message(
            kHelp, QStringLiteral("%1 %2.").arg(QFileInfo(*path).fileName(), problem));
        return false;
    }
    showSource(read.text, QFileInfo(*path).fileName(), QFileInfo(*path).absoluteFilePath());
    return true;
}

void ImportDialog::pasteTable()
{
    const QString text = QGuiApplication::clipboard()->text();
    // A copied address is downloaded, as if typed.
    const QString line = text.trimmed();
    if (IsWebAddress(line) && !line.contains(QLatin1Char('\n'))) {
        m_address->setText(line);
        openAddress(line);
        return;
    }
    if (text.trimmed().isEmpty()) {
        m_services.dialogs.message(kHelp, QStringLiteral("The clipboard holds no text. Copy a "
                                                         "table of draws first."));
        return;
    }
    if (text.size() > MaxSourceBytes) {
        m_services.dialogs.message(
            kHelp, QStringLiteral("The clipboard %1.").arg(ReadErrorText(ReadError::TooLarge)));
        return;
    }
    setSource(text, QStringLiteral("the clipboard"));
}

void ImportDialog::readTable()
{
    const bool hasSource = !m_sourceText.isEmpty();
    if (hasSource)
        m_table =
            ReadTable(m_sourceText, static_cast<Separator>(m_separator->currentData().toInt()),
                      m_headerRow->isChecked());
    else
        m_table = {};
    m_sourceLabel->setText(
        m_table.problem.isEmpty()
            ? QStringLiteral("Source: %1").arg(m_sourceName)
            : QStringLiteral("Source: %1 %2.").arg(m_sourceName, m_table.problem));
    detect();
}

void ImportDialog::detect()
{
    const database::DrawDatabase& db = m_state.database;
    const bool empty = db.recordCount() <= 0;
    const DateOrder preferred =
        text::ShortDateFormat().startsWith(QLatin1Char('d'), Qt::CaseInsensitive)
            ? DateOrder::DayFirst
            : DateOrder::MonthFirst;
    m_detection = empty ? Detect(m_table, 0, preferred)
                        : Detect(m_table, db.picksPerDraw(), preferred, db.highNumber());
    m_mapping = m_detection.mapping;

    m_updating = true;
    m_dateOrder->setCurrentIndex(m_dateOrder->findData(static_cast<int>(m_mapping.order)));
    m_dateOrder->setEnabled(m_detection.dates.numericDates);
    m_dateOrderNote->setText(m_detection.dates.explanation());
    // An empty database takes its shape from the source; the user confirms it here.
    const Shape s = empty && !m_table.rows.empty() ? ShapeFromSource(m_detection)
                                                   : Shape{db.picksPerDraw(), db.highNumber()};
    m_picks->setValue(s.picks);
    m_highNumber->setValue(s.high);
    m_picks->setEnabled(empty);
    m_highNumber->setEnabled(empty);
    // The highest number proposed is only the highest the table shows.
    m_shapeNote->setText(empty ? QStringLiteral("The highest number seen in the table: check it, "
                                                "the range cannot change once the database "
                                                "holds draws.")
                               : QStringLiteral("As the database holds its draws."));
    // The newest draws by default, up to today.
    QDate first;
    QDate last;
    const int dateColumn = m_mapping.dateColumn();
    for (const SourceRow& row : m_table.rows) {
        if (dateColumn < 0 || dateColumn >= row.fields.size()) continue;
        const QDate d = ClassifyDate(row.fields[dateColumn]).read(m_mapping.order);
        if (!d.isValid()) continue;
        first = first.isValid() ? std::min(first, d) : d;
        last = last.isValid() ? std::max(last, d) : d;
    }
    m_rangeFrom->setDate(first.isValid() ? first : QDate::currentDate());
    m_rangeTo->setDate(last.isValid() ? last : QDate::currentDate());
    m_onlyRange->setChecked(false);
    // The program's own export holds each draw's numbers as the records held them.
    m_sortNumbers->setChecked(!IsExport(m_table));
    m_updating = false;
    showColumns();
    replan();
}

Shape ImportDialog::shape() const
{
    return {m_picks->value(), m_highNumber->value()};
}

ImportOptions ImportDialog::options() const
{
    ImportOptions o;
    o.sortNumbers = m_sortNumbers->isChecked();
    o.replaceConflicts = m_replaceConflicts->isChecked();
    o.today = m_services.clock.today();
    if (m_onlyRange->isChecked()) {
        o.from = m_rangeFrom->date();
        o.to = m_rangeTo->date();
    }
    return o;
}

void ImportDialog::replan()
{
    if (m_updating) return;
    m_plan = PlanImport(m_table, m_mapping, m_state.database, shape(), options());
    // Past the record limit, the newest draws that fit are offered instead.
    if (m_plan.overLimit() && !m_onlyRange->isChecked()) {
        const QDate from = NewestRangeStart(m_plan);
        if (from.isValid()) {
            m_updating = true;
            m_rangeFrom->setDate(from);
            m_onlyRange->setChecked(true);
            m_updating = false;
            m_plan = PlanImport(m_table, m_mapping, m_state.database, shape(), options());
        }
    }
    m_model->setPlan(&m_plan, m_replaceConflicts->isChecked(),
                     m_problemsOnly->isChecked() ? PlanModel::Shown::Problems
                     : m_forUpdate               ? PlanModel::Shown::Changes
                                                 : PlanModel::Shown::All);
    for (int c = 0; c < 4; ++c)
        m_plannedRows->resizeColumnToContents(c);
    showCounts();
}

void ImportDialog::showCounts()
{
    QString text = QStringLiteral("New %1, already present %2, conflicts %3, rejected %4")
                       .arg(m_plan.added)
                       .arg(m_plan.present)
                       .arg(m_plan.conflicts)
                       .arg(m_plan.rejected);
    if (m_plan.outside > 0) text += QStringLiteral(", outside the range %1").arg(m_plan.outside);
    text += QLatin1Char('.');
    if (m_onlyRange->isChecked() || m_plan.overLimit()) {
        const int total = m_plan.sourceDraws;
        const int room = database::DrawDatabase::MaxRecords - m_plan.recordsBefore;
        if (m_plan.overLimit() || total > room)
            text += QStringLiteral(" The source holds %1 draws and the database has room for %2 "
                                   "more (at most %3 records).")
                        .arg(total)
                        .arg(std::max(room, 0))
                        .arg(database::DrawDatabase::MaxRecords);
    }
    m_counts->setText(text);
    m_import->setEnabled(!m_table.rows.empty());
}

void ImportDialog::importClicked()
{
    // The boxes' values as they stand now, whatever had the focus.
    replan();
    const ImportOptions o = options();
    const int replacing =
        o.replaceConflicts
            ? static_cast<int>(std::count_if(m_plan.rows.begin(), m_plan.rows.end(),
                                             [](const PlannedRow& r) {
                                                 return r.status == RowStatus::Conflict &&
                                                        r.record > 0;
                                             }))
            : 0;
    if (m_plan.overLimit()) {
        m_services.dialogs.message(
            kHelp, QStringLiteral("Max amount of records = %1. Choose a shorter range of dates.")
                       .arg(database::DrawDatabase::MaxRecords));
        return;
    }
    if (m_plan.added == 0 && replacing == 0) {
        m_services.dialogs.message(kHelp, QStringLiteral("There are no new draws to import."));
        return;
    }
    database::DrawDatabase& db = m_state.database;
    if (db.recordCount() <= 0) {
        db.setShape(m_picks->value(), m_highNumber->value());
    }
    ApplyPlan(m_plan, db, o);
    m_state.Modified = true;
    rememberSource();
    accept();
}

} // namespace history
