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

// Whether a Qt file list compares names with or without case depends on its filter flags;
// spelling every ASCII letter as a class of both cases makes the pattern itself indifferent to
// case, wherever it is applied.
QString EitherCase(const QString& wildcard)
{
    if (wildcard == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString result;
    for (const QChar c : wildcard) {
        const bool asciiLetter = c.unicode() < 0x80 && c.isLetter();
        result += asciiLetter ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
    }
    return result;
}

QStringList EitherCasePatterns(std::string_view patternField)
{
    QStringList patterns;
    const QString field = QString::fromUtf8(patternField.data(), static_cast<qsizetype>(patternField.size()));
    for (const QString& wildcard : field.split(u';')) {
        const QString trimmed = wildcard.trimmed();
        if (!trimmed.isEmpty())
            patterns << EitherCase(trimmed);
    }
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
        const std::string_view patterns = NextField(filterList, position);
        filters.push_back({QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())),
                           EitherCasePatterns(patterns)});
    }
    return filters;
}

QString ToQtNameFilter(const NameFilter& filter)
{
    return QStringLiteral("%1 (%2)").arg(filter.description, filter.patterns.join(u' '));
}

}  // namespace tess
