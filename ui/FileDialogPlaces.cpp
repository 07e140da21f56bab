#include "ui/FileDialogPlaces.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>

namespace ui {

FileDialogPlaces::FileDialogPlaces(QList<QUrl> places, QObject* parent)
    : QObject(parent), m_places(std::move(places))
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

FileDialogPlaces::~FileDialogPlaces()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool FileDialogPlaces::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
            QList<QUrl> urls = dialog->sidebarUrls();
            bool added = false;
            for (const QUrl& place : m_places) {
                if (!urls.contains(place)) {
                    urls.append(place);
                    added = true;
                }
            }
            if (added) dialog->setSidebarUrls(urls);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
