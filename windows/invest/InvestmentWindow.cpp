#include "windows/invest/InvestmentWindow.h"

#include "text/Cp1252.h"
#include "text/Format.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Printer.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"
#include "windows/invest/InvNumDialog.h"
#include "windows/invest/Statement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace inv {

namespace {

const QString kFilter = QStringLiteral("Investment Tracker Databases (*.inv)");
constexpr int kGridRows = 110;

} // namespace

QString InvestmentWindow::HelpText()
{
    const QStringList paragraphs = {
        QStringLiteral("Load Sample.INV to try out the various features. Click the Open File "
                       "button to load it from disk."),
        QStringLiteral("To start new file, click on the spreadsheet, choose cell by clicking on "
                       "it or use arrow keys. Selected Cell will show dotted line around it, type "
                       "in your data. Delete an entry with the Backspace key."),
        QStringLiteral("Type a description in the first column and values in the second column. "
                       "I use a negative amount for tickets bought and a positive amount for "
                       "Winnings. If Total shows a positive amount it means I am ahead."),
        QStringLiteral("Enter the exact words Sub Total in first column, nothing in second "
                       "column, at the end of each group where you want it to appear. The Sub "
                       "Total amount will be the sum of all amounts between the previous Sub "
                       "Total if one exists."),
        QStringLiteral("Empty rows are not allowed, for a blank row enter a space in column one. "
                       "(It's no longer empty). To remove a row, delete all entries in that row "
                       "then Calculate."),
        QStringLiteral("Column two will only accept figures, the minus sign and the period key as "
                       "the decimal separator. Description or Values can be changed at any time."),
        QStringLiteral("To insert a row, click the row where it is required then the Insert Blank "
                       "Line button, type in the row number shown in the Dialog box then OK."),
        QStringLiteral("You must Calculate after any changes, to reformat the spreadsheet and "
                       "update the Total."),
        QStringLiteral("To save the file to disk, click Save File button and give the file a "
                       "name."),
    };
    QString text;
    for (const QString& p : paragraphs)
        text += p + QStringLiteral("\r\n\r\n");
    return text + QString(70, QLatin1Char(' ')) + QStringLiteral("End");
}

InvestmentWindow::InvestmentWindow(const QString& currencySymbol, ui::Services& services,
                                   QWidget* parent)
    : QWidget(parent),
      m_currencySymbol(currencySymbol.isEmpty() ? QStringLiteral("$") : currencySymbol),
      m_services(services), m_grid(new ui::Grid(this)),
      m_changeNotice(new QLabel(QStringLiteral("Changes made, Calculate"), this)),
      m_insertLine(
          ui::NamedButton(QStringLiteral("InsertAss"), QStringLiteral("&Insert blank line"), this)),
      m_calculate(ui::NamedButton(QStringLiteral("ICalc"), QStringLiteral("&Calculate"), this)),
      m_open(ui::NamedButton(QStringLiteral("IOpenFile"), QStringLiteral("&Open File"), this)),
      m_save(ui::NamedButton(QStringLiteral("ISaveFile"), QStringLiteral("&Save File"), this)),
      m_help(ui::NamedButton(QStringLiteral("IHelp"), ui::QuickHelpPanel::OpenCaption, this)),
      m_print(ui::NamedButton(QStringLiteral("IPrinter"), QStringLiteral("To &Printer"), this)),
      m_exit(ui::NamedButton(QStringLiteral("IExit"), QStringLiteral("E&xit to Menu"), this)),
      m_helpBox(new QPlainTextEdit(this)), m_helpPanel(nullptr)
{
    setObjectName(QStringLiteral("LInvTrack"));
    setWindowTitle(QStringLiteral("Investment Tracker"));

    setUpGrid();
    setUpChangeNotice();
    setUpHelp();
    layOutWindow();
    setTabOrderOfControls();
    connectButtons();

    m_sheet.calculate();
    refresh();
}

