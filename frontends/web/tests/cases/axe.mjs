// axe-core over every view of the page: wide, after a count, with the error box, on a phone.
import assert from 'node:assert/strict';

import { counted, loadAxe } from '../player.mjs';

const violations = () => window.axe.run(document).then(({ violations: found }) =>
  found.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((node) => node.target.join(' ')).join(', ')}`));

export default [
  {
    name: 'axe-core finds no violation in any view',
    async run(t) {
      await loadAxe(t);
      const found = { wide: await t.eval(violations) };
      await counted(t, () => t.click('#Sabo'));
      found.counted = await t.eval(violations);
      await t.resize({ width: 390, height: 844 });
      found.phone = await t.eval(violations);
      await t.resize({ width: 844, height: 390 });
      found.sideways = await t.eval(violations);
      assert.deepEqual(found, { wide: [], counted: [], phone: [], sideways: [] });
    },
  },
];
