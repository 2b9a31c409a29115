#pragma once

#include <QString>

inline const QString ProductName = QStringLiteral("ZIEHFIX");
inline const QString ProgramVersion = QStringLiteral("1.0.0.0");
// Reverse-DNS of the vendor's domain: the desktop entry, metainfo, MIME package and the
// single-instance socket are named after it.
inline const QString AppId = QStringLiteral("example.ziehfix.Ziehfix");
