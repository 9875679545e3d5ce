#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

namespace tess {

// The file buffer a dialog answers with: exactly `length` bytes, NUL-padded, paths as the file
// system's bytes. std::nullopt when the choice does not fit.

// One chosen file: its absolute path, NUL.
std::optional<std::string> SingleSelectionBuffer(const QString& path, std::size_t length);

// A multiple selection of absolute `paths` made in `folder`: for one file its path, NUL, NUL;
// for several the folder, NUL, each name relative to the folder followed by NUL, and one more
// NUL. The folder has no final "/" unless it is the root. `paths` must not be empty.
std::optional<std::string> MultipleSelectionBuffer(const QString& folder, const QStringList& paths, std::size_t length);

}  // namespace tess
