#include "core/card/format_message.h"

#include "core/lang/lang_manager.h"

namespace card {
namespace {

std::u16string Text(std::u16string_view key) {
  return lang::Lang().GetLangText(key);
}

std::u16string Line(std::u16string_view key) {
  return Text(key) + u"\r\n";
}

std::u16string Headline(const CardFormatResult& result) {
  switch (result.outcome) {
    case FormatOutcome::kSucceeded:
      // The one message without a line end, as it always was.
      return result.restore.Complete() ? Text(u"IDS_STRING179") : Line(u"IDS_STRING198");
    case FormatOutcome::kCardTooSmall:
      return Line(u"IDS_STRING201");
    case FormatOutcome::kCardTooLarge:
      return Line(u"IDS_STRING202");
    case FormatOutcome::kFailed:
      break;
  }
  return Line(u"IDS_STRING181") + Line(u"IDS_STRING1810");
}

}  // namespace

std::u16string FormatResultMessage(const CardFormatResult& result) {
  const RestoreReport& restore = result.restore;
  std::u16string message = Headline(result);
  // Each further paragraph after an empty line, so the headline stands out.
  if (restore.settingsUnreadable) {
    message += u"\r\n" + Line(restore.earlierCopyBack ? u"IDS_STRING203" : u"IDS_STRING200");
  }
  std::u16string missing;
  if (restore.settingsMissing) missing = u"setup.cfg";
  for (const std::u16string& name : restore.missingFiles) {
    missing += (missing.empty() ? u"" : u", ") + name;
  }
  if (!missing.empty()) {
    message +=
        u"\r\n" + Text(u"IDS_STRING199") + u" " + missing + u"\r\n" + Line(u"IDS_STRING1990");
  }
  return message;
}

}  // namespace card
