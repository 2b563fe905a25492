#include "settings/widgets/DropTargetView.h"

#include "platform/Diagnostics.h"
#include "settings/widgets/Preferences.h"

#include <QDragEnterEvent>
#include <QMimeData>

DropTargetView::DropTargetView(QWidget* parent)
    : DropTargetView(DropCopy::Target::GameFolder,
                     tr("Drop game files and folders here\nto copy them to drive C"), parent)
{}

DropTargetView::DropTargetView(DropCopy::Target target, const QString& text, QWidget* parent)
    : QLabel(text, parent), m_target(target)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setMinimumHeight(72);
    setReceivingDrag(false);
}

DropTargetViewISO::DropTargetViewISO(QWidget* parent)
    : DropTargetView(DropCopy::Target::CdImageFolder,
                     tr("Drop CD images here\nto copy them to the ISO folder"), parent)
{}

void DropTargetView::setReceivingDrag(bool receiving)
{
    m_isReceivingDrag = receiving;
    // A dashed outline says "drop here"; the highlight shows while a drag hovers.
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlphaF(0.3);
    const QString background = receiving ? highlight.name(QColor::HexArgb) : QStringLiteral("transparent");
    setStyleSheet(
        QStringLiteral("QLabel { border: 2px dashed %1; border-radius: 8px; background: %2; padding: 6px; }")
            .arg(palette().color(QPalette::Mid).name(QColor::HexRgb), background));
}

void DropTargetView::dragEnterEvent(QDragEnterEvent* event)
{
    setReceivingDrag(true);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DropTargetView::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DropTargetView::dragLeaveEvent(QDragLeaveEvent* event)
{
    setReceivingDrag(false);
    QLabel::dragLeaveEvent(event);
}

void DropTargetView::dropEvent(QDropEvent* event)
{
    setReceivingDrag(false);
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (!m_preferencesController) {
        logLine(QStringLiteral("❌ preferencesController is nil"));
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    m_preferencesController->copyDroppedItems(paths, m_target);
}
