'use strict';
// A minimal Chrome DevTools Protocol client for headless Chromium, talking over the
// --remote-debugging-pipe file descriptors (3: to the browser, 4: from it; messages end with NUL).
// It needs nothing outside Node's own modules and opens no network port.

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const CHROMIUM = process.env.DW_CHROMIUM || '/usr/bin/chromium';

class Browser {
  static async launch() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'dw-chromium-'));
    const args = [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-extensions', '--disable-default-apps', '--mute-audio', '--hide-scrollbars',
      '--allow-file-access-from-files', '--remote-debugging-pipe',
      // Several tabs render at once; none of them may be slowed down as a background tab.
      '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows',
      `--user-data-dir=${profile}`, 'about:blank',
    ];
    const proc = spawn(CHROMIUM, args, {
      stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'],
      env: { ...process.env, TZ: 'UTC' },
    });
    let stderr = '';
    proc.stderr.on('data', (d) => { stderr = (stderr + d).slice(-4000); });
    const b = new Browser(proc, profile);
    b.stderrTail = () => stderr;
    return b;
  }

  constructor(proc, profile) {
    this.proc = proc;
    this.profile = profile;
    this.out = proc.stdio[3];
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    let buf = Buffer.alloc(0);
    proc.stdio[4].on('data', (chunk) => {
      buf = Buffer.concat([buf, chunk]);
      let end;
      while ((end = buf.indexOf(0)) >= 0) {
        const msg = JSON.parse(buf.subarray(0, end).toString('utf8'));
        buf = buf.subarray(end + 1);
        this.dispatch(msg);
      }
    });
    proc.on('exit', (code, sig) => {
      for (const { reject } of this.pending.values())
        reject(new Error(`chromium exited (${code ?? sig})\n${this.stderrTail()}`));
      this.pending.clear();
    });
  }

  dispatch(msg) {
    if (msg.id !== undefined) {
      const p = this.pending.get(msg.id);
      if (!p) return;
      this.pending.delete(msg.id);
      if (msg.error) p.reject(new Error(`${p.method}: ${msg.error.message}`));
      else p.resolve(msg.result);
      return;
    }
    for (const l of this.listeners) l(msg);
  }

  send(method, params = {}, sessionId) {
    const id = this.nextId++;
    const msg = { id, method, params };
    if (sessionId) msg.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.out.write(JSON.stringify(msg) + '\0');
    });
  }

  on(fn) { this.listeners.push(fn); }

  async newPage() {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank', newWindow: true });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId, targetId);
    await page.init();
    return page;
  }

  async close() {
    const exited = this.proc.exitCode !== null ? Promise.resolve()
      : new Promise((r) => this.proc.once('exit', r));
    this.send('Browser.close').catch(() => {});
    const timer = setTimeout(() => this.proc.kill('SIGKILL'), 5000);
    await exited;
    clearTimeout(timer);
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

class Page {
  constructor(browser, sessionId, targetId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.problems = [];     // console errors and uncaught exceptions of the current document
    this.loadWaiters = [];
    browser.on((msg) => {
      if (msg.sessionId !== sessionId) return;
      // Timers of the previous document may still report after a navigation has begun; only
      // the current document's main context counts.
      if (msg.method === 'Runtime.executionContextCreated' && msg.params.context.auxData &&
          msg.params.context.auxData.isDefault && msg.params.context.auxData.frameId === this.targetId) {
        this.contextId = msg.params.context.id;
      } else if (msg.method === 'Runtime.exceptionThrown') {
        const d = msg.params.exceptionDetails;
        if (d.executionContextId === this.contextId)
          this.problems.push('exception: ' + ((d.exception && d.exception.description) || d.text));
      } else if (msg.method === 'Runtime.consoleAPICalled' && msg.params.type === 'error') {
        if (msg.params.executionContextId !== this.contextId) return;
        this.problems.push('console.error: ' + msg.params.args.map((a) => a.value ?? a.description).join(' '));
      } else if (msg.method === 'Log.entryAdded' && msg.params.entry.level === 'error') {
        this.problems.push('log: ' + msg.params.entry.text);
      } else if (msg.method === 'Page.loadEventFired') {
        const w = this.loadWaiters; this.loadWaiters = [];
        w.forEach((f) => f());
      } else if (msg.method === 'Page.javascriptDialogOpening') {
        this.send('Page.handleJavaScriptDialog', { accept: true }).catch(() => {});
      }
    });
  }

  send(method, params) { return this.browser.send(method, params, this.sessionId); }

  async init() {
    await Promise.all([
      this.send('Page.enable'), this.send('Runtime.enable'), this.send('Log.enable'),
    ]);
  }

  async setViewport(width, height) {
    await this.send('Emulation.setDeviceMetricsOverride', {
      width, height, deviceScaleFactor: 1, mobile: false, screenWidth: width, screenHeight: height,
    });
  }

  // Loads url and resolves after its load event. Problems are collected from here on.
  async goto(url) {
    this.problems = [];
    this.contextId = undefined;
    const loaded = new Promise((r) => this.loadWaiters.push(r));
    const res = await this.send('Page.navigate', { url });
    if (res.errorText) throw new Error(`navigate ${url}: ${res.errorText}`);
    await loaded;
  }

  // Evaluates an expression in the page; promises are awaited, the value returned by value.
  async eval(expression) {
    const r = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (r.exceptionDetails) {
      const d = r.exceptionDetails;
      throw new Error('eval: ' + ((d.exception && d.exception.description) || d.text));
    }
    return r.result.value;
  }

  mouse(type, x, y) {
    return this.send('Input.dispatchMouseEvent', { type, x, y, button: 'none' });
  }

  async screenshot(file) {
    const { data } = await this.send('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(file, Buffer.from(data, 'base64'));
  }
}

module.exports = { Browser, Page };
