// What the browser cases share: the reports a player pastes, and the steps every case takes
// through `t` (frontends/web/tests/engines.mjs).
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

// Reports as players paste them: times, umlauts, a line in another script, an emoji, a lone
// surrogate (U+FFFD once it went through the clipboard, "?" in the count as in the windows), and
// a last line without a line break.
export const reports = [
  'Sabotagebericht vom 07.12.2026 14:32',
  '14:32:05 Eisenmine (3) zerstört',
  '14:32:05 Raumhafen (1) zerstört',
  '14:32:07 Wohngebäude (2) zerstört',
  '14:32:09 Forschungszentrum zerstört',
  'Bohrturm (２) 😀 Chemiefabrik (\uD800)',
  '',
  'Plünderbericht vom 07.12.2026 15:01',
  'Eisen 1200',
  'Silizium 300',
  'Wasserstoff\t40',
  'Eisen 800',
  'Wasser 25 € ',
  'Sauerstoff\u2003 9',
].join('\n');

export const lf = (text) => text.replace(/\r\n/g, '\n');

// Asks the page until fn gives something truthy (for seconds at most), and returns that.
async function poll(t, seconds, fn, ...args) {
  for (let tries = 0; ; ++tries) {
    const value = await t.eval(fn, ...args);
    if (value || tries >= seconds * 20) return value;
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
}
export const until = (t, fn, ...args) => poll(t, 5, fn, ...args);

export const value = (t, id) => t.eval((name) => document.getElementById(name).value, id);
export const focus = (t, id) => t.eval((name) => document.getElementById(name).focus(), id);
export const focused = (t) => t.eval(() => document.activeElement.id);

// Acts (a click, a key) and returns the result's announcement once it is made.
export async function counted(t, act) {
  await t.eval(() => { document.getElementById('Announcement').textContent = ''; });
  await act();
  return until(t, () => document.getElementById('Announcement').textContent);
}

// What a count of a result text is to announce: the line count and the totals, the sabotage
// count's last line, or the plunder count's heading and every sum after it.
export function announcement(counter, result) {
  const lines = lf(result).replace(/\n$/, '').split('\n');
  const totals = counter === 'sabo' ? lines.at(-1) : lines[0] + lines.slice(1).join(', ');
  return `Ergebnis: ${lines.length} Zeilen, ${totals}`;
}

// Pastes text with Ctrl+V from the system clipboard into the focused box and returns the box's text.
export async function paste(t, text) {
  const before = await t.eval(() => document.activeElement.value);
  await t.setClipboard(text);
  await t.press('Control+V');
  // A megabyte takes WebKit seconds, in a bare text box as well.
  await poll(t, 60, (old) => document.activeElement.value !== old, before);
  return t.eval(() => document.activeElement.value);
}

// Presses Ctrl+C and returns the clipboard once it holds what was expected (or after 5 s).
export async function copied(t, expected) {
  // A text of its own first, held before the copy: an empty clipboard could not be told from
  // one xclip has yet to take, and xclip would then take it after the copy.
  await t.setClipboard('(vor dem Kopieren)');
  await t.press('Control+C');
  let text = '';
  for (let tries = 0; tries < 100 && text !== expected; ++tries) {
    text = await t.clipboard();
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
  return text;
}

// An element's pixels as the engine's screenshot shows them, row by row, RGBA.
export async function elementPixels(t, id) {
  // Two frames, so that the screenshot shows the page as laid out now.
  await t.eval(() => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(resolve)); }));
  const png = (await t.screenshot()).toString('base64');
  return t.eval(async (data, name) => {
    const r = document.getElementById(name).getBoundingClientRect();
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    return [...context.getImageData(Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)).data];
  }, png, id);
}

// The two outermost pixels of an element's left and right edges, at half its height, as the
// engine's screenshot shows them: "light" for white, "shadow" for a grey, anything else as its colour.
export async function edgePixels(t, id) {
  const { width, height } = await t.eval((name) => {
    const r = document.getElementById(name).getBoundingClientRect();
    return { width: Math.round(r.width), height: Math.round(r.height) };
  }, id);
  const all = await elementPixels(t, id);
  const middle = Math.floor(height / 2) * width * 4;
  const rgb = all.slice(middle, middle + width * 4);
  const at = (x) => {
    const [r, g, b] = rgb.slice(x * 4, x * 4 + 3);
    if (r === 255 && g === 255 && b === 255) return 'light';
    return r === g && g === b && r < 200 ? 'shadow' : `rgb(${r}, ${g}, ${b})`;
  };
  const last = rgb.length / 4 - 1;
  return { left: [at(0), at(1)], right: [at(last - 1), at(last)] };
}

// axe-core's source, run in the page as it is.
export const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
export const loadAxe = (t) => t.eval((source) => { if (!window.axe) (0, eval)(source); }, axeSource);
