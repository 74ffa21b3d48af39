#include "platform/FontCatalog.h"

namespace dw {

QString plainFontFamily(const QString &name)
{
    if (!name.endsWith(QLatin1Char(']')))
        return name;
    const qsizetype open = name.lastIndexOf(QStringLiteral(" ["));
    if (open <= 0)
        return name;
    const QStringView tag = QStringView(name).mid(open + 2, name.size() - open - 3);
    if (tag.isEmpty() || tag.contains(QLatin1Char('[')) || tag.contains(QLatin1Char(']')))
        return name;
    return name.left(open).trimmed();
}

} // namespace dw
