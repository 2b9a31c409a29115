// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include "archive/archive.h"

// A fresh folder of this test program's run, removed at its end.
QString archiveTestDir();

// A draw of count tickets with values and results made from seed, as a check would have stored it.
ArchiveDraw MakeTestDraw(const QDate& date, const QString& name, int count, unsigned seed);

// The first value of sql run on the file through a connection of its own ("" when there is none).
QString QueryOne(const QString& path, const QString& sql);
