// A small WebDriver client over fetch: just what the studio's browser test needs, nothing to install.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

export function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export class Browser {
  static async start({ chromium, chromedriver, width = 1400, height = 1000 }) {
    const port = await freePort();
    const driver = spawn(chromedriver, [`--port=${port}`], { stdio: 'ignore' });
    const profile = mkdtempSync(join(tmpdir(), 'studio-chromium-'));
    const browser = new Browser(`http://127.0.0.1:${port}`, driver, profile);
    for (let i = 0; ; i += 1) {
      try {
        const status = await (await fetch(browser.base + '/status')).json();
        if (status.value && status.value.ready) break;
      } catch { /* not listening yet */ }
      if (i > 100) throw new Error('chromedriver did not start');
      await sleep(50);
    }
    const session = await browser.call('POST', '/session', {
      capabilities: { alwaysMatch: { 'goog:loggingPrefs': { browser: 'ALL' }, 'goog:chromeOptions': { binary: chromium, args: [
        '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync',
        `--user-data-dir=${profile}`, `--window-size=${width},${height}`, '--force-device-scale-factor=1',
      ] } } },
    });
    browser.session = session.sessionId;
    await browser.call('POST', browser.s('/timeouts'), { script: 110000 });
    return browser;
  }

  constructor(base, driver, profile) {
    this.base = base;
    this.driver = driver;
    this.profile = profile;
    this.session = null;
  }

  async call(method, path, body) {
    const response = await fetch(this.base + path, {
      method,
      headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok) throw new Error(`${method} ${path}: ${answer.value && answer.value.message}`);
    return answer.value;
  }

  s(path) { return `/session/${this.session}${path}`; }
  go(url) { return this.call('POST', this.s('/url'), { url }); }
  run(script, ...args) { return this.call('POST', this.s('/execute/sync'), { script, args }); }
  runAsync(script, ...args) { return this.call('POST', this.s('/execute/async'), { script, args }); }
  async find(css) { return (await this.call('POST', this.s('/element'), { using: 'css selector', value: css }))[ELEMENT]; }
  async click(css) { return this.call('POST', this.s(`/element/${await this.find(css)}/click`), {}); }
  async type(css, text) {
    const id = await this.find(css);
    await this.call('POST', this.s(`/element/${id}/clear`), {});
    return this.call('POST', this.s(`/element/${id}/value`), { text });
  }
  // Keys typed into an element as it is, without clearing it first.
  async keys(css, text) { return this.call('POST', this.s(`/element/${await this.find(css)}/value`), { text }); }
  // The mouse at a point of the viewport (CSS pixels), optionally clicking there, as a person moves it.
  pointer(x, y, click = false) {
    const actions = [{ type: 'pointerMove', duration: 0, origin: 'viewport', x: Math.round(x), y: Math.round(y) }];
    if (click) actions.push({ type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 });
    return this.call('POST', this.s('/actions'), {
      actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }],
    });
  }
  screenshot() { return this.call('GET', this.s('/screenshot')); }

  async waitFor(script, what, timeoutMs = 10000, ...args) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      const value = await this.run(script, ...args);
      if (value) return value;
      if (Date.now() > until) throw new Error('timed out waiting for ' + what);
      await sleep(20);
    }
  }

  async close() {
    try { if (this.session) await this.call('DELETE', `/session/${this.session}`); } catch { /* already gone */ }
    this.driver.kill();
    rmSync(this.profile, { recursive: true, force: true });
  }
}
