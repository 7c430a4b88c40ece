// The page's life: the core loads (data-state "ready"), a card's folder is
// opened and shown ("loaded"), Save writes everything ("saved"); anything
// that goes wrong is said on the page ("error").
const root = document.documentElement;
const $ = (id) => document.getElementById(id);
const PAGE_COUNT = 4;

let core = null;
let card = null;
let updatePages = null;
let tabs = null;

function setState(state, message = '') {
  root.dataset.state = state;
  $('message').textContent = message;
  $('message').setAttribute('role', state === 'error' ? 'alert' : 'status');
}

function setLanguage(table) {
  root.lang = table === 'french' ? 'fr' : 'en';
  document.title = $('title').textContent = core.text('IDS_STRING101');
  $('open-hint').textContent = core.text(canWriteInPlace() ? 'IDS_WEB_OPEN_HINT' : 'IDS_WEB_PICK');
  $('open').textContent = core.text('IDS_WEB_OPEN');
  $('initialize').textContent = core.text('IDS_STRING106');
  $('cancel').textContent = core.text('IDS_STRING107');
  $('save').textContent = core.text('IDS_STRING108');
}

const refresh = () => updatePages(core.view(new Date()));

function edited() {
  refresh();
  if (root.dataset.state !== 'loaded') setState('loaded');
}

const handlers = {
  click(page, control, input) {
    if (control.confirm && !window.confirm(control.confirm)) {
      refresh();
      return;
    }
    if (page === 0 && control.id === clockCheckId) editClock(ClockEdit.tick);
    else core.click(page, control.id, input.checked);
    edited();
  },
  slide(page, control, input) {
    core.slide(page, control.id, Number(input.value));
    edited();
  },
  zone(index) {
    core.chooseZone(index);
    edited();
  },
  clock(kind) {
    editClock(kind === 'date' ? ClockEdit.date : ClockEdit.time);
    edited();
  },
  button(action) {
    if (action === 'now') {
      const now = new Date();
      clockInput('date').value = dateText(now);
      clockInput('time').value = timeText(now);
      editClock(ClockEdit.now);
      edited();
    } else if (action === 'copy') {
      keepCopy();
    }
  },
};

// The clock setting's controls, found by kind on the Common page.
let clockCheckId = 0;
const clockInput = (kind) => $('panels').querySelector(`#page-0 input[type="${kind}"]`);

function editClock(edit) {
  const date = clockInput('date').value || dateText(new Date());
  const time = clockInput('time').value || timeText(new Date());
  const shown = new Date(`${date}T${time.length === 5 ? `${time}:00` : time}`);
  const ticked = $('panels').querySelector('#page-0 input[type="checkbox"]').checked;
  core.editClock(edit, ticked, shown);
}

function show(table) {
  setLanguage(table);
  const view = core.view(new Date());
  clockCheckId = view[0].flatMap((s) => s.lines.flat()).find((c) => c.kind === 'check').id;
  const panels = [...Array(PAGE_COUNT).keys()].map((page) => element('div', { id: `page-${page}`, className: 'page' }));
  $('panels').replaceChildren(...panels);
  updatePages = buildPages(panels, view, handlers);
  const names = ['IDS_STRING102', 'IDS_STRING103', 'IDS_STRING104', 'IDS_STRING105'].map(core.text);
  tabs = makeTabs($('tabs'), names, panels, tabs ? tabs.selected() : 0);
  for (const id of ['tabs', 'panels', 'commands']) $(id).hidden = false;
  $('opener').hidden = true;
}

// Files picked or dropped, read whole first: the folder may go away.
async function openPicked(files) {
  let picked;
  try {
    picked = await PickedCard.from(await files);
  } catch (error) {
    setState('error', core.text('IDS_WEB_OPEN_FAILED'));
    return;
  }
  await openCard(picked);
}

async function openCard(opened) {
  try {
    for (const name of ['setup.cfg', 'time.dat']) core.putFile(`/card/${name}`, await opened.read(name));
  } catch (error) {
    setState('error', core.text('IDS_WEB_OPEN_FAILED'));
    return;
  }
  card = opened;
  show(core.open());
  setState('loaded');
}

async function save() {
  const failed = () => setState('error', `${core.text('IDS_STRING197')}\n${core.text('IDS_STRING1970')}`);
  try {
    // The record goes over the file the card holds now, as the program writes it.
    core.putFile('/card/setup.cfg', await card.read('setup.cfg'));
    if (!core.save('/card/')) {
      failed();
      return;
    }
    const settings = core.getFile('/card/setup.cfg');
    const clock = core.getFile('/card/time.dat');
    await card.write('setup.cfg', settings);
    if (clock) await card.write('time.dat', clock);
    else await card.remove('time.dat');
    const instruction = clock ? 'IDS_WEB_COPY_BOTH' : 'IDS_WEB_COPY_SETTINGS';
    setState('saved', core.text(card.inPlace ? 'IDS_WEB_SAVED' : instruction));
  } catch (error) {
    failed();
  }
}

// What Save would write, downloaded to keep while the card is formatted.
async function keepCopy() {
  try {
    core.putFile('/copy/setup.cfg', await card.read('setup.cfg'));
  } catch (error) {
    setState('error', core.text('IDS_WEB_OPEN_FAILED'));
    return;
  }
  core.save('/copy/');
  await new PickedCard().write('setup.cfg', core.getFile('/copy/setup.cfg'));
}

async function chooseFolder() {
  if (!canWriteInPlace()) {
    $('pick-folder').click();
    return;
  }
  let handle;
  try {
    handle = await window.showDirectoryPicker({ id: 'dash-cam-card', mode: 'readwrite' });
  } catch (error) {
    return; // the driver closed the picker
  }
  await openCard(new FolderCard(handle));
}

async function start() {
  const zone = Intl.DateTimeFormat().resolvedOptions().timeZone || '';
  const language = navigator.language.toLowerCase().startsWith('fr') ? 'french' : 'english';
  try {
    core = await loadCore(zone, language);
  } catch (error) {
    setState('error', 'The page could not start. / La page n\'a pas pu démarrer.');
    return;
  }
  setLanguage(language);
  $('open').addEventListener('click', chooseFolder);
  $('pick-folder').addEventListener('change', (event) => openPicked(event.target.files));
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    openPicked(droppedFiles(event.dataTransfer));
  });
  $('initialize').addEventListener('click', () => {
    core.initialize();
    edited();
  });
  $('cancel').addEventListener('click', () => openCard(card));
  $('save').addEventListener('click', save);
  setState('ready');
}

start();
