// The module in node against the native korva-count: the same result text, byte for byte, for
// both modules, both counters and every input of the fuzz corpora, edge cases, generated reports,
// and a seeded run of mutations (KORVA_WEB_MUTATIONS, default 150).
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { corpusInputs, edgeInputs, mutations } from './inputs.mjs';
import { countBytes, generatedReports, instantiate, kernels, moduleBytes, nativeResult } from './korva_module.mjs';

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
  const generated = { name: '2 MB of generated reports', bytes: generatedReports(2) };
  const inputs = [...seeds, generated, ...mutations(seeds, Number(process.env.KORVA_WEB_MUTATIONS ?? 150), 20261207)];
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
