// The trace as it streams, filterable by event kind, and the HUD's fields as `snapshot` records them.
const kMaxLines = 600;

export function createTrace(box, filter) {
  const kinds = new Set();
  function visible(line) { return !filter.value || line.dataset.kind === filter.value; }
  filter.addEventListener('change', () => {
    for (const line of box.children) line.hidden = !visible(line);
  });
  return {
    add(event) {
      if (!kinds.has(event.event)) {
        kinds.add(event.event);
        const options = [...filter.options].slice(1).map((o) => o.value).concat(event.event).sort();
        filter.replaceChildren(filter.options[0], ...options.map((k) => new Option(k, k, false, k === filter.value)));
      }
      const { t, process, event: kind, ...rest } = event;
      const line = document.createElement('div');
      line.dataset.kind = kind;
      const head = document.createElement('span');
      head.className = 'kind';
      head.textContent = kind;
      line.append(Number(t).toFixed(3).padStart(9) + ' ' + process + ' ', head, ' ' + JSON.stringify(rest));
      line.hidden = !visible(line);
      const atBottom = box.scrollTop + box.clientHeight >= box.scrollHeight - 4;
      box.append(line);
      while (box.children.length > kMaxLines) box.firstChild.remove();
      if (atBottom) box.scrollTop = box.scrollHeight;
    },
    clear() { box.replaceChildren(); },
  };
}

export function createFields(table) {
  const body = table.tBodies[0];
  let previous = {};
  return {
    show(fields) {
      const rows = Object.entries(fields).map(([name, value]) => {
        const row = document.createElement("tr");
        const text = JSON.stringify(value);
        row.dataset.field = name;
        row.className = previous[name] !== undefined && previous[name] !== text ? 'changed' : '';
        const a = document.createElement('td');
        a.textContent = name;
        const b = document.createElement('td');
        b.textContent = text;
        row.append(a, b);
        return row;
      });
      previous = Object.fromEntries(Object.entries(fields).map(([k, v]) => [k, JSON.stringify(v)]));
      body.replaceChildren(...rows);
    },
  };
}
