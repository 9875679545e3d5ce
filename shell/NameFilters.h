#pragma once

#include <string_view>
#include <vector>

#include <QRegularExpression>
#include <QString>

namespace tess {

// One entry of a file dialog's filter list: the text the user reads and the names it shows.
struct NameFilter {
    QString description;
    std::vector<QRegularExpression> wildcards;  // one per wildcard of the entry, as shows() applies them

    // Whether a file of this name is listed while the entry is selected. A wildcard matches the
    // whole name regardless of case: "*" stands for any run of characters, "?" for any one, and
    // every other character for itself, brackets, spaces and letters of any script included.
    // "*.*" matches every name, with or without a dot.
    bool shows(const QString& fileName) const;
};

// The entries of a filter list in the record's form (description NUL pattern NUL ... NUL NUL),
// in order; the list ends at the first empty description. One pattern field may join several
// wildcards with ";", each trimmed of spaces around it.
std::vector<NameFilter> ParseFilterList(std::string_view filterList);

}  // namespace tess
