#include "support/DialogPaths.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace tess::testing {

QString DialogPath(const TempDir& dir, const std::string& name)
{
    const QString root = QFileInfo(QFile::decodeName(QByteArray::fromStdString(dir.path()))).canonicalFilePath();
    return name.empty() ? root : root + u'/' + QFile::decodeName(QByteArray::fromStdString(name));
}

std::string DialogBytes(const TempDir& dir, const std::string& name)
{
    return QFile::encodeName(DialogPath(dir, name)).toStdString();
}

}  // namespace tess::testing
