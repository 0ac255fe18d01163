// The pictures for the README, not a test: the page in Debian's headless Chromium after a count,
// wide and on a phone, into build-web/screenshots/ (KORVA_WEB_SCREENSHOTS=docs for the README's).
// What the page does is checked in every engine by browsers.test.mjs.
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { launch, serve } from './browser.mjs';
import { buildWeb } from './korva_module.mjs';
import { reports } from './player.mjs';

const screenshots = process.env.KORVA_WEB_SCREENSHOTS ?? join(buildWeb, 'screenshots');
const views = [
  ['web-wide.png', { width: 690, height: 450 }, reports.split('\n').filter((line) => !line.startsWith('Bohrturm')).join('\n')],
  ['web-phone.png', { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 }, reports],
];

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

test('the pictures for the README', async () => {
  mkdirSync(screenshots, { recursive: true });
  for (const [file, viewport, text] of views) {
    const context = await chromium.browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(viewport);
    await page.goto(`${server.origin}/korva-counter.html`);
    await page.waitForFunction(() => document.documentElement.dataset.kernel);
    // The paste as the page takes it: a paste event with the text.
    await page.evaluate((pasted) => {
      const data = new DataTransfer();
      data.setData('text/plain', pasted);
      document.getElementById('Input').dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
    }, text);
    await page.click('#Sabo');
    await page.waitForFunction(() => document.getElementById('Announcement').textContent !== '');
    await page.screenshot({ path: join(screenshots, file) });
    await context.close();
  }
});
