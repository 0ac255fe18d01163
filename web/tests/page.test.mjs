// The page in Debian's Chromium: the single-file page over http on 127.0.0.1 and from file://,
// and the hosted site offline. Each behaviour is one table-driven test; each player's path one
// end-to-end test.
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';

import { launch, pageFile, serve } from './browser.mjs';
import * as form from './form.mjs';
import { buildWeb, nativeResult } from './korva_module.mjs';

const wide = { width: 760, height: 480 };
const phone = { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };
const screenshots = process.env.KORVA_WEB_SCREENSHOTS ?? join(buildWeb, 'screenshots');

// Reports as players paste them: times, umlauts, a line in another script, an emoji, a lone
// surrogate, which the page must count as the windows do ("?" for each).
const reports = [
  'Sabotagebericht vom 07.12.2026 14:32',
  '14:32:05 Eisenmine (3) zerstört',
  '14:32:05 Raumhafen (1) zerstört',
  '14:32:07 Wohngebäude (2) zerstört',
  '14:32:09 Forschungszentrum zerstört',
  'Bohrturm (２) 😀 Chemiefabrik (\uD800)',
  '',
  'Plünderbericht vom 07.12.2026 15:01',
  'Eisen 1200',
  'Silizium 300',
  'Wasserstoff\t40',
  'Eisen 800',
  'Wasser 25 € ',
  'Sauerstoff\u2003 9',
].join('\n');

let chromium;
let server;
before(async () => {
  chromium = await launch();
  server = await serve();
});
after(async () => {
  await server?.stop();
  await chromium?.close();
});

async function open(url, { viewport = wide, beforeLoad } = {}) {
  const context = await chromium.browser.createBrowserContext();
  const { origin } = new URL(url);
  if (origin.startsWith('http')) {
    await context.overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  }
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await page.setViewport(viewport);
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.kernel);
  return { page, errors, close: () => context.close() };
}

// The two outermost pixels of an element's left and right edges, at half its height, read from a
// screenshot: "light" for white, "shadow" for a grey, anything else as its colour.
async function edgePixels(page, id) {
  const box = await page.$eval(`#${id}`, (element) => {
    const r = element.getBoundingClientRect();
    return { x: r.left, y: r.top + r.height / 2, width: r.width };
  });
  const png = await page.screenshot({ clip: { x: box.x, y: box.y, width: box.width, height: 1 }, encoding: 'base64' });
  const rgb = await page.evaluate(async (data) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob());
    const canvas = new OffscreenCanvas(bitmap.width, 1);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    return [...context.getImageData(0, 0, bitmap.width, 1).data];
  }, png);
  const at = (x) => {
    const [r, g, b] = rgb.slice(x * 4, x * 4 + 3);
    if (r === 255 && g === 255 && b === 255) return 'light';
    return r === g && g === b && r < 200 ? 'shadow' : `rgb(${r}, ${g}, ${b})`;
  };
  const last = rgb.length / 4 - 1;
  return { left: [at(0), at(1)], right: [at(last - 1), at(last)] };
}

const value = (page, id) => page.$eval(`#${id}`, (element) => element.value);
const lf = (text) => text.replace(/\r\n/g, '\n');

// Clicks (or presses a key) and waits for the result's announcement.
async function counted(page, act) {
  await page.$eval('#Announcement', (element) => { element.textContent = ''; });
  await act();
  await page.waitForFunction(() => document.getElementById('Announcement').textContent !== '');
  return page.$eval('#Announcement', (element) => element.textContent);
}

// Pastes text into the focused box and returns the box's text. Through the system clipboard a
// lone surrogate becomes U+FFFD.
async function paste(page, text) {
  await pasteOnly(page, text);
  return page.evaluate(() => document.activeElement.value);
}

