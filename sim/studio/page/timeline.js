// The trace as a timeline: one lane per process; animations as bars of their duration, timers from
// schedule to fire or invalidation, notifications as arrows from post to delivery, presses and taps as
// marks, every other event as a tick. The wheel zooms around the pointer, dragging pans, "Fit" shows all;
// the trace's kind filter applies here too; a click shows the item's fields.
const kMaxEvents = 6000;
const kLaneHeight = 34;
const kLabelWidth = 110;
const marks = new Set(['button.volume', 'button.ringer', 'tap', 'interface.rotate']);

export function createTimeline(canvas, details, filter, fitButton) {
  const context = canvas.getContext('2d');
  const lanes = [];        // process names, in the order they first appear
  const items = [];        // { kind, lane, from, to, toLane, event, events }
  const openTimers = new Map();  // process|selector -> item
  const lastPost = new Map();    // process|name -> item
  const animations = new Map();  // process|id -> item
  let view = { start: 0, span: 5 };  // seconds shown
  let follow = true;                 // keep the newest events in view until the person zooms or pans
  let hits = [];                     // { x0, x1, y0, y1, item } as last drawn
  let selected = null;
  let pending = false;

  const laneOf = (process) => {
    let i = lanes.indexOf(process);
    if (i < 0) { lanes.push(process); i = lanes.length - 1; }
    return i;
  };
  const shown = (item) => !filter.value || item.events.some((e) => e.event === filter.value);

  function add(event) {
    const t = Number(event.t);
    const lane = laneOf(event.process);
    const key = (name) => event.process + '|' + name;
    let item = null;
    switch (event.event) {
      case 'animation.begin': {
        const start = t + Number(event.delay || 0);
        item = { kind: 'animation', lane, from: start, to: start + Number(event.duration || 0), events: [event] };
        animations.set(key(event.id), item);
        break;
      }
      case 'animation.complete': {
        const bar = animations.get(key(event.id));
        if (bar) { bar.to = Math.max(bar.from, Math.min(bar.to, t)); bar.events.push(event); animations.delete(key(event.id)); }
        else item = { kind: 'tick', lane, from: t, to: t, events: [event] };
        break;
      }
      case 'timer.schedule':
        item = { kind: 'timer', lane, from: t, to: Number(event.fireAt ?? t), open: true, events: [event] };
        if (!event.repeats) openTimers.set(key(event.selector), item);
        break;
      case 'timer.fire':
      case 'timer.invalidate': {
        const timer = openTimers.get(key(event.selector));
        if (timer) {
          timer.to = t;
          timer.open = false;
          timer.ended = event.event === 'timer.fire' ? 'fired' : 'invalidated';
          timer.events.push(event);
          openTimers.delete(key(event.selector));
        } else {
          item = { kind: 'tick', lane, from: t, to: t, events: [event] };
        }
        break;
      }
      case 'notification.post':
        item = { kind: 'post', lane, from: t, to: t, events: [event] };
        lastPost.set(key(event.name), item);
        break;
      case 'notification.deliver': {
        const post = lastPost.get((event.from ?? '') + '|' + event.name);
        item = post ? { kind: 'arrow', lane: post.lane, toLane: lane, from: post.from, to: t, events: [post.events[0], event] }
          : { kind: 'tick', lane, from: t, to: t, events: [event] };
        break;
      }
      default:
        item = { kind: marks.has(event.event) ? 'mark' : 'tick', lane, from: t, to: t, events: [event] };
    }
    if (item) items.push(item);
    if (items.length > kMaxEvents) items.splice(0, items.length - kMaxEvents);
    if (follow) {
      const end = Math.max(t, view.start + view.span);
      view.start = Math.max(0, end - view.span);
    }
    redraw();
  }

  function redraw() {
    if (pending) return;
    pending = true;
    requestAnimationFrame(() => { pending = false; draw(); });
  }

  function draw() {
    const ratio = window.devicePixelRatio || 1;
    const width = canvas.clientWidth;
    const height = Math.max(1, lanes.length) * kLaneHeight + 22;
    canvas.style.height = height + 'px';
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    context.clearRect(0, 0, width, height);
    const plot = width - kLabelWidth;
    const x = (t) => kLabelWidth + (t - view.start) / view.span * plot;
    const laneY = (lane) => 18 + lane * kLaneHeight;
    context.font = '11px ui-monospace, monospace';
    // The time axis.
    const step = niceStep(view.span / 8);
    context.fillStyle = '#6b6b76';
    context.strokeStyle = '#eee';
    for (let t = Math.ceil(view.start / step) * step; t <= view.start + view.span; t += step) {
      context.beginPath(); context.moveTo(x(t), 12); context.lineTo(x(t), height); context.stroke();
      context.fillText(t.toFixed(step < 0.1 ? 2 : 1) + ' s', x(t) + 2, 10);
    }
    lanes.forEach((name, i) => {
      context.fillStyle = i % 2 ? '#fafafc' : '#f3f0fa';
      context.fillRect(0, laneY(i), width, kLaneHeight);
      context.fillStyle = '#1c1c22';
      context.fillText(name.slice(0, 15), 4, laneY(i) + 20);
    });
    hits = [];
    context.save();
    context.beginPath(); context.rect(kLabelWidth, 0, plot, height); context.clip();
    for (const item of items) {
      if (!shown(item) || item.to < view.start || item.from > view.start + view.span) continue;
      const y = laneY(item.lane);
      const x0 = x(item.from), x1 = Math.max(x(item.to), x0 + 2);
      context.globalAlpha = item === selected ? 1 : 0.85;
      if (item.kind === 'animation') {
        context.fillStyle = '#7942d8';
        context.fillRect(x0, y + 4, x1 - x0, 10);
        hits.push({ x0, x1, y0: y + 4, y1: y + 14, item });
      } else if (item.kind === 'timer') {
        context.strokeStyle = item.ended === 'invalidated' ? '#b00020' : '#1f7a4d';
        context.setLineDash(item.open ? [4, 3] : []);
        context.lineWidth = 2;
        context.beginPath(); context.moveTo(x0, y + 20); context.lineTo(x1, y + 20); context.stroke();
        context.setLineDash([]);
        context.fillStyle = context.strokeStyle;
        context.fillRect(x1 - 1, y + 16, 2, 8);
        hits.push({ x0, x1, y0: y + 16, y1: y + 24, item });
      } else if (item.kind === 'arrow') {
        const y0 = y + 28, y1 = laneY(item.toLane) + 28;
        context.strokeStyle = '#c77700';
        context.lineWidth = 1.2;
        context.beginPath(); context.moveTo(x0, y0); context.lineTo(x1, y1); context.stroke();
        const angle = Math.atan2(y1 - y0, x1 - x0);
        context.beginPath();
        context.moveTo(x1, y1);
        context.lineTo(x1 - 6 * Math.cos(angle - 0.4), y1 - 6 * Math.sin(angle - 0.4));
        context.lineTo(x1 - 6 * Math.cos(angle + 0.4), y1 - 6 * Math.sin(angle + 0.4));
        context.fillStyle = '#c77700'; context.fill();
        hits.push({ x0: Math.min(x0, x1) - 3, x1: Math.max(x0, x1) + 3, y0: Math.min(y0, y1) - 3, y1: Math.max(y0, y1) + 3, item });
      } else if (item.kind === 'mark') {
        context.fillStyle = '#0a58ca';
        context.beginPath(); context.moveTo(x0, y + 2); context.lineTo(x0 + 5, y + 10); context.lineTo(x0 - 5, y + 10); context.fill();
        context.fillRect(x0 - 0.5, y + 2, 1, kLaneHeight - 4);
        hits.push({ x0: x0 - 5, x1: x0 + 5, y0: y, y1: y + kLaneHeight, item });
      } else {
        context.fillStyle = item.kind === 'post' ? '#c77700' : '#9a9aa6';
        context.fillRect(x0 - 0.5, y + 24, 1.5, 8);
        hits.push({ x0: x0 - 2, x1: x0 + 2, y0: y + 22, y1: y + 33, item });
      }
      if (item === selected) {
        context.strokeStyle = '#000'; context.lineWidth = 1;
        const h = hits[hits.length - 1];
        context.strokeRect(h.x0 - 1, h.y0 - 1, h.x1 - h.x0 + 2, h.y1 - h.y0 + 2);
      }
    }
    context.restore();
    canvas.dataset.items = String(hits.length);
    canvas.dataset.lanes = String(lanes.length);
  }

  function niceStep(raw) {
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    for (const m of [1, 2, 5, 10]) if (raw <= m * power) return m * power;
    return 10 * power;
  }

  function timeAt(clientX) {
    const box = canvas.getBoundingClientRect();
    return view.start + (clientX - box.left - kLabelWidth) / (box.width - kLabelWidth) * view.span;
  }

  function show(item) {
    selected = item;
    details.replaceChildren();
    if (!item) return redraw();
    const title = { animation: 'Animation', timer: 'Timer' + (item.ended ? ' (' + item.ended + ')' : ' (pending)'),
      arrow: 'Notification, post → delivery', mark: 'Input', post: 'Notification posted', tick: 'Event' }[item.kind];
    const heading = document.createElement('b');
    heading.textContent = `${title}: ${item.from.toFixed(3)}` + (item.to !== item.from ? `–${item.to.toFixed(3)} s` : ' s');
    details.append(heading);
    for (const e of item.events) {
      const line = document.createElement('pre');
      line.textContent = JSON.stringify(e);
      details.append(line);
    }
    redraw();
  }

  canvas.addEventListener('wheel', (event) => {
    event.preventDefault();
    follow = false;
    const at = timeAt(event.clientX);
    const factor = Math.exp(event.deltaY * 0.002);
    view.span = Math.min(3600, Math.max(0.005, view.span * factor));
    view.start = Math.max(0, at - (at - view.start) * factor);
    redraw();
  }, { passive: false });
  let drag = null;
  canvas.addEventListener('pointerdown', (event) => { drag = { x: event.clientX, start: view.start, moved: false }; });
  window.addEventListener('pointermove', (event) => {
    if (!drag) return;
    const dx = event.clientX - drag.x;
    if (Math.abs(dx) > 3) drag.moved = true;
    if (!drag.moved) return;
    follow = false;
    const box = canvas.getBoundingClientRect();
    view.start = Math.max(0, drag.start - dx / (box.width - kLabelWidth) * view.span);
    redraw();
  });
  window.addEventListener('pointerup', (event) => {
    if (drag && !drag.moved) {
      const box = canvas.getBoundingClientRect();
      const px = event.clientX - box.left, py = event.clientY - box.top;
      const hit = hits.slice().reverse().find((h) => px >= h.x0 && px <= h.x1 && py >= h.y0 && py <= h.y1);
      if (event.target === canvas) show(hit ? hit.item : null);
    }
    drag = null;
  });
  fitButton.addEventListener('click', () => {
    const visible = items.filter(shown);
    if (!visible.length) return;
    const from = Math.min(...visible.map((i) => i.from)), to = Math.max(...visible.map((i) => i.to));
    view = { start: Math.max(0, from - 0.05), span: Math.max(0.05, to - from + 0.1) };
    follow = true;
    redraw();
  });
  filter.addEventListener('change', redraw);
  window.addEventListener('resize', redraw);

  return {
    add,
    clear() { items.length = 0; lanes.length = 0; openTimers.clear(); lastPost.clear(); animations.clear(); show(null); },
    // For tests and scripts: what is drawn.
    summary() { return { lanes: [...lanes], kinds: items.filter(shown).map((i) => i.kind), view: { ...view } }; },
    // Selects the first item of a kind that is drawn (tests click through this as a person would).
    itemAt(kind) { return hits.find((h) => h.item.kind === kind); },
  };
}
