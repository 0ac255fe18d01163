// The page stays under 150 KB, from disk and hosted, with both modules in it: a player on a slow
// line gets it at once, and the core may grow a little before it shows.
import assert from 'node:assert/strict';
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { buildWeb } from './korva_module.mjs';

const pages = [
  { name: 'the single-file page', file: 'korva-counter.html', under: 150000 },
  { name: 'the hosted site\'s page', file: join('site', 'index.html'), under: 150000 },
];

for (const { name, file, under } of pages) {
  test(`${name} is under ${under} bytes`, () => {
    const { size } = statSync(join(buildWeb, file));
    assert.ok(size < under, `${file}: ${size} bytes`);
  });
}
