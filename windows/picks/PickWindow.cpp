// The Pick-a-Winner window's construction: its parts, their layout, the keyboard order and the
// handlers; opening and closing.
#include "windows/picks/PickWindow.h"
#include "ui/Accessible.h"
#include "ui/FitToScreen.h"

#include "models/state/AppState.h"
#include "text/Format.h"
#include "ui/Buttons.h"
#include "ui/Commands.h"
#include "ui/Grid.h"
#include "ui/InputBox.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"
#include "windows/picks/Ball.h"
#include "windows/picks/PickWindowShared.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace picks {

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
    // The setup, the source of the numbers and the commands on the left; the results (or the
    // help) on the right; what the picks came from and their odds underneath.
    QGroupBox* setup = buildSetupBoxes();
    QGroupBox* source = buildSourceOptions();
    QGridLayout* buttons = buildCommandButtons();
    auto* left = new QVBoxLayout;
    left->addWidget(setup);
    left->addWidget(source);
    left->addStretch(1);
    left->addLayout(buttons);

    QGridLayout* right = buildResultsAndHelp();
    buildPoolLabels();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 0);
    top->addLayout(right, 1);
    QHBoxLayout* oddsRow = buildOddsRow();

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addWidget(m_poolCaption);
    outer->addWidget(m_poolNumbers);
    outer->addLayout(oddsRow);

    m_helpPanel = new ui::QuickHelpPanel(m_help, m_helpText, ui::QuickHelpPanel::Keys::Silent,
                                         &m_services.dialogs);
    m_helpPanel->setText(QuickHelpText());

    setKeyboardOrder();
    connectHandlers();
    resize(sizeHint().width() + 40, sizeHint().height());
    ui::FitToScreen(this);
}

