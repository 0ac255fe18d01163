// The player's hands in each engine: one driver per engine, each giving the cases the same `t`
// (frontends/web/tests/cases/*.mjs). Chromium and Firefox ESR through puppeteer-core (Firefox over WebDriver
// BiDi), WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver. All run with
// windows on the X display in DISPLAY, whose clipboard xclip fills and reads, so that Ctrl+V
// pastes and Ctrl+C copies as for a player.
//
// Each `t` has: engine, open({ view, where, setup }), eval, click, tap, press, type, undo,
// setClipboard, clipboard, download, screenshot, resize, errors, installability and accessibility (Chromium only), and two
// for the hosted site's case:
// reload() (the same page again, in the same session) and stopServer() (the page's server gone).
// A row's `setup` (a function, or its source) runs in the page before the page's own scripts;
// the test server puts it in, so it works over http in every engine, not from disk.
import { execFile, spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';

import { chromiumArgs, pageFile, serve } from './browser.mjs';

const wide = { width: 760, height: 480 };
const ready = () => document.documentElement.dataset.kernel;
const sleep = (ms) => new Promise((resolve) => { setTimeout(resolve, ms); });

// The X clipboard, served by one xclip at a time until the browser takes it over.
let clipboardOwner = null;
async function setClipboard(text) {
  clipboardOwner?.kill();
  clipboardOwner = spawn('xclip', ['-quiet', '-selection', 'clipboard', '-i'], { stdio: ['pipe', 'ignore', 'ignore'] });
  clipboardOwner.stdin.end(text);
  const want = Buffer.from(text).toString();
  for (let i = 0; i < 50 && (await readClipboard()) !== want; ++i) await sleep(100);
}
async function readClipboard() {
  try {
    // Under load an xclip has been seen waiting for ever on a megabyte's transfer: asked again;
    // a day's reports are more than execFile's 1 MB by default.
    return (await promisify(execFile)('xclip', ['-o', '-selection', 'clipboard'], { encoding: 'utf8', timeout: 20000, maxBuffer: 1 << 28 })).stdout;
  } catch {
    return '';
  }
}

// The page's address for a case. Every page gets a server of its own, so that a case may stop it;
// a setup function runs in the page before its own scripts (the server puts it in first).
async function address(where = 'http', setup) {
  if (where === 'file') {
    if (setup) throw new Error('a page from disk takes no setup');
    return { url: pageFile, server: null };
  }
  const server = await serve(setup);
  return { url: `${server.origin}/${where === 'site' ? 'site/' : 'korva-counter.html'}`, server };
}

// Where a browser saves what a page downloads: a folder of the run's own, emptied before each.
const downloadFolder = () => mkdtempSync(join(tmpdir(), 'korva-downloads-'));
const partial = (name) => /\.(crdownload|part)$/.test(name);

// What every driver shares: the server, the clipboard, the downloads, the errors.
class Hands {
  constructor(engine, downloads) {
    this.engine = engine;
    this.downloads = downloads;
    this.errors = [];
    this.server = null;
    this.view = wide;
  }

  // Clicks what saves a file, and returns the file's name and bytes once the browser has written
  // it (no partial file left beside it).
  async download(selector) {
    for (const name of readdirSync(this.downloads)) rmSync(join(this.downloads, name), { recursive: true, force: true });
    await this.click(selector);
    for (let tries = 0; tries < 200; ++tries) {
      await sleep(50);
      const names = readdirSync(this.downloads);
      if (names.length === 1 && !partial(names[0])) return { name: names[0], bytes: readFileSync(join(this.downloads, names[0])) };
    }
    throw new Error(`no download, only ${readdirSync(this.downloads).join(', ') || 'nothing'}`);
  }

  async open({ view = wide, where = 'http', setup } = {}) {
    await this.server?.stop();
    const { url, server } = await address(where, setup);
    this.server = server;
    this.view = view;
    this.errors.length = 0;
    await this.load(url, view);
  }

  // Stops the page's server and cuts its connections, as a lost network would.
  async stopServer() {
    await this.server?.stop();
    this.server = null;
  }

  setClipboard(text) { return setClipboard(text); }
  clipboard() { return readClipboard(); }
  undo() { return this.press('Control+Z'); }
  tap(selector) { return this.click(selector); }
  async close() {
    await this.server?.stop();
    rmSync(this.downloads, { recursive: true, force: true });
  }
}

// Chromium's editing commands for the shortcuts: its synthesized keys do not edit by themselves.
const chromiumCommands = { 'Control+A': 'SelectAll', 'Control+C': 'Copy', 'Control+V': 'Paste', 'Control+X': 'Cut',
  'Control+Z': 'Undo' };

class PuppeteerHands extends Hands {
  constructor(engine, browser, downloads) {
    super(engine, downloads);
    this.browser = browser;
  }

  async load(url, view) {
    await this.context?.close();
    // Firefox takes its download folder from the preferences it was launched with.
    this.context = await this.browser.createBrowserContext(this.engine === 'chromium'
      ? { downloadBehavior: { policy: 'allow', downloadPath: this.downloads } } : {});
    this.page = await this.context.newPage();
    this.page.on('pageerror', (error) => this.errors.push(String(error)));
    await this.resize(view);
    await this.page.goto(url);
    await this.page.waitForFunction(ready);
  }

  async reload() {
    await this.page.reload();
    await this.page.waitForFunction(ready);
  }

  async resize({ width, height, touch = this.view.touch }) {
    this.view = { ...this.view, width, height };
    // Firefox over BiDi emulates the size alone.
    const phone = this.engine === 'chromium' && touch ? { isMobile: true, hasTouch: true } : {};
    await this.page.setViewport({ width, height, deviceScaleFactor: 1, ...phone });
  }

  eval(fn, ...args) { return this.page.evaluate(fn, ...args); }
  click(selector) { return this.page.click(selector); }
  tap(selector) { return this.engine === 'chromium' && this.view.touch ? this.page.tap(selector) : this.click(selector); }

  async press(keys) {
    const names = keys.split('+').map((name) => (name.length === 1 ? `Key${name.toUpperCase()}` : name === 'Space' ? ' ' : name));
    const key = names.pop();
    for (const modifier of names) await this.page.keyboard.down(modifier);
    const commands = this.engine === 'chromium' && chromiumCommands[keys] ? [chromiumCommands[keys]] : [];
    await this.page.keyboard.press(key, { commands });
    for (const modifier of names.reverse()) await this.page.keyboard.up(modifier);
  }

  type(text) { return this.page.keyboard.type(text); }

  // Chromium's reasons not to install the page as an app, and its manifest's errors.
  get installability() {
    if (this.engine !== 'chromium') return undefined;
    return async () => {
      const session = await this.page.createCDPSession();
      const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
      const { errors } = await session.send('Page.getAppManifest');
      await session.detach();
      // Each page opens in a fresh incognito context of its own, where no page installs.
      return [...installabilityErrors.map((error) => error.errorId).filter((id) => id !== 'in-incognito'),
        ...errors.map((error) => error.message)];
    };
  }
  // The tree Chromium hands a screen reader; WebDriver BiDi (Firefox) and WebKit's driver give none.
  get accessibility() {
    if (this.engine !== 'chromium') return undefined;
    return () => this.page.accessibility.snapshot();
  }

  async screenshot() { return Buffer.from(await this.page.screenshot()); }

  async close() {
    await this.context?.close();
    await super.close();
  }
}

async function launchPuppeteer(engine) {
  const downloads = downloadFolder();
  const browser = await puppeteer.launch(engine === 'firefox'
    ? { browser: 'firefox', executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr', headless: false,
      extraPrefsFirefox: { 'browser.download.folderList': 2, 'browser.download.dir': downloads,
        'browser.download.useDownloadDir': true, 'browser.download.always_ask_before_handling_new_types': false } }
    : { executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: false, args: chromiumArgs });
  const hands = new PuppeteerHands(engine, browser, downloads);
  return { hands, close: async () => { await hands.close(); await browser.close(); } };
}

const webkitKeys = { Control: Key.CONTROL, Shift: Key.SHIFT, Alt: Key.ALT, Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE,
  Space: Key.SPACE, Backspace: Key.BACK_SPACE, F10: Key.F10, Delete: Key.DELETE, End: Key.END, Home: Key.HOME,
  ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN };

class WebKitHands extends Hands {
  constructor(driver, downloads) {
    super('webkit', downloads);
    this.driver = driver;
  }

  async load(url, view) {
    await this.resize(view);
    await this.driver.get(url);
    await this.driver.wait(() => this.eval(ready).catch(() => false), 10000);
    // Without a window manager no window is active, and WebKit then matches no :focus: the X
    // focus to MiniBrowser's window, as a desktop gives it to the window in front.
    await promisify(execFile)('xdotool', ['search', '--onlyvisible', '--class', 'MiniBrowser', 'windowfocus', '--sync']);
  }

  // MiniBrowser binds no key to undo (Ctrl+Z undoes no edit there, a typed letter neither):
  // what Safari's Edit menu does instead.
  async undo() { await this.eval(() => document.execCommand('undo')); }

  async reload() {
    await this.driver.navigate().refresh();
    await this.driver.wait(() => this.eval(ready).catch(() => false), 10000);
  }

  // The window's size less the toolbar's, measured, and corrected until the page has the view.
  async resize({ width, height }) {
    this.view = { ...this.view, width, height };
    const window = this.driver.manage().window();
    const inner = () => this.driver.executeScript('return innerWidth + " x " + innerHeight');
    for (let i = 0; i < 3; ++i) {
      const before = await inner();
      const [innerWidth, innerHeight] = before.split(' x ').map(Number);
      if (innerWidth === width && innerHeight === height) return;
      const rect = await window.getRect();
      await window.setRect({ width: rect.width + width - innerWidth, height: rect.height + height - innerHeight });
      // The page learns its new size a moment later.
      for (let tries = 0; tries < 40 && (await inner()) === before; ++tries) await sleep(25);
    }
  }

  // Page errors are gathered in the page (WebDriver classic has no events) and read with each call.
  async eval(fn, ...args) {
    const { value, thrown, errors } = await this.driver.executeAsyncScript(`
      const done = arguments[arguments.length - 1];
      if (!window.korvaErrors) {
        window.korvaErrors = [];
        addEventListener('error', (event) => korvaErrors.push(String(event.message)));
        addEventListener('unhandledrejection', (event) => korvaErrors.push(String(event.reason)));
      }
      Promise.resolve().then(() => (${fn})(...arguments[0]))
        .then((value) => done({ value: value === undefined ? null : value, errors: korvaErrors }),
              (error) => done({ thrown: String(error && error.stack || error), errors: korvaErrors }));`, args);
    this.errors.splice(0, this.errors.length, ...errors);
    if (thrown !== undefined) throw new Error(thrown);
    return value;
  }

  async click(selector) { await (await this.driver.findElement(By.css(selector))).click(); }

  async press(keys) {
    // A named key this table lacks would be typed as its letters: refuse it instead.
    const names = keys.split('+').map((name) => {
      if (webkitKeys[name]) return webkitKeys[name];
      if (name.length > 1) throw new Error(`no WebDriver key for ${name}`);
      return name.toLowerCase();
    });
    const key = names.pop();
    let actions = this.driver.actions();
    for (const modifier of names) actions = actions.keyDown(modifier);
    actions = actions.sendKeys(key);
    for (const modifier of names.reverse()) actions = actions.keyUp(modifier);
    await actions.perform();
  }

  async type(text) { await this.driver.actions().sendKeys(text).perform(); }
  async screenshot() { return Buffer.from(await this.driver.takeScreenshot(), 'base64'); }
}

async function freePort() {
  const server = createServer();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

// MiniBrowser's toolbar would hold its window at 447 px or wider: GTK's own style, in a config
// folder of the run's own, shrinks it, so that a phone's width fits.
async function launchWebKit() {
  const config = mkdtempSync(join(tmpdir(), 'korva-webkit-'));
  mkdirSync(join(config, 'gtk-3.0'));
  writeFileSync(join(config, 'gtk-3.0', 'gtk.css'),
    '* { min-width: 0; min-height: 0; padding: 0; margin: 0; border-width: 0; font-size: 1px; -gtk-icon-transform: scale(0.1); }\n');
  // WebKitGTK saves a download into the user's download folder, which this config names.
  const downloads = downloadFolder();
  writeFileSync(join(config, 'user-dirs.dirs'), `XDG_DOWNLOAD_DIR="${downloads}"\n`);
  const port = await freePort();
  const webDriver = spawn(process.env.WEBKIT_WEBDRIVER ?? 'WebKitWebDriver', [`--port=${port}`],
    { stdio: 'ignore', env: { ...process.env, XDG_CONFIG_HOME: config } });
  const binary = process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
  const capabilities = { browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { binary, args: ['--automation'] } };
  let driver;
  for (let i = 0; !driver; ++i) {
    try {
      driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities(capabilities).build();
    } catch (error) {
      if (i === 50) throw error;
      await sleep(100);
    }
  }
  const hands = new WebKitHands(driver, downloads);
  return {
    hands,
    async close() {
      await hands.close();
      await driver.quit();
      webDriver.kill();
      rmSync(config, { recursive: true, force: true });
    },
  };
}

export const engines = {
  chromium: () => launchPuppeteer('chromium'),
  firefox: () => launchPuppeteer('firefox'),
  webkit: launchWebKit,
};

export function stopClipboard() {
  clipboardOwner?.kill();
}
