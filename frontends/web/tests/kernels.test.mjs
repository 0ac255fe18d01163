// The kernels' own tests (counters/tests/scan_kernels_test.cpp), built for WebAssembly with SIMD
// and run in node: every kernel the module holds, the scalar one and the WebAssembly SIMD one,
// against the plain definitions and against each other.
import assert from 'node:assert/strict';
import { closeSync, mkdtempSync, openSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { WASI } from 'node:wasi';

import { buildWeb } from './korva_module.mjs';

test('the kernels pass their tests in WebAssembly, the SIMD kernel among them', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'korva-kernels-'));
  const log = join(dir, 'log');
  const out = openSync(log, 'w');
  const wasi = new WASI({ version: 'preview1', args: ['kernel-tests'], env: {}, stdout: out, stderr: out, returnOnExit: true });
  const { instance } = await WebAssembly.instantiate(readFileSync(join(buildWeb, 'kernel-tests.wasm')), { wasi_snapshot_preview1: wasi.wasiImport });
  const status = wasi.start(instance);
  closeSync(out);
  const text = readFileSync(log, 'utf8');
  rmSync(dir, { recursive: true });
  assert.equal(status, 0, text);
  assert.match(text, /\[ {2}PASSED {2}\]/);
  for (const kernel of ['scalar', 'wasm_simd']) {
    assert.match(text, new RegExp(`OK \\] ThisCpu/EveryKernel\\.\\w+/${kernel} `), `${kernel} ran`);
  }
});