QGroupBox* PickWindow::buildSetupBoxes()
{
    auto* frame = new QGroupBox(QStringLiteral("  Lottery setup  "), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    auto* grid = new QGridLayout(frame);
    m_picksBox = buildSetupBox(frame, grid, 0, QStringLiteral("InColNum"), QStringLiteral("Label5"),
                               QStringLiteral(" Number of Picks to select in the lottery"));
    m_highestBox =
        buildSetupBox(frame, grid, 1, QStringLiteral("InHighNum"), QStringLiteral("Label6"),
                      QStringLiteral(" Numbers in the lottery Range from 1 to"));
    m_formsBox =
        buildSetupBox(frame, grid, 2, QStringLiteral("InNumRows"), QStringLiteral("Label7"),
                      QStringLiteral(" Number of entry forms being played"));
    grid->setColumnStretch(1, 1);
    return frame;
}

ui::InputBox* PickWindow::buildSetupBox(QGroupBox* frame, QGridLayout* grid, int row,
                                        const QString& name, const QString& labelName,
                                        const QString& caption)
{
    ui::InputBox* box = ui::MakeInputBox(name, m_services.dialogs,
                                         {.keys = ui::KeyRule::Digits,
                                          .retypeFlag = &m_state.RetypeFlag,
                                          .clearOnClick = true,
                                          .alignment = Qt::AlignRight,
                                          .widthSample = QStringLiteral("0000"),
                                          .widthMargin = 16},
                                         frame);
    auto* label = new QLabel(caption, frame);
    label->setObjectName(labelName);
    ui::LabelFor(label, box);
    grid->addWidget(box, row, 0);
    grid->addWidget(label, row, 1);
    return box;
}

QGroupBox* PickWindow::buildSourceOptions()
{
    auto* frame = new QGroupBox(QStringLiteral(" Pick random numbers from amongst: "), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* column = new QVBoxLayout(frame);
    const QString optionCaptions[] = {
        QStringLiteral(" Full range of numbers in the lottery"),
        QStringLiteral(" Top third of numbers in database"),
        QStringLiteral(" Middle third of numbers in database"),
        QStringLiteral(" Bottom third of numbers in database"),
    };
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(optionCaptions[i], frame);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        column->addWidget(option);
        m_sourceOptions[static_cast<size_t>(i)] = option;
    }
    column->addSpacing(6);
    m_rankByTimesDrawn = new QCheckBox(frame);
    m_rankByTimesDrawn->setObjectName(QStringLiteral("PWhichCnt"));
    m_rankByTimesDrawn->setAccessibleDescription(
        QStringLiteral("Which count ranks the numbers for the thirds: checked, times drawn; "
                       "cleared, draws since last drawn"));
    column->addWidget(m_rankByTimesDrawn);
    m_fewerPicksCheck =
        new QCheckBox(QStringLiteral("Allow less than normal database picks"), frame);
    m_fewerPicksCheck->setObjectName(QStringLiteral("ChkDBPicks"));
    m_fewerPicksCheck->setAccessibleDescription(
        QStringLiteral("Checked, a form may have fewer picks than a draw of the database"));
    column->addWidget(m_fewerPicksCheck);
    // An option or check box reached by its access key waits for the check of the box being
    // edited, as a command button does.
    for (QAbstractButton* choice : frame->findChildren<QAbstractButton*>())
        ui::GuardCommand(choice);
    return frame;
}

QGridLayout* PickWindow::buildCommandButtons()
{
    m_calculate = ui::NamedButton(QStringLiteral("PCalc"), QStringLiteral("&Calculate"), this);
    m_selectAll =
        ui::NamedButton(QStringLiteral("CalcAllNum"), QStringLiteral("&Select All"), this);
    m_clearAll = ui::NamedButton(QStringLiteral("PClearAll"), QStringLiteral("Clear &All"), this);
    m_toPrinter = ui::NamedButton(QStringLiteral("PPrinter"), QStringLiteral("To &Printer"), this);
    m_help = ui::NamedButton(QStringLiteral("PHelp"), QStringLiteral("Quick &Help"), this);
    m_exit = ui::NamedButton(QStringLiteral("PExit"), QStringLiteral("E&xit to Menu"), this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_calculate, 0, 0);
    buttons->addWidget(m_selectAll, 0, 1);
    buttons->addWidget(m_clearAll, 1, 0);
    buttons->addWidget(m_toPrinter, 1, 1);
    buttons->addWidget(m_help, 2, 0);
    buttons->addWidget(m_exit, 2, 1);
    return buttons;
}

QGridLayout* PickWindow::buildResultsAndHelp()
{
    // The results: the file in memory, the balls, the grid.
    auto* results = new QWidget(this);
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    m_fileInMemory = new QLabel(results);
    m_fileInMemory->setObjectName(QStringLiteral("InfoLabel1"));
    m_fileInMemory->setAlignment(Qt::AlignCenter);
    m_fileInMemory->setFrameShape(QFrame::StyledPanel);
    column->addWidget(m_fileInMemory);
    column->addLayout(buildBallRow(results));

    m_picksGrid = new ui::Grid(results);
    m_picksGrid->setObjectName(QStringLiteral("PGrid"));
    m_picksGrid->setCaption(QStringLiteral("Picks for the entry forms"));
    column->addWidget(m_picksGrid, 0, Qt::AlignHCenter);
    column->addStretch(1);

    m_helpText = new QPlainTextEdit(this);
    m_helpText->setObjectName(QStringLiteral("PTextBox"));

    // The help text takes the place of the results while it is open. What can be done with the
    // forms stands under them, in the room the grid leaves, so the window grows no taller.
    m_play = ui::NamedButton(QStringLiteral("PPlay"), QStringLiteral("Play &these forms..."), this);
    m_play->setEnabled(false); // while forms are shown: after Calculate or Select All
    m_wheel = ui::NamedButton(QStringLiteral("PWheel"), QStringLiteral("&Wheel..."), this);
    auto* formCommands = new QHBoxLayout;
    formCommands->addStretch(1);
    formCommands->addWidget(m_play);
    formCommands->addWidget(m_wheel);
    formCommands->addStretch(1);
    auto* right = new QGridLayout;
    right->addWidget(results, 0, 0);
    right->addWidget(m_helpText, 0, 0);
    right->addLayout(formCommands, 1, 0);
    const int widestGrid = ColumnTwips * (MaxPicks + 1) + 10 + ScrollBarTwips;
    results->setMinimumWidth(ui::TwipsToPixels(widestGrid, this) + 16);
    return right;
}

QHBoxLayout* PickWindow::buildBallRow(QWidget* results)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (int i = 0; i < 6; ++i) {
        auto* ball = new Ball(RestingColours[static_cast<size_t>(i)], results);
        ball->setObjectName(QStringLiteral("Balls%1").arg(i));
        ball->setProperty("index", i);
        row->addWidget(ball);
        m_balls[static_cast<size_t>(i)] = ball;
    }
    row->addSpacing(8);
    m_shuffleStatus = new QLabel(results);
    m_shuffleStatus->setObjectName(QStringLiteral("Picture7"));
    m_shuffleStatus->setAlignment(Qt::AlignCenter);
    m_shuffleStatus->setFrameShape(QFrame::Box);
    m_shuffleStatus->setAutoFillBackground(true);
    QPalette p = m_shuffleStatus->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    m_shuffleStatus->setPalette(p);
    m_shuffleStatus->setFixedSize(
        m_shuffleStatus->fontMetrics().horizontalAdvance(QStringLiteral("Shuffling")) + 24,
        m_shuffleStatus->fontMetrics().height() + 10);
    row->addWidget(m_shuffleStatus);
    row->addStretch(1);
    return row;
}

