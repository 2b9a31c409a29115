#pragma once

#include <QString>

inline const QString ProductName = QStringLiteral("ZIEHFIX");
inline const QString ProgramVersion = QStringLiteral("1.0.0.0");
