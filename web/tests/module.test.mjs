// The module in node against the native korva-count: the same result text, byte for byte, for
// both modules, both counters and every input of the fuzz corpora, of the report generator's
// shapes, and of a seeded run of mutations of them (KORVA_WEB_MUTATIONS, default 150).
import assert from 'node:assert/strict';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { countBytes, instantiate, kernels, moduleBytes, nativeResult, root } from './korva_module.mjs';

function corpusInputs() {
  const inputs = [];
  const top = join(root, 'fuzz', 'corpus');
  for (const target of readdirSync(top)) {
    for (const name of readdirSync(join(top, target))) {
      const path = join(top, target, name);
      if (statSync(path).isFile()) inputs.push({ name: `${target}/${name}`, bytes: readFileSync(path) });
    }
  }
  return inputs;
}

const edgeInputs = [
  ['empty', ''],
  ['help text', 'Hier alle Berichte mit allen Zeiten einfügen, dann Funktion auswählen.\n\nFunktionen:\n- Plündercounter\n- Sabotage-counter\n'],
  ['umlaut name', 'Wohngebäude (2)\nWohngebäude (3)'],
  ['byte-order mark first', '\uFEFFEisen 100\nEisenmine (2)'],
  ['lone surrogate as the page encodes it', 'Eisen \uFFFD1\nBohrturm (\uFFFD)'],
  ['outside Windows-1252', 'Eisenmine (３)\nWasser\u2003 5\n€ Eisen 7\n😀 Raumhafen (4)'],
  ['invalid UTF-8', Buffer.from('Eisenmine \xE2(4)\nEisen\xF0\x9F12\n\xFFSolarpark (9)', 'latin1')],
  ['lone CR and CR LF', 'Eisen 5\rEisen 6\r\nEisen 7\n\rEisen 8'],
  ['wrapping totals', 'Schiffsfabrik (2147483647)\n'.repeat(5) + 'Eisen 2147483647\n'.repeat(3)],
].map(([name, text]) => ({ name, bytes: typeof text === 'string' ? Buffer.from(text, 'utf8') : text }));

// A small deterministic generator, so that a failure can be run again.
function random(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
    return state % n;
  };
}

const pieces = ['Eisenmine (', ')', '(', 'Wohngebäude', 'Wohngeb\xE4ude', 'Eisen ', 'Wasserstoff', 'Wasser',
  '\r\n', '\n', '\r', ' ', '\t', '$1F', '0x', '-', '12', '2147483648', 'ä', '€', '\u2003', '😀', '\uFEFF', '\0']
  .map((p) => Buffer.from(p, p.includes('\xE4ude') ? 'latin1' : 'utf8'));

function mutations(seeds, count, seed) {
  const next = random(seed);
  const inputs = [];
  for (let i = 0; i < count; ++i) {
    const base = Buffer.from(seeds[next(seeds.length)].bytes);
    const parts = [];
    let at = 0;
    for (let edits = 1 + next(6); edits > 0 && base.length > 0; --edits) {
      const cut = Math.min(base.length, at + next(64));
      parts.push(base.subarray(at, cut));
      const kind = next(3);
      if (kind === 0) parts.push(pieces[next(pieces.length)]);
      else if (kind === 1) parts.push(Buffer.from([next(256), next(256)]));
      else at = Math.min(base.length, cut + next(8));
      at = Math.max(at, cut);
    }
    parts.push(base.subarray(at));
    inputs.push({ name: `mutation ${i} of seed ${seed}`, bytes: Buffer.concat(parts) });
  }
  return inputs;
}

test('each module imports nothing and exports the entry points the page calls', () => {
  for (const kernel of kernels) {
    const module = new WebAssembly.Module(moduleBytes(kernel));
    assert.deepEqual(WebAssembly.Module.imports(module), [], kernel);
    assert.deepEqual(WebAssembly.Module.exports(module).map((e) => e.name).sort(),
      ['korva_alloc', 'korva_count', 'korva_free', 'korva_out_of_memory', 'memory'], kernel);
  }
});

test('the modules count every input as korva-count --encoding utf-8 does', async () => {
  const seeds = [...corpusInputs(), ...edgeInputs];
  const inputs = [...seeds, ...mutations(seeds, Number(process.env.KORVA_WEB_MUTATIONS ?? 150), 20261207)];
  const modules = Object.fromEntries(await Promise.all(kernels.map(async (k) => [k, await instantiate(k)])));
  for (const { name, bytes } of inputs) {
    for (const counter of ['sabo', 'pluen']) {
      const expected = nativeResult(counter, bytes);
      for (const kernel of kernels) {
        assert.equal(countBytes(modules[kernel], counter, bytes), expected, `${kernel} ${counter}: ${name}`);
      }
    }
  }
});

test('running out of memory traps the count and marks the module; a fresh one counts again', async () => {
  for (const kernel of kernels) {
    const module = await instantiate(kernel);
    const report = Buffer.from('Eisenmine (2)\n');
    const at = module.korva_alloc(report.length);
    new Uint8Array(module.memory.buffer, at, report.length).set(report);
    // All that wasm32 can address, taken: the count cannot find memory for its result lines.
    module.memory.grow(65536 - module.memory.buffer.byteLength / 65536);
    for (let size = 1 << 30; size > 0; size >>= 1) while (module.korva_alloc(size)) { /* taken */ }
    assert.equal(module.korva_out_of_memory(), 0);
    assert.throws(() => module.korva_count(0, at, report.length), WebAssembly.RuntimeError, kernel);
    assert.equal(module.korva_out_of_memory(), 1, kernel);
    assert.match(countBytes(await instantiate(kernel), 'sabo', report), /Eisenmine {2}\(2\)\r\n/);
  }
});
