#include "shell/NameFilters.h"

namespace tess {
namespace {

// The field that starts at `position`, up to the next NUL or the end; moves `position` past it.
std::string_view NextField(std::string_view list, std::size_t& position)
{
    const std::size_t end = std::min(list.find('\0', position), list.size());
    const std::string_view field = list.substr(position, end - position);
    position = end + 1;
    return field;
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether a Qt file list compares names with or without case depends on its filter flags, and
// its wildcards read brackets as a class: a class of both cases for every letter, and of the
// bracket alone for a bracket, make the pattern mean the same wherever it is applied.
QString QtWildcard(const QString& wildcard)
{
    if (wildcard == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString result;
    for (const QChar c : wildcard) {
        if (c == u'[' || c == u']')
            result += QStringLiteral("[%1]").arg(c);
        else if (c.toLower() != c.toUpper())
            result += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
        else
            result += c;
    }
    return result;
}

QStringList QtWildcards(std::string_view patternField)
{
    QStringList patterns;
    for (const QString& wildcard : FromUtf8(patternField).split(u';')) {
        const QString trimmed = wildcard.trimmed();
        if (!trimmed.isEmpty())
            patterns << QtWildcard(trimmed);
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return patterns;
}

}  // namespace

std::vector<NameFilter> ParseFilterList(std::string_view filterList)
{
    std::vector<NameFilter> filters;
    std::size_t position = 0;
    while (position < filterList.size()) {
        const std::string_view description = NextField(filterList, position);
        if (description.empty())
            break;
        filters.push_back({FromUtf8(description), QtWildcards(NextField(filterList, position))});
    }
    return filters;
}

}  // namespace tess
