// SPDX-License-Identifier: GPL-3.0-or-later
// Many phones store their photos as HEIF (HEVC inside). Qt has no reader for it on Debian, so libheif
// decodes them. It cannot decode at a reduced size: the declared size is checked first, and the
// picture is scaled down right after decoding like every other.
#include <libheif/heif.h>

#include <QFile>
#include <memory>

#include "scan/heifload.h"
#include "scan/scan.h"

namespace {

QString reasonOf(const heif_error& error) {
  switch (error.code) {
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature:
    case heif_error_Decoder_plugin_error:
      return UnsupportedReason();
    case heif_error_Input_does_not_exist:
      return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case heif_error_Memory_allocation_error:
      if (error.subcode == heif_suberror_Security_limit_exceeded)
        return QStringLiteral("Das Bild ist zu groß (höchstens %1 Millionen Bildpunkte).")
            .arg(kScanMaxPicturePixels / 1'000'000);
      break;
    default:
      break;
  }
  return DamagedReason();
}

struct HeifFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
  void operator()(const heif_image_handle* h) const { heif_image_handle_release(h); }
  void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

}  // namespace

bool IsHeifFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // The file type box comes first and names the brands within its first few dozen bytes.
  const QByteArray head = file.read(64);
  if (head.size() < 12) return false;
  const heif_filetype_result type =
      heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), int(head.size()));
  return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

QImage DecodeHeif(const QString& path, QString& reason) {
  const std::unique_ptr<heif_context, HeifFree> context(heif_context_alloc());
  if (!context) {
    reason = DamagedReason();
    return {};
  }
  heif_error error = heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr);
  heif_image_handle* primary = nullptr;
  if (error.code == heif_error_Ok) error = heif_context_get_primary_image_handle(context.get(), &primary);
  const std::unique_ptr<const heif_image_handle, HeifFree> handle(primary);
  if (error.code != heif_error_Ok) {
    reason = reasonOf(error);
    return {};
  }
  const int width = heif_image_handle_get_width(handle.get());
  const int height = heif_image_handle_get_height(handle.get());
  if (qint64(width) * height > kScanMaxPicturePixels) {
    reason = TooLargeReason(width, height);
    return {};
  }
  const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
  const std::unique_ptr<heif_decoding_options, HeifFree> options(heif_decoding_options_alloc());
  if (options) options->convert_hdr_to_8bit = 1;
  heif_image* decoded = nullptr;
  error =
      heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
  if (error.code != heif_error_Ok || !decoded) {
    if (decoded) heif_image_release(decoded);
    reason = reasonOf(error);
    return {};
  }
  int stride = 0;
  const uint8_t* pixels = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
  const int w = heif_image_get_width(decoded, heif_channel_interleaved);
  const int h = heif_image_get_height(decoded, heif_channel_interleaved);
  if (!pixels || w <= 0 || h <= 0) {
    heif_image_release(decoded);
    reason = DamagedReason();
    return {};
  }
  // The picture keeps libheif's pixels and hands them back when the last copy goes.
  return QImage(
      pixels, w, h, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888,
      [](void* image) { heif_image_release(static_cast<heif_image*>(image)); }, decoded);
}

QStringList HeifSuffixes() {
  QStringList suffixes;
  if (heif_have_decoder_for_format(heif_compression_HEVC))
    suffixes << "heic"
             << "heif";
  if (heif_have_decoder_for_format(heif_compression_AV1)) suffixes << "avif";
  return suffixes;
}
