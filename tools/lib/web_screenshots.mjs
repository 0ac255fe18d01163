// The web page's pictures for the README, for tools/screenshots.sh: the page in Debian's headless
// Chromium after a count, wide and on a phone, as PNG files into the folder given.
// Usage: node tools/lib/web_screenshots.mjs FOLDER
import { join } from 'node:path';

import { launch, serve } from '../../frontends/web/tests/browser.mjs';
import { reports } from '../../frontends/web/tests/player.mjs';

const [folder] = process.argv.slice(2);
if (!folder) throw new Error('usage: web_screenshots.mjs FOLDER');
const views = [
  ['web-wide.png', { width: 690, height: 450 }, reports.split('\n').filter((line) => !line.startsWith('Bohrturm')).join('\n')],
  ['web-phone.png', { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 }, reports],
];

const chromium = await launch();
const server = await serve();
try {
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
    await page.screenshot({ path: join(folder, file) });
    await context.close();
  }
} finally {
  await server.stop();
  await chromium.close();
}
