#include "windows/wheel/WheelWindow.h"

#include "models/draws/DrawDatabase.h"
#include "models/odds/Odds.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/FitToScreen.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "ui/TextPrinter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wheel {

namespace {

const QString kTitle = QStringLiteral("Wheel");

QString NumbersText(const std::vector<int>& numbers)
{
    QStringList out;
    for (int n : numbers)
        out << QString::number(n);
    return out.join(QLatin1Char(' '));
}

QLabel* Label(const QString& text, QWidget* box, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    ui::LabelFor(label, box);
    return label;
}

QSpinBox* Spin(const QString& name, int low, int high, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

WheelWindow::WheelWindow(const database::DrawDatabase& db, std::vector<int> pool, int formSize,
                         ui::Services& services, QWidget* parent)
    : QDialog(parent), m_db(db), m_pool(std::move(pool)), m_services(services)
{
    setObjectName(QStringLiteral("LWheel"));
    setWindowTitle(kTitle);
    buildControls();
    m_formSize->setValue(formSize);
    m_drawn->setValue(std::min(formSize, 4));
    m_match->setValue(std::min(formSize, 3));
    ui::FitToScreen(this);
}

WheelWindow::~WheelWindow()
{
    // The worker is asked to stop and joined before the window it reports to is gone.
    m_worker.request_stop();
    if (m_worker.joinable()) m_worker.join();
}

void WheelWindow::buildControls()
{
    m_numbersBox = new QLineEdit(this);
    m_numbersBox->setObjectName(QStringLiteral("WheelNumbers"));
    m_usePool = ui::NamedButton(QStringLiteral("WheelPool"),
                                QStringLiteral("Use Pick-a-Winner's p&ool"), this);
    m_formSize =
        Spin(QStringLiteral("WheelFormSize"), 2, database::DrawDatabase::MaxPicks, 6, this);
    m_match = Spin(QStringLiteral("WheelMatch"), 1, database::DrawDatabase::MaxPicks, 3, this);
    m_drawn = Spin(QStringLiteral("WheelDrawn"), 1, database::DrawDatabase::MaxPicks, 4, this);
    m_generate = ui::NamedButton(QStringLiteral("WheelGenerate"), QStringLiteral("&Generate"), this,
                                 ui::EnterPresses::Yes);
    m_stop = ui::NamedButton(QStringLiteral("WheelStop"), QStringLiteral("&Stop"), this);
    m_stop->setEnabled(false);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("WheelProgress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progressText = new QLabel(this);
    m_progressText->setObjectName(QStringLiteral("WheelProgressText"));
    m_forms = new QTableWidget(0, 2, this);
    m_forms->setObjectName(QStringLiteral("WheelForms"));
    m_forms->setHorizontalHeaderLabels({QStringLiteral("Form"), QStringLiteral("Numbers")});
    m_forms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_forms->verticalHeader()->hide();
    m_forms->horizontalHeader()->setStretchLastSection(true);
    m_forms->setTabKeyNavigation(false);
    m_numbersBox->setAccessibleDescription(
        QStringLiteral("Your numbers, separated by blanks or commas"));
    m_forms->setAccessibleName(QStringLiteral("Forms of the wheel"));
    m_forms->setAccessibleDescription(QStringLiteral("One form a row, its numbers ascending"));
    m_reading = new QLabel(this);
    m_reading->setObjectName(QStringLiteral("WheelReading"));
    m_reading->setWordWrap(true);
    m_odds = new QLabel(this);
    m_odds->setObjectName(QStringLiteral("WheelOdds"));
    m_odds->setWordWrap(true);
    // Room for the reading (two lines) and the odds (four) at the window's opening width, so
    // that the grid, not the text, gives way.
    const int line = fontMetrics().lineSpacing();
    m_reading->setMinimumHeight(2 * line);
    m_odds->setMinimumHeight(4 * line);
    m_odds->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_print = ui::NamedButton(QStringLiteral("WheelPrint"), QStringLiteral("&Print"), this);
    m_play =
        ui::NamedButton(QStringLiteral("WheelPlay"), QStringLiteral("Play &these forms..."), this);
    m_close = ui::NamedButton(QStringLiteral("WheelClose"), QStringLiteral("&Close"), this);
    for (QPushButton* b : {m_print, m_play})
        b->setEnabled(false);

    layOut();
    connectControls();
}

void WheelWindow::layOut()
{
    auto* form = new QFormLayout;
    auto* numbersRow = new QHBoxLayout;
    numbersRow->addWidget(m_numbersBox, 1);
    numbersRow->addWidget(m_usePool);
    form->addRow(Label(QStringLiteral("Your &numbers:"), m_numbersBox, this), numbersRow);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_formSize);
    sizeRow->addStretch();
    form->addRow(Label(QStringLiteral("&Form size:"), m_formSize, this), sizeRow);
    auto* promise = new QHBoxLayout;
    promise->addWidget(m_match);
    promise->addWidget(Label(QStringLiteral("&if"), m_drawn, this));
    promise->addWidget(m_drawn);
    promise->addWidget(new QLabel(QStringLiteral("of your numbers are drawn"), this));
    promise->addStretch();
    form->addRow(Label(QStringLiteral("&At least:"), m_match, this), promise);
    ui::SetAccessibleTextWithin(m_formSize, QStringLiteral("Form size"),
                                QStringLiteral("Numbers on each form"));
    ui::SetAccessibleTextWithin(m_match, QStringLiteral("At least"),
                                QStringLiteral("The numbers some form holds"));
    ui::SetAccessibleTextWithin(m_drawn, QStringLiteral("if"),
                                QStringLiteral("whenever this many of your numbers are drawn"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_generate);
    searchRow->addWidget(m_stop);
    searchRow->addWidget(m_progress, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_print);
    bottom->addWidget(m_play);
    bottom->addStretch();
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(searchRow);
    layout->addWidget(m_progressText);
    layout->addWidget(m_forms, 1);
    layout->addWidget(m_reading);
    layout->addWidget(m_odds);
    layout->addLayout(bottom);
    resize(640, 600);
}

void WheelWindow::connectControls()
{
    connect(m_usePool, &QPushButton::clicked, this,
            [this] { m_numbersBox->setText(NumbersText(m_pool)); });
    connect(m_generate, &QPushButton::clicked, this, &WheelWindow::generate);
    connect(m_stop, &QPushButton::clicked, this, &WheelWindow::stop);
    connect(m_print, &QPushButton::clicked, this, &WheelWindow::print);
    connect(m_play, &QPushButton::clicked, this, [this] { Q_EMIT playFormsRequested(forms()); });
    connect(m_close, &QPushButton::clicked, this, &WheelWindow::reject);
}

std::optional<std::vector<int>> WheelWindow::typedNumbers()
{
    std::vector<int> numbers;
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (const QString& item : m_numbersBox->text().split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = item.toInt(&ok);
        if (!ok || n < 1 || n > m_db.highNumber()) {
            m_services.dialogs.message(kTitle,
                                       QStringLiteral("\"%1\" is not a number from 1 to %2.")
                                           .arg(item)
                                           .arg(m_db.highNumber()));
            return std::nullopt;
        }
        numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

void WheelWindow::generate()
{
    if (m_worker.joinable()) return;
    const std::optional<std::vector<int>> numbers = typedNumbers();
    if (!numbers) return;
    const Shape shape{static_cast<int>(numbers->size()), m_formSize->value(), m_match->value(),
                      m_drawn->value()};
    if (const std::optional<QString> problem = ShapeProblem(shape)) {
        m_services.dialogs.message(kTitle, *problem);
        return;
    }
    m_numbers = *numbers;
    m_result.reset();
    m_forms->setRowCount(0);
    m_reading->clear();
    m_odds->clear();
    for (QPushButton* b : {m_print, m_play, m_generate})
        b->setEnabled(false);
    m_stop->setEnabled(true);
    m_progress->setValue(0);
    m_progressText->setText(QStringLiteral("Searching..."));
    const double seconds = m_seconds;
    QPointer<WheelWindow> self(this);
    m_worker = std::jthread([self, shape, seconds](std::stop_token stop) {
        WheelOptions options;
        options.seconds = seconds;
        options.stop = stop;
        options.progress = [self](const WheelProgress& p) {
            QMetaObject::invokeMethod(
                self.data(),
                [self, p] {
                    if (self) self->showProgress(p);
                },
                Qt::QueuedConnection);
        };
        const WheelResult result = FindWheel(shape, options);
        QMetaObject::invokeMethod(
            self.data(),
            [self, result] {
                if (self) self->showResult(result);
            },
            Qt::QueuedConnection);
    });
}

void WheelWindow::stop()
{
    m_worker.request_stop();
    m_progressText->setText(QStringLiteral("Stopping..."));
}

void WheelWindow::showProgress(const WheelProgress& p)
{
    m_progress->setValue(
        std::clamp(static_cast<int>(100 * p.seconds / std::max(m_seconds, 0.001)), 0, 100));
    m_progressText->setText(
        QStringLiteral("%1 forms so far; %2 draws still missed by the forms being tried; %3 s")
            .arg(p.forms)
            .arg(p.missed)
            .arg(p.seconds, 0, 'f', 1));
}

void WheelWindow::showResult(const WheelResult& result)
{
    if (m_worker.joinable()) m_worker.join();
    m_worker = std::jthread();
    m_result = std::make_unique<WheelResult>(result);
    m_progress->setValue(100);
    m_progressText->setText(QStringLiteral("Searched %1 s%2.")
                                .arg(result.seconds, 0, 'f', 1)
                                .arg(result.stopped ? QStringLiteral(", stopped") : QString()));
    const std::vector<std::vector<int>> shown = forms();
    m_forms->setRowCount(static_cast<int>(shown.size()));
    for (size_t i = 0; i < shown.size(); ++i) {
        m_forms->setItem(static_cast<int>(i), 0, new QTableWidgetItem(QString::number(i + 1)));
        m_forms->setItem(static_cast<int>(i), 1, new QTableWidgetItem(NumbersText(shown[i])));
    }
    m_reading->setText(readingText());
    if (!shown.empty()) {
        const int high = m_db.highNumber();
        const int picks = std::max(m_db.picksPerDraw(), result.shape.formSize);
        const std::vector<odds::Form> asForms(shown.begin(), shown.end());
        m_odds->setText(odds::SetOddsText(odds::SetOfFormsOdds(asForms, high, picks), high, picks));
    }
    m_generate->setEnabled(true);
    m_stop->setEnabled(false);
    for (QPushButton* b : {m_print, m_play})
        b->setEnabled(!shown.empty() && result.verified);
}

std::vector<std::vector<int>> WheelWindow::forms() const
{
    std::vector<std::vector<int>> out;
    if (!m_result) return out;
    for (Mask form : m_result->forms)
        out.push_back(FormNumbers(form, m_numbers));
    return out;
}

void WheelWindow::print()
{
    if (!m_result || !ui::ConfirmPrintout(m_services.dialogs)) return;
    ui::TextPrinter out;
    out.tab(3);
    out.print(QStringLiteral("Wheel of %1 numbers: %2")
                  .arg(m_numbers.size())
                  .arg(NumbersText(m_numbers)));
    out.endLine();
    out.tab(3);
    out.print(readingText());
    out.endLine();
    out.endLine();
    const std::vector<std::vector<int>> shown = forms();
    for (size_t i = 0; i < shown.size(); ++i) {
        out.tab(3);
        out.print(QStringLiteral("%1").arg(i + 1, 4) + QStringLiteral("   ") +
                  NumbersText(shown[i]));
        out.endLine();
    }
    out.finish();
    m_services.printer.printText(out.document(), QStringLiteral("Wheel"));
}

QString WheelWindow::readingText() const
{
    if (!m_result || m_result->forms.empty())
        return QStringLiteral("Stopped before a wheel was found.");
    QString text = WheelReading(*m_result) + QLatin1Char('.');
    if (m_formPrice && m_result->verified) {
        const auto money = [](qint64 cents) {
            return text::Money(static_cast<double>(cents) / 100.0, text::MoneyPattern::Total);
        };
        text += QStringLiteral(" At %1 a form, it costs %2 a draw.")
                    .arg(money(*m_formPrice), money(*m_formPrice * m_result->size()));
    }
    return text;
}

void WheelWindow::reject()
{
    m_worker.request_stop();
    if (m_worker.joinable()) m_worker.join();
    QDialog::reject();
}

} // namespace wheel
