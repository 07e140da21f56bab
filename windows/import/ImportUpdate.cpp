// Import Draws from a web address, the source remembered for Update Draws, and Update Draws
// itself: the remembered source read again the same way, showing only what changes.
#include "windows/import/ImportDialog.h"

#include "models/history/Export.h"
#include "models/state/AppState.h"
#include "ui/Dialogs.h"
#include "ui/Services.h"
#include "windows/import/SourceFetch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace history {

namespace {

const QString kImportTitle = QStringLiteral("Import Draws");
const QString kUpdateTitle = QStringLiteral("Update Draws");
const QString kHowToRemember =
    QStringLiteral("Import its draws once with Import Draws..., from a file or a web address, "
                   "with \"Remember this source for Update\" checked.");

} // namespace

bool ImportDialog::openAddress(const QString& typed)
{
    const QString address = typed.trimmed();
    const QUrl url(address, QUrl::StrictMode);
    if (!IsWebAddress(address) || !url.isValid() || url.host().isEmpty()) {
        m_services.dialogs.message(
            kImportTitle, QStringLiteral("%1 is not a web address: type one that begins "
                                         "with https://.")
                              .arg(address.isEmpty() ? QStringLiteral("Nothing") : address));
        return false;
    }
    QString text;
    if (!download(address, text)) return false;
    showSource(text, address, address);
    return true;
}

bool ImportDialog::download(const QString& address, QString& text)
{
    const bool plainHttp = IsPlainHttp(address);
    if (plainHttp &&
        !m_services.dialogs.ask(
            QStringLiteral("Unencrypted Address"),
            QStringLiteral("%1 is a plain http address: the draws come unencrypted, and anyone on "
                           "the way could read or change them. Download them all the same?")
                .arg(address)))
        return false;
    // Before the window is up (Update Draws), the progress shows over the Database window.
    QWidget* over = isVisible() ? this : parentWidget();
    const Fetched got = FetchAddress(QUrl(address), plainHttp, over);
    switch (got.outcome) {
    case Fetched::Outcome::Read:
        text = got.text;
        return true;
    case Fetched::Outcome::Failed:
        m_services.dialogs.message(m_forUpdate ? kUpdateTitle : kImportTitle, got.failure);
        return false;
    case Fetched::Outcome::Cancelled:
        break;
    }
    return false;
}

bool ImportDialog::startUpdate()
{
    m_forUpdate = true;
    setWindowTitle(kUpdateTitle);
    ui::Dialogs& dialogs = m_services.dialogs;
    if (!m_state.ticketsProblem.isEmpty()) {
        dialogs.message(kUpdateTitle, m_state.ticketsProblem);
        return false;
    }
    if (m_state.tickets.source.isEmpty()) {
        dialogs.message(kUpdateTitle,
                        QStringLiteral("This database remembers no source. ") + kHowToRemember);
        return false;
    }
    QString problem;
    const std::optional<RememberedSource> source = FromJson(m_state.tickets.source, problem);
    if (!source) {
        dialogs.message(kUpdateTitle,
                        QStringLiteral("The remembered source is damaged (%1). ").arg(problem) +
                            kHowToRemember);
        return false;
    }
    QString text;
    if (!readRemembered(*source, text)) return false;
    const SourceTable table = ReadRememberedTable(text, *source);
    if (!table.problem.isEmpty() || table.rows.empty()) {
        dialogs.message(kUpdateTitle, QStringLiteral("%1 %2.").arg(
                                          source->location, table.problem.isEmpty()
                                                                ? ReadErrorText(ReadError::Empty)
                                                                : table.problem));
        return false;
    }
    Mapping mapping;
    if (!ResolveMapping(*source, table, mapping, problem)) {
        // The operator changed the table: the user chooses the columns again here.
        dialogs.message(
            kUpdateTitle,
            QStringLiteral("%1: %2. Choose the columns again.").arg(source->location, problem));
        showSource(text, source->location, source->location);
        return true;
    }
    applyRemembered(*source, text, table, mapping);
    if (m_plan.added > 0 || m_plan.conflicts > 0) return true;
    QString nothing = QStringLiteral("There are no new draws in %1: %2 already present")
                          .arg(source->location)
                          .arg(m_plan.present);
    if (m_plan.rejected > 0) nothing += QStringLiteral(", %1 rejected").arg(m_plan.rejected);
    dialogs.message(kUpdateTitle, nothing + QLatin1Char('.'));
    return false;
}

bool ImportDialog::readRemembered(const RememberedSource& source, QString& text)
{
    if (IsWebAddress(source.location)) return download(source.location, text);
    if (!QFileInfo::exists(source.location)) {
        m_services.dialogs.message(kUpdateTitle,
                                   QStringLiteral("%1 no longer exists. ").arg(source.location) +
                                       kHowToRemember);
        return false;
    }
    const DecodedText read = ReadSourceFile(source.location);
    if (read.error != ReadError::None) {
        m_services.dialogs.message(
            kUpdateTitle, QStringLiteral("%1 %2.").arg(source.location, ReadErrorText(read)));
        return false;
    }
    text = read.text;
    return true;
}

void ImportDialog::applyRemembered(const RememberedSource& source, const QString& text,
                                   const SourceTable& table, const Mapping& mapping)
{
    noteSource(text, source.location, source.location);
    m_updating = true;
    m_separator->setCurrentIndex(m_separator->findData(static_cast<int>(source.separator)));
    m_headerRow->setChecked(source.header);
    m_updating = false;
    m_table = table;
    detect();
    // The columns, the date order and the sorting as they were chosen then.
    m_mapping = mapping;
    m_updating = true;
    m_dateOrder->setCurrentIndex(m_dateOrder->findData(static_cast<int>(mapping.order)));
    m_sortNumbers->setChecked(source.sortNumbers && !IsExport(table));
    m_updating = false;
    showColumnUses();
    refreshDateOrder();
    replan();
}

void ImportDialog::rememberSource()
{
    if (m_sourceLocation.isEmpty() || !m_remember->isEnabled() || !m_remember->isChecked()) return;
    // Saved with the database, in the file beside it.
    m_state.tickets.source = ToJson(RememberSource(m_sourceLocation, m_table, m_detection,
                                                   m_mapping, m_sortNumbers->isChecked()));
}

} // namespace history
