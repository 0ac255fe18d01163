// The module in node against the native korva-count: the same result text, byte for byte, and
// the same explanation rows, for both modules, both counters and every input of the fuzz corpora,
// edge cases, generated reports, and a seeded run of mutations (KORVA_WEB_MUTATIONS, default 150);
// and the rows' additions summed give every row of the result.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { corpusInputs, edgeInputs, mutations } from './inputs.mjs';
import { controls } from './form.mjs';
import {
  countBytes, explainBytes, generatedReports, instantiate, kernels, moduleBytes, nativeCsv, nativeResult, nativeRows,
  tabbed,
} from './korva_module.mjs';

const boxName = controls.find((control) => control.name === 'Label1').caption;

test('each module imports nothing and exports the entry points the page calls', () => {
  for (const kernel of kernels) {
    const module = new WebAssembly.Module(moduleBytes(kernel));
    assert.deepEqual(WebAssembly.Module.imports(module), [], kernel);
    assert.deepEqual(WebAssembly.Module.exports(module).map((e) => e.name).sort(),
      ['korva_alloc', 'korva_count', 'korva_explain', 'korva_free', 'korva_out_of_memory', 'memory'], kernel);
    // Neither a separator but the three forms' nor a counter but the two is taken.
    const exports = new WebAssembly.Instance(module).exports;
    assert.deepEqual([[0, ';'], [0, '\n'], [2, ',']].map(([counter, separator]) =>
      exports.korva_explain(counter, 0, 0, 1, separator.charCodeAt(0))), [0, 0, 0], kernel);
  }
});

// What each row adds, by name: "Zeile 5: Eisenmine +3, Bohrturm +3 (Anzahl nicht lesbar) | ...".
function addedByName(rows) {
  const sums = new Map();
  for (const row of rows.split('\n').filter(Boolean)) {
    const added = row.slice(row.indexOf(': ') + 2, row.indexOf(' | '));
    for (const addition of added.split(', ')) {
      const [, name, amount] = addition.match(/^(.+) ([+-]\d+)(?: \((?:Anzahl|Betrag) nicht lesbar\))?$/);
      sums.set(name, BigInt.asIntN(64, (sums.get(name) ?? 0n) + BigInt(amount)));
    }
  }
  return sums;
}

// Each result row's name and number: "Eisenmine  (3)" or "Eisen = 3".
function resultRows(text) {
  return text.split('\r\n').map((line) => line.match(/^(.+?)(?: {2}\(| = )(-?\d+)\)?$/)).filter(Boolean)
    .map(([, name, number]) => [name, BigInt(number)]);
}

// Each check runs for every input, counter and kernel; expected is made once per input and counter.
const checks = [
  {
    name: 'the result box text is korva-count --raw\'s',
    expected: nativeResult,
    run: (module, counter, bytes, expected) => assert.equal(countBytes(module, counter, bytes), expected),
  },
  {
    name: 'the rows are korva-count --explain\'s, "Zeile N" for the file',
    expected: nativeRows,
    run: (module, counter, bytes, expected) => {
      const { rows, shown, more } = explainBytes(module, counter, bytes);
      assert.equal(rows, expected);
      assert.deepEqual([shown, more], [expected.split('\n').length - 1, 0]);
    },
  },
  {
    name: 'the rows\' additions add up to every row of the result',
    run: (module, counter, bytes) => {
      const sums = addedByName(explainBytes(module, counter, bytes).rows);
      const totals = resultRows(countBytes(module, counter, bytes));
      assert.ok(totals.length >= 6);
      for (const [name, total] of totals) {
        if (name.startsWith('Gesamt')) continue;  // points, not a row the lines add to
        assert.equal(sums.get(name) ?? 0n, total, name);
      }
    },
  },
  {
    name: 'as a table, every row is korva-count --csv\'s for a file named after the box, with commas or with tabs',
    expected: (counter, bytes) => nativeCsv(counter, bytes, boxName),
    run: (module, counter, bytes, expected) => {
      for (const [separator, table] of [[',', expected], ['\t', tabbed(expected)]]) {
        assert.equal(explainBytes(module, counter, bytes, 2 ** 32 - 1, separator).rows, table, JSON.stringify(separator));
      }
    },
  },
  {
    name: 'past the rows shown, the rest are counted, not made',
    run: (module, counter, bytes) => {
      const all = explainBytes(module, counter, bytes);
      const first = explainBytes(module, counter, bytes, 2);
      assert.equal(first.rows, all.rows.split('\n').slice(0, first.shown).map((row) => `${row}\n`).join(''));
      assert.deepEqual([first.shown, first.shown + first.more], [Math.min(2, all.shown), all.shown]);
    },
  },
];

test('the modules count and explain every input as korva-count --encoding utf-8 does', async () => {
  const seeds = [...corpusInputs(), ...edgeInputs];
  const generated = { name: '2 MB of generated reports', bytes: generatedReports(2) };
  const inputs = [...seeds, generated, ...mutations(seeds, Number(process.env.KORVA_WEB_MUTATIONS ?? 150), 20261207)];
  const modules = Object.fromEntries(await Promise.all(kernels.map(async (k) => [k, await instantiate(k)])));
  for (const { name, bytes } of inputs) {
    for (const counter of ['sabo', 'pluen']) {
      for (const check of checks) {
        const expected = check.expected?.(counter, bytes);
        for (const kernel of kernels) {
          try {
            check.run(modules[kernel], counter, bytes, expected);
          } catch (failure) {
            failure.message = `${check.name}: ${kernel} ${counter}: ${name}\n${failure.message}`;
            throw failure;
          }
        }
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
