// Import Draws from a web address, and the source remembered for Update Draws.
#include "windows/import/ImportDialog.h"

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
    const Fetched got = FetchAddress(QUrl(address), plainHttp, this);
    switch (got.outcome) {
    case Fetched::Outcome::Read:
        text = got.text;
        return true;
    case Fetched::Outcome::Failed:
        m_services.dialogs.message(kImportTitle, got.failure);
        return false;
    case Fetched::Outcome::Cancelled:
        break;
    }
    return false;
}

void ImportDialog::rememberSource()
{
    if (m_sourceLocation.isEmpty() || !m_remember->isEnabled() || !m_remember->isChecked()) return;
    // Saved with the database, in the file beside it.
    m_state.tickets.source = ToJson(RememberSource(m_sourceLocation, m_table, m_detection,
                                                   m_mapping, m_sortNumbers->isChecked()));
}

} // namespace history
