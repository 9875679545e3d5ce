#include "shell/QtFileDialog.h"

#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "shell/GuardedDialog.h"
#include "shell/NameFilters.h"
#include "shell/SelectionBuffer.h"

namespace tess {
namespace {

// Qt's dialog checks that a chosen file exists, but not that the folder of a new name does.
class RecordFileDialog : public QFileDialog {
public:
    RecordFileDialog(QWidget* owner, bool pathMustExist) : QFileDialog(owner), pathMustExist_(pathMustExist) {}

protected:
    void accept() override
    {
        if (pathMustExist_ && RefuseMissingFolder())
            return;
        QFileDialog::accept();
    }

private:
    bool RefuseMissingFolder()
    {
        for (const QString& file : selectedFiles()) {
            const QFileInfo folder(QFileInfo(file).absolutePath());
            if (!folder.isDir()) {
                // Qt's own wording for a missing folder, so that its translations apply.
                const QString message =
                    QFileDialog::tr("%1\nDirectory not found.\nPlease verify the correct directory name was given.");
                QMessageBox::warning(this, windowTitle(), message.arg(folder.filePath()));
                return true;
            }
        }
        return false;
    }

    bool pathMustExist_;
};

QString FieldText(const std::optional<std::string>& field)
{
    return QString::fromStdString(BeforeNul(field.value_or(std::string())));
}

QString FieldPath(const std::optional<std::string>& field)
{
    return QFile::decodeName(QByteArray::fromStdString(BeforeNul(field.value_or(std::string()))));
}

void ApplyFlags(QFileDialog& dialog, FileDialogKind kind, std::uint32_t flags)
{
    dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (kind == FileDialogKind::Open && (flags & OFN_ALLOWMULTISELECT))
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode((flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & OFN_OVERWRITEPROMPT));
}

void ApplyFilters(QFileDialog& dialog, const std::vector<NameFilter>& filters, std::uint32_t filterIndex)
{
    if (filters.empty())
        return;
    QStringList nameFilters;
    for (const NameFilter& filter : filters)
        nameFilters << ToQtNameFilter(filter);
    // The patterns are spelled for matching, not for reading; the user sees the descriptions.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(nameFilters.at(static_cast<qsizetype>(filterIndex - 1)));
}

void ApplyTexts(QFileDialog& dialog, const OPENFILENAME& record)
{
    if (const QString folder = FieldPath(record.lpstrInitialDir); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (const QString proposed = FieldPath(record.lpstrFile); !proposed.isEmpty())
        dialog.selectFile(proposed);
    if (const QString title = FieldText(record.lpstrTitle); !title.isEmpty())
        dialog.setWindowTitle(title);
    if (const QString extension = FieldText(record.lpstrDefExt); !extension.isEmpty())
        dialog.setDefaultSuffix(extension);
}

// The 1-based entry the user left selected, which Qt names by its whole text or, with the
// patterns hidden, by its description alone; 0 when there is none.
std::uint32_t SelectedEntry(const QFileDialog& dialog, const std::vector<NameFilter>& filters)
{
    const QString selected = dialog.selectedNameFilter();
    for (std::size_t i = 0; i < filters.size(); ++i) {
        if (selected == ToQtNameFilter(filters[i]).simplified() || selected == filters[i].description.simplified())
            return static_cast<std::uint32_t>(i + 1);
    }
    return 0;
}

// Writes the accepted choice into the record; false when it does not fit the file buffer.
bool WriteChoice(const QFileDialog& dialog, const std::vector<NameFilter>& filters, OPENFILENAME& record)
{
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    const std::optional<std::string> buffer =
        dialog.fileMode() == QFileDialog::ExistingFiles
            ? MultipleSelectionBuffer(dialog.directory().absolutePath(), chosen, record.nMaxFile)
            : SingleSelectionBuffer(chosen.first(), record.nMaxFile);
    if (!buffer)
        return false;
    record.lpstrFile = *buffer;
    if (const std::uint32_t entry = SelectedEntry(dialog, filters); entry != 0)
        record.nFilterIndex = entry;
    return true;
}

}  // namespace

bool ShowQtFileDialog(FileDialogKind kind, OPENFILENAME& record)
{
    GuardedDialog<RecordFileDialog> dialog(record.hwndOwner, (record.Flags & OFN_PATHMUSTEXIST) != 0);
    // Qt's own dialog rather than the desktop's: it looks and behaves the same on every desktop,
    // and the checks above run only in it.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    ApplyFlags(*dialog, kind, record.Flags);
    const std::vector<NameFilter> filters = ParseFilterList(record.lpstrFilter.value_or(std::string()));
    ApplyFilters(*dialog, filters, record.nFilterIndex);
    ApplyTexts(*dialog, record);
    return dialog.exec() && WriteChoice(*dialog, filters, record);
}

}  // namespace tess
