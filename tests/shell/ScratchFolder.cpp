#include "ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace tess::test {

ScratchFolder::ScratchFolder() : root_(QFileInfo(folder_.path()).canonicalFilePath()) {
    EXPECT_TRUE(folder_.isValid()) << folder_.errorString().toStdString();
}

QString ScratchFolder::path(const QString& name) const {
    return name.isEmpty() ? root_ : root_ + u'/' + name;
}

std::string ScratchFolder::bytes(const QString& name) const {
    return QFile::encodeName(path(name)).toStdString();
}

void ScratchFolder::createFile(const QString& name) const {
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
}

void ScratchFolder::createFolder(const QString& name) const {
    EXPECT_TRUE(QDir(root_).mkpath(name)) << name.toStdString();
}

}  // namespace tess::test
