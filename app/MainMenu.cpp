#include "app/MainMenu.h"

#include "app/AppInfo.h"
#include "app/FileCommands.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

// Buttons 3000 by 465 twips, rows 600 twips apart, at the usual 96 pixels per inch.
constexpr int ButtonWidth = 200;
constexpr int ButtonHeight = 31;
constexpr int RowGap = 40 - ButtonHeight;

struct ButtonSpec {
    const char* name;
    const char* caption;
};

// Top to bottom; the tab order runs down the left column, then the right one.
// clang-format off
constexpr ButtonSpec LeftColumn[] = {
    {"LoadFile", "&Open a File from Disk"},
    {"PickForm", "&Pick-a-Winner"},
    {"DBaseForm", "&View and Edit Database"},
    {"ShowGraph1", "Show &Graphs"},
    {"SelectRec", "&Extract between two Dates"},
    {"InvTrack", "&Investment Tracker"},
};
constexpr ButtonSpec RightColumn[] = {
    {"SaveFile", "&Save File to Disk"},
    {"CheckWin", "Check &Winners"},
    {"PrintDbase", "Print &Current Database"},
    {"HowtoUse", "How to &Use the Program"},
    {"PtrFnt", "Persona&lize Settings"},
};
// clang-format on

QLabel* BoldLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// A serif family that is installed, named directly: asking for the generic "Serif" makes the
// font database search its fallbacks, which costs start-up about a millisecond.
QString SerifFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"DejaVu Serif", "Liberation Serif", "Noto Serif", "FreeSerif",
                               "Times New Roman"}) {
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    }
    return QStringLiteral("Serif");
}

} // namespace

MainMenu::MainMenu(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LotoMenu"));
    setWindowTitle(ProgramCaption());

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

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(RowGap);
    QList<QWidget*> order;
    int row = 0;
    for (const ButtonSpec& button : LeftColumn) {
        QPushButton* b = addButton(QLatin1String(button.name), QLatin1String(button.caption));
        grid->addWidget(b, row++, 0);
        order.append(b);
    }
    row = 0;
    for (const ButtonSpec& button : RightColumn) {
        QPushButton* b = addButton(QLatin1String(button.name), QLatin1String(button.caption));
        grid->addWidget(b, row++, 1);
        order.append(b);
    }
    QPushButton* exit =
        addButton(QStringLiteral("Exit1Butt"), QStringLiteral("E&xit from Program"));
    order.append(exit);
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));

    m_info = BoldLabel(QStringLiteral("InfoLabel"), this);
    m_myName = BoldLabel(QStringLiteral("MyName"), this);
    // Room for both labels is kept while they are hidden, so the menu keeps its size (and the
    // backdrop behind it still matches) when a file is loaded or a name is set.
    const int line = m_info->fontMetrics().lineSpacing();
    m_info->setMinimumHeight(2 * line);
    m_myName->setMinimumHeight(line);
    for (QLabel* l : {m_info, m_myName}) {
        QSizePolicy sp = l->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        l->setSizePolicy(sp);
        l->hide();
    }

    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exit);
    exitRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 18, 30, 18);
    layout->addWidget(title);
    layout->addSpacing(12);
    layout->addLayout(grid);
    layout->addSpacing(RowGap);
    layout->addLayout(exitRow);
    layout->addSpacing(10);
    layout->addWidget(m_info);
    layout->addWidget(m_myName);
    layout->addStretch();

    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(p);
    setAutoFillBackground(true);

    order.first()->setFocus();
}

QPushButton* MainMenu::addButton(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setMinimumSize(ButtonWidth, ButtonHeight);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setAutoDefault(true);
    return b;
}

QPushButton* MainMenu::button(const QString& name) const
{
    return findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void MainMenu::setUserName(const QString& name, bool show)
{
    m_myName->setText(name);
    m_myName->setVisible(show);
}

void MainMenu::setDatabaseTitle(const QString& title)
{
    m_info->setText(InfoLabelText(title));
    m_info->setVisible(!title.isEmpty());
}

void MainMenu::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    Q_EMIT exitRequested();
    // The exit lets the close through when the program ends.
    event->setAccepted(m_closeAllowed);
}

BlankForm::BlankForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LBlankForm"));
    setWindowTitle(ProgramCaption());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 96, 96));
    setPalette(p);
    setAutoFillBackground(true);
}

void BlankForm::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    Q_EMIT exitRequested();
    // The exit lets the close through when the program ends.
    event->setAccepted(m_closeAllowed);
}

} // namespace app