async function pasteOnly(page, text) {
  if (page.url().startsWith('http')) {
    await page.evaluate((pasted) => navigator.clipboard.writeText(pasted), text);
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyV', { commands: ['Paste'] });
    await page.keyboard.up('Control');
    return;
  }
  // The clipboard of a page from disk is out of the tests' reach; a paste event with the text is
  // what the box gets from it.
  await page.evaluate((pasted) => {
    const data = new DataTransfer();
    data.setData('text/plain', pasted);
    const event = new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true });
    if (document.activeElement.dispatchEvent(event)) document.execCommand('insertText', false, pasted);
  }, text);
}

// The text Ctrl+C puts on the clipboard from the focused box's selection.
async function copied(page, url) {
  if (url.startsWith('http')) {
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyC', { commands: ['Copy'] });
    await page.keyboard.up('Control');
    return page.evaluate(() => navigator.clipboard.readText());
  }
  return page.evaluate(() => {
    const data = new DataTransfer();
    document.activeElement.dispatchEvent(new ClipboardEvent('copy', { clipboardData: data, bubbles: true, cancelable: true }));
    return data.getData('text/plain');
  });
}

for (const where of ['http', 'file']) {
  describe(`the single-file page over ${where}`, () => {
    const pageUrl = () => (where === 'http' ? `${server.origin}/korva-counter.html` : pageFile);

    test('every control stands at its designed place and size, with its caption, font and state', async () => {
      const { page, errors, close } = await open(pageUrl());
      const facts = await page.evaluate(() => {
        const rect = (id) => document.getElementById(id).getBoundingClientRect();
        const client = rect('Client');
        const panel = rect('Panel1');
        return {
          title: document.title,
          lang: document.documentElement.lang,
          client: { width: client.width, height: client.height, menuBottom: rect('MainMenu').bottom - client.top },
          controls: [...document.querySelectorAll('#Client [id], #Client [id] [id]')].filter((e) => !e.classList.contains('unseen'))
            .map((element) => {
              const r = element.getBoundingClientRect();
              const inPanel = element.parentElement.id === 'Panel1';
              const base = inPanel ? panel : client;
              return {
                name: element.id, left: r.left - base.left, top: r.top - base.top, width: r.width, height: r.height,
                inPanel, text: element.tagName === 'TEXTAREA' ? element.value : element.textContent,
                disabled: element.disabled === true, fontSize: getComputedStyle(element).fontSize,
                fontFamily: getComputedStyle(element).fontFamily,
              };
            }),
          menu: [...document.querySelectorAll('#MainMenu [role="menuitem"]')].map((item) => ({
            name: item.id, caption: item.textContent, disabled: item.getAttribute('aria-disabled') === 'true',
            color: getComputedStyle(item).color, focusable: item.tabIndex >= 0,
          })),
        };
      });
      assert.equal(facts.title, form.caption);
      assert.equal(facts.lang, 'de');
      assert.deepEqual([facts.client.width, facts.client.height], [form.clientWidth, form.clientHeight]);
      assert.ok(facts.client.menuBottom <= 0, 'the menu bar stands above the client area');
      assert.deepEqual(facts.controls.map((c) => c.name).sort(), form.controls.map((c) => c.name).sort());
      for (const expected of form.controls) {
        const actual = facts.controls.find((c) => c.name === expected.name);
        assert.deepEqual([actual.left, actual.top, actual.width, actual.height],
          [expected.left, expected.top, expected.width, expected.height], `${expected.name} place and size`);
        assert.equal(actual.inPanel, expected.parent === 'kPanel1', `${expected.name} parent`);
        assert.equal(actual.disabled, !expected.enabled, `${expected.name} enabled`);
        if (expected.caption) assert.equal(actual.text, expected.caption, `${expected.name} caption`);
        const points = expected.kind === 'kLabel' ? form.labelPointSize : form.windowPointSize;
        assert.equal(actual.fontSize, `${form.pixelsOfPoints(points)}px`, `${expected.name} font size`);
        assert.match(actual.fontFamily, /sans-serif/, `${expected.name} font`);
      }
      assert.equal(lf(facts.controls.find((c) => c.name === 'Input').text), lf(form.initialInput));
      assert.equal(lf(facts.controls.find((c) => c.name === 'Output').text), lf(form.initialOutput));
      assert.deepEqual(facts.menu.map(({ name, caption, disabled }) => ({ name, caption, enabled: !disabled })), form.topMenus);
      for (const item of facts.menu) {
        assert.equal(item.focusable, false, `${item.name} takes no focus`);
        assert.notEqual(item.color, 'rgb(0, 0, 0)', `${item.name} is greyed`);
      }
      // The panel's bevels, as drawn, left to right: on the left the lowered outer bevel's shadow,
      // then the raised inner bevel's light; on the right the inner bevel's shadow, then the outer
      // bevel's light.
      const bevels = await edgePixels(page, 'Panel1');
      assert.deepEqual(bevels, { left: ['shadow', 'light'], right: ['shadow', 'light'] });
      assert.deepEqual(errors, []);
      await close();
    });

    test('a player pastes reports, counts both ways and copies each result with CR LF', async () => {
      const { page, errors, close } = await open(pageUrl());
      // The help text is selected when the box first takes the focus, so the paste replaces it.
      const selection = await page.$eval('#Input', (box) => [document.activeElement === box, box.selectionStart, box.selectionEnd, box.value.length]);
      assert.deepEqual(selection.slice(0, 3), [true, 0, selection[3]]);
      const pasted = await paste(page, reports);
      assert.ok([reports, reports.replace('\uD800', '\uFFFD')].includes(pasted), 'the paste replaced the help text');

      for (const [button, counter, lines] of [['Sabo', 'sabo', 16], ['Pluen', 'pluen', 7]]) {
        const expected = nativeResult(counter, Buffer.from(pasted, 'utf8'));
        assert.equal(await counted(page, () => page.click(`#${button}`)), `Ergebnis: ${lines} Zeilen`);
        assert.equal(await value(page, 'Output'), lf(expected), `${button} result`);
        assert.equal(await value(page, 'Input'), pasted, 'a count leaves the reports as they are');
        await page.focus('#Output');
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyA', { commands: ['SelectAll'] });
        await page.keyboard.up('Control');
        assert.equal(await copied(page, pageUrl()), expected, `${button} copied bytes`);
      }
      // Text copied from the report box comes with CR LF as well.
      await page.$eval('#Input', (box) => { box.focus(); box.setSelectionRange(0, box.value.indexOf('14:32:07')); });
      assert.equal(await copied(page, pageUrl()), 'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\r\n');
      assert.deepEqual(errors, []);
      await close();
    });

    test('the keyboard: Tab order, Enter and Space press buttons, Flotten and the menus are dead, Output is read-only', async () => {
      const { page, close } = await open(pageUrl());
      const order = [];
      for (let i = 0; i < 4; ++i) {
        order.push(await page.evaluate(() => document.activeElement.id));
        await page.keyboard.press('Tab');
      }
      assert.deepEqual(order, ['Input', 'Output', 'Sabo', 'Pluen']);

      const presses = [
        ['Sabo', 'Enter', /^Planetenzentrale {2}\(0\)\n/],
        ['Pluen', 'Space', /^Geplünderte Ressourcen gesamt: \n/],
        ['Sabo', 'Space', /^Planetenzentrale {2}\(0\)\n/],
        ['Pluen', 'Enter', /^Geplünderte Ressourcen gesamt: \n/],
      ];
      for (const [button, key, result] of presses) {
        await page.focus(`#${button}`);
        await counted(page, () => page.keyboard.press(key));
        assert.match(await value(page, 'Output'), result, `${key} on ${button}`);
      }

      const before = await value(page, 'Output');
      const dead = [
        ['Flotten clicked', () => page.$eval('#Fleet', (button) => button.click())],
        ['Alt and F10', async () => {
          await page.focus('#Sabo');
          for (const key of ['Alt', 'F10']) {
            await page.keyboard.press(key);
            assert.equal(await page.evaluate(() => document.activeElement.id), 'Sabo', `${key} leaves the focus`);
          }
        }],
        ['typing into Output', async () => { await page.focus('#Output'); await page.keyboard.type('xyz'); await page.keyboard.press('Backspace'); }],
        ['pasting into Output', async () => { await page.focus('#Output'); await paste(page, 'Eisen 5'); }],
        ['cutting from Output', async () => {
          await page.$eval('#Output', (box) => { box.focus(); box.select(); document.execCommand('cut'); document.execCommand('delete'); });
        }],
      ];
      for (const [name, act] of dead) {
        await act();
        assert.equal(await value(page, 'Output'), before, name);
      }
      assert.equal(await page.$eval('#Fleet', (button) => button.tabIndex >= 0 && !button.disabled), false);
      await close();
    });

    test('a failure shows the error box with the period rule, keeps the reports, and the page works again', async () => {
      const { page, close } = await open(pageUrl(), { beforeLoad: injectFailures });
      await page.focus('#Input');
      const pasted = await paste(page, reports);
      await counted(page, () => page.click('#Pluen'));
      const pluen = await value(page, 'Output');
      const failures = [
        ['', form.outOfMemoryText, 'memory refused', 'Enter'],
        ['', form.outOfMemoryText, 'memory gone inside the count', 'click'],
        ['unreachable', form.foreignFailureText, 'trap', 'Space'],
        ['Fehler.', 'Fehler.', 'message', 'Enter'],
        ['Fehler!', 'Fehler!', 'message', 'click'],
        ['Wirklich?', 'Wirklich?.', 'message', 'Space'],
        ['', '', 'message', 'Escape'],
      ];
      for (const [index, [message, shown, how, dismiss]] of failures.entries()) {
        // Each failure leaves a fresh module behind.
        await page.waitForFunction((n) => window.korvaTest.instances.length === n, {}, index + 1);
        await page.evaluate((text, kind, report) => window.korvaTest.inject(text, kind, report), message, how, reports);
        await page.click('#Sabo');
        await page.waitForSelector('#ErrorBox[open]');
        const box = await page.evaluate(() => ({
          modal: document.getElementById('ErrorBox').matches(':modal'),
          caption: document.getElementById('ErrorBoxCaption').textContent,
          text: document.getElementById('ErrorBoxText').textContent,
          icon: !!document.querySelector('#ErrorBox svg'),
          focus: document.activeElement.id,
        }));
        assert.deepEqual(box, { modal: true, caption: form.applicationTitle, text: shown, icon: true, focus: 'ErrorBoxOk' }, `${how}: ${message}`);
        if (dismiss === 'click') {
          // While the box is open the window takes no command.
          await page.click('#Pluen').catch(() => {});
          assert.equal(await value(page, 'Output'), pluen, 'no count behind the box');
          await page.click('#ErrorBoxOk');
        } else {
          await page.keyboard.press(dismiss);
        }
        await page.waitForSelector('#ErrorBox:not([open])');
        if (how.startsWith('memory')) {
          const trapped = await page.evaluate((i) => window.korvaTest.instances[i].korva_out_of_memory(), index);
          assert.equal(trapped, how === 'memory refused' ? 0 : 1, `${how}: the module's own mark`);
        }
        assert.equal(await page.evaluate(() => document.activeElement.id), 'Sabo', 'the focus goes back');
        assert.equal(await value(page, 'Input'), pasted, 'the reports stay');
        assert.equal(await value(page, 'Output'), pluen, 'the result of before stays');
      }
      assert.equal(await counted(page, () => page.click('#Sabo')), 'Ergebnis: 16 Zeilen');
      assert.equal(await value(page, 'Output'), lf(nativeResult('sabo', Buffer.from(pasted))));
      assert.equal(await page.evaluate(() => window.korvaTest.instances.length), failures.length + 1);
      await close();
    });

    test('screen readers: boxes named by their labels and described, disabled stays disabled, a count is announced', async () => {
      const { page, close } = await open(pageUrl());
      const tree = await page.accessibility.snapshot({ interestingOnly: false });
      const nodes = [];
      (function walk(node) { nodes.push(node); (node.children ?? []).forEach(walk); }(tree));
      const named = (role, name) => nodes.find((node) => node.role === role && node.name === name);
      const expected = [
        ['textbox', 'Berichte', { description: form.inputDescription, multiline: true }],
        ['textbox', 'Ergebnis', { description: form.outputDescription, readonly: true }],
        ['button', 'Sabo', {}],
        ['button', 'Plünder', {}],
        ['button', 'Flotten', { disabled: true }],
        ...form.topMenus.map((menu) => ['menuitem', menu.caption, { disabled: true }]),
      ];
      for (const [role, name, properties] of expected) {
        const node = named(role, name);
        assert.ok(node, `${role} "${name}" in the accessible tree`);
        for (const [key, want] of Object.entries(properties)) assert.equal(node[key], want, `${name}: ${key}`);
      }
      assert.equal(await page.$eval('#Announcement', (e) => e.getAttribute('role')), 'status');
      assert.equal(await counted(page, () => page.click('#Sabo')), 'Ergebnis: 16 Zeilen');
      assert.equal(await counted(page, () => page.click('#Pluen')), 'Ergebnis: 7 Zeilen');
      await close();
    });
  });
}

