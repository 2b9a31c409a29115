// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "common/version.h"

inline const QString ProductName = QStringLiteral("ZIEHFIX");
inline const QString ProgramVersion = QStringLiteral(ZIEHFIX_VERSION);
// Reverse-DNS of the vendor's domain: the desktop entry, metainfo, MIME package and the
// single-instance socket are named after it.
inline const QString AppId = QStringLiteral("example.ziehfix.Ziehfix");
