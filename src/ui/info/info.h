// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

// Opens the program info window FInfo, or restores and raises the one already open.
void ShowInfoWindow();

// The vendor's contact data shown in the info window.
inline const QString VendorName = QStringLiteral("Max Mustermann");
inline const QString VendorStreet = QStringLiteral("Musterstraße 12");
inline const QString VendorTown = QStringLiteral("12345 Musterstadt");
inline const QString VendorFax = QStringLiteral("Fax: 01234 567891");
inline const QString VendorMail = QStringLiteral("info@ziehfix.example");
inline const QString VendorTelephone = QStringLiteral("Tel.: 01234 567890");

// The program info window: name, version and the vendor's contact data over a background picture, with
// a QR code of the vendor's home page and a mail link. Created on demand, destroyed when closed.
class TFInfo : public QWidget {
  Q_OBJECT

 public:
  explicit TFInfo(QWidget* parent = nullptr);
  ~TFInfo() override;

  // The mail link: "mailto:" + address + "?subject=" + product name.
  static QString mailLink();

 public slots:
  void LMailClick();
  void bsSkinSpeedButton3Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // FormClose

 private:
  void FormCreate();
  void buildLayout();
  void Label5MouseMove();  // over the mail label: the hand, for the whole program
  void Panel1MouseMove();  // over the free part of the contact panel: the default cursor again

  QWidget* Panel1 = nullptr;
  QLabel* LVersion = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* LName = nullptr;
  QLabel* LStrasse = nullptr;
  QLabel* LPLZOrt = nullptr;
  QLabel* LFax = nullptr;
  QLabel* LMail = nullptr;
  QLabel* LTelefon = nullptr;
  QPushButton* bsSkinSpeedButton3 = nullptr;
};

// The open info window, or nullptr.
extern QPointer<TFInfo> FInfo;
