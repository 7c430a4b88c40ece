#include "core/card/card_format_run.h"

namespace card {

CardFormatResult RunCardFormat(const CardFormatRun& run) {
  CardRestore restore(run.files, run.paths, run.kept, run.identify());
  const FormatOutcome outcome = run.format();
  return {outcome, restore.PutBack(run.identify(), run.carried)};
}

}  // namespace card
