#pragma once

#include <QString>

#include "net/http_client.h"

// Whether a HEAD request for url answers with status 200 within the probe's read time-out. Any
// failure (no connection, TLS refused, time-out, redirect, error status) gives false; never throws.
bool urlReachable(const QString& url, const HttpSettings& settings = HttpSettings());

// Fetches url into localPath: false without touching the file when the HEAD probe fails; otherwise
// creates (truncates) the file, sends GET for the URL's full form and writes the body as it arrives;
// true when the answer was 2xx and the whole body was written. Throws std::runtime_error when the file
// cannot be created (nothing is sent then) or the GET fails; the file then exists and is empty, so a
// failed or cut-off download never leaves a partial file behind.
bool downloadToFile(const QString& url, const QString& localPath,
                    const HttpSettings& settings = HttpSettings());
