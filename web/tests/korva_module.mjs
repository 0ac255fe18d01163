// The page's module in node, and the native korva-count beside it, for the differential tests
// and the benchmark.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const buildWeb = process.env.KORVA_BUILD_WEB ?? join(root, 'build-web');
export const korvaCount = process.env.KORVA_COUNT ?? join(root, 'build', 'bin', 'korva-count');
export const makeReports = join(dirname(korvaCount), 'korva-make-reports');
export const kernels = ['simd', 'scalar'];
export const counters = { sabo: 0, pluen: 1 };

export function moduleBytes(kernel) {
  return readFileSync(join(buildWeb, `korva-${kernel}.wasm`));
}

export async function instantiate(kernel) {
  const { instance } = await WebAssembly.instantiate(moduleBytes(kernel), {});
  return instance.exports;
}

// The result text for report bytes, as the page gets it: UTF-8 with CR LF.
export function countBytes(module, counter, bytes) {
  const at = module.korva_alloc(bytes.length);
  if (!at) throw new Error('no memory for the report');
  new Uint8Array(module.memory.buffer, at, bytes.length).set(bytes);
  const block = module.korva_count(counters[counter], at, bytes.length);
  module.korva_free(at);
  if (!block) throw new Error('no memory for the result');
  const size = new DataView(module.memory.buffer).getUint32(block, true);
  const text = new TextDecoder().decode(new Uint8Array(module.memory.buffer, block + 4, size));
  module.korva_free(block);
  return text;
}

const windows1252 = new TextDecoder('windows-1252');

// korva-count's raw result (the windows' result box, Windows-1252) in UTF-8. A byte-order mark
// goes first: korva-count skips one, so the report's own first bytes count as they are, as in a
// text box.
export function nativeResult(counter, bytes) {
  const input = Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(bytes)]);
  const raw = execFileSync(korvaCount, [counter, '--encoding', 'utf-8', '--raw'], { input, maxBuffer: 1 << 20 });
  return windows1252.decode(raw);
}

// MEGABYTES of generated reports (UTF-8), as the benchmarks count them.
export function generatedReports(megabytes, seed = 1) {
  return execFileSync(makeReports, [String(megabytes), 'realistic', String(seed)], { maxBuffer: (megabytes + 1) << 20 });
}
