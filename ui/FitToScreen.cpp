#include "ui/FitToScreen.h"

#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

void FitToScreen(QWidget* window)
{
    QLayout* layout = window->layout();
    const QScreen* screen = window->screen();
    if (layout == nullptr || screen == nullptr) return;
    // The window's frame (title bar and borders) takes some of the free area.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    const QSize need = window->sizeHint().expandedTo(window->minimumSizeHint());
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
    window->setMinimumSize(0, 0);
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    window->resize((need + QSize(bar, bar)).boundedTo(room));
}

} // namespace ui
