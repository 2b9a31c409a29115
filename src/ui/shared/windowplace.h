// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Moves window so that its centre lies on the centre of parent's frame, or of the screen's free area
// when there is no parent.
void CentreOver(QWidget* window, const QWidget* parent);