// Wraps the module so a test can make a count fail: a thrown message, a trap, memory refused to
// the report, or memory gone once the report is in (the module's own allocation then traps).
function injectFailures() {
  const instantiate = WebAssembly.instantiate;
  const test = { instances: [], failure: null };
  window.korvaTest = test;
  test.inject = (message, kind, report) => {
    const module = test.instances.at(-1);
    if (kind === 'message' || kind === 'trap') {
      test.failure = kind === 'trap' ? new WebAssembly.RuntimeError(message) : new Error(message);
      return;
    }
    // What the page asks for the report: its length and half as much again.
    const keep = kind === 'memory refused' ? 0 : module.korva_alloc(report.length + (report.length >> 1) + 16);
    module.memory.grow(65536 - module.memory.buffer.byteLength / 65536);
    for (let size = 1 << 30; size > 0; size >>= 1) while (module.korva_alloc(size)) { /* taken */ }
    if (keep) module.korva_free(keep);
  };
  WebAssembly.instantiate = async function wrapped(...args) {
    const result = await instantiate.apply(this, args);
    const real = result.instance.exports;
    test.instances.push(real);
    const exports = {};
    for (const key of Object.keys(real)) {
      Object.defineProperty(exports, key, {
        get: () => {
          if (key !== 'korva_count' || test.failure === null) return real[key];
          const failure = test.failure;
          test.failure = null;
          return () => { throw failure; };
        },
      });
    }
    return { module: result.module, instance: { exports } };
  };
}

