#pragma once
// Adds folders to the places list beside every file dialog the program shows, so that a folder
// outside the user's own (the installed samples) is one click away. Qt's own dialog shows them;
// a desktop's native dialog keeps its own list.
#include <QList>
#include <QObject>
#include <QUrl>

namespace ui {

class FileDialogPlaces final : public QObject {
    Q_OBJECT
public:
    // Watches every dialog of the application from now on, for the life of this object.
    explicit FileDialogPlaces(QList<QUrl> places, QObject* parent = nullptr);
    ~FileDialogPlaces() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QUrl> m_places;
};

} // namespace ui
