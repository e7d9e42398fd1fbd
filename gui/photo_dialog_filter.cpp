// The Add dialog's filter text in Qt's form.
#include "photo_dialog_filter.h"

namespace lumabord {

QStringList qtNameFilters(const QString& filter) {
  const QStringList fields = filter.split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    QString description = fields[i].trimmed();
    const QString patterns = fields[i + 1].trimmed();
    if (patterns.isEmpty()) continue;
    // Qt reads the patterns from the last parenthesised group, separated by blanks; a
    // description that already lists them in parentheses would be read instead.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) description = description.left(open).trimmed();
    QString qtPatterns = patterns;
    qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    result << QStringLiteral("%1 (%2)").arg(description, qtPatterns.simplified());
  }
  return result;
}

}  // namespace lumabord
