// The live phone: frames drawn upright for the way a person holds the phone, clicks on the screen sent as
// taps on the portrait screen, and the buttons beside it. It also times each "Volume up" from the click to
// the first new frame painted (window.studio.latencies, in milliseconds).
import { action, attempt } from './api.js';

// Degrees the portrait picture turns so that it stands upright in the person's hands, by orientation.
const uprightTurn = { 1: 0, 2: 180, 3: -90, 4: 90 };

// latencies: click to painted; stages: for each, when the answer came, the frame arrived and decoded.
export const studio = { latencies: [], stages: [], framesPainted: 0, lastFrame: null };
window.studio = studio;

export function createPhone(canvas) {
  const context = canvas.getContext('2d');
  let screen = { width: 375, height: 812 };
  let orientation = 1;
  let zoom = 1;
  let picture = null;  // the last decoded frame
  let highlight = null;  // [x, y, w, h] in portrait points: the inspector's view
  let decoding = false;
  let waiting = null;  // a frame that came in while another was decoding
  const painted = [];  // recent frames: { applied, time }
  const pressed = [];  // volume-up presses waiting for their frame: { request, start }

  function layout() {
    zoom = Math.max(0.45, Math.min(1, (window.innerHeight - 230) / screen.height));
    const turned = orientation === 3 || orientation === 4;
    const cssWidth = (turned ? screen.height : screen.width) * zoom;
    const cssHeight = (turned ? screen.width : screen.height) * zoom;
    const ratio = window.devicePixelRatio || 1;
    canvas.style.width = cssWidth + 'px';
    canvas.style.height = cssHeight + 'px';
    canvas.width = Math.round(cssWidth * ratio);
    canvas.height = Math.round(cssHeight * ratio);
    draw();
  }

  function draw() {
    if (!picture) return;
    const ratio = canvas.width / parseFloat(canvas.style.width);
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.clearRect(0, 0, canvas.width, canvas.height);
    context.translate(canvas.width / 2, canvas.height / 2);
    context.rotate((uprightTurn[orientation] || 0) * Math.PI / 180);
    const w = screen.width * zoom * ratio;
    const h = screen.height * zoom * ratio;
    context.imageSmoothingQuality = 'high';
    context.drawImage(picture, -w / 2, -h / 2, w, h);
    if (highlight) {
      const scale = zoom * ratio;
      context.strokeStyle = '#ff2d95';
      context.lineWidth = 2 * ratio;
      context.setLineDash([6 * ratio, 3 * ratio]);
      context.strokeRect(-w / 2 + highlight[0] * scale, -h / 2 + highlight[1] * scale, highlight[2] * scale, highlight[3] * scale);
      context.setLineDash([]);
    }
  }

  // Where a pointer event falls on the portrait screen, in points.
  function pointAt(event) {
    const box = canvas.getBoundingClientRect();
    const dx = (event.clientX - box.left - box.width / 2) / zoom;
    const dy = (event.clientY - box.top - box.height / 2) / zoom;
    const turn = -(uprightTurn[orientation] || 0) * Math.PI / 180;
    return { x: screen.width / 2 + dx * Math.cos(turn) - dy * Math.sin(turn),
      y: screen.height / 2 + dx * Math.sin(turn) + dy * Math.cos(turn) };
  }

  function settle(frame, arrived, decoded) {
    const time = performance.now();
    studio.framesPainted += 1;
    studio.lastFrame = { number: frame.number, applied: frame.applied, time: frame.time };
    painted.push({ applied: frame.applied, time });
    if (painted.length > 64) painted.shift();
    for (let i = pressed.length - 1; i >= 0; i -= 1) {
      if (pressed[i].request <= frame.applied) {
        const p = pressed[i];
        studio.latencies.push(time - p.start);
        studio.stages.push({ answered: p.answered - p.start, arrived: arrived - p.start, decoded: decoded - p.start });
        pressed.splice(i, 1);
      }
    }
  }

  async function show(frame, arrived = performance.now()) {
    if (decoding) { waiting = { frame, arrived }; return; }
    decoding = true;
    const image = new Image();
    image.src = 'data:image/png;base64,' + frame.png;
    try {
      await image.decode();
      picture = image;
      draw();
      const decoded = performance.now();
      // Painted once the browser has put this frame on screen.
      requestAnimationFrame(() => settle(frame, arrived, decoded));
    } catch { /* a frame that does not decode is skipped; the next one replaces it */ }
    decoding = false;
    if (waiting) { const next = waiting; waiting = null; show(next.frame, next.arrived); }
  }

  async function volumeUp() {
    const start = performance.now();
    const answer = await attempt(() => action('press', { button: 'up' }));
    if (!answer) return;
    // The frame may have been painted before the answer came back.
    const seen = painted.find((p) => p.applied >= answer.request && p.time >= start);
    if (seen) studio.latencies.push(seen.time - start);
    else pressed.push({ request: answer.request, start, answered: performance.now() });
  }

  // A click taps, unless the inspector holds the pointer: then it pins the view under it.
  let inspecting = false;
  canvas.addEventListener('click', (event) => {
    if (inspecting) return;
    const { x, y } = pointAt(event);
    attempt(() => action('tap', { x, y }));
  });
  window.addEventListener('resize', layout);
  layout();

  return {
    show,
    volumeUp,
    pointAt,
    canvas,
    setInspecting(on) { inspecting = on; if (!on) { highlight = null; draw(); } },
    highlight(frame) { highlight = frame; draw(); },
    setState(state) {
      const changed = state.orientation !== orientation || state.screen[0] !== screen.width ||
        state.screen[1] !== screen.height;
      orientation = state.orientation;
      screen = { width: state.screen[0], height: state.screen[1] };
      if (changed) layout();
    },
  };
}

