#include "windows/tickets/TicketDialogs.h"

#include "models/odds/FormsFile.h"
#include "ui/Accessible.h"
#include "ui/Dialogs.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tickets {

namespace {

QString FormsText(const std::vector<std::vector<int>>& forms)
{
    QStringList lines;
    for (const auto& form : forms) {
        QStringList numbers;
        for (int n : form)
            numbers << QString::number(n);
        lines << numbers.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

// A row of the form: the label with its access key, for the box.
void AddRow(QFormLayout* form, const QString& caption, QWidget* box, const QString& description)
{
    auto* label = new QLabel(caption);
    ui::LabelFor(label, box);
    if (qobject_cast<QAbstractSpinBox*>(box))
        ui::SetAccessibleTextWithin(box, ui::SpokenText(caption), description);
    else
        box->setAccessibleDescription(description);
    form->addRow(label, box);
}

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("DialogOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("DialogCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

TicketDialog::TicketDialog(const Ticket& ticket, int picks, int high, ui::Dialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent), m_picks(picks), m_high(high), m_dialogs(dialogs), m_ticket(ticket)
{
    setObjectName(QStringLiteral("TicketDialog"));
    setWindowTitle(QStringLiteral("Ticket"));
    m_forms = new QPlainTextEdit(FormsText(ticket.forms), this);
    m_forms->setObjectName(QStringLiteral("TicketFormsBox"));
    m_forms->setTabChangesFocus(true);
    m_forms->setMinimumHeight(6 * m_forms->fontMetrics().lineSpacing());
    m_first = new QLineEdit(ticket.firstDraw.toString(Qt::ISODate), this);
    m_first->setObjectName(QStringLiteral("TicketFirstBox"));
    m_draws = new QSpinBox(this);
    m_draws->setObjectName(QStringLiteral("TicketDrawsBox"));
    m_draws->setRange(1, MaxDrawsPlayed);
    m_draws->setValue(ticket.draws);
    m_price = new QLineEdit(PlainAmount(ticket.price), this);
    m_price->setObjectName(QStringLiteral("TicketPriceBox"));
    m_label = new QLineEdit(ticket.label, this);
    m_label->setObjectName(QStringLiteral("TicketLabelBox"));
    m_label->setMaxLength(40);

    auto* form = new QFormLayout;
    AddRow(form,
           QStringLiteral("&Forms, one a line (%1 to %2 numbers from 1 to %3):")
               .arg(1)
               .arg(picks)
               .arg(high),
           m_forms, QStringLiteral("One form a line, its numbers separated by blanks or commas"));
    AddRow(form, QStringLiteral("First &draw played (yyyy-mm-dd):"), m_first,
           QStringLiteral("The ticket plays the draws dated on or after this date"));
    AddRow(form, QStringLiteral("&Number of draws:"), m_draws,
           QStringLiteral("1 to %1 draws").arg(MaxDrawsPlayed));
    AddRow(form, QStringLiteral("&Price of one form a draw:"), m_price,
           QStringLiteral("An amount such as 2.50"));
    AddRow(form, QStringLiteral("&Label:"), m_label,
           QStringLiteral("A name for the ticket, if you like; no double quotes"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

void TicketDialog::accept()
{
    QString reason;
    const auto forms =
        odds::ParseForms(m_forms->toPlainText().toUtf8(), m_high, m_picks, MaxFormSize, reason);
    Ticket t;
    t.label = m_label->text().trimmed();
    t.firstDraw = QDate::fromString(m_first->text().trimmed(), Qt::ISODate);
    t.draws = m_draws->value();
    const std::optional<Cents> price = ParseAmount(m_price->text());
    if (forms) {
        for (odds::Form f : *forms) {
            std::sort(f.begin(), f.end());
            t.forms.push_back(f);
        }
    }
    if (!forms)
        reason = QStringLiteral("The forms: %1.").arg(reason);
    else if (!t.firstDraw.isValid())
        reason = QStringLiteral("The first draw needs a date such as 2026-12-05.");
    else if (!price)
        reason = QStringLiteral("The price needs an amount such as 2.50.");
    else {
        t.price = *price;
        reason = TicketProblem(t, m_picks, m_high);
        if (!reason.isEmpty()) reason = reason.left(1).toUpper() + reason.mid(1) + QLatin1Char('.');
    }
    if (!reason.isEmpty()) {
        m_dialogs.message(QStringLiteral("Ticket"), reason);
        return;
    }
    m_ticket = t;
    QDialog::accept();
}

PrizeDialog::PrizeDialog(int matches, int picks, const Prize& prize, ui::Dialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_prize(prize)
{
    setObjectName(QStringLiteral("PrizeDialog"));
    setWindowTitle(QStringLiteral("Prize for %1 of %2").arg(matches).arg(picks));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("PrizeKindBox"));
    m_kind->addItems({QStringLiteral("Nothing"), QStringLiteral("A fixed amount"),
                      QStringLiteral("Varies (typed when published)")});
    m_kind->setCurrentIndex(static_cast<int>(prize.kind));
    m_amount =
        new QLineEdit(prize.kind == PrizeKind::Fixed ? PlainAmount(prize.amount) : QString(), this);
    m_amount->setObjectName(QStringLiteral("PrizeAmountBox"));
    auto* form = new QFormLayout;
    AddRow(form, QStringLiteral("&Prize:"), m_kind,
           QStringLiteral("Nothing, a fixed amount, or an amount that varies"));
    AddRow(form, QStringLiteral("&Amount:"), m_amount,
           QStringLiteral("A fixed prize such as 10.00"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
    auto enable = [this] { m_amount->setEnabled(m_kind->currentIndex() == 1); };
    connect(m_kind, &QComboBox::currentIndexChanged, this, enable);
    enable();
}

void PrizeDialog::accept()
{
    const auto kind = static_cast<PrizeKind>(m_kind->currentIndex());
    Prize p{kind, 0};
    if (kind == PrizeKind::Fixed) {
        const std::optional<Cents> amount = ParseAmount(m_amount->text());
        if (!amount) {
            m_dialogs.message(QStringLiteral("Prize"),
                              QStringLiteral("The prize needs an amount such as 10.00."));
            return;
        }
        p.amount = *amount;
    }
    m_prize = p;
    QDialog::accept();
}

RangeDialog::RangeDialog(const QDate& from, const QDate& to, ui::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_from(from), m_to(to)
{
    setObjectName(QStringLiteral("RangeDialog"));
    setWindowTitle(QStringLiteral("Post to Investment Sheet"));
    m_fromBox = new QLineEdit(from.toString(Qt::ISODate), this);
    m_fromBox->setObjectName(QStringLiteral("PostFromBox"));
    m_toBox = new QLineEdit(to.toString(Qt::ISODate), this);
    m_toBox->setObjectName(QStringLiteral("PostToBox"));
    auto* form = new QFormLayout;
    AddRow(form, QStringLiteral("Draws &from (yyyy-mm-dd):"), m_fromBox,
           QStringLiteral("The first draw date to post"));
    AddRow(form, QStringLiteral("Draws &to (yyyy-mm-dd):"), m_toBox,
           QStringLiteral("The last draw date to post"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

void RangeDialog::accept()
{
    const QDate from = QDate::fromString(m_fromBox->text().trimmed(), Qt::ISODate);
    const QDate to = QDate::fromString(m_toBox->text().trimmed(), Qt::ISODate);
    if (!from.isValid() || !to.isValid() || to < from) {
        m_dialogs.message(windowTitle(),
                          QStringLiteral("Give two dates such as 2026-12-05, the first not after "
                                         "the second."));
        return;
    }
    m_from = from;
    m_to = to;
    QDialog::accept();
}

AmountDialog::AmountDialog(const QString& title, const QString& question, ui::Dialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("AmountDialog"));
    setWindowTitle(title);
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("AmountBox"));
    auto* form = new QFormLayout;
    AddRow(form, question, m_box, QStringLiteral("An amount such as 55.20"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

void AmountDialog::accept()
{
    const std::optional<Cents> amount = ParseAmount(m_box->text());
    if (!amount) {
        m_dialogs.message(windowTitle(),
                          QStringLiteral("The amount needs a number such as 55.20."));
        return;
    }
    m_amount = *amount;
    QDialog::accept();
}

} // namespace tickets
