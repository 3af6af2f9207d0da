// The settings pane, built from the table the server serves: one row per key with the control that suits
// it, whether it holds its default (with a reset), whether anything reads it, and the warnings `lint` has
// for it. Colours are shown as the server says the system draws them; the page parses none itself.
import { request, attempt } from './api.js';

// What the picker and the alpha slider write: "#RRGGBB:alpha", as the settings pane of the phone writes it.
function formatColourString(hex, alpha) {
  return hex.toUpperCase() + ':' + Number(alpha).toFixed(6);
}

function element(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name === 'class') e.className = value;
    else if (name.startsWith('on')) e.addEventListener(name.slice(2), value);
    else e.setAttribute(name, value);
  }
  for (const child of children) e.append(child);
  return e;
}

function write(key, value) {
  return attempt(() => request('PUT', 'api/settings/' + key, { value }));
}

// Range input events come fast while dragging: one write in flight, the latest value next.
function throttledWriter(key) {
  let busy = false;
  let pending;
  return async function send(value) {
    if (busy) { pending = value; return; }
    busy = true;
    await write(key, value);
    busy = false;
    if (pending !== undefined) { const next = pending; pending = undefined; send(next); }
  };
}

function switchControl(entry) {
  const input = element('input', { type: 'checkbox', role: 'switch', class: 'switch', 'data-key': entry.key,
    onchange: () => write(entry.key, input.checked) });
  return { node: input, show(value) { input.checked = Boolean(value); } };
}

// A value outside the options (the system reads any other whole number as centred) selects no segment
// and says so in lint's words.
function segmentedControl(entry) {
  const box = element('span', { class: 'segmented', 'data-key': entry.key });
  const buttons = entry.options.map((o) => element('button', { type: 'button', 'data-value': o.value,
    onclick: () => write(entry.key, o.value) }, o.label));
  const outside = element('span', { class: 'outside', 'data-key': entry.key + '.outside' });
  box.append(...buttons, outside);
  return { node: box, show(value, { warnings }) {
    const n = Number(value);
    const known = entry.options.some((o) => o.value === n);
    for (const b of buttons) b.classList.toggle('on', known && Number(b.dataset.value) === n);
    outside.textContent = known ? '' : warnings.length ? warnings.map((w) => w.text).join('; ') : `${value} is none of these`;
  } };
}

// The field takes any number; the slider follows it, and its arrow keys step from the value the file holds
// (typed or dragged), not from where the slider's own steps would round it.
function numberControl(entry) {
  const send = throttledWriter(entry.key);
  const step = Number(entry.step) || 1;
  const field = element('input', { type: 'number', step: 'any', 'data-key': entry.key });
  const slider = element('input', { type: 'range', min: entry.min, max: entry.max, step: entry.step, 'data-key': entry.key,
    oninput: () => { field.value = slider.value; send(Number(slider.value)); } });
  const typed = () => field.value !== '' && Number.isFinite(Number(field.value));
  field.addEventListener('change', () => {
    if (!typed()) return;
    slider.value = field.value;
    write(entry.key, Number(field.value));
  });
  slider.addEventListener('keydown', (event) => {
    const moves = { ArrowRight: step, ArrowUp: step, ArrowLeft: -step, ArrowDown: -step, PageUp: 10 * step, PageDown: -10 * step };
    if (!(event.key in moves) || !typed()) return;
    event.preventDefault();
    // Steps are decimal: add in whole steps so that 137.5 + 1 is 138.5, not 138.49999.
    const digits = Math.max(0, -Math.floor(Math.log10(step)) + 3);
    const next = Number((Number(field.value) + moves[event.key]).toFixed(digits));
    field.value = String(next);
    slider.value = String(next);
    send(next);
  });
  const box = element('span', { class: 'control' }, field, slider, element('span', { class: 'unit' }, entry.unit));
  let dragging = false;
  slider.addEventListener('pointerdown', () => { dragging = true; });
  window.addEventListener('pointerup', () => { dragging = false; });
  return { node: box, show(value) {
    const n = Number(value);
    if (document.activeElement !== field) field.value = String(n);
    if (!dragging) slider.value = String(n);
  } };
}

function colourControl(entry) {
  const send = throttledWriter(entry.key);
  const picker = element('input', { type: 'color', 'data-key': entry.key });
  const alpha = element('input', { type: 'range', min: 0, max: 1, step: 0.01, title: 'alpha', 'data-key': entry.key + '.alpha' });
  const text = element('span', { class: 'colour-text' });
  const change = () => {
    const value = formatColourString(picker.value, alpha.value);
    text.textContent = value;
    send(value);
  };
  picker.addEventListener('input', change);
  alpha.addEventListener('input', change);
  const box = element('span', { class: 'control' }, picker, alpha, text);
  // `verdict` is the server's: the string the system parses, the colour it draws and why.
  return { node: box, show(value, { verdict }) {
    if (!verdict) return;
    const note = verdict.source === 'file' || verdict.source === 'default' ? '' : ' (' + verdict.source + ')';
    text.textContent = verdict.text + note;
    if (document.activeElement !== picker) picker.value = verdict.hex.toLowerCase();
    if (document.activeElement !== alpha) alpha.value = String(verdict.alpha);
  } };
}

const controls = { switch: switchControl, segmented: segmentedControl, number: numberControl, colour: colourControl };

// Whether a value of the file is one the control can show (the system reads anything else as absent).
function usable(entry, value) {
  if (value === undefined) return false;
  if (entry.control === 'colour') return typeof value === 'string';
  return typeof value === 'boolean' || typeof value === 'number';
}

export function buildPane(groups, container) {
  const rows = [];
  const fileLint = element('div', { class: 'file-lint' });
  container.append(fileLint);
  for (const group of groups) {
    container.append(element('h2', {}, group.title));
    for (const entry of group.keys) {
      const control = controls[entry.control](entry);
      const state = element('span', { class: 'state' });
      const lint = element('div', { class: 'lint' });
      const name = element('span', { class: 'name' }, entry.key);
      if (entry.variable) name.append(element('small', {}, entry.variable));
      else if (entry.about) name.append(element('small', {}, entry.about));
      if (!entry.read) name.append(element('small', { class: 'unread' }, 'read by nothing: changes nothing'));
      const row = element('div', { class: 'setting' + (entry.read ? '' : ' unread'), 'data-setting': entry.key },
        name, control.node, state, lint);
      container.append(row);
      rows.push({ entry, control, state, lint });
    }
  }
  return {
    update(settings, warnings, colours = {}) {
      const concerns = (w, key) => w.key === key || (w.alsoKeys || []).includes(key);
      fileLint.textContent = warnings.filter((w) => !w.key || !rows.some((r) => concerns(w, r.entry.key)))
        .map((w) => '⚠ ' + w.text).join('\n');
      for (const r of rows) {
        const value = settings[r.entry.key];
        const inFile = value !== undefined;
        const mine = warnings.filter((w) => concerns(w, r.entry.key));
        r.control.show(usable(r.entry, value) ? value : r.entry.default, { warnings: mine, verdict: colours[r.entry.key] });
        r.state.replaceChildren(inFile ? 'set' : 'default');
        if (inFile) {
          r.state.append(' ', element('button', { type: 'button', title: 'Back to ' + JSON.stringify(r.entry.default),
            onclick: () => attempt(() => request('DELETE', 'api/settings/' + r.entry.key)) }, 'reset'));
        }
        r.lint.textContent = mine.map((w) => '⚠ ' + w.text).join('\n');
      }
    },
  };
}
