// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A URL split into its parts. Every field is kept as written (the protocol is not case-folded); an
// IPv6 host is held without its square brackets.
struct Url {
  QString protocol;
  QString userName;
  QString password;
  QString host;
  QString port;      // empty when the URL names none
  QString path;      // from the first '/' up to and including the last '/'; "/" when there is none
  QString document;  // the rest of the path up to '?' or '#'
  QString params;    // after '?', without it
  QString bookmark;  // after '#', without it; never sent

  // The host as it appears in a URL or a "Host" header: an IPv6 address goes in square brackets.
  QString hostForUrl() const;
  // path + document + ("?" + params when there are params): the target of a request line.
  QString requestTarget() const;
  // The full form: the URL rebuilt without its bookmark and without a port that is the protocol's
  // default ("80" for HTTP, "443" for HTTPS, "21" for FTP, compared without regard to case).
  QString fullForm() const;
};

// Splits text into its parts. Never fails: a text without "://" has no protocol and no authority.
Url parseUrl(const QString& text);

// The default port of a protocol compared without regard to case ("80", "443", "21"), or an empty
// text for any other protocol.
QString defaultPortOf(const QString& protocol);
