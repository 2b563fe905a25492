#include "platform/widgets/DialogFilePanel.h"

#include <QApplication>
#include <QFileDialog>

void DialogFilePanel::chooseFile(const Request& request, std::function<void(const QString&)> chosen)
{
    QWidget* parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_window.data();
    auto* dialog = new QFileDialog(parent, request.title, request.startFolder);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(request.folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    if (!request.saveAs.isEmpty()) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite); // the caller asks, naming the file
        dialog->selectFile(request.saveAs);
    }
    // Qt's own dialog matches the filter ignoring letter case: DOS files are usually GAME.EXE.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    QStringList patterns;
    for (const QString& extension : request.extensions)
        patterns << QStringLiteral("*.") + extension;
    if (request.folder)
        dialog->setOption(QFileDialog::ShowDirsOnly);
    else if (!patterns.isEmpty()) // an empty pattern list would read "Title ()"
        dialog->setNameFilters({QStringLiteral("%1 (%2)").arg(request.title, patterns.join(u' ')),
                                QFileDialog::tr("All files (*)")});
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [chosen = std::move(chosen)](const QString& file) {
                         if (!file.isEmpty())
                             chosen(file);
                     });
    dialog->open();
}