export function wireButtons(phone) {
  const byId = (id) => document.getElementById(id);
  byId('volume-up').addEventListener('click', () => phone.volumeUp());
  byId('volume-down').addEventListener('click', () => attempt(() => action('press', { button: 'down' })));
  byId('ringer-switch').addEventListener('click', (event) => {
    const silent = event.currentTarget.getAttribute('aria-pressed') !== 'true';
    attempt(() => action('ringer-switch', { position: silent ? 'silent' : 'ring' }));
  });
  for (const b of byId('buttons-mode').querySelectorAll('button'))
    b.addEventListener('click', () => attempt(() => action('buttons', { mode: b.dataset.mode })));
  for (const b of byId('orientation').querySelectorAll('button'))
    b.addEventListener('click', () => attempt(() => action('rotate', { orientation: b.dataset.orientation })));
  byId('bar-colour').addEventListener('change', (event) =>
    attempt(() => action('bar-colour', { colour: event.target.value.toUpperCase() })));
  byId('content').addEventListener('change', (event) =>
    attempt(() => action('content', { name: event.target.value })));
}

export function showControls(state) {
  const byId = (id) => document.getElementById(id);
  const ringer = byId('ringer-switch');
  ringer.setAttribute('aria-pressed', String(state.silent));
  ringer.textContent = 'Ringer switch: ' + (state.silent ? 'silent' : 'ring');
  for (const b of byId('buttons-mode').querySelectorAll('button')) b.classList.toggle('on', b.dataset.mode === state.buttons);
  for (const b of byId('orientation').querySelectorAll('button'))
    b.classList.toggle('on', Number(b.dataset.number) === state.orientation);
  for (const b of byId('front').querySelectorAll('button')) b.classList.toggle('on', b.dataset.app === state.front);
  const colour = state.barColours[state.front];
  const picker = byId('bar-colour');
  picker.disabled = !state.front;
  if (colour && document.activeElement !== picker) picker.value = colour.toLowerCase();
  // The pictures come from the phone, which knows them; the app in front shows one, the home screen another.
  const content = byId('content');
  if (content.options.length !== state.pictures.length) {
    content.replaceChildren(...state.pictures.map((name) => new Option(name, name)));
  }
  content.title = state.front ? 'What the app in front shows' : "The home screen's wallpaper";
  if (document.activeElement !== content) content.value = state.contents[state.front] || 'plain';
}
