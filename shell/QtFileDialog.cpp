#include "shell/QtFileDialog.h"

#include <optional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>

#include "shell/GuardedDialog.h"
#include "shell/NameFilters.h"
#include "shell/QtOwnDialog.h"
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

// Qt's own combo box of filter entries: its place tells apart entries that share a description,
// where Qt names the selected entry only by its description.
QComboBox* FilterBox(const QFileDialog& dialog)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
}

// The 0-based entry selected when the dialog opens.
int InitialEntry(std::size_t entries, std::uint32_t filterIndex)
{
    return filterIndex >= 1 && filterIndex <= entries ? static_cast<int>(filterIndex - 1) : 0;
}

void ListNamesOf(QFileDialog& dialog, const NameFilter& filter)
{
    if (auto* files = dialog.findChild<QFileSystemModel*>())
        files->setNameFilters(filter.patterns);
}

// Qt parses the entries it is given from a text whose patterns may hold only a few ASCII
// characters, so it is given entries that let every file through, and the dialog's file list
// the patterns of the entry selected, once Qt has handled the choice.
void ApplyFilters(QFileDialog& dialog, const std::vector<NameFilter>& filters, int initial)
{
    if (filters.empty())
        return;
    QStringList entries;
    for (const NameFilter& filter : filters)
        entries << filter.description + QStringLiteral(" (*)");
    // The user sees the descriptions alone, as the record gives them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(entries);
    ListNamesOf(dialog, filters[static_cast<std::size_t>(initial)]);
    if (QComboBox* box = FilterBox(dialog)) {
        box->setCurrentIndex(initial);
        QObject::connect(box, &QComboBox::activated, &dialog, [&dialog, filters](int index) {
            if (index >= 0 && static_cast<std::size_t>(index) < filters.size())
                ListNamesOf(dialog, filters[static_cast<std::size_t>(index)]);
        });
    }
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

// The 1-based entry the user left selected; 0 when the record has none.
std::uint32_t SelectedEntry(const QFileDialog& dialog, std::size_t entries, int initial)
{
    const QComboBox* box = FilterBox(dialog);
    const int index = box != nullptr ? box->currentIndex() : initial;
    return index >= 0 && static_cast<std::size_t>(index) < entries ? static_cast<std::uint32_t>(index + 1) : 0;
}

// Writes the accepted choice, and the 1-based filter entry `entry` unless it is 0, into the
// record; false when the choice does not fit the file buffer.
bool WriteChoice(const QFileDialog& dialog, std::uint32_t entry, OPENFILENAME& record)
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
    if (entry != 0)
        record.nFilterIndex = entry;
    return true;
}

}  // namespace

bool ShowQtFileDialog(FileDialogKind kind, OPENFILENAME& record)
{
    GuardedDialog<RecordFileDialog> dialog(record.hwndOwner, (record.Flags & OFN_PATHMUSTEXIST) != 0);
    UseQtsOwnDialog(*dialog);  // the checks above run only in it
    ApplyFlags(*dialog, kind, record.Flags);
    const std::vector<NameFilter> filters = ParseFilterList(record.lpstrFilter.value_or(std::string()));
    const int initial = InitialEntry(filters.size(), record.nFilterIndex);
    ApplyFilters(*dialog, filters, initial);
    ApplyTexts(*dialog, record);
    return dialog.exec() && WriteChoice(*dialog, SelectedEntry(*dialog, filters.size(), initial), record);
}

}  // namespace tess
