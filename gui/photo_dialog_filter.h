// The Add dialog's filter text ("Description|*.jpg;*.tif|...") in the form Qt's file dialog
// takes ("Description (*.jpg *.tif)").
#pragma once

#include <QStringList>

namespace lumabord {

// Pairs of description and pattern list; a missing pattern list after the last description
// drops that description. An empty text gives no filters (every file is shown).
[[nodiscard]] QStringList qtNameFilters(const QString& filter);

}  // namespace lumabord
