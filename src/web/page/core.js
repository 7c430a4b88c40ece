// The C++ core in WebAssembly (src/web/api/core_api.cpp): every row,
// option, value and text the page shows comes from it, and every edit goes
// into it. The card's files pass through its in-memory folder /card/.
const ClockEdit = { tick: 0, date: 1, time: 2, now: 3 };

// The WebAssembly, unpacked from the page's own copy (CORE_WASM, gzip in
// base64): nothing is fetched, so the page works from a file:// address.
async function coreBinary() {
  const packed = Uint8Array.from(atob(CORE_WASM), (c) => c.charCodeAt(0));
  const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

async function loadCore(ianaZone, language) {
  const module = await createCore({ wasmBinary: await coreBinary() });
  const text = (pointer) => module.UTF8ToString(pointer);
  const call = (name, ...args) => module.ccall(
    name, 'number', args.map((a) => (typeof a === 'string' ? 'string' : 'number')), args);
  module.ccall('web_start', null, ['string', 'string'], [ianaZone, language]);

  function putFile(path, bytes) {
    if (!bytes) return call('web_put_file', path, 0, -1) === 1;
    const buffer = module._malloc(Math.max(bytes.length, 1));
    module.HEAPU8.set(bytes, buffer);
    const done = call('web_put_file', path, buffer, bytes.length) === 1;
    module._free(buffer);
    return done;
  }

  function getFile(path) {
    const length = call('web_file_length', path);
    if (length < 0) return null;
    const buffer = module._malloc(Math.max(length, 1));
    const done = call('web_get_file', path, buffer, length) === 1;
    const bytes = done ? module.HEAPU8.slice(buffer, buffer + length) : null;
    module._free(buffer);
    return bytes;
  }

  return {
    text: (key) => text(call('web_text', key)),
    // Opens the files put into /card/; returns the language's table name.
    open: () => text(call('web_open')),
    initialize: () => call('web_initialize'),
    save: (folder) => call('web_save', folder) === 1,
    view: (today) => JSON.parse(text(call('web_view', today.getFullYear(),
                                            today.getMonth() + 1, today.getDate()))),
    click: (page, id, checked) => call('web_click', page, id, checked ? 1 : 0),
    slide: (page, id, position) => call('web_slide', page, id, position),
    chooseZone: (index) => call('web_choose_zone', index),
    editClock: (edit, ticked, t) =>
      call('web_edit_clock', edit, ticked ? 1 : 0, t.getFullYear(), t.getMonth() + 1, t.getDay(),
           t.getDate(), t.getHours(), t.getMinutes(), t.getSeconds()),
    putFile,
    getFile,
  };
}
