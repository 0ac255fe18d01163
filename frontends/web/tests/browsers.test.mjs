// Every browser case (frontends/web/tests/cases/*.mjs) in every engine: Chromium, Firefox ESR and
// WebKitGTK, on the X display in DISPLAY. KORVA_WEB_ENGINES=webkit,firefox picks engines.
import { readdirSync } from 'node:fs';
import { after, before, describe, test } from 'node:test';

import { engines, stopClipboard } from './engines.mjs';

const folder = new URL('./cases/', import.meta.url);
const files = readdirSync(folder).filter((name) => name.endsWith('.mjs')).sort();
const cases = (await Promise.all(files.map((name) => import(new URL(name, folder))))).flatMap((file) => file.default);
const chosen = (process.env.KORVA_WEB_ENGINES ?? Object.keys(engines).join(',')).split(',');

if (!process.env.DISPLAY) throw new Error('the browsers need an X display: run tools/test-web.sh');
after(stopClipboard);

for (const engine of chosen) {
  describe(`in ${engine}`, () => {
    let browser;
    before(async () => { browser = await engines[engine](); });
    after(async () => { await browser?.close(); });
    for (const row of cases) {
      const reason = row.skip?.[engine];
      test(row.name, { skip: reason ? `${engine}: ${reason}` : false }, async () => {
        await browser.hands.open(row);
        await row.run(browser.hands);
      });
    }
  });
}
