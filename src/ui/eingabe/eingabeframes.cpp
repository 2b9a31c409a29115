// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window's ticket frames: a pool of frames for the tickets in view, laid out in rows.
#include "ui/eingabe/eingabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "ui/eingabe/eingabe_scan.h"
#include "ui/eingabe/frlos2.h"
#include "ui/info/info.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/onscreen.h"
#include "ui/shared/prompter.h"
#include "ui/shared/recentfiles.h"
#include "ui/shared/shortcuts.h"
#include "ui/shared/skinwidgets.h"

#include "ui/eingabe/eingabe_parts.h"

using namespace entry;

QPoint TFEingabe::framePosition(int n) {
  const int column = (n - 1) % 6;
  const int row = (n - 1) / 6;
  return {column * (TFfrLos2::kWidth + 5) + 5, row * (TFfrLos2::kHeight + 10) + 5};
}

QSize TFEingabe::boxSizeFor(int frames) {
  const int rows = (frames + 5) / 6;
  const int width = 6 * (TFfrLos2::kWidth + 5) + 5;
  const int height = rows == 0 ? 0 : rows * (TFfrLos2::kHeight + 10) + 5;
  return {width, height};
}

namespace {

// The ticket as its frame shows it (an open cell editor already taken over).
EntryTicket shownTicket(const TFfrLos2& frame) {
  EntryTicket t;
  t.cells = frame.gLos->cells();
  t.doubtful = frame.gLos->doubtfulCells();
  t.memo = frame.memoText();
  return t;
}

}  // namespace

std::pair<int, int> TFEingabe::liveRange() const {
  constexpr int kRow = TFfrLos2::kHeight + 10;
  const int top = ticketArea->verticalScrollBar()->value();
  const int height = std::max(ticketArea->viewport()->height(), kMinLiveHeight);
  const int rows = (EinLosCount + 5) / 6;
  // Rows partly in view, and one more on either side for Tab and Shift+Tab to move into.
  const int firstRow = std::max(0, (top - 5) / kRow - 1);
  const int lastRow = std::min(rows - 1, (top + height - 5) / kRow + 1);
  if (lastRow < firstRow) return {0, 0};
  return {firstRow * 6, std::min(EinLosCount, (lastRow + 1) * 6)};
}

TFfrLos2* TFEingabe::makeFrame() {
  if (!spare_.empty()) {
    TFfrLos2* frame = spare_.back();
    spare_.pop_back();
    return frame;
  }
  return new TFfrLos2(boxContent_);
}

void TFEingabe::retireFrame(TFfrLos2* frame) {
  frame->hide();
  frame->setParent(nullptr);
  frame->deleteLater();
}

void TFEingabe::loadFrame(int index, TFfrLos2* frame) {
  const int n = index + 1;
  frame->setObjectName(QStringLiteral("EinfrLos") + QString::number(n));
  frame->move(framePosition(n));
  frame->setNumber(n);
  // Screen readers tell the frames apart by their ticket number.
  frame->m1->setAccessibleName(QStringLiteral("Pro Zeile eine Zahl, Los %1").arg(n));
  frame->gLos->setAccessibleName(QStringLiteral("Los %1").arg(n));
  const EntryTicket t = model_.ticket(index);
  frame->gLos->setCurrentIndex(QModelIndex());
  frame->gLos->setCells(t.cells);
  frame->gLos->setDoubtfulCells(t.doubtful);
  if (!t.memo.isEmpty() || !frame->m1->document()->isEmpty()) frame->setMemoText(t.memo);
  frame->show();
}

void TFEingabe::storeFrame(int index, TFfrLos2* frame) {
  // The frame goes to another ticket: what its cell editor holds is taken over first.
  if (frame->isAncestorOf(QApplication::focusWidget())) ticketArea->setFocus(Qt::OtherFocusReason);
  frame->gLos->closeOpenEditor();
  model_.setTicket(index, shownTicket(*frame));
}

void TFEingabe::layoutFrames() {
  // A scroll while frames are handed over (the content shrinking, the focus moving) comes back here.
  if (layingOut_) {
    layoutAgain_ = true;
    return;
  }
  layingOut_ = true;
  do {
    layoutAgain_ = false;
    const auto [first, last] = liveRange();
    std::vector<TFfrLos2*> freed;
    for (auto it = live_.begin(); it != live_.end();) {
      if (it->first >= first && it->first < last) {
        ++it;
        continue;
      }
      storeFrame(it->first, it->second);
      freed.push_back(it->second);
      it = live_.erase(it);
    }
    bool changed = !freed.empty();
    for (int index = first; index < last; ++index) {
      if (live_.count(index)) continue;
      TFfrLos2* frame = freed.empty() ? makeFrame() : freed.back();
      if (!freed.empty()) freed.pop_back();
      loadFrame(index, frame);
      live_.emplace(index, frame);
      changed = true;
    }
    for (TFfrLos2* frame : freed) retireFrame(frame);
    for (TFfrLos2* frame : spare_) retireFrame(frame);
    spare_.clear();
    if (changed) {
      EinLosFrames.clear();
      EinLosGrids.clear();
      for (const auto& [index, frame] : live_) {
        EinLosFrames.append(frame);
        EinLosGrids.append(frame->gLos);
      }
      orderTabChain();
    }
  } while (layoutAgain_);
  layingOut_ = false;
}