void InvestmentWindow::setUpGrid()
{
    m_grid->setObjectName(QStringLiteral("IGrid"));
    m_grid->setCaption(QStringLiteral("Investment sheet: descriptions and amounts"));
    // Two columns widened beyond the grid's default width, row 0 the header.
    m_grid->setCols(2);
    m_grid->setRows(2);
    m_grid->setFixedCols(0);
    m_grid->setColWidthTwips(0, m_grid->colWidthTwips(0) + 3490);
    m_grid->setColWidthTwips(1, m_grid->colWidthTwips(1) + 1000);
    QTableView* view = m_grid->view();
    // Tab leaves the sheet for the buttons; the arrow keys move between cells.
    view->setTabKeyNavigation(false);
    // The grid is never narrower than its two columns; a wider window gives the room to the
    // descriptions.
    m_grid->setMinimumWidth(view->columnWidth(0) + view->columnWidth(1) +
                            view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth());
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(m_grid, &ui::Grid::currentCellChanged, this, &InvestmentWindow::selectCell);
    connect(m_grid, &ui::Grid::keyPressed, this, &InvestmentWindow::gridKey);
}

void InvestmentWindow::setUpChangeNotice()
{
    m_changeNotice->setObjectName(QStringLiteral("IChange"));
    QFont bold = m_changeNotice->font();
    bold.setBold(true);
    m_changeNotice->setFont(bold);
    QPalette warn = m_changeNotice->palette();
    warn.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_changeNotice->setPalette(warn);
    m_changeNotice->hide();
}

void InvestmentWindow::setUpHelp()
{
    m_helpBox->setObjectName(QStringLiteral("ITextBox"));
    m_helpBox->setWordWrapMode(QTextOption::WordWrap);
    m_helpPanel = new ui::QuickHelpPanel(m_help, m_helpBox, ui::QuickHelpPanel::Keys::Beep,
                                         &m_services.dialogs);
    m_helpPanel->setText(HelpText());
}

void InvestmentWindow::layOutWindow()
{
    // The help box lies over the sheet while it is open.
    auto* sheetArea = new QGridLayout;
    sheetArea->addWidget(m_grid, 0, 0);
    sheetArea->addWidget(m_helpBox, 0, 0);
    auto* left = new QVBoxLayout;
    left->addLayout(sheetArea, 1);
    left->addWidget(m_changeNotice);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_insertLine, m_calculate, m_open, m_save, m_help, m_print, m_exit})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    // The change notice's line stays reserved, so showing it does not move the sheet.
    QSizePolicy keep = m_changeNotice->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_changeNotice->setSizePolicy(keep);
    resize(minimumSizeHint().width(), 480);
}

void InvestmentWindow::setTabOrderOfControls()
{
    setTabOrder(m_grid, m_insertLine);
    setTabOrder(m_insertLine, m_calculate);
    setTabOrder(m_calculate, m_open);
    setTabOrder(m_open, m_save);
    setTabOrder(m_save, m_help);
    setTabOrder(m_help, m_print);
    setTabOrder(m_print, m_exit);
}

void InvestmentWindow::connectButtons()
{
    connect(m_calculate, &QPushButton::clicked, this, &InvestmentWindow::calculateClicked);
    connect(m_insertLine, &QPushButton::clicked, this, &InvestmentWindow::insertClicked);
    connect(m_open, &QPushButton::clicked, this, &InvestmentWindow::openClicked);
    connect(m_save, &QPushButton::clicked, this, &InvestmentWindow::saveClicked);
    connect(m_print, &QPushButton::clicked, this, &InvestmentWindow::printClicked);
    connect(m_help, &QPushButton::clicked, m_helpPanel, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &InvestmentWindow::close);
}

InvestmentWindow::~InvestmentWindow() = default;

QString InvestmentWindow::currencySymbol() const
{
    return m_currencySymbol;
}