describe('the narrow page (a phone, 390 x 844)', () => {
  test('the controls stack at full width: Berichte, the buttons in a row, Ergebnis; nothing scrolls sideways', async () => {
    const { page, close } = await open(`${server.origin}/korva-counter.html`, { viewport: phone });
    const facts = await page.evaluate(() => {
      const box = (id) => {
        const element = document.getElementById(id);
        const r = element.getBoundingClientRect();
        return { left: r.left, right: r.right, top: r.top, bottom: r.bottom, height: r.height, font: parseFloat(getComputedStyle(element).fontSize) };
      };
      return {
        scrollWidth: document.documentElement.scrollWidth,
        width: window.innerWidth,
        boxes: Object.fromEntries(['Label1', 'Input', 'Sabo', 'Pluen', 'Fleet', 'Label2', 'Output', 'MainMenu'].map((id) => [id, box(id)])),
        smallestText: Math.min(...[...document.querySelectorAll('body *')].filter((e) => e.offsetParent && e.childNodes.length)
          .map((e) => parseFloat(getComputedStyle(e).fontSize))),
      };
    });
    assert.ok(facts.scrollWidth <= facts.width, `scroll width ${facts.scrollWidth} within ${facts.width}`);
    const b = facts.boxes;
    const stack = [['Label1', 'Input'], ['Input', 'Sabo'], ['Sabo', 'Label2'], ['Label2', 'Output']];
    for (const [upper, lower] of stack) assert.ok(b[upper].bottom <= b[lower].top, `${upper} above ${lower}`);
    assert.ok(b.Sabo.top === b.Pluen.top && b.Pluen.top === b.Fleet.top, 'the buttons in one row');
    assert.ok(b.Sabo.right <= b.Pluen.left && b.Pluen.right <= b.Fleet.left, 'in tab order');
    for (const name of ['Sabo', 'Pluen', 'Fleet']) assert.ok(b[name].height >= 44, `${name} is ${b[name].height} px high`);
    for (const name of ['Input', 'Output']) {
      assert.ok(b[name].left >= 0 && b[name].right <= facts.width && b[name].right - b[name].left >= facts.width - 24, `${name} at full width`);
    }
    assert.ok(facts.smallestText >= 12, `smallest text ${facts.smallestText} px`);
    mkdirSync(screenshots, { recursive: true });
    await page.focus('#Input');
    await paste(page, reports);
    await counted(page, () => page.click('#Sabo'));
    await page.screenshot({ path: join(screenshots, 'web-phone.png') });
    await close();
  });
});

