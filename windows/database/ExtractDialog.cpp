#include "windows/database/ExtractDialog.h"

#include "models/draws/Extraction.h"
#include "models/state/AppState.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/QuickHelpPanel.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
namespace database {

namespace {
QString FourDigits(int value)
{
    return text::RightAlign(text::Hashes(value), 4);
}
} // namespace

ExtractDialog::ExtractDialog(core::AppState& state, ui::Services& services, QWidget* parent)
    : QDialog(parent), m_state(state), m_services(services)
{
    setObjectName(QStringLiteral("Extract"));
    setWindowTitle(QStringLiteral("Extract"));
    setModal(true);

    QGroupBox* frame = buildRecordBoxes();
    QLayout* buttons = buildButtons();
    buildHelp();
    layOut(frame, buttons);
    connectControls();

    // Each opening starts with the full range, and the first key typed replaces a box.
    m_from = 1;
    m_to = m_state.database.recordCount();
    showLow(m_from);
    showHigh(m_to);
    m_state.RetypeFlag.clear();
    m_low->setFocus();
}

QGroupBox* ExtractDialog::buildRecordBoxes()
{
    auto* frame = new QGroupBox(QStringLiteral("Extract records from between two dates."), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    const ui::BoxRules recordNumber{.keys = ui::KeyRule::Digits,
                                    .maxLength = 4,
                                    .retypeFlag = &m_state.RetypeFlag,
                                    .clearOnClick = true,
                                    .widthSample = QStringLiteral("000000")};
    m_low = ui::MakeInputBox(QStringLiteral("LowRecNo"), m_services.dialogs, recordNumber, frame);
    m_high = ui::MakeInputBox(QStringLiteral("HighRecNo"), m_services.dialogs, recordNumber, frame);

    auto* form = new QFormLayout(frame);
    auto* lowLabel = new QLabel(QStringLiteral("&From record number"), frame);
    ui::LabelFor(lowLabel, m_low);
    auto* highLabel = new QLabel(QStringLiteral("&To record number"), frame);
    ui::LabelFor(highLabel, m_high);
    form->addRow(lowLabel, m_low);
    form->addRow(highLabel, m_high);
    return frame;
}

QLayout* ExtractDialog::buildButtons()
{
    m_extract =
        ui::NamedButton(QStringLiteral("EExtractRecs"), QStringLiteral("&Extract Records"), this);
    m_cancel = ui::NamedButton(QStringLiteral("EExit"), QStringLiteral("&Cancel"), this);
    m_helpButton = ui::NamedButton(QStringLiteral("EHelp"), QString(), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_extract);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_helpButton);
    buttons->addStretch(1);
    return buttons;
}

void ExtractDialog::buildHelp()
{
    m_helpBox = new QPlainTextEdit(this);
    m_helpBox->setObjectName(QStringLiteral("ETextBox"));
    m_helpBox->setMinimumHeight(fontMetrics().height() * 9);
    m_help = new ui::QuickHelpPanel(m_helpButton, m_helpBox, ui::QuickHelpPanel::Keys::Plain,
                                    &m_services.dialogs);
    m_help->setText(HelpText());
}

void ExtractDialog::layOut(QGroupBox* frame, QLayout* buttons)
{
    auto* top = new QHBoxLayout;
    top->addWidget(frame, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_helpBox, 1);
}

void ExtractDialog::connectControls()
{
    m_low->setNext(m_high);
    m_high->setNext(m_extract);
    setTabOrder(m_low, m_high);
    setTabOrder(m_high, m_extract);
    setTabOrder(m_extract, m_cancel);
    setTabOrder(m_cancel, m_helpButton);

    m_low->setLeaveCheck([this] { return leaveLow(); });
    m_high->setLeaveCheck([this] { return leaveHigh(); });
    connect(m_extract, &QPushButton::clicked, this, &ExtractDialog::extractRecords);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, &ExtractDialog::toggleHelp);
}

