#pragma once
// Diagnostic lines: one call per line, exact texts. On Windows they go to the
// debugger output; tests install a collecting sink to check them.

#include <string>
#include <string_view>
#include <vector>

namespace diag {

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Write(std::u16string_view line) = 0;
};

// The sink in force; nullptr (the start value) drops every line. Not owned.
void SetSink(Sink* sink);
Sink* CurrentSink();

// Writes one line to the sink in force.
void Write(std::u16string_view line);

// Collects lines in memory; installs itself for its lifetime and restores
// the previous sink afterwards.
class CollectingSink : public Sink {
 public:
  CollectingSink();
  ~CollectingSink() override;
  CollectingSink(const CollectingSink&) = delete;
  CollectingSink& operator=(const CollectingSink&) = delete;

  void Write(std::u16string_view line) override { lines.emplace_back(line); }

  std::vector<std::u16string> lines;

 private:
  Sink* previous_;
};

}  // namespace diag