describe('the hosted site', () => {
  test('installable, and working offline through its service worker once the network is cut', async () => {
    const site = await serve();
    const { page, close } = await open(`${site.origin}/site/`);
    const manifest = await page.evaluate(async () => {
      const link = document.querySelector('link[rel="manifest"]');
      const data = await (await fetch(link.href)).json();
      const icons = await Promise.all(data.icons.map(async (icon) => (await fetch(new URL(icon.src, link.href))).ok));
      return { name: data.name, display: data.display, icons, sizes: data.icons.map((icon) => icon.sizes) };
    });
    assert.deepEqual(manifest, { name: form.caption, display: 'standalone', icons: [true, true, true], sizes: ['192x192', '512x512', 'any'] });
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);

    await site.stop();
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.kernel);
    assert.equal(await page.title(), form.caption);
    await page.focus('#Input');
    const pasted = await paste(page, reports);
    assert.equal(await counted(page, () => page.click('#Pluen')), 'Ergebnis: 7 Zeilen');
    assert.equal(await value(page, 'Output'), lf(nativeResult('pluen', Buffer.from(pasted))));
    await close();
  });
});

describe('browsers without WebAssembly SIMD', () => {
  test('take the scalar module and count the same', async () => {
    const kernels = [['simd', null], ['scalar', () => { WebAssembly.validate = () => false; }]];
    for (const [kernel, beforeLoad] of kernels) {
      const { page, close } = await open(`${server.origin}/korva-counter.html`, { beforeLoad });
      assert.equal(await page.evaluate(() => document.documentElement.dataset.kernel), kernel);
      await page.focus('#Input');
      const pasted = await paste(page, reports);
      await counted(page, () => page.click('#Sabo'));
      assert.equal(await value(page, 'Output'), lf(nativeResult('sabo', Buffer.from(pasted))), kernel);
      await close();
    }
  });
});

describe('the picture for the README', () => {
  test('the wide page after a count', async () => {
    const { page, close } = await open(`${server.origin}/korva-counter.html`, { viewport: { width: 690, height: 450 } });
    await page.focus('#Input');
    await paste(page, reports.split('\n').filter((line) => !line.startsWith('Bohrturm')).join('\n'));
    await counted(page, () => page.click('#Sabo'));
    mkdirSync(screenshots, { recursive: true });
    const path = join(screenshots, 'web-wide.png');
    await page.screenshot({ path });
    await close();
  });
});
