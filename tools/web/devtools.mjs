// Headless Chromium driven over the DevTools protocol with nothing but node's own WebSocket
// (node 20 needs --experimental-websocket): start the browser, open a page, evaluate, click, type.
import { spawn, spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const kGameWidth = 800;
export const kGameHeight = 600;
const kNamedKeys = { Enter: 13, Escape: 27, F10: 121 };

export function findBrowser() {
  for (const name of ['chromium', 'chromium-browser', 'google-chrome']) {
    const found = spawnSync('sh', ['-c', `command -v ${name}`], { encoding: 'utf8' });
    if (found.status === 0) return found.stdout.trim();
  }
  return null;
}

// Waits for `condition` (which may be async) to give something truthy, polling; what it gave.
export async function waitFor(condition, timeoutMs, what) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > end) throw new Error(`timed out after ${timeoutMs / 1000} s waiting for ${what}`);
    await new Promise((wake) => setTimeout(wake, 100));
  }
}

export class Browser {
  // A fresh profile each time, so no earlier run's storage or cache is seen.
  static async launch(executable, windowSize) {
    const profile = mkdtempSync(join(tmpdir(), 'skull-chromium-'));
    const child = spawn(executable, [
      '--headless=new', '--no-sandbox', '--no-first-run', '--no-default-browser-check',
      '--disable-gpu', '--remote-debugging-port=0', `--user-data-dir=${profile}`,
      `--window-size=${windowSize}`, 'about:blank',
    ], { stdio: ['ignore', 'ignore', 'pipe'] });
    let log = '';
    const address = await new Promise((found, fail) => {
      const timer = setTimeout(() => fail(new Error(`the browser did not start:\n${log}`)), 60000);
      child.stderr.on('data', (chunk) => {
        log += chunk;
        const match = /DevTools listening on (ws:\/\/\S+)/.exec(log);
        if (match) {
          clearTimeout(timer);
          found(match[1]);
        }
      });
      child.on('exit', (code) => fail(new Error(`the browser left with ${code}:\n${log}`)));
    });
    const browser = new Browser(child, profile);
    await browser.connect(address);
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
  }

  connect(address) {
    this.socket = new WebSocket(address);
    this.socket.onmessage = (event) => this.receive(JSON.parse(event.data));
    return new Promise((open, fail) => {
      this.socket.onopen = open;
      this.socket.onerror = () => fail(new Error(`cannot reach the browser at ${address}`));
    });
  }

  receive(message) {
    if (message.id && this.pending.has(message.id)) {
      const { done, fail, method } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) fail(new Error(`${method}: ${message.error.message}`));
      else done(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  call(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.socket.send(JSON.stringify({ id, method, params, sessionId }));
    return new Promise((done, fail) => this.pending.set(id, { done, fail, method }));
  }

  async openPage() {
    const { targetId } = await this.call('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.call('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId);
    this.listeners.push((message) => {
      if (message.sessionId === sessionId) page.event(message.method, message.params);
    });
    for (const domain of ['Page', 'Runtime', 'Log']) await page.call(`${domain}.enable`);
    return page;
  }

  // The profile is removed once the browser has let go of it.
  async close() {
    this.socket?.close();
    if (this.child.exitCode === null) {
      const exited = new Promise((done) => this.child.once('exit', done));
      this.child.kill();
      await Promise.race([exited, sleep(10000)]);
    }
    // The browser's helper processes may still be writing into it for a moment after it left.
    for (let attempt = 0; ; ++attempt) {
      try {
        rmSync(this.profile, { recursive: true, force: true, maxRetries: 5 });
        return;
      } catch (error) {
        if (attempt === 10) {
          console.warn(`the browser's profile ${this.profile} could not be removed: ${error.message}`);
          return;
        }
        await sleep(500);
      }
    }
  }
}

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.errors = [];
  }

  call(method, params = {}) {
    return this.browser.call(method, params, this.sessionId);
  }