void PickWindow::buildPoolLabels()
{
    m_poolCaption = new QLabel(PickedFromNumbers, this);
    m_poolCaption->setObjectName(QStringLiteral("PickFrom"));
    QFont bold = m_poolCaption->font();
    bold.setBold(true);
    m_poolCaption->setFont(bold);
    m_poolNumbers = new QLabel(this);
    m_poolNumbers->setObjectName(QStringLiteral("FromNums"));
    m_poolNumbers->setWordWrap(true);
    m_poolNumbers->setFrameShape(QFrame::StyledPanel);
    m_poolNumbers->setMinimumHeight(2 * m_poolNumbers->fontMetrics().height() + 8);
    m_poolNumbers->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_poolNumbers->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

QHBoxLayout* PickWindow::buildOddsRow()
{
    // The odds of the forms shown, and the back-test of the ways to pick.
    m_oddsText = new QLabel(this);
    m_oddsText->setObjectName(QStringLiteral("OddsLabel"));
    m_oddsText->setWordWrap(true);
    m_oddsText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_oddsText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for the longest odds (ten picks, estimated) at the window's opening width.
    m_oddsText->setMinimumHeight(4 * m_oddsText->fontMetrics().lineSpacing());
    m_backTest = ui::NamedButton(QStringLiteral("PBackTest"), QStringLiteral("&Back-test"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_oddsText, 1);
    row->addWidget(m_backTest, 0, Qt::AlignTop);
    return row;
}

void PickWindow::setKeyboardOrder()
{
    m_picksBox->setNext(m_highestBox);
    m_highestBox->setNext(m_formsBox);
    // Enter in the last box moves to Calculate without pressing it.
    connect(m_formsBox, &ui::InputBox::enterPressed, this,
            [this] { m_calculate->setFocus(Qt::TabFocusReason); });
    QWidget* order[] = {m_picksBox,
                        m_highestBox,
                        m_formsBox,
                        m_sourceOptions[0],
                        m_sourceOptions[1],
                        m_sourceOptions[2],
                        m_sourceOptions[3],
                        m_rankByTimesDrawn,
                        m_fewerPicksCheck,
                        m_calculate,
                        m_selectAll,
                        m_clearAll,
                        m_toPrinter,
                        m_help,
                        m_exit,
                        m_picksGrid->view(),
                        m_helpText,
                        m_play,
                        m_wheel,
                        m_backTest};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void PickWindow::connectHandlers()
{
    m_picksBox->setLeaveCheck([this] { return setupBoxLeft(m_picksBox, SetupBox::Picks); });
    m_highestBox->setLeaveCheck([this] { return setupBoxLeft(m_highestBox, SetupBox::High); });
    m_formsBox->setLeaveCheck([this] { return setupBoxLeft(m_formsBox, SetupBox::Forms); });
    const Source sources[] = {Source::FullRange, Source::Top, Source::Middle, Source::Bottom};
    for (int i = 0; i < 4; ++i) {
        const Source source = sources[i];
        connect(m_sourceOptions[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, source] { optionClicked(source); });
    }
    connect(m_rankByTimesDrawn, &QCheckBox::clicked, this, &PickWindow::whichCountClicked);
    connect(m_fewerPicksCheck, &QCheckBox::toggled, this,
            [this](bool on) { m_allowFewerPicks = on; });
    connect(m_calculate, &QPushButton::clicked, this, &PickWindow::calculate);
    connect(m_selectAll, &QPushButton::clicked, this, &PickWindow::selectAll);
    connect(m_clearAll, &QPushButton::clicked, this, &PickWindow::clearAll);
    connect(m_toPrinter, &QPushButton::clicked, this, &PickWindow::printPicks);
    connect(m_help, &QPushButton::clicked, m_helpPanel, &ui::QuickHelpPanel::toggle);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_backTest, &QPushButton::clicked, this, &PickWindow::backTestRequested);
    connect(m_play, &QPushButton::clicked, this,
            [this] { Q_EMIT playFormsRequested(shownForms()); });
    connect(m_wheel, &QPushButton::clicked, this,
            [this] { Q_EMIT wheelRequested(poolNumbers(), m_session.PickCount); });
}

void PickWindow::open()
{
    database::DrawDatabase& db = m_state.database;
    m_session.PickGrid = PickTable(10, 11);
    m_session.SourceOption = Source::FullRange;
    m_sourceOptions[0]->setChecked(true);
    m_fewerPicksCheck->setChecked(false);
    m_allowFewerPicks = false;
    m_rankByTimesDrawn->setChecked(true);
    whichCountClicked(true);

    if (db.recordCount() > 0) {
        m_fileInMemory->setText(text::FileInMemoryText(db.title()));
        m_fileInMemory->setVisible(true);
        m_rankByTimesDrawn->setVisible(true);
    } else {
        m_fileInMemory->setVisible(false);
        m_rankByTimesDrawn->setVisible(false);
        db.setShape(m_state.settings.DefaultPicks, m_state.settings.DefaultHighNumber);
    }
    showInBox(m_formsBox, m_state.settings.EntryForms);

    m_session.PickCount = db.picksPerDraw();
    layOutGrid(false);
    showInBox(m_picksBox, db.picksPerDraw());
    showInBox(m_highestBox, db.highNumber());
    resetBalls();
}

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
