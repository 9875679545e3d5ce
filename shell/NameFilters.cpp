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

// Written out here rather than left to Qt's wildcard syntax, in which brackets make a class
// and which a file dialog parses from a text that cannot hold every character.
QRegularExpression WildcardExpression(const QString& wildcard)
{
    QString expression;
    if (wildcard == QLatin1String("*.*")) {
        expression = QStringLiteral(".*");
    } else {
        for (const QChar c : wildcard) {
            if (c == u'*')
                expression += QStringLiteral(".*");
            else if (c == u'?')
                expression += u'.';
            else
                expression += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

std::vector<QRegularExpression> WildcardsOf(std::string_view patternField)
{
    std::vector<QRegularExpression> wildcards;
    for (const QString& wildcard : FromUtf8(patternField).split(u';')) {
        const QString trimmed = wildcard.trimmed();
        if (!trimmed.isEmpty())
            wildcards.push_back(WildcardExpression(trimmed));
    }
    return wildcards;
}

}  // namespace

bool NameFilter::shows(const QString& fileName) const
{
    for (const QRegularExpression& wildcard : wildcards) {
        if (wildcard.match(fileName).hasMatch())
            return true;
    }
    return false;
}

std::vector<NameFilter> ParseFilterList(std::string_view filterList)
{
    std::vector<NameFilter> filters;
    std::size_t position = 0;
    while (position < filterList.size()) {
        const std::string_view description = NextField(filterList, position);
        if (description.empty())
            break;
        filters.push_back({FromUtf8(description), WildcardsOf(NextField(filterList, position))});
    }
    return filters;
}

}  // namespace tess
