// Runs the rows of cases/explain.mjs in Chromium: the player's hands `t` of the browser-test
// contract, for one engine. The shared drivers for every engine take its place.
import { after, before, test } from 'node:test';

import { launch, pageFile, serve } from './browser.mjs';
import cases from './cases/explain.mjs';

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

// A key or chord as the contract writes it, as puppeteer presses it; the editing chords carry the
// command a real keyboard would run.
const commands = { a: 'SelectAll', c: 'Copy', v: 'Paste', x: 'Cut' };
async function press(page, keys) {
  const parts = keys.split('+');
  const key = parts.pop();
  for (const modifier of parts) await page.keyboard.down(modifier);
  const single = key.length === 1;
  const command = parts.includes('Control') && commands[key.toLowerCase()];
  await page.keyboard.press(single ? `Key${key.toUpperCase()}` : key, command ? { commands: [command] } : {});
  for (const modifier of parts.reverse()) await page.keyboard.up(modifier);
}

function hands() {
  let context = null;
  let page = null;
  let view = null;
  const t = {
    engine: 'chromium',
    errors: [],
    async open({ view: wanted, where = 'http' } = {}) {
      await context?.close();
      view = { width: 760, height: 480, touch: false, ...wanted };
      context = await chromium.browser.createBrowserContext();
      const url = { http: `${server.origin}/korva-counter.html`, file: pageFile, site: `${server.origin}/site/` }[where];
      if (where !== 'file') {
        await context.overridePermissions(server.origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      }
      page = await context.newPage();
      page.on('pageerror', (error) => t.errors.push(error));
      await t.resize(view);
      await page.goto(url);
      await page.waitForFunction(() => document.documentElement.dataset.kernel);
    },
    eval: (fn, ...args) => page.evaluate(fn, ...args),
    click: (selector) => page.click(selector),
    tap: (selector) => (view.touch ? page.tap(selector) : page.click(selector)),
    press: (keys) => press(page, keys),
    type: (text) => page.keyboard.type(text),
    // Headless Chromium's own clipboard: the shared drivers use the X clipboard through xclip.
    setClipboard: (text) => page.evaluate((value) => navigator.clipboard.writeText(value), text),
    clipboard: () => page.evaluate(() => navigator.clipboard.readText()),
    screenshot: () => page.screenshot(),
    resize: ({ width, height, touch = view.touch }) =>
      page.setViewport({ width, height, isMobile: touch, hasTouch: touch, deviceScaleFactor: 1 }),
    close: () => context?.close(),
  };
  return t;
}

for (const row of cases) {
  test(row.name, { skip: row.skip?.chromium }, async () => {
    const t = hands();
    try {
      await t.open({ view: row.view, where: row.where });
      await row.run(t);
    } finally {
      await t.close();
    }
  });
}
