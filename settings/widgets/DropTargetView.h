#pragma once

#include "settings/DropCopy.h"

#include <QLabel>
#include <QPointer>

class Preferences;

// An area of the settings editor onto which files are dropped from the file manager to copy
// them into the game folder; DropTargetViewISO takes CD images for the "ISO" folder.
class DropTargetView : public QLabel
{
    Q_OBJECT

public:
    explicit DropTargetView(QWidget* parent = nullptr);

    void setPreferencesController(Preferences* editor) { m_preferencesController = editor; }
    bool isReceivingDrag() const { return m_isReceivingDrag; }

protected:
    DropTargetView(DropCopy::Target target, const QString& text, QWidget* parent);

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setReceivingDrag(bool receiving);

    DropCopy::Target m_target;
    QPointer<Preferences> m_preferencesController;
    bool m_isReceivingDrag = false;
};

class DropTargetViewISO final : public DropTargetView
{
    Q_OBJECT

public:
    explicit DropTargetViewISO(QWidget* parent = nullptr);
};
