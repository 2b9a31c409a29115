// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/abbild/jpegencoder.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, whose default ends the process. Ours keeps the
// library's text and jumps back into Compress(), which turns it into a return value.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void outputMessage(j_common_ptr) {}  // warnings are not printed

// Destination manager writing into a std::vector that the caller owns, so that an error in the middle
// of compression leaves nothing for the library to free (jpeg_mem_dest would, and a second free
// after an error is the classic double free).
struct Destination {
  jpeg_destination_mgr pub;
  std::vector<unsigned char>* out;
  unsigned char buffer[16384];
};

void initDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
}

// Appends count bytes of the buffer; a failed allocation becomes a library error (never a C++
// exception unwinding through the C library's frames).
void appendOrFail(j_compress_ptr cinfo, size_t count) {
  auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
  bool ok = true;
  try {
    dest->out->insert(dest->out->end(), dest->buffer, dest->buffer + count);
  } catch (...) {
    ok = false;
  }
  if (!ok) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
  appendOrFail(cinfo, sizeof dest->buffer);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
  return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<Destination*>(cinfo->dest);
  appendOrFail(cinfo, sizeof dest->buffer - dest->pub.free_in_buffer);
}

// Everything between setjmp and its longjmp lives in plain C structures: no object with a destructor
// is created in this function, so the jump skips nothing that needed cleaning up. Returns false with
// the library's text in message on failure.
bool Compress(const QImage& rgb, int quality, bool progressive, std::vector<unsigned char>* out,
              char* message) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  Destination dest;

  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = errorExit;
  err.pub.output_message = outputMessage;
  err.message[0] = '\0';
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    return false;
  }
  jpeg_create_compress(&cinfo);

  dest.out = out;
  dest.pub.init_destination = initDestination;
  dest.pub.empty_output_buffer = emptyOutputBuffer;
  dest.pub.term_destination = termDestination;
  cinfo.dest = &dest.pub;

  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);

  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg only reads the rows; its interface just lacks the const.
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::vector<unsigned char> EncodeJpeg(const QImage& picture, int quality, bool progressive) {
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
    throw std::runtime_error("Kein Bild im Speicher");
  if (quality < 1 || quality > 100) throw std::invalid_argument("JPEG quality outside 1..100");
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) throw std::bad_alloc();
  std::vector<unsigned char> out;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Compress(rgb, quality, progressive, &out, message))
    throw std::runtime_error(std::string("JPEG error: ") + message);
  return out;
}
