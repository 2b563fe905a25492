#pragma once

#include "library/ConfigEntry.h"
#include "library/PlayRecord.h"

#include <optional>
#include <QStringList>
#include <QWidget>

class FilePanel;
class Prompter;
class QFileSystemWatcher;
class QLabel;
class QTimer;
class QPushButton;

// What the panel says about a game: its title, details, notes and play record, as rich text
// with every value escaped (titles and details come from archives too).
QString describeGame(const ConfigEntry& entry, const PlayRecord::Record& played);

// Beside the library table: the selected game's picture (its cover, else its newest
// screenshot; the others a step away), its details and its play record. Pictures load off the
// interface thread; a cover is chosen with a file panel or by dropping an image on the panel.
class DetailsPanel final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PanelWidth = 260;

    DetailsPanel(FilePanel& filePanel, Prompter& prompter, QWidget* parent = nullptr);

    // The game to show, with its folder; nothing: no game is selected.
    void showGame(const std::optional<ConfigEntry>& entry, const QString& gameFolder,
                  const PlayRecord::Record& played);
    // Looks for new pictures (screenshots taken since), keeping the one shown when it is still there.
    // newShown: a picture that was not there before is shown (a screenshot just taken).
    void refreshPictures(bool newShown = false);
    void choosePicture();

    // The picture file shown now (the placeholder, when it could not be read); empty while none is.
    QString shownPicture() const { return m_shownPath; }

Q_SIGNALS:
    // A picture finished loading and is shown (or the placeholder, when it could not be read).
    void pictureShown(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void step(int by);
    void takeCover(const QString& imagePath);
    void showPictureAt(int index);
    void loadNext();
    void showPlaceholder(const QString& text);
    void updateControls();

    FilePanel& m_filePanel;
    Prompter& m_prompter;
    QLabel* m_picture = nullptr;
    QLabel* m_position = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_choose = nullptr;
    QLabel* m_text = nullptr;

    QString m_gameFolder;
    QStringList m_pictures;
    int m_index = 0;
    QString m_wantedPath; // the picture to show next
    QString m_shownPath;  // the picture shown
    bool m_loading = false;
    quint64 m_listing = 0; // the newest listing of a capture folder; older ones are dropped
    // The shown game's folder and capture folder, so that a screenshot taken while it runs shows.
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_watchDelay = nullptr;
    void watchGameFolder();
};
