// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_pictures/heic.h"

#include <libheif/heif.h>

#include <cstring>
#include <memory>

namespace {

struct Free {
  void operator()(heif_context* c) const { heif_context_free(c); }
  void operator()(heif_encoder* e) const { heif_encoder_release(e); }
  void operator()(heif_image* i) const { heif_image_release(i); }
  void operator()(const heif_image_handle* h) const { heif_image_handle_release(h); }
};

heif_error append(heif_context*, const void* data, size_t size, void* bytes) {
  static_cast<QByteArray*>(bytes)->append(static_cast<const char*>(data), qsizetype(size));
  return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

}  // namespace

HeifPicture EncodeHeif(const QImage& image, bool avif) {
  HeifPicture result;
  heif_compression_format format = heif_compression_HEVC;
  result.suffix = QStringLiteral("heic");
  if (avif || !heif_have_encoder_for_format(format)) {
    format = heif_compression_AV1;
    result.suffix = QStringLiteral("avif");
  }
  if (!heif_have_encoder_for_format(format)) {
    result.why = QStringLiteral("libheif %1 has no encoder for this format here")
                     .arg(QString::fromLatin1(heif_get_version()));
    return result;
  }
  const std::unique_ptr<heif_context, Free> context(heif_context_alloc());
  heif_encoder* rawEncoder = nullptr;
  heif_error error = heif_context_get_encoder_for_format(context.get(), format, &rawEncoder);
  const std::unique_ptr<heif_encoder, Free> encoder(rawEncoder);
  if (error.code != heif_error_Ok) {
    result.why = QString::fromUtf8(error.message);
    return result;
  }
  heif_encoder_set_lossy_quality(encoder.get(), 90);
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  heif_image* rawImage = nullptr;
  heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &rawImage);
  const std::unique_ptr<heif_image, Free> picture(rawImage);
  heif_image_add_plane(picture.get(), heif_channel_interleaved, rgb.width(), rgb.height(), 8);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(picture.get(), heif_channel_interleaved, &stride);
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), std::size_t(rgb.width()) * 3);
  heif_image_handle* rawHandle = nullptr;
  error = heif_context_encode_image(context.get(), picture.get(), encoder.get(), nullptr, &rawHandle);
  const std::unique_ptr<const heif_image_handle, Free> handle(rawHandle);
  if (error.code == heif_error_Ok) {
    heif_writer writer{1, append};
    error = heif_context_write(context.get(), &writer, &result.bytes);
  }
  if (error.code != heif_error_Ok) {
    result.bytes.clear();
    result.why = QString::fromUtf8(error.message);
  }
  return result;
}
