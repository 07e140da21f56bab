#include "windows/menu/MainMenu.h"

#include "models/state/AppInfo.h"
#include "text/Format.h"
#include "ui/Buttons.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

namespace {

// Buttons 3000 by 465 twips, rows 600 twips apart, at the usual 96 pixels per inch.
constexpr int ButtonWidth = 200;
constexpr int ButtonHeight = 31;
constexpr int RowGap = 40 - ButtonHeight;

// A button's objectName and its caption.
struct ButtonCaption {
    const char* name;
    const char* caption;
};

// Top to bottom; the tab order runs down the left column, then the right one.
// clang-format off
constexpr ButtonCaption LeftColumn[] = {
    {"LoadFile", "&Open a File from Disk"},
    {"PickForm", "&Pick-a-Winner"},
    {"DBaseForm", "&View and Edit Database"},
    {"ShowGraph1", "Show &Graphs"},
    {"SelectRec", "&Extract between two Dates"},
    {"InvTrack", "&Investment Tracker"},
};
constexpr ButtonCaption RightColumn[] = {
    {"SaveFile", "&Save File to Disk"},
    {"CheckWin", "Check &Winners"},
    {"PrintDbase", "Print &Current Database"},
    {"HowtoUse", "How to &Use the Program"},
    {"PtrFnt", "Persona&lize Settings"},
    {"TicketForm", "&Tickets"},
};
// clang-format on

// The menu's background. It is painted rather than set in the palette: a palette of its own would
// be copied into every child, and the style caches a button's face per palette, so the twelve
// buttons of one size would each be drawn afresh instead of once.
const QColor MenuBackground(192, 220, 192);

QWidget* LabelRoom(int height, QWidget* parent)
{
    auto* room = new QWidget(parent);
    room->setFixedHeight(height);
    auto* layout = new QVBoxLayout(room);
    layout->setContentsMargins(0, 0, 0, 0);
    return room;
}

// A bold label, hidden, filling its room.
QLabel* BoldLabel(const QString& name, QWidget* room)
{
    auto* label = new QLabel(room);
    room->layout()->addWidget(label);
    label->hide();
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// Shows or hides a label. A shown label whose bold face needs more height than its room was
// given (a face with a taller line than the regular one) gets it, rather than being cut off.
void ShowInRoom(QLabel* label, bool show)
{
    label->setVisible(show);
    QWidget* room = label->parentWidget();
    const int need = show ? label->sizeHint().height() : 0;
    if (need > room->height()) room->setFixedHeight(need);
}

// A serif family that is installed, named directly: asking for the generic "Serif" makes the
// font database search its fallbacks, which costs start-up about a millisecond.
QString SerifFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family :
         {"DejaVu Serif", "Liberation Serif", "Noto Serif", "FreeSerif", "Times New Roman"}) {
        if (installed.contains(QLatin1String(family))) return QLatin1String(family);
    }
    return QStringLiteral("Serif");
}

} // namespace

MainMenu::MainMenu(QWidget* parent) : LastingWindow(parent)
{
    setObjectName(QStringLiteral("LotoMenu"));
    setWindowTitle(ProgramCaption());

    QLabel* title = makeTitle();
    QList<QWidget*> order;
    QGridLayout* grid = makeButtonColumns(order);
    QPushButton* exit =
        addButton(QStringLiteral("Exit1Butt"), QStringLiteral("E&xit from Program"));
    order.append(exit);
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));

    layOutMenu(title, grid, exit);

    // The paint event covers every pixel with the background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    order.first()->setFocus();
}

QLabel* MainMenu::makeTitle()
{
    auto* title = new QLabel(ProgramCaption(), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont(SerifFamily());
    titleFont.setStyleHint(QFont::Serif);
    titleFont.setPointSize(24);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(titlePalette);
    return title;
}

QGridLayout* MainMenu::makeButtonColumns(QList<QWidget*>& order)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(RowGap);
    int row = 0;
    for (const ButtonCaption& button : LeftColumn) {
        QPushButton* b = addButton(QLatin1String(button.name), QLatin1String(button.caption));
        grid->addWidget(b, row++, 0);
        order.append(b);
    }
    row = 0;
    for (const ButtonCaption& button : RightColumn) {
        QPushButton* b = addButton(QLatin1String(button.name), QLatin1String(button.caption));
        grid->addWidget(b, row++, 1);
        order.append(b);
    }
    return grid;
}

void MainMenu::layOutMenu(QLabel* title, QGridLayout* buttonColumns, QPushButton* exit)
{
    // Each label sits in a room of fixed height, kept while the label is hidden, so the menu
    // keeps its size (and the backdrop behind it still matches) when a file is loaded or a name
    // is set. The rooms are measured with the menu's own font, whose bold face has the same line
    // spacing: a hidden label is then never measured, and the bold face is not loaded until a
    // label is shown.
    const int line = fontMetrics().lineSpacing();
    QWidget* infoRoom = LabelRoom(2 * line, this);
    QWidget* nameRoom = LabelRoom(line, this);
    m_databaseLabel = BoldLabel(QStringLiteral("InfoLabel"), infoRoom);
    m_userNameLabel = BoldLabel(QStringLiteral("MyName"), nameRoom);

    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exit);
    exitRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 18, 30, 18);
    layout->addWidget(title);
    layout->addSpacing(12);
    layout->addLayout(buttonColumns);
    layout->addSpacing(RowGap);
    layout->addLayout(exitRow);
    layout->addSpacing(10);
    layout->addWidget(infoRoom);
    layout->addWidget(nameRoom);
    layout->addStretch();
}

QPushButton* MainMenu::addButton(const QString& name, const QString& caption)
{
    QPushButton* b = ui::NamedButton(name, caption, this, ui::EnterPresses::Yes);
    // The design's size, or more where a larger font needs it for the whole caption.
    const QSize needs = b->minimumSizeHint();
    b->setMinimumSize(std::max(ButtonWidth, needs.width()), std::max(ButtonHeight, needs.height()));
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QPushButton* MainMenu::button(const QString& name) const
{
    return findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void MainMenu::setUserName(const QString& name, bool show)
{
    m_userNameLabel->setText(name);
    ShowInRoom(m_userNameLabel, show);
}

void MainMenu::setDatabaseTitle(const QString& title)
{
    m_databaseLabel->setText(text::FileInMemoryText(title));
    ShowInRoom(m_databaseLabel, !title.isEmpty());
}

void MainMenu::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), MenuBackground);
}

void LastingWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    Q_EMIT exitRequested();
    // The exit lets the close through when the program ends.
    event->setAccepted(m_closeAllowed);
}

BlankForm::BlankForm(QWidget* parent) : LastingWindow(parent)
{
    setObjectName(QStringLiteral("LBlankForm"));
    setWindowTitle(ProgramCaption());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 96, 96));
    setPalette(p);
    setAutoFillBackground(true);
}

} // namespace app
