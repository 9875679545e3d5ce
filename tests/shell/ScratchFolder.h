#pragma once

#include <string>

#include <QString>
#include <QTemporaryDir>

namespace tess::test {

// A temporary folder, removed with everything in it when the object goes. Names are relative to
// the folder and may contain "/".
class ScratchFolder {
public:
    ScratchFolder();

    // The absolute path of `name` in the folder (the folder itself for an empty name), with
    // symbolic links resolved in the folder's own part so it compares with what dialogs return.
    QString path(const QString& name = QString()) const;
    // The same path as the file system's bytes.
    std::string bytes(const QString& name = QString()) const;

    void createFile(const QString& name) const;
    void createFolder(const QString& name) const;

private:
    QTemporaryDir folder_;
    QString root_;
};

}  // namespace tess::test
