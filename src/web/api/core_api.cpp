// The C functions that the page's script calls (src/web/page/core.js).
// Texts go out as UTF-8, valid until the next call. The card's files go in
// and out through the module's in-memory files (memory_files.cpp), where
// the core reads and writes them with the same code as the program: the
// script copies the card's SETTING folder into /card/ before opening it,
// and the files back after a save.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/app/language_choice.h"
#include "core/io/file.h"
#include "core/lang/lang_manager.h"
#include "core/settings/card_settings.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"
#include "core/text/u16.h"
#include "web/api/embedded_tables.h"
#include "web/api/page_views.h"
#include "web/api/zone_table.h"

namespace {

std::optional<CTimeZoneInfoManager> catalogue;
std::optional<web::SettingsPages> settingsPages;
settings::CardSettings card;
std::string reply;

const char* Reply(std::string text) {
  reply = std::move(text);
  return reply.c_str();
}

void LoadLanguage(std::u16string_view name) {
  lang::Lang().LoadLanguage(name, web::EmbeddedTables(web::EmbeddedTables::Set::kProgram));
  web::PageLang().LoadLanguage(name, web::EmbeddedTables(web::EmbeddedTables::Set::kPage));
}

}  // namespace

extern "C" {

// Once, before anything else: the zone catalogue, and the PC's zone from
// the browser's IANA zone name. The page speaks `language` ("english" or
// "french") until a card is opened.
EMSCRIPTEN_KEEPALIVE void web_start(const char* ianaZone, const char* language) {
  catalogue.emplace(web::ZoneTable());
  settingsPages.emplace(*catalogue, web::PcZoneOf(ianaZone));
  LoadLanguage(text::Ascii(language));
}

// Opens the settings in /card/ as the program opens a card's folder, in the
// language the program would choose without its viewer running. Returns
// that language's table name.
EMSCRIPTEN_KEEPALIVE const char* web_open() {
  delete settingsRecord;
  settingsRecord = new SettingsRecord{};
  card.Load("/card/");
  const std::u16string_view language = app::ChooseLanguage(false, u"", settingsRecord->language);
  LoadLanguage(language);
  settingsPages->ShowRecord();
  return Reply(text::ToUtf8(language));
}

// The factory settings, as the program's Initialize puts them.
EMSCRIPTEN_KEEPALIVE void web_initialize() {
  SettingsFile().LoadDefaults(*settingsRecord);
  settingsPages->ShowRecord();
}

// Saves setup.cfg and writes or deletes time.dat in `folder` ("/card/"). 1
// when both were written.
EMSCRIPTEN_KEEPALIVE int web_save(const char* folder) {
  return card.Save(folder) ? 1 : 0;
}

// The four pages as JSON (see page_views.h); today's date dates the examples.
EMSCRIPTEN_KEEPALIVE const char* web_view(int year, int month, int day) {
  return Reply(settingsPages->View({year, month, day}));
}

// `page` counts the tabs from 0 (Common).
EMSCRIPTEN_KEEPALIVE void web_click(int page, int id, int checked) {
  settingsPages->Click(static_cast<web::Page>(page), id, checked != 0);
}

EMSCRIPTEN_KEEPALIVE void web_slide(int page, int id, int position) {
  settingsPages->Slide(static_cast<web::Page>(page), id, position);
}

EMSCRIPTEN_KEEPALIVE void web_choose_zone(int index) {
  settingsPages->ChooseZone(index);
}

// `edit` is a web::ClockEdit; the date and time are those the controls show.
EMSCRIPTEN_KEEPALIVE void web_edit_clock(int edit, int ticked, int year, int month, int dayOfWeek,
                                         int day, int hour, int minute, int second) {
  const auto field = [](int value) { return static_cast<std::uint16_t>(value); };
  const SystemTime shown{field(year), field(month),  field(dayOfWeek), field(day),
                         field(hour), field(minute), field(second),    0};
  settingsPages->EditClock(static_cast<web::ClockEdit>(edit), ticked != 0, shown);
}

// The text of `key` from the page's own table, else from the program's.
EMSCRIPTEN_KEEPALIVE const char* web_text(const char* key) {
  const std::u16string name = text::Ascii(key);
  std::u16string found = web::PageLang().GetLangText(name);
  if (found.empty()) found = lang::Lang().GetLangText(name);
  return Reply(text::ToUtf8(found));
}

// Replaces the file at `path` with `length` bytes, or deletes it when
// `length` is negative. 1 on success.
EMSCRIPTEN_KEEPALIVE int web_put_file(const char* path, const std::byte* data, int length) {
  if (length < 0) {
    io::RemoveFile(path);
    return 1;
  }
  io::File file = io::File::Open(path, io::File::Mode::kReplace);
  return file.Write(std::span(data, static_cast<std::size_t>(length))) && file.Close() ? 1 : 0;
}

// The length of the file at `path`, -1 when there is none.
EMSCRIPTEN_KEEPALIVE int web_file_length(const char* path) {
  io::File file = io::File::Open(path, io::File::Mode::kRead);
  const std::optional<std::uint64_t> size = file.Size();
  return file.IsOpen() && size ? static_cast<int>(*size) : -1;
}

// Reads the file at `path` into `buffer` (web_file_length bytes); 1 on success.
EMSCRIPTEN_KEEPALIVE int web_get_file(const char* path, std::byte* buffer, int length) {
  io::File file = io::File::Open(path, io::File::Mode::kRead);
  const std::optional<std::size_t> read =
      file.Read(std::span(buffer, static_cast<std::size_t>(length)));
  return read && *read == static_cast<std::size_t>(length) ? 1 : 0;
}

}  // extern "C"
