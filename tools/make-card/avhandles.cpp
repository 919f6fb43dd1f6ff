#include "avhandles.h"

namespace av {

void OutputContextDeleter::operator()(AVFormatContext* c) const {
  if (c->pb && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
  avformat_free_context(c);
}

std::string ErrorText(int averror) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(averror, text, sizeof text);
  return text;
}

}  // namespace av