void InvestmentWindow::refresh()
{
    m_grid->setRows(kGridRows);
    m_grid->fillRange(1, kGridRows - 1, 0, 1, QString());
    m_grid->setColAlignment(1, Qt::AlignHCenter);
    m_grid->setCell(0, 0, QStringLiteral("Description"));
    m_grid->setCell(0, 1, QStringLiteral("              Amount"));
    const int count = m_sheet.SheetRowCount;
    for (int r = 1; r <= count; ++r) {
        m_grid->setCell(r, 0, m_sheet.cell(r, 0).asText());
        m_grid->setCell(r, 1, AmountText(m_sheet.cell(r, 1), text::MoneyPattern::Amount));
    }
    m_grid->setCell(count + 3, 0, QStringLiteral("Total"));
    m_grid->setCell(count + 3, 1,
                    currencySymbol() + text::Money(m_sheet.SheetTotal, text::MoneyPattern::Total));
    // Refilling the grid forgets its current cell; the user's selection stays where it was.
    if (m_row >= 1) m_grid->setCurrentCell(m_row, m_column);
}

void InvestmentWindow::selectCell(int row, int col)
{
    m_row = row;
    m_column = col;
    m_typed.clear();
}

void InvestmentWindow::markEdited()
{
    m_changeNotice->show();
    m_changed = true;
}

bool InvestmentWindow::rowLimitReached()
{
    if (m_row <= InvestmentSheet::EditableRows) return false;
    m_services.dialogs.message(QStringLiteral("Help"), QStringLiteral("105 Row limit."));
    return true;
}

void InvestmentWindow::gridKey(QKeyEvent* event)
{
    const int key = event->key();
    const QString keyText = event->text();
    const bool enterKey = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool backspaceKey = key == Qt::Key_Backspace;
    const bool deleteKey = key == Qt::Key_Delete;
    const bool character =
        !enterKey && !backspaceKey && !deleteKey && !keyText.isEmpty() && keyText.at(0).isPrint();
    // The moving keys keep their meaning in the grid.
    if (!enterKey && !backspaceKey && !deleteKey && !character) return;
    // Every editing key is ours: the grid would otherwise jump to a cell starting with it.
    event->accept();

    if (m_row < 1) {
        // Nothing selected yet: take the grid's own current cell, if it has one.
        if (m_grid->currentRow() < 1) return;
        selectCell(m_grid->currentRow(), m_grid->currentCol());
    }
    // The row limit answers typed keys; Delete (a key-down, not a typed key) empties any cell.
    if (!deleteKey && rowLimitReached()) return;
    m_grid->setCurrentCell(m_row, m_column);

    if (enterKey)
        moveDown();
    else if (backspaceKey)
        backspace();
    else if (deleteKey)
        deleteCell();
    else
        for (const QChar c : keyText)
            typeCharacter(c);
}

void InvestmentWindow::moveDown()
{
    // As the Down arrow key: the grid reports the new cell, which empties the edit text.
    m_grid->stepDown();
}

void InvestmentWindow::backspace()
{
    if (m_column == 0) {
        m_typed = m_sheet.cell(m_row, 0).asText();
        m_typed.chop(1);
        m_sheet.setCell(m_row, 0, Cell::Text(m_typed));
        m_grid->setCell(m_row, 0, m_typed);
    } else {
        m_typed.clear();
        m_sheet.setCell(m_row, 1, Cell());
        m_grid->setCell(m_row, 1, QString());
    }
    markEdited();
}

void InvestmentWindow::deleteCell()
{
    m_typed.clear();
    m_sheet.setCell(m_row, m_column, Cell());
    m_grid->setCell(m_row, m_column, QString());
    markEdited();
}

