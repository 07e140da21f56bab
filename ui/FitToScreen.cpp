#include "ui/FitToScreen.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

namespace {

void Fit(QWidget* window)
{
    QLayout* layout = window->layout();
    const QScreen* screen = window->screen();
    if (layout == nullptr || screen == nullptr) return;
    // The window's frame (title bar and borders) takes some of the free area.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    // Only a window that cannot shrink to the room needs the scroll area.
    layout->activate();
    const QSize need = window->minimumSizeHint()
                           .expandedTo(window->minimumSize())
                           .expandedTo(layout->totalMinimumSize());
    if (need.width() <= room.width() && need.height() <= room.height()) {
        window->resize(window->size().boundedTo(room));
        return;
    }
    // The layout and its widgets move into the scroll area's content (a layout set on another
    // widget leaves its old one and takes its widgets along).
    auto* content = new QWidget;
    content->setObjectName(window->objectName() + QStringLiteral("Content"));
    content->setLayout(layout);
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(window->objectName() + QStringLiteral("Scroll"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // Made while the window is being shown, after its children were: shown here.
    content->show();
    scroll->show();
    window->setMinimumSize(0, 0);
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    window->resize((content->sizeHint() + QSize(bar, bar)).boundedTo(room));
}

// Fits its window once, when the window is first shown: by then everything the window shows
// has been laid out.
class FitOnShow final : public QObject {
public:
    explicit FitOnShow(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            window->removeEventFilter(this);
            Fit(window);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void FitToScreen(QWidget* window)
{
    if (window != nullptr) new FitOnShow(window);
}

} // namespace ui