void ExtractDialog::toggleHelp()
{
    // The open help box makes the dialog grow; closing it gives the dialog back its size.
    const QSize before = size();
    m_help->toggle();
    if (m_help->isOpen()) {
        m_sizeBeforeHelp = before;
    } else if (m_sizeBeforeHelp.isValid()) {
        layout()->activate();
        resize(m_sizeBeforeHelp);
    }
}

ExtractDialog::~ExtractDialog() = default;

QString ExtractDialog::HelpText()
{
    return ui::QuickHelpPanel::JoinParagraphs({
        QStringLiteral("To view a group of records between any two dates, a new database is "
                       "created with records from the existing database."),
        QStringLiteral("Using the record numbers from beside the dates you want to include. "
                       "Type these record numbers in the yellow input boxes."),
        QStringLiteral("Click 'Extract Records' and the new file will be created and shown."),
        QStringLiteral("The new database will be titled 'Extracted' and if saving to disk is "
                       "named 'Extract.LTO'. It can be renamed."),
        QStringLiteral("This is to prevent you overwriting the original database file on disk "
                       "if the same name was retained for the new database."),
        QStringLiteral("The original database in memory is deleted."),
    });
}

void ExtractDialog::showLow(int value)
{
    m_low->setText(FourDigits(value));
}

void ExtractDialog::showHigh(int value)
{
    m_high->setText(FourDigits(value));
}

bool ExtractDialog::leaveLow()
{
    if (!m_low->edited()) return true;
    m_low->setEdited(false);
    m_state.RetypeFlag.clear();
    const int count = m_state.database.recordCount();
    const int value = static_cast<int>(text::IntValue(m_low->text()));
    showLow(value);
    if (!extraction::FirstIsValid(value, count)) {
        m_services.dialogs.message(QStringLiteral("Help"),
                                   QStringLiteral(" Must be between 1 and ") +
                                       text::NumText(static_cast<long long>(count)));
        showLow(1);
        m_from = 1;
        return false;
    }
    m_from = value;
    return true;
}

bool ExtractDialog::leaveHigh()
{
    if (!m_high->edited()) return true;
    m_high->setEdited(false);
    m_state.RetypeFlag.clear();
    const int count = m_state.database.recordCount();
    const int value = static_cast<int>(text::IntValue(m_high->text()));
    showHigh(value);
    const int low = static_cast<int>(text::IntValue(m_low->text()));
    if (!extraction::LastIsValid(value, low, count)) {
        m_services.dialogs.message(
            QStringLiteral("Help"),
            QStringLiteral(" Must be between ") + text::NumText(static_cast<long long>(m_from)) +
                QStringLiteral(" and ") + text::NumText(static_cast<long long>(count)));
        showHigh(count);
        m_to = count;
        return false;
    }
    m_to = value;
    return true;
}

void ExtractDialog::extractRecords()
{
    const int count = m_state.database.recordCount();
    // The first box is checked only against the count, so a first number changed after the
    // last one can leave the range reversed; extracting it would empty the database.
    if (!extraction::LastIsValid(m_to, m_from, count)) {
        m_services.dialogs.message(
            QStringLiteral("Help"),
            QStringLiteral(" Must be between ") + text::NumText(static_cast<long long>(m_from)) +
                QStringLiteral(" and ") + text::NumText(static_cast<long long>(count)));
        m_to = count;
        showHigh(m_to);
        m_high->setFocus();
        return;
    }
    {
        ui::BusyPointer busy(m_services.dialogs);
        if (!extraction::Extract(m_state.database, m_from, m_to)) {
            m_services.dialogs.message(QStringLiteral("Help"),
                                       QStringLiteral(" Unknown error, cannot complete."));
            return;
        }
        // Proposed beside the file the records came from, under a name of its own. The tickets
        // stay with that file.
        const QString from = m_state.filePath;
        m_state.forgetTickets();
        m_state.setFileInMemory(
            from.isEmpty() || QFileInfo(from).isRelative()
                ? extraction::ExtractFileName()
                : QFileInfo(from).dir().filePath(extraction::ExtractFileName()));
        // The records left out are gone from memory, so leaving must ask before the rest is
        // lost too.
        m_state.Modified = true;
    }
    accept();
}

} // namespace database
