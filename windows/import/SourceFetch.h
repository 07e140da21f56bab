#pragma once
// Downloading a source for Import Draws and Update Draws: net::Download with a progress bar
// and Cancel once it takes more than half a second.
#include <QString>
#include <QUrl>

class QWidget;

namespace history {

struct Fetched {
    enum class Outcome { Read, Failed, Cancelled };
    Outcome outcome = Outcome::Failed;
    QString text;    // the source's text, decoded, when read
    QString failure; // one line when failed: "<address>: <reason>"
};

// Downloads `address` (plain http only with `allowHttp`) and decodes it as a file's text is
// decoded. Returns when it is done; meanwhile the user's input waits, except for the progress
// bar's Cancel, which shows window-modal over `parent` after half a second.
Fetched FetchAddress(const QUrl& address, bool allowHttp, QWidget* parent);

} // namespace history
