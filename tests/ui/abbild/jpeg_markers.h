// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <vector>

// Walks the marker segments of a JPEG stream from SOI up to the first start of scan, so that tests
// can check which frame type and tables an encoder wrote.
struct JpegSegment {
  unsigned char marker = 0;  // the byte after 0xFF
  QByteArray payload;        // without the two length bytes
};

inline QList<JpegSegment> JpegHeaderSegments(const QByteArray& data) {
  QList<JpegSegment> segments;
  if (data.size() < 4 || uchar(data[0]) != 0xFF || uchar(data[1]) != 0xD8) return segments;
  qsizetype pos = 2;
  while (pos + 4 <= data.size() && uchar(data[pos]) == 0xFF) {
    const unsigned char marker = uchar(data[pos + 1]);
    const int length = (uchar(data[pos + 2]) << 8) | uchar(data[pos + 3]);
    if (length < 2 || pos + 2 + length > data.size()) break;
    segments.append({marker, data.mid(pos + 4, length - 2)});
    if (marker == 0xDA) break;  // entropy-coded data follows
    pos += 2 + length;
  }
  return segments;
}

inline QByteArray ToByteArray(const std::vector<unsigned char>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The frame header (SOF0..SOF15 except DHT/JPG/DAC); marker 0 when there is none.
inline JpegSegment JpegFrameHeader(const QByteArray& data) {
  for (const JpegSegment& s : JpegHeaderSegments(data)) {
    if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 && s.marker != 0xCC)
      return s;
  }
  return {};
}

inline int FrameHeight(const JpegSegment& sof) {
  return (uchar(sof.payload[1]) << 8) | uchar(sof.payload[2]);
}
inline int FrameWidth(const JpegSegment& sof) {
  return (uchar(sof.payload[3]) << 8) | uchar(sof.payload[4]);
}
inline int FrameComponents(const JpegSegment& sof) {
  return uchar(sof.payload[5]);
}
