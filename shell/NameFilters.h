#pragma once

#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>

namespace tess {

// One entry of a file dialog's filter list: the text the user reads and the names it shows.
struct NameFilter {
    QString description;
    QStringList patterns;  // Qt wildcards
};

// The entries of a filter list in the record's form (description NUL pattern NUL ... NUL NUL),
// in order; the list ends at the first empty description. One pattern field may join several
// wildcards with ";". The wildcards match names regardless of case ("*.txt" shows BOOK.TXT),
// and "*.*" matches every name, with or without a dot.
std::vector<NameFilter> ParseFilterList(std::string_view filterList);

// The entry as QFileDialog takes it: "description (pattern pattern ...)".
QString ToQtNameFilter(const NameFilter& filter);

}  // namespace tess
