#pragma once

#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>

namespace tess {

// One entry of a file dialog's filter list: the text the user reads and the names it shows.
struct NameFilter {
    QString description;
    // Qt wildcards, for a file list's name filters, spelled so that they match the whole names
    // that the entry's wildcards mean: "*" stands for any run of characters, "?" for any one,
    // and every other character for itself, regardless of case, brackets, spaces and letters of
    // any script included. "*.*" matches every name, with or without a dot, and so does an
    // entry with no wildcard.
    QStringList patterns;
};

// The entries of a filter list in the record's form (description NUL pattern NUL ... NUL NUL),
// in order; the list ends at the first empty description. One pattern field may join several
// wildcards with ";", each trimmed of spaces around it.
std::vector<NameFilter> ParseFilterList(std::string_view filterList);

}  // namespace tess
