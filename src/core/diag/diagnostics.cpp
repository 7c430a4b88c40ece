#include "core/diag/diagnostics.h"

namespace diag {
namespace {
Sink* g_sink = nullptr;
}

void SetSink(Sink* sink) { g_sink = sink; }
Sink* CurrentSink() { return g_sink; }

void Write(std::u16string_view line) {
  if (g_sink != nullptr) g_sink->Write(line);
}

CollectingSink::CollectingSink() : previous_(CurrentSink()) { SetSink(this); }
CollectingSink::~CollectingSink() { SetSink(previous_); }

}  // namespace diag
