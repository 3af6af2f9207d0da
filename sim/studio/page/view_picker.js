// The inspector: with it on, the pointer over the phone's screen shows the view under it (window, class,
// frame in screen points; for the HUD's views their fields as `snapshot` records them) and ready `expect`
// lines to copy or to run on the command line. A click pins the view; moving on lets it go.
import { request } from './api.js';

export function createViewPicker(phone, toggle, box, run) {
  let busy = false;
  let next = null;
  let pinned = false;

  function render(answer) {
    box.replaceChildren();
    if (!answer.hit) {
      box.textContent = `Nothing visible at ${answer.x.toFixed(1)}, ${answer.y.toFixed(1)}`;
      phone.highlight(null);
      return;
    }
    phone.highlight(answer.frame);
    const head = document.createElement('div');
    head.className = 'inspected';
    head.dataset.class = answer.class;
    head.textContent = `${answer.name || answer.class}  ·  ${answer.class} in ${answer.window} (${answer.process})  ·  frame ${answer.frame.join(' ')}`;
    box.append(head);
    const fields = Object.entries(answer.fields);
    if (fields.length) {
      const table = document.createElement('table');
      for (const [name, value] of fields) {
        const row = table.insertRow();
        row.insertCell().textContent = name;
        row.insertCell().textContent = JSON.stringify(value);
      }
      box.append(table);
    }
    for (const line of answer.expect) {
      const row = document.createElement('div');
      row.className = 'expect-line';
      const code = document.createElement('code');
      code.textContent = line;
      const copy = document.createElement('button');
      copy.type = 'button';
      copy.textContent = 'copy';
      copy.addEventListener('click', () => navigator.clipboard.writeText(line).catch(() => {}));
      const runIt = document.createElement('button');
      runIt.type = 'button';
      runIt.textContent = 'run';
      runIt.addEventListener('click', () => run(line));
      row.append(code, ' ', copy);
      if (run) row.append(' ', runIt);
      box.append(row);
    }
  }

  async function look(point) {
    if (busy) { next = point; return; }
    busy = true;
    try {
      render(await request('GET', `api/inspect?x=${point.x.toFixed(2)}&y=${point.y.toFixed(2)}`));
    } catch (error) {
      box.textContent = error.message;
    }
    busy = false;
    if (next) { const p = next; next = null; look(p); }
  }

  phone.canvas.addEventListener('pointermove', (event) => {
    if (toggle.checked && !pinned) look(phone.pointAt(event));
  });
  phone.canvas.addEventListener('click', (event) => {
    if (!toggle.checked) return;
    pinned = !pinned;
    look(phone.pointAt(event));
  });
  toggle.addEventListener('change', () => {
    pinned = false;
    phone.setInspecting(toggle.checked);
    box.hidden = !toggle.checked;
    if (!toggle.checked) box.replaceChildren();
  });
  box.hidden = true;
  return { look };
}
