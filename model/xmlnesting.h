#pragma once

#include <QByteArray>
#include <QString>

// Whether an XML text nests its elements deeper than limit levels. A cheap
// scan that builds nothing, so a hostile document is turned away before a
// DOM spends time (and stack) on it.
[[nodiscard]] bool XmlNestsDeeperThan(const QString &text, int limit);
[[nodiscard]] bool XmlNestsDeeperThan(const QByteArray &text, int limit);
