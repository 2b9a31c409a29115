// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractScrollArea;
class QLabel;

// Snapshot windows: a picture of the ticket area or of the results panel of the main window, with the
// product name as a watermark, shown in a window of its own that copies it to the clipboard or saves
// it as a JPEG file.
enum class SnapshotKind { Tickets, Results };

// The folder the save dialog of every snapshot window offers. Re-read from the settings whenever a
// snapshot window is created, set after every save; ends with '/'.
extern QString ShotSaveDir;

class TFAbbild : public QWidget {
  Q_OBJECT
 public:
  // The designed client area is 592 x 529; a capture resizes it to its picture.
  explicit TFAbbild(QWidget* parent = nullptr);
  ~TFAbbild() override;

  // Image1 shows a copy of picture at its natural size, from the top left corner.
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

  void BCloseClick();               // hides the window; it lives on until the program ends
  void BSaveClick();                // saves the picture as a progressive JPEG file
  void bsSkinSpeedButton1Click();   // copies the picture to the clipboard
  void bsSkinSpeedButton13Click();  // stores the window position under "FAbbild"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormShow();

  QImage picture_;
  QLabel* Image1 = nullptr;
};

// The newest snapshot window: the one made at start-up, then the one of the latest capture.
extern QPointer<TFAbbild> FAbbild;

// Height of the two tool bars above the picture.
inline constexpr int SnapshotToolBarsHeight = 80;

// The picture of a capture: width x height, white where the control does not reach, the control's
// pixels (rendered from the widget itself, so no window lying over it can end up in the picture)
// copied to (0, 0) and cut off at the picture's edges, and the product name drawn with its top left
// corner at (width - 90 - textRight, height - textBottom).
QImage ComposeSnapshot(QWidget* control, int width, int height, int textRight, int textBottom);

// Panel capture: the picture is control height - heightArgument high. Scroll box capture: the visible
// part of the box (its viewport), heightArgument high. Both open a new snapshot window named
// "FAbbild" + the capture count, captioned caption, with a client area of the picture's width and the
// picture's height + 80; it becomes FAbbild and is returned. parent owns the window (may be null).
TFAbbild* CaptureSnapshot(QWidget* panel, const QString& caption, int heightArgument, int textRight,
                          int textBottom, QWidget* parent = nullptr);
TFAbbild* CaptureSnapshot(QAbstractScrollArea* box, const QString& caption, int heightArgument, int textRight,
                          int textBottom, QWidget* parent = nullptr);

// The handlers of the main window's two camera buttons. Tickets: the ticket area "Box1" down to 14
// pixels below the last ticket row (or below the visible area when the tickets reach further); with
// no ticket (mainWindow's property "LosCount" is 0) only a message. Results: the result panel
// "Panel8" (or the results column "Panel6" when there is no "Panel8") with a 14 pixel white strip
// below. Caption: the text of "LDatei". Failures are shown by the general error report.
void CaptureSnapshot(QWidget* mainWindow, SnapshotKind kind);
