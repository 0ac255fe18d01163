// The inputs the node tests count: the fuzz corpora, edge cases, and seeded mutations of them.
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';

import { root } from './korva_module.mjs';

// Every input of the fuzz corpora (of one target, or of all), and of the directories named in
// KORVA_WEB_CORPUS (separated by ":"), such as a corpus a fuzz run has grown.
export function corpusInputs(only) {
  const inputs = [];
  const top = join(root, 'fuzz', 'corpus');
  for (const target of readdirSync(top)) {
    if (only && target !== only) continue;
    for (const name of readdirSync(join(top, target))) {
      const path = join(top, target, name);
      if (statSync(path).isFile()) inputs.push({ name: `${target}/${name}`, bytes: readFileSync(path) });
    }
  }
  for (const dir of (process.env.KORVA_WEB_CORPUS ?? '').split(':').filter(Boolean)) {
    for (const name of readdirSync(dir)) inputs.push({ name: join(dir, name), bytes: readFileSync(join(dir, name)) });
  }
  return inputs;
}

export const edgeInputs = [
  ['empty', ''],
  ['help text', 'Hier alle Berichte mit allen Zeiten einfügen, dann Funktion auswählen.\n\nFunktionen:\n- Plündercounter\n- Sabotage-counter\n'],
  ['umlaut name', 'Wohngebäude (2)\nWohngebäude (3)'],
  ['byte-order mark first', '\uFEFFEisen 100\nEisenmine (2)'],
  ['lone surrogate as the page encodes it', 'Eisen \uFFFD1\nBohrturm (\uFFFD)'],
  ['outside Windows-1252', 'Eisenmine (３)\nWasser\u2003 5\n€ Eisen 7\n😀 Raumhafen (4)'],
  ['invalid UTF-8', Buffer.from('Eisenmine \xE2(4)\nEisen\xF0\x9F12\n\xFFSolarpark (9)', 'latin1')],
  ['lone CR and CR LF', 'Eisen 5\rEisen 6\r\nEisen 7\n\rEisen 8'],
  ['keywords after blanks, amounts the game wrote with points', '  Eisen 1500\n\tEisen 7\nEisen 1.500\nEisenmine (1.000)\n Wasserstoff 3'],
  ['controls and a long line', `Eisenmine (2)\x1B[31m\x7F\u0081\nRaumhafen ${'ä'.repeat(210)}`],
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

// count inputs made from seeds by cutting, dropping and inserting pieces and stray bytes.
export function mutations(seeds, count, seed) {
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

