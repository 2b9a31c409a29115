// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

#include "net/http_client.h"

// What one download may take: at most maxBytes of body, and when totalMs is not 0, at most that long
// from the HEAD probe's connect to the GET's last byte. A wait for progress is bounded by the read
// time-out of the settings either way.
struct TransferLimits {
  std::uint64_t maxBytes = 256ull * 1024 * 1024;
  int totalMs = 0;
};

// Whether a HEAD request for url answers with status 200 within the probe's read time-out. Any
// failure (no connection, TLS refused, time-out, redirect, error status) gives false; never throws.
bool urlReachable(const QString& url, const HttpSettings& settings = HttpSettings());

// Fetches url into localPath: false without touching the file when the HEAD probe fails; otherwise
// sends GET for the URL's full form and writes the body into a new file beside localPath, which
// replaces localPath (never writing through a link there) only when the answer was 2xx and the whole
// body arrived: then true. Throws std::runtime_error when the file cannot be created (nothing is sent
// then) or the GET fails or is cancelled by progress; localPath then exists and is empty, so a failed
// download never leaves a partial file behind. A body beyond maxBytes (HttpSizeLimitError) leaves no
// file at all. progress runs from the HEAD probe on; what it throws during the probe is passed on
// with the file untouched.
bool downloadToFile(const QString& url, const QString& localPath,
                    const HttpSettings& settings = HttpSettings(),
                    const TransferLimits& limits = TransferLimits(),
                    const HttpClient::Progress& progress = nullptr);
