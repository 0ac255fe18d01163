// The hosted site offline, and the module the page picks.
import assert from 'node:assert/strict';

import * as form from '../form.mjs';
import { moduleBytes, nativeResult } from '../korva_module.mjs';
import { announcement, counted, lf, paste, reports, until, value } from '../player.mjs';

// Notes the size of every module the page instantiates; without SIMD the probe fails to validate.
function noteModules() {
  const instantiate = WebAssembly.instantiate;
  window.korvaModules = [];
  WebAssembly.instantiate = function noted(bytes, ...rest) {
    window.korvaModules.push(bytes.byteLength);
    return instantiate.call(this, bytes, ...rest);
  };
}
// A setup runs in the page on its own: this one holds the other's source.
const noteModulesWithoutSimd = `() => { WebAssembly.validate = () => false; (${noteModules})(); }`;

export default [
  {
    name: 'the hosted site installs, and works offline through its service worker once the server is gone',
    where: 'site',
    async run(t) {
      const manifest = await t.eval(async () => {
        const link = document.querySelector('link[rel="manifest"]');
        const data = await (await fetch(link.href)).json();
        const icons = await Promise.all(data.icons.map(async (icon) => (await fetch(new URL(icon.src, link.href))).ok));
        return { id: data.id, name: data.name, display: data.display, icons,
          sizes: data.icons.map((icon) => `${icon.sizes} ${icon.purpose ?? 'any'}`) };
      });
      assert.deepEqual(manifest, { id: './', name: form.caption, display: 'standalone', icons: [true, true, true, true],
        sizes: ['192x192 any', '512x512 any', '512x512 maskable', 'any any'] });
      // Where the engine tells (Chromium), why the site would not install: nothing.
      if (t.installability) assert.deepEqual(await t.installability(), []);
      await t.eval(() => navigator.serviceWorker.ready.then(() => true));
      await t.reload();
      assert.ok(await until(t, () => navigator.serviceWorker.controller !== null), 'the service worker took the page');
      await t.stopServer();
      await t.reload();
      assert.equal(await t.eval(() => document.title), form.caption);
      const pasted = await paste(t, reports);
      const pluen = nativeResult('pluen', Buffer.from(pasted));
      assert.equal(await counted(t, () => t.click('#Pluen')), announcement('pluen', pluen));
      assert.equal(await value(t, 'Output'), lf(pluen));
    },
  },
  ...[['simd', noteModules], ['scalar', noteModulesWithoutSimd]].map(([kernel, setup]) => ({
    name: `the ${kernel} module is the one instantiated where the probe says ${kernel === 'simd' ? 'there is' : 'there is no'} SIMD, and counts the same`,
    setup,
    async run(t) {
      assert.equal(await t.eval(() => document.documentElement.dataset.kernel), kernel);
      assert.deepEqual(await t.eval(() => window.korvaModules), [moduleBytes(kernel).length]);
      const pasted = await paste(t, reports);
      await counted(t, () => t.click('#Sabo'));
      assert.equal(await value(t, 'Output'), lf(nativeResult('sabo', Buffer.from(pasted))), kernel);
    },
  })),
];
