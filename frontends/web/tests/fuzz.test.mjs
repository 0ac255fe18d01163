// The core's fuzz targets built for WebAssembly, run in node: every property they check (the
// counters against the plain per-row rules, every kernel against the scalar one, the page's UTF-8
// count against korva-count's reading) holds inside the module's world too, with and without
// WebAssembly SIMD, over the corpora and mutations of them.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { WASI } from 'node:wasi';

import { corpusInputs, edgeInputs, mutations } from './inputs.mjs';
import { buildWeb, kernels } from './korva_module.mjs';

async function fuzzTarget(name, kernel) {
  const wasi = new WASI({ version: 'preview1', args: [], env: {}, returnOnExit: true });
  const bytes = readFileSync(join(buildWeb, `fuzz-${name}-${kernel}.wasm`));
  const { instance } = await WebAssembly.instantiate(bytes, { wasi_snapshot_preview1: wasi.wasiImport });
  wasi.initialize(instance);
  return instance.exports;
}

const targets = [
  ['counters', 'counters'],
  ['fingerprint-scan', 'fingerprint_scan'],
];

for (const [target, corpus] of targets) {
  test(`the ${target} fuzz target's properties hold in WebAssembly`, async () => {
    const seeds = [...corpusInputs(corpus), ...edgeInputs];
    const inputs = [...seeds, ...mutations(seeds, Number(process.env.KORVA_WEB_MUTATIONS ?? 150), 7122026)];
    for (const kernel of kernels) {
      const fuzz = await fuzzTarget(target, kernel);
      for (const { name, bytes } of inputs) {
        const at = fuzz.fuzz_alloc(bytes.length);
        new Uint8Array(fuzz.memory.buffer, at, bytes.length).set(bytes);
        // A broken property prints its name and traps.
        assert.doesNotThrow(() => fuzz.fuzz_one(at, bytes.length), `${kernel}: ${name}`);
        fuzz.fuzz_free(at);
      }
    }
  });
}
