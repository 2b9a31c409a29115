#pragma once

#include <QWidget>

// Snapshot windows: a picture of the ticket area or of the results panel of the main window.
enum class SnapshotKind { Tickets, Results };

class TFAbbild : public QWidget {
  Q_OBJECT
 public:
  explicit TFAbbild(QWidget* parent = nullptr);
};

// The snapshot window made at start-up.
extern TFAbbild* FAbbild;

// Captures the ticket area ("Box1") or the results panel ("Panel6") of the main window mainWindow
// into a new snapshot window and shows it.
void CaptureSnapshot(QWidget* mainWindow, SnapshotKind kind);
