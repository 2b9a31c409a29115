// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// The general error report: shows an error box with the message, a full stop appended when the
// message does not end in one.
void showErrorReport(const QString& message);

// Adds a full stop when text does not end in one.
QString withFullStop(const QString& text);

// Runs one handler body; an exception it throws ends the body and is shown by the general error report.
// Exceptions never cross the Qt event loop. Returns false when the body ended by an exception.
bool runGuarded(const std::function<void()>& body);
