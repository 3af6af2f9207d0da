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
  const rows = new Map();  // field -> { row, cell, text }
  return {
    // Only the cells whose value changed are touched; they are marked until the next change.
    show(fields) {
      for (const entry of rows.values()) entry.row.className = '';
      for (const [name, value] of Object.entries(fields)) {
        const text = JSON.stringify(value);
        let entry = rows.get(name);
        if (!entry) {
          const row = document.createElement('tr');
          row.dataset.field = name;
          const label = document.createElement('td');
          label.textContent = name;
          const cell = document.createElement('td');
          row.append(label, cell);
          body.append(row);
          entry = { row, cell, text: undefined };
          rows.set(name, entry);
        }
        if (entry.text !== text) {
          if (entry.text !== undefined) entry.row.className = 'changed';
          entry.text = text;
          entry.cell.textContent = text;
        }
      }
      for (const [name, entry] of rows) {
        if (!(name in fields)) { entry.row.remove(); rows.delete(name); }
      }
    },
  };
}
