// The studio page: the pane on the left, the live phone on the right, the trace and the HUD's fields below,
// all fed by one stream of server-sent events.
import { request, attempt, say } from './api.js';
import { buildPane } from './pane.js';
import { createPhone, wireButtons, showControls } from './phone.js';
import { createTrace, createFields } from './trace.js';
import { createTimeline } from './timeline.js';
import { createCommandLine } from './command_line.js';
import { createViewPicker } from './view_picker.js';

function download(blob, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// Held upside down, the interface is laid out as in portrait and not turned, as on the real phone: the page
// turns the picture to stand in the person's hands, so the interface reads upside down. Said, so that it is
// not taken for a drawing fault.
function showScreenNote(state, models) {
  const model = models.find((m) => m.identifier === state.model);
  document.getElementById('screen-note').textContent = state.orientation !== 2 ? '' :
    'Upside down: the interface is drawn upside down, as the real phone' + (model && model.notched ? ' (a notched model)' : '') +
    ' draws it; the system lays it out as in portrait and does not turn it.';
}

async function start() {
  const table = await request('GET', 'api/table');
  const pane = buildPane(table.groups, document.getElementById('pane'));
  const phone = createPhone(document.getElementById('screen'));
  wireButtons(phone);
  const commands = createCommandLine(document.getElementById('command-form'), document.getElementById('command'),
    document.getElementById('command-log'));
  createViewPicker(phone, document.getElementById('inspect'), document.getElementById('inspector'), commands.run);
  const trace = createTrace(document.getElementById('trace'), document.getElementById('trace-filter'));
  const fields = createFields(document.getElementById('fields'));
  const timeline = createTimeline(document.getElementById('timeline'), document.getElementById('timeline-details'),
    document.getElementById('trace-filter'), document.getElementById('timeline-fit'));
  window.studio.timeline = timeline;
  document.getElementById('trace-clear').addEventListener('click', () => { trace.clear(); timeline.clear(); });

  const device = document.getElementById('device');
  for (const m of table.models) device.append(new Option(`${m.identifier} (${m.name})`, m.identifier));
  device.addEventListener('change', () => attempt(async () => {
    await request('POST', 'api/device', { model: device.value });
    say('Rebooted as ' + device.value + ' with the same settings');
  }));

  const front = document.getElementById('front');
  const home = document.createElement('button');
  home.type = 'button';
  home.dataset.app = '';
  home.textContent = 'home';
  front.append(home);
  for (const app of table.apps) {
    const b = document.createElement('button');
    b.type = 'button';
    b.dataset.app = app.bundle;
    b.textContent = `${app.name} (${app.bar === 'none' ? 'no' : app.bar} bar)`;
    front.append(b);
  }
  for (const b of front.querySelectorAll('button'))
    b.addEventListener('click', () => attempt(() => request('POST', 'api/action', { kind: 'front', app: b.dataset.app })));

  document.getElementById('import').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (!file) return;
    if (file.size > 1024 * 1024) return say('The file is larger than 1 MB', true);
    const answer = await attempt(() => request('PUT', 'api/settings.plist', file, 'application/x-plist'));
    if (answer) say(`Imported ${file.name}` + (answer.lint.length ? ` with ${answer.lint.length} warning(s): ` +
      answer.lint.map((w) => w.text).join('; ') : ' without warnings'));
  });

  const record = document.getElementById('record');
  record.addEventListener('click', async () => {
    record.disabled = true;
    say('Recording 5 s…');
    await attempt(async () => {
      const response = await fetch('api/recording.webp?seconds=5');
      if (!response.ok) throw new Error((await response.json()).error);
      download(await response.blob(), 'tarvo12-studio.webp');
      say('Recorded 5 s');
    });
    record.disabled = false;
  });

  document.getElementById('copy-scenario').addEventListener('click', () => attempt(async () => {
    const text = await request('GET', 'api/scenario');
    document.getElementById('scenario-text').value = text;
    try {
      await navigator.clipboard.writeText(text);
      say('The scenario is on the clipboard');
    } catch { /* the dialog shows it for copying by hand */ }
    document.getElementById('scenario-dialog').showModal();
  }));

  const events = new EventSource('api/events');
  events.addEventListener('frame', (e) => phone.show(JSON.parse(e.data)));
  events.addEventListener('trace', (e) => {
    const event = JSON.parse(e.data);
    trace.add(event);
    timeline.add(event);
  });
  events.addEventListener('fields', (e) => fields.show(JSON.parse(e.data)));
  // Each request brings a state; the pane is redrawn only when the file or its warnings changed.
  let paneShows = '';
  events.addEventListener('state', (e) => {
    const state = JSON.parse(e.data);
    device.value = state.model;
    phone.setState(state);
    showControls(state);
    showScreenNote(state, table.models);
    const shown = JSON.stringify([state.settings, state.lint, state.colours]);
    if (shown !== paneShows) {
      paneShows = shown;
      pane.update(state.settings, state.lint, state.colours);
    }
    document.body.dataset.ready = 'true';
  });
  // A new phone's clock starts at zero: its timeline starts afresh.
  events.addEventListener('reboot', () => { trace.add({ t: 0, process: 'studio', event: 'reboot' }); timeline.clear(); });
  events.addEventListener('error', () => say('The connection to the studio is lost; it retries', true));
}

start().catch((error) => say(error.message, true));