  // Everything the page reports as an error is kept for the test to show.
  event(method, params) {
    if (method === 'Runtime.exceptionThrown') {
      const details = params.exceptionDetails;
      this.errors.push(`exception: ${details.exception?.description ?? details.text}`);
    } else if (method === 'Runtime.consoleAPICalled' && params.type === 'error') {
      this.errors.push(`console.error: ${params.args.map((a) => a.value ?? a.description).join(' ')}`);
    } else if (method === 'Log.entryAdded' && params.entry.level === 'error') {
      this.errors.push(`log: ${params.entry.text} ${params.entry.url ?? ''}`);
    }
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.call('Runtime.evaluate', {
      expression, returnByValue: true, awaitPromise: true,
    });
    if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.text}`);
    return result.value;
  }

  async navigate(url) {
    await this.call('Page.navigate', { url });
  }

  // The page's CSS pixel under a point of the game's 800 x 600 picture.
  async toPage(x, y) {
    const box = await this.evaluate(
      '(() => { const r = document.getElementById("canvas").getBoundingClientRect();' +
      ' return [r.left, r.top, r.width, r.height]; })()');
    return [box[0] + (x * box[2]) / kGameWidth, box[1] + (y * box[3]) / kGameHeight];
  }

  async mouse(type, x, y, extra = {}) {
    const [px, py] = await this.toPage(x, y);
    await this.call('Input.dispatchMouseEvent', { type, x: px, y: py, ...extra });
  }

  async click(x, y) {
    await this.mouse('mouseMoved', x, y);
    await this.mouse('mousePressed', x, y, { button: 'left', buttons: 1, clickCount: 1 });
    await sleep(120);
    await this.mouse('mouseReleased', x, y, { button: 'left', buttons: 0, clickCount: 1 });
  }

  // A drag in small steps, so the game sees the pointer travel while the button is held.
  async drag(fromX, fromY, toX, toY) {
    await this.mouse('mouseMoved', fromX, fromY);
    await this.mouse('mousePressed', fromX, fromY, { button: 'left', buttons: 1, clickCount: 1 });
    const steps = 10;
    for (let i = 1; i <= steps; ++i) {
      await sleep(40);
      const x = fromX + ((toX - fromX) * i) / steps;
      const y = fromY + ((toY - fromY) * i) / steps;
      await this.mouse('mouseMoved', x, y, { button: 'left', buttons: 1 });
    }
    await sleep(100);
    await this.mouse('mouseReleased', toX, toY, { button: 'left', buttons: 0, clickCount: 1 });
  }

  // A key held for `holdMs`: a letter, or one of the named keys the tests press.
  async key(name, holdMs) {
    const named = kNamedKeys[name];
    const upper = name.toUpperCase();
    const key = named ? { key: name, code: name, windowsVirtualKeyCode: named, nativeVirtualKeyCode: named }
                      : { key: name, code: `Key${upper}`, windowsVirtualKeyCode: upper.charCodeAt(0),
                          nativeVirtualKeyCode: upper.charCodeAt(0) };
    await this.call('Input.dispatchKeyEvent', { type: 'keyDown', ...(named ? {} : { text: name }), ...key });
    await sleep(holdMs);
    await this.call('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
  }

  // The canvas every `step` pixels, as RGBA bytes, `step` x `step` times smaller than the game's.
  async pixels(step) {
    const text = await this.evaluate(`(() => {
      const data = document.getElementById('canvas').getContext('2d')
          .getImageData(0, 0, ${kGameWidth}, ${kGameHeight}).data;
      let out = '';
      for (let y = 0; y < ${kGameHeight}; y += ${step})
        for (let x = 0; x < ${kGameWidth}; x += ${step}) {
          const at = (y * ${kGameWidth} + x) * 4;
          out += String.fromCharCode(data[at], data[at + 1], data[at + 2], data[at + 3]);
        }
      return btoa(out);
    })()`);
    return Buffer.from(text, 'base64');
  }
}

export function sleep(ms) {
  return new Promise((wake) => setTimeout(wake, ms));
}