void TFEingabe::orderTabChain() {
  QWidget* previous = nullptr;
  for (TFfrLos2* frame : std::as_const(EinLosFrames)) {
    for (QWidget* w : {static_cast<QWidget*>(frame->BDel), static_cast<QWidget*>(frame->bsSkinSpeedButton2),
                       static_cast<QWidget*>(frame->bsSkinSpeedButton1), static_cast<QWidget*>(frame->m1),
                       static_cast<QWidget*>(frame->gLos)}) {
      if (previous) QWidget::setTabOrder(previous, w);
      previous = w;
    }
  }
}

void TFEingabe::ticketsChanged() {
  EinLosCount = model_.count();
  boxContent_->resize(boxSizeFor(EinLosCount));
  layoutFrames();
}

TFfrLos2* TFEingabe::LosBauen() {
  model_.appendEmpty(1);
  ticketsChanged();
  showTicket(EinLosCount - 1);
  return frameOf(EinLosCount - 1);
}

void TFEingabe::showTicket(int index) {
  const QPoint at = framePosition(index + 1);
  ticketArea->ensureVisible(at.x() + TFfrLos2::kWidth / 2, at.y() + TFfrLos2::kHeight / 2,
                            TFfrLos2::kWidth / 2 + 5,
                            TFfrLos2::kHeight / 2 + 5);  // the scroll hands out the frames
}

QList<TFfrLos2*> TFEingabe::appendFrames(int count) {
  QList<TFfrLos2*> made;
  if (!framesFit(count, false, true)) return made;
  const int first = EinLosCount;
  model_.appendEmpty(count);
  ticketsChanged();
  for (int index = first; index < EinLosCount; ++index)
    if (TFfrLos2* frame = frameOf(index)) made << frame;
  return made;
}

bool TFEingabe::appendTickets(const std::vector<EntryTicket>& tickets) {
  if (!framesFit(int(tickets.size()), false, true)) return false;
  const int first = EinLosCount;
  for (const EntryTicket& t : tickets) model_.append(t);
  ticketsChanged();
  // The user is to check what came in: the first of it in view.
  if (!tickets.empty()) showTicket(first);
  return true;
}

EntryTicket TFEingabe::ticket(int index) const {
  TFfrLos2* frame = frameOf(index);
  if (!frame) return model_.ticket(index);
  frame->gLos->commitOpenEditor();
  return shownTicket(*frame);
}

TFfrLos2* TFEingabe::frameOf(int index) const {
  const auto it = live_.find(index);
  return it == live_.end() ? nullptr : it->second;
}

void TFEingabe::removeAllFrames() {
  // The frames wait for the next tickets, since making them is what costs the time; the caller's
  // layout hands them out or lets them go.
  const bool laying = std::exchange(layingOut_, true);
  for (const auto& [index, frame] : live_) {
    if (frame->isAncestorOf(QApplication::focusWidget())) ticketArea->setFocus(Qt::OtherFocusReason);
    frame->gLos->closeOpenEditor();
    frame->hide();
    frame->setObjectName(QString());
    spare_.push_back(frame);
  }
  live_.clear();
  EinLosFrames.clear();
  EinLosGrids.clear();
  model_.clear();
  EinLosCount = 0;
  fileLabel->clear();
  boxContent_->resize(boxSizeFor(0));
  layingOut_ = laying;
  layoutAgain_ = false;
}

bool TFEingabe::framesFit(int count, bool replacing, bool fromFile) {
  if (!fromFile && count > kMaxFramesAtOnce) {
    Prompter::current().information(QStringLiteral("Es können höchstens %1 Lose auf einmal erstellt werden.")
                                        .arg(germanCount(kMaxFramesAtOnce)));
    return false;
  }
  const int present = replacing ? 0 : EinLosCount;
  if (count > kMaxFrames - present) {
    QString text = QStringLiteral("Das Eingabefenster fasst höchstens %1 Lose.").arg(germanCount(kMaxFrames));
    if (present > 0)
      text += QStringLiteral(" Es enthält schon %1, es können also noch %2 hinzukommen.")
                  .arg(germanCount(present), germanCount(kMaxFrames - present));
    if (fromFile) text += QStringLiteral(" Die Datei enthält %1 Lose.").arg(germanCount(count));
    Prompter::current().information(text);
    return false;
  }
  return true;
}
