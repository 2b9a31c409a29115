// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/url.h"

QString defaultPortOf(const QString& protocol) {
  if (protocol.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0) return QStringLiteral("80");
  if (protocol.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0) return QStringLiteral("443");
  if (protocol.compare(QLatin1String("ftp"), Qt::CaseInsensitive) == 0) return QStringLiteral("21");
  return {};
}

QString Url::hostForUrl() const {
  return host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
}

QString Url::requestTarget() const {
  QString target = path + document;
  if (!params.isEmpty()) target += QLatin1Char('?') + params;
  return target;
}

QString Url::fullForm() const {
  QString text = protocol + QLatin1String("://");
  if (!userName.isEmpty()) {
    text += userName;
    if (!password.isEmpty()) text += QLatin1Char(':') + password;
    text += QLatin1Char('@');
  }
  text += hostForUrl();
  if (!port.isEmpty() && port.compare(defaultPortOf(protocol), Qt::CaseInsensitive) != 0)
    text += QLatin1Char(':') + port;
  return text + requestTarget();
}

namespace {
// Splits "user:password@host:port" (or "[v6]:port") into u.
void parseAuthority(const QString& authority, Url& u) {
  QString hostPort = authority;
  const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
  if (at >= 0) {
    const QString userInfo = authority.left(at);
    hostPort = authority.mid(at + 1);
    const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
    u.userName = colon < 0 ? userInfo : userInfo.left(colon);
    if (colon >= 0) u.password = userInfo.mid(colon + 1);
  }
  if (hostPort.startsWith(QLatin1Char('['))) {
    const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
    if (close > 0) {
      u.host = hostPort.mid(1, close - 1);
      const QString after = hostPort.mid(close + 1);
      if (after.startsWith(QLatin1Char(':'))) u.port = after.mid(1);
      return;
    }
  }
  const qsizetype colon = hostPort.indexOf(QLatin1Char(':'));
  u.host = colon < 0 ? hostPort : hostPort.left(colon);
  if (colon >= 0) u.port = hostPort.mid(colon + 1);
}
}  // namespace

Url parseUrl(const QString& text) {
  Url u;
  QString rest = text;
  const qsizetype scheme = text.indexOf(QLatin1String("://"));
  if (scheme >= 0) {
    u.protocol = text.left(scheme);
    rest = text.mid(scheme + 3);
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != QLatin1Char('/') && rest[end] != QLatin1Char('?') &&
           rest[end] != QLatin1Char('#'))
      ++end;
    parseAuthority(rest.left(end), u);
    rest = rest.mid(end);
  }
  const qsizetype hash = rest.indexOf(QLatin1Char('#'));
  if (hash >= 0) {
    u.bookmark = rest.mid(hash + 1);
    rest.truncate(hash);
  }
  const qsizetype query = rest.indexOf(QLatin1Char('?'));
  if (query >= 0) {
    u.params = rest.mid(query + 1);
    rest.truncate(query);
  }
  const qsizetype slash = rest.lastIndexOf(QLatin1Char('/'));
  if (slash >= 0) {
    u.path = rest.left(slash + 1);
    u.document = rest.mid(slash + 1);
  } else {
    u.path = QStringLiteral("/");
    u.document = rest;
  }
  if (!u.path.startsWith(QLatin1Char('/'))) u.path.prepend(QLatin1Char('/'));
  return u;
}
