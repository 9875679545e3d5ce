#include "shell/BrowseForFolder.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "shell/GuardedDialog.h"
#include "shell/QtOwnDialog.h"

namespace tess::modBrowseForFolder {

std::string BrowseForFolder(QWidget* hwndOwner, const std::string& sPrompt)
{
    GuardedDialog<QFileDialog> dialog(hwndOwner);
    UseQtsOwnDialog(*dialog);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setWindowTitle(QString::fromStdString(sPrompt));
    if (!dialog.exec())
        return std::string();
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return std::string();
    return QFile::encodeName(QDir::cleanPath(chosen.first())).toStdString();
}

}  // namespace tess::modBrowseForFolder