void InvestmentWindow::typeCharacter(QChar c)
{
    if (c == QLatin1Char('"')) return;
    const QString candidate = m_typed + c;
    if (m_column == 1) {
        const bool allowed = c == QLatin1Char('.') || c == QLatin1Char('-') ||
                             (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        if (!allowed) {
            m_services.dialogs.beep();
            return;
        }
        // Two decimals typed: no more digits.
        const qsizetype point = candidate.indexOf(QLatin1Char('.'));
        if (point >= 0 && m_typed.size() >= point + 3) return;
        const double value = text::AmountValue(candidate);
        if (std::fabs(value) >= InvestmentSheet::MaxTypedAmount) {
            m_services.dialogs.beep();
            return;
        }
        m_typed = candidate;
        m_sheet.setCell(m_row, 1, Cell::Number(value));
        m_grid->setCell(m_row, 1, text::Money(value, text::MoneyPattern::Typing));
    } else {
        if (m_typed.size() >= InvestmentSheet::MaxDescription) return;
        // The file is single-byte: a character it cannot hold would come back as "?".
        if (!text::InCp1252(c)) {
            m_services.dialogs.beep();
            return;
        }
        m_typed = candidate;
        m_sheet.setCell(m_row, 0, Cell::Text(m_typed));
        m_grid->setCell(m_row, 0, m_typed);
    }
    markEdited();
}

void InvestmentWindow::calculateClicked()
{
    m_helpPanel->close();
    m_sheet.calculate();
    refresh();
    m_changed = true;
    m_changeNotice->hide();
}

void InvestmentWindow::insertClicked()
{
    const QString prompt = QStringLiteral("   Insert a blank line       at line number ") +
                           text::NumText(static_cast<long long>(m_row)) + QStringLiteral(" ?");
    InvNumDialog dialog(prompt, m_services.dialogs, this);
    dialog.exec();
    const long long line = text::IntValue(dialog.answer());
    if (line < 1 || line >= InvestmentSheet::EditableRows) return;
    if (!m_sheet.insertBlankLine(static_cast<int>(line))) return;
    refresh();
    // The insert calculated the whole sheet, typed changes included.
    m_changed = true;
    m_changeNotice->hide();
}

bool InvestmentWindow::mayDiscard()
{
    if (!m_changed || !m_sheet.hasContent()) return true;
    const bool goBack = m_services.dialogs.ask(
        QStringLiteral("Changed File in Memory"),
        m_sheet.InvestmentFileName +
            QStringLiteral(" file in memory will be erased. Do you want to go back and save it "
                           "to Disk?."));
    return !goBack;
}

void InvestmentWindow::openClicked()
{
    if (!mayDiscard()) return;
    hide();
    const std::optional<QString> path =
        m_services.dialogs.chooseFile(ui::FileMode::Open, kFilter, m_sheet.InvestmentFileName);
    if (path && !path->isEmpty()) {
        if (Load(*path, m_sheet) != LoadResult::Ok)
            m_services.dialogs.message(
                QStringLiteral("Loading Error"),
                QStringLiteral("File not found or wrong format. Check Filename and/or Directory."));
        // The sheet now matches a file on disk, or is empty after a failed load.
        m_changed = false;
    }
    m_sheet.calculate();
    refresh();
    m_changeNotice->hide();
    show();
}

bool InvestmentWindow::openPath(const QString& path)
{
    const bool loaded = Load(path, m_sheet) == LoadResult::Ok;
    m_changed = false;
    m_sheet.calculate();
    refresh();
    m_changeNotice->hide();
    return loaded;
}

void InvestmentWindow::saveClicked()
{
    hide();
    if (m_sheet.SheetRowCount == 0) {
        m_services.dialogs.message(QStringLiteral("Help"), QStringLiteral("No Records to Save"));
    } else {
        const std::optional<QString> path =
            m_services.dialogs.chooseFile(ui::FileMode::Save, kFilter, m_sheet.investmentFilePath);
        // A cancelled dialog or a failed write leaves the changes marked, so leaving still asks.
        if (path && !path->isEmpty()) {
            if (Save(*path, m_sheet))
                m_changed = false;
            else
                m_services.dialogs.message(
                    QStringLiteral("Saving Error"),
                    QStringLiteral(" Bad Filename. Must be in the form MYFILE.QRX"));
        }
    }
    show();
}

void InvestmentWindow::printClicked()
{
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    m_services.printer.printText(ComposeStatement(m_sheet, currencySymbol()),
                                 QStringLiteral("Investment Statement"));
}

void InvestmentWindow::closeEvent(QCloseEvent* event)
{
    if (!mayDiscard()) {
        event->ignore();
        return;
    }
    m_changed = false;
    m_sheet.clear();
    event->accept();
    if (m_exited.first()) Q_EMIT exitToMenu();
}

} // namespace inv
