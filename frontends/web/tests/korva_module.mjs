// The page's module in node, and the native korva-count beside it, for the differential tests
// and the benchmark.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..', '..');
export const buildWeb = process.env.KORVA_BUILD_WEB ?? join(root, 'build-web');
export const korvaCount = process.env.KORVA_COUNT ?? join(root, 'build', 'bin', 'korva-count');
export const makeReports = join(dirname(korvaCount), 'korva-make-reports');
export const kernels = ['simd', 'scalar'];
// The module's counter numbers, as the generator writes them onto the page's buttons.
export const counters = Object.fromEntries(
  [...readFileSync(join(buildWeb, 'korva-counter.html'), 'utf8')
    .matchAll(/<button type="button" id="(\w+)" data-counter="(\d+)"/g)]
    .map(([, id, number]) => [id.toLowerCase(), Number(number)]));

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

// The explanation of a count as the page gets it: the rows (each ended by LF), how many are
// shown, and how many more there are past maxRows; with a separator, as a table of it.
export function explainBytes(module, counter, bytes, maxRows = 100000, separator = '\0') {
  const at = module.korva_alloc(bytes.length);
  if (!at) throw new Error('no memory for the report');
  new Uint8Array(module.memory.buffer, at, bytes.length).set(bytes);
  const block = module.korva_explain(counters[counter], at, bytes.length, maxRows, separator.charCodeAt(0));
  module.korva_free(at);
  if (!block) throw new Error('no memory for the explanation');
  const view = new DataView(module.memory.buffer);
  const size = view.getUint32(block, true);
  const rows = new TextDecoder().decode(new Uint8Array(module.memory.buffer, block + 4, size));
  const shown = view.getUint32(block + 4 + size, true);
  const more = view.getUint32(block + 8 + size, true);
  module.korva_free(block);
  return { rows, shown, more };
}

// korva-count --explain's rows for the same text (read as UTF-8, as the page's text is), each
// "-:N:" put as the page puts it, "Zeile N:".
export function nativeRows(counter, bytes) {
  const input = Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(bytes)]);
  const run = (...options) => execFileSync(korvaCount, [counter, '--encoding', 'utf-8', ...options],
    { input, maxBuffer: 1 << 28 }).toString('utf8');
  const result = run();
  const explained = run('--explain');
  if (!explained.endsWith(result)) throw new Error('korva-count --explain: no result after the rows');
  return explained.slice(0, explained.length - result.length).replace(/^-:(\d+):/gm, 'Zeile $1:');
}

// korva-count --csv for the same text in a file named name (the page names it after its box).
export function nativeCsv(counter, bytes, name) {
  const folder = mkdtempSync(join(tmpdir(), 'korva-csv-'));
  try {
    writeFileSync(join(folder, name), Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(bytes)]));
    return execFileSync(korvaCount, [counter, '--encoding', 'utf-8', '--csv', name], { cwd: folder, maxBuffer: 1 << 28 })
      .toString('utf8');
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// A CSV text with tabs for the commas between its fields: the fields themselves stay, quoted
// where they hold a comma or a tab.
export const tabbed = (csv) => {
  let quoted = false;
  return csv.replace(/[",]/g, (c) => {
    if (c === '"') quoted = !quoted;
    return c === ',' && !quoted ? '\t' : c;
  });
};

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
