// The four pages as the core describes them (web_view): each section a
// group named by its title, each line of the program's layout a row of
// native controls at the program's indents. Built once per card; after
// every edit the core's view of the record sets the controls again.

const pad = (n) => String(n).padStart(2, '0');
const dateText = (t) => `${t.getFullYear()}-${pad(t.getMonth() + 1)}-${pad(t.getDate())}`;
const timeText = (t) => `${pad(t.getHours())}:${pad(t.getMinutes())}:${pad(t.getSeconds())}`;

function element(tag, properties = {}, ...children) {
  const node = Object.assign(document.createElement(tag), properties);
  node.append(...children);
  return node;
}

// The control's own element (the input, select or button) and what wraps it.
function buildControl(control, page, handlers) {
  const named = (input) => {
    if (control.name) input.setAttribute('aria-label', control.name);
    return input;
  };
  switch (control.kind) {
    case 'label':
      return { node: element('span', { className: control.bold ? 'label bold' : 'label', textContent: control.text }) };
    case 'note':
      return { node: element('p', { className: 'note', textContent: control.text }) };
    case 'radio':
    case 'check': {
      const input = named(element('input', { type: control.kind === 'radio' ? 'radio' : 'checkbox' }));
      if (control.kind === 'radio') input.name = `page${page}-field${control.group}`;
      input.addEventListener('change', () => handlers.click(page, control, input));
      return { node: element('label', { className: 'choice' }, input, control.text), input };
    }
    case 'slider': {
      const input = named(element('input', { type: 'range', min: control.low, max: control.high, step: 1 }));
      input.addEventListener('input', () => handlers.slide(page, control, input));
      const marks = control.marks.map((mark) =>
        element('span', { textContent: mark.text, style: `left:${(100 * mark.left) / control.width}%` }));
      const node = element('div', { className: 'slider' }, input, element('div', { className: 'marks' }, ...marks));
      node.style.width = `${control.width}px`;
      return { node, input };
    }
    case 'date':
    case 'time': {
      const input = named(element('input', { type: control.kind }));
      if (control.kind === 'time') input.step = 1;
      input.addEventListener('change', () => handlers.clock(control.kind, input));
      return { node: input, input };
    }
    case 'zones': {
      const input = named(element('select', {}, ...control.options.map((text) => element('option', { textContent: text }))));
      input.addEventListener('change', () => handlers.zone(input.selectedIndex));
      return { node: input, input };
    }
    case 'button': {
      const input = element('button', { type: 'button', textContent: control.text });
      input.addEventListener('click', () => handlers.button(control.action));
      return { node: input, input };
    }
    case 'shares':
      return { node: element('div', { className: 'shares' }), shares: true };
    case 'picture': {
      const picture = PICTURES[control.id];
      return { node: element('img', { src: picture.src, srcset: `${picture.src2x} 2x`, alt: '' }) };
    }
    default:
      return { node: element('span') };
  }
}

function updateControl(control, built) {
  const { input } = built;
  if (built.shares) {
    built.node.replaceChildren(...control.bars.flatMap((bar, kind) => [
      element('span', { textContent: bar.text }),
      element('span', { className: 'percent', textContent: bar.percent }),
      element('div', { className: `bar kind${kind}`, style: `width:${bar.width}px` })]));
    return;
  }
  if (!input) return;
  input.disabled = !control.enabled;
  switch (control.kind) {
    case 'radio':
    case 'check':
      input.checked = control.checked;
      break;
    case 'slider':
      input.value = control.value;
      input.setAttribute('aria-valuetext', control.valueText);
      break;
    case 'zones':
      input.selectedIndex = control.value;
      break;
    case 'date':
    case 'time':
      // Without a clock setting the pickers show the present, as the program's do.
      if (control.valueText) input.value = control.valueText;
      else if (!input.value) input.value = control.kind === 'date' ? dateText(new Date()) : timeText(new Date());
      break;
    default:
      break;
  }
}

// Builds the pages into `panels`; returns update(view), which sets every
// control from a newer view of the same pages.
function buildPages(panels, view, handlers) {
  const built = new Map();
  const key = (page, control, index) => `${page}:${control.id}:${index}`;
  const forEachControl = (v, visit) => v.forEach((sections, page) => {
    let index = 0;
    sections.forEach((section) => section.lines.forEach((line) =>
      line.forEach((control) => visit(page, control, index++))));
  });

  panels.forEach((panel, page) => panel.replaceChildren(...view[page].map((section) => {
    const fieldset = element('fieldset', { className: 'section' },
      element('legend', { className: 'section-title', textContent: section.title }));
    fieldset.append(...section.lines.map((line) => element('div', { className: 'line' })));
    return fieldset;
  })));
  forEachControl(view, (page, control, index) => {
    const b = buildControl(control, page, handlers);
    built.set(key(page, control, index), b);
  });
  // Each control at the program's indent, or at its gap from the one before.
  view.forEach((sections, page) => {
    let index = 0;
    sections.forEach((section, s) => section.lines.forEach((line, l) => {
      const row = panels[page].children[s].children[l + 1];
      let right = 0;
      line.forEach((control) => {
        const b = built.get(key(page, control, index++));
        // A scale text left of its slider ("V") needs room of its own.
        const before = Math.max(0, ...control.marks.map((mark) => -mark.left));
        b.node.style.marginLeft = `${Math.max(right ? 6 : 0, control.x - right) + before}px`;
        if (control.kind === 'radio' || control.kind === 'check') b.node.style.minWidth = `min(${control.width}px, 100%)`;
        right = control.x + (control.kind === 'picture' ? PICTURES[control.id].width : control.width);
        row.append(b.node);
      });
    }));
  });

  const update = (newer) => forEachControl(newer, (page, control, index) => {
    const b = built.get(key(page, control, index));
    if (b) updateControl(control, b);
  });
  update(view);
  return update;
}
