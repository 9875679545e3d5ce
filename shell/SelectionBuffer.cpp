#include "shell/SelectionBuffer.h"

#include <QDir>
#include <QFile>

namespace tess {
namespace {

std::string FileSystemBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::optional<std::string> Padded(std::string content, std::size_t length)
{
    if (content.size() > length)
        return std::nullopt;
    content.resize(length, '\0');
    return content;
}

}  // namespace

std::optional<std::string> SingleSelectionBuffer(const QString& path, std::size_t length)
{
    return Padded(FileSystemBytes(path) + '\0', length);
}

std::optional<std::string> MultipleSelectionBuffer(const QString& folder, const QStringList& paths, std::size_t length)
{
    if (paths.size() == 1)
        return Padded(FileSystemBytes(paths.first()) + std::string(2, '\0'), length);
    const QDir base(folder);
    std::string content = FileSystemBytes(QDir::cleanPath(folder)) + '\0';
    for (const QString& path : paths)
        content += FileSystemBytes(base.relativeFilePath(path)) + '\0';
    return Padded(content + '\0', length);
}

}  // namespace tess
