#include "platform/text_sink.h"

#include "platform/failure.h"
#include "platform/host/spool_file.h"

namespace verdan {

void TextSink::write_spool(SpoolFile& spool) {
  spool.replay([this](std::string_view bytes) { write(bytes); });
}

void TextSink::rewrite(std::int64_t /*offset*/, std::int64_t /*length*/, std::string_view /*bytes*/) {
  fail(kIllegalFunctionCall, "this output cannot be written over");
}

}  // namespace verdan
