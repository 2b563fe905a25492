#include "app/widgets/DetailsPanel.h"

#include "app/widgets/PictureLoading.h"
#include "library/GamePictures.h"
#include "platform/BackgroundTask.h"
#include "platform/FilePanel.h"
#include "platform/Prompter.h"

#include <memory>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize PictureArea(240, 180);

// The image files among dropped items.
QString droppedPicture(const QMimeData* data)
{
    if (!data)
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && GamePictures::isPictureFile(url.toLocalFile()) &&
            QFileInfo(url.toLocalFile()).isFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

namespace {

constexpr qsizetype ShownNoteCharacters = 4000;
constexpr qsizetype ShownNoteLines = 60;

} // namespace

QString describeGame(const ConfigEntry& entry, const PlayRecord::Record& played)
{
    const GameDetails& details = entry.details;
    QString html = u"<p><b>"_qs + entry.title.toHtmlEscaped() + u"</b></p>"_qs;
    QStringList facts;
    for (const QString& fact : {details.year, details.genre, details.developer, details.publisher}) {
        if (!fact.isEmpty())
            facts.append(fact.toHtmlEscaped());
    }
    if (!facts.isEmpty())
        html += u"<p>"_qs + facts.join(u" · "_qs) + u"</p>"_qs;
    QStringList record;
    if (played.lastPlayed)
        record.append(DetailsPanel::tr("Last played: %1")
                          .arg(QLocale().toString(*played.lastPlayed, QLocale::ShortFormat).toHtmlEscaped()));
    else
        record.append(DetailsPanel::tr("Never played"));
    if (played.seconds > 0)
        record.append(
            DetailsPanel::tr("Play time: %1").arg(PlayRecord::durationText(played.seconds).toHtmlEscaped()));
    html += u"<p>"_qs + record.join(u"<br>"_qs) + u"</p>"_qs;
    if (!details.notes.isEmpty()) {
        // The panel shows the beginning of long notes (laying out megabytes would freeze the
        // window); the settings editor holds them whole.
        QString notes = details.notes.left(ShownNoteCharacters);
        const QStringList lines = notes.split(u'\n');
        if (lines.size() > ShownNoteLines)
            notes = lines.mid(0, ShownNoteLines).join(u'\n');
        const bool cut = notes.size() < details.notes.size();
        html += u"<p>"_qs + notes.toHtmlEscaped().replace(u'\n', u"<br>"_qs) + (cut ? u" …"_qs : QString()) +
                u"</p>"_qs;
    }
    return html;
}

DetailsPanel::DetailsPanel(FilePanel& filePanel, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_filePanel(filePanel), m_prompter(prompter)
{
    setObjectName(QStringLiteral("detailsPanel"));
    setAcceptDrops(true);
    setFixedWidth(PanelWidth);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("pictureLabel"));
    m_picture->setFixedSize(PictureArea);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setWordWrap(true);
    m_previous = new QPushButton(QStringLiteral("◀"), this);
    m_previous->setObjectName(QStringLiteral("previousPictureButton"));
    m_previous->setToolTip(tr("The picture before"));
    m_next = new QPushButton(QStringLiteral("▶"), this);
    m_next->setObjectName(QStringLiteral("nextPictureButton"));
    m_next->setToolTip(tr("The next picture"));
    for (QPushButton* button : {m_previous, m_next})
        button->setFixedWidth(32);
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("picturePosition"));
    m_position->setAlignment(Qt::AlignCenter);
    m_choose = new QPushButton(tr("Choose Picture…"), this);
    m_choose->setObjectName(QStringLiteral("choosePictureButton"));
    m_choose->setToolTip(tr("Choose the game's cover; an image can also be dropped on the panel"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("detailsText"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* steps = new QHBoxLayout;
    steps->addWidget(m_previous);
    steps->addWidget(m_position, 1);
    steps->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    layout->addLayout(steps);
    layout->addWidget(m_choose);
    layout->addWidget(m_text, 1);

    connect(m_previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { step(1); });
    connect(m_choose, &QPushButton::clicked, this, &DetailsPanel::choosePicture);
    m_watcher = new QFileSystemWatcher(this);
    m_watchDelay = new QTimer(this);
    m_watchDelay->setSingleShot(true);
    m_watchDelay->setInterval(300); // a screenshot being written is listed once it is there
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_watchDelay, qOverload<>(&QTimer::start));
    connect(m_watchDelay, &QTimer::timeout, this, [this] {
        watchGameFolder(); // the capture folder may have been made just now
        refreshPictures(true);
    });
    showGame(std::nullopt, {}, {});
}

void DetailsPanel::showGame(const std::optional<ConfigEntry>& entry, const QString& gameFolder,
                            const PlayRecord::Record& played)
{
    m_text->setText(entry ? describeGame(*entry, played) : tr("No game selected"));
    if (gameFolder == m_gameFolder && entry)
        return; // the same game: its picture stays
    m_gameFolder = entry ? gameFolder : QString();
    m_pictures.clear();
    m_index = 0;
    // Another game's picture never stands beside this one's details, not even while it loads.
    m_shownPath.clear();
    showPlaceholder({});
    watchGameFolder();
    refreshPictures();
}

void DetailsPanel::watchGameFolder()
{
    QStringList wanted;
    if (!m_gameFolder.isEmpty())
        wanted << m_gameFolder << GamePictures::captureFolder(m_gameFolder);
    const QStringList watched = m_watcher->directories();
    for (const QString& folder : watched) {
        if (!wanted.contains(folder))
            m_watcher->removePath(folder);
    }
    for (const QString& folder : wanted) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    }
}

void DetailsPanel::refreshPictures(bool newShown)
{
    // Listed away from the window's thread: a capture folder may hold thousands of screenshots.
    const quint64 listing = ++m_listing;
    if (m_gameFolder.isEmpty()) {
        m_pictures.clear();
        showPictureAt(0);
        return;
    }
    auto pictures = std::make_shared<QStringList>();
    BackgroundTask::start(
        this, [pictures, folder = m_gameFolder] { *pictures = GamePictures::pictures(folder); },
        [this, pictures, listing, newShown] {
            if (listing != m_listing)
                return; // another game was selected meanwhile
            QString shown = m_pictures.value(m_index);
            if (newShown) {
                const auto added =
                    std::find_if(pictures->cbegin(), pictures->cend(),
                                 [this](const QString& path) { return !m_pictures.contains(path); });
                if (added != pictures->cend())
                    shown = *added;
            }
            m_pictures = *pictures;
            m_index = std::max(0, int(m_pictures.indexOf(shown)));
            showPictureAt(m_index);
        });
}

void DetailsPanel::step(int by)
{
    if (m_pictures.isEmpty())
        return;
    showPictureAt(int((m_index + by + m_pictures.size()) % m_pictures.size()));
}

void DetailsPanel::showPictureAt(int index)
{
    m_index = index;
    updateControls();
    const QString path = m_pictures.value(index);
    if (path.isEmpty()) {
        m_wantedPath.clear();
        m_shownPath.clear();
        showPlaceholder(
            m_gameFolder.isEmpty()
                ? QString()
                : tr("No picture yet. Screenshots taken in DOSBox-X (Capture ▸ Take screenshot) show here."));
        return;
    }
    if (path == m_shownPath && path == m_wantedPath)
        return;
    m_wantedPath = path;
    if (isVisible())
        loadNext();
}

void DetailsPanel::loadNext()
{
    // One load at a time; a selection that moves on while one runs loads only what it ends on.
    if (m_loading || m_wantedPath.isEmpty() || m_wantedPath == m_shownPath)
        return;
    m_loading = true;
    const QString path = m_wantedPath;
    const QSize bound = PictureArea * devicePixelRatioF();
    auto image = std::make_shared<QImage>();
    BackgroundTask::start(
        this, [image, path, bound] { *image = PictureLoading::load(path, bound); },
        [this, image, path] {
            m_loading = false;
            if (path == m_wantedPath) {
                m_shownPath = path;
                if (image->isNull()) {
                    showPlaceholder(tr("This picture cannot be shown"));
                } else {
                    QPixmap pixmap = QPixmap::fromImage(*image);
                    pixmap.setDevicePixelRatio(devicePixelRatioF());
                    m_picture->setPixmap(pixmap);
                }
                m_picture->setToolTip(QFileInfo(path).fileName());
                Q_EMIT pictureShown(path);
            }
            loadNext();
        });
}

void DetailsPanel::showPlaceholder(const QString& text)
{
    m_picture->setPixmap({});
    m_picture->setText(text);
    m_picture->setToolTip({});
}

void DetailsPanel::updateControls()
{
    const bool several = m_pictures.size() > 1;
    m_previous->setEnabled(several);
    m_next->setEnabled(several);
    m_position->setText(several ? tr("%1 of %2").arg(m_index + 1).arg(m_pictures.size()) : QString());
    m_choose->setEnabled(!m_gameFolder.isEmpty());
}

void DetailsPanel::choosePicture()
{
    if (m_gameFolder.isEmpty())
        return;
    const QString folder = m_gameFolder;
    m_filePanel.chooseFile({tr("Choose Picture"), GamePictures::pictureExtensions(), {}},
                           [this, folder](const QString& path) {
                               if (folder == m_gameFolder)
                                   takeCover(path);
                           });
}

void DetailsPanel::takeCover(const QString& imagePath)
{
    if (const std::optional<QString> error = GamePictures::setCover(m_gameFolder, imagePath)) {
        m_prompter.showAlert(tr("Picture Not Kept"), *error);
        return;
    }
    m_shownPath.clear(); // the cover's file may keep its name with new content
    ++m_listing;         // a listing from before the cover came is out of date
    m_pictures = GamePictures::pictures(m_gameFolder);
    showPictureAt(0);
}

void DetailsPanel::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_gameFolder.isEmpty() && !droppedPicture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DetailsPanel::dropEvent(QDropEvent* event)
{
    const QString picture = droppedPicture(event->mimeData());
    if (m_gameFolder.isEmpty() || picture.isEmpty())
        return;
    event->acceptProposedAction();
    takeCover(picture);
}

void DetailsPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    loadNext(); // a hidden panel loads nothing
}
