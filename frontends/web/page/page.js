// The window's behaviour: counting through the module, copying with CR LF, the help text selected
// on first focus, and the error box. Everything the page shows comes from the markup, which the
// build makes from the window's description.
const byId = (id) => document.getElementById(id);
const input = byId('Input');
const output = byId('Output');
const announcement = byId('Announcement');
const errorBox = byId('ErrorBox');
const errorText = byId('ErrorBoxText');

// The smallest module using a SIMD instruction: it validates only where WebAssembly has SIMD.
const simdProbe = Uint8Array.of(0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0,
  10, 10, 1, 8, 0, 65, 0, 253, 15, 253, 98, 11);

// The modules in base 85, four bytes in five digits, the most significant first; a last group
// of n bytes in n + 1 digits, read as if the highest digit followed.
const digits = '{{BASE85_DIGITS}}';
function moduleBytes(id) {
  const text = byId(id).textContent.trim();
  const bytes = new Uint8Array(text.length + 4);
  for (let i = 0; i < text.length; i += 5) {
    let group = 0;
    for (let k = i; k < i + 5; ++k) group = group * 85 + (k < text.length ? digits.indexOf(text[k]) : 84);
    for (let k = 3; k >= 0; --k, group = Math.floor(group / 256)) bytes[i / 5 * 4 + k] = group % 256;
  }
  return bytes.subarray(0, Math.floor(text.length * 4 / 5));
}

const kernel = WebAssembly.validate(simdProbe) ? 'simd' : 'scalar';
document.documentElement.dataset.kernel = kernel;
const bytes = moduleBytes(kernel === 'simd' ? 'KorvaSimd' : 'KorvaScalar');

// A fresh instance after every failure: a trap may leave the module's heap half changed. One that
// could not be made is tried again at the next click.
let instance = null;
function korva() {
  if (!instance) {
    instance = WebAssembly.instantiate(bytes).then((result) => result.instance.exports);
    instance.catch(() => { instance = null; });
  }
  return instance;
}
korva();

class OutOfMemory extends Error {
  constructor() { super('Out of memory'); }
}

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Writes text into the module as UTF-8 and returns its address and length. Reports are mostly
// ASCII: room for half as many bytes again is asked first, and more only when that falls short.
function writeText(module, text) {
  let capacity = text.length + (text.length >> 1) + 16;
  let at = module.korva_alloc(capacity);
  if (!at) throw new OutOfMemory();
  let { read, written } = encoder.encodeInto(text, new Uint8Array(module.memory.buffer, at, capacity));
  if (read < text.length) {
    const rest = text.slice(read);
    const larger = written + rest.length * 3;
    const moved = module.korva_alloc(larger);
    if (!moved) { module.korva_free(at); throw new OutOfMemory(); }
    new Uint8Array(module.memory.buffer).copyWithin(moved, at, at + written);
    module.korva_free(at);
    at = moved;
    written += encoder.encodeInto(rest, new Uint8Array(module.memory.buffer, at + written, larger - written)).written;
  }
  return { at, length: written };
}

// Runs work with the module; a failure drops this instance for a fresh one.
async function withModule(work) {
  const module = await korva();
  try {
    return work(module);
  } catch (failure) {
    instance = null;
    korva();
    if (failure instanceof WebAssembly.RuntimeError && module.korva_out_of_memory()) throw new OutOfMemory();
    if (failure instanceof RangeError) throw new OutOfMemory();
    throw failure;
  }
}

// On a phone the stacked boxes are short: the result box grows to its whole text and is brought
// into view, so the total at its end shows without scrolling the box; what stands below it on the
// page (Erklärung) comes into view with it where both fit on the screen.
const stacked = matchMedia('{{NARROW_SCREEN}}');
const main = document.querySelector('main');
function fitResult() {
  output.style.height = '';
  if (!stacked.matches) return;
  // Twice, for an engine that rounds the text's height down the first time.
  for (let i = 0; i < 2 && output.scrollHeight > output.clientHeight; ++i) {
    output.style.height = `${output.offsetHeight + output.scrollHeight - output.clientHeight}px`;
  }
  const top = output.getBoundingClientRect().top;
  const end = main.getBoundingClientRect().bottom;
  if (end - top > innerHeight) output.scrollIntoView({ block: 'nearest' });
  else if (top < 0 || end > innerHeight) scrollBy(0, top < 0 ? top : end - innerHeight);
}
stacked.addEventListener('change', fitResult);

// The module keeps the last text written into it until another comes: Erklärung explains the
// last count's text, and a count again counts the same, without writing tens of MB once more.
let written = null;
function textIn(module, text) {
  if (written?.module === module && written.text === text) return written;
  if (written?.module === module) module.korva_free(written.at);
  written = null;
  written = { module, text, ...writeText(module, text) };
  return written;
}

// Calls the module on text through call(module, at, length) and reads the block it returns, a
// run of 32-bit numbers and texts each after its length, with read; frees the block.
const onText = (text, call, read) => withModule((module) => {
  const { at, length } = textIn(module, text);
  let block = call(module, at, length);
  if (!block) throw new OutOfMemory();
  const view = new DataView(module.memory.buffer);
  const start = block;
  const number = () => { block += 4; return view.getUint32(block - 4, true); };
  const textOf = () => {
    const size = number();
    block += size;
    return decoder.decode(new Uint8Array(module.memory.buffer, block - size, size));
  };
  try {
    return read({ number, text: textOf });
  } finally {
    module.korva_free(start);
  }
});

// The result box's text, then the announcement.
const countText = (counter, text) => onText(text, (module, at, length) => module.korva_count(counter, at, length),
  (block) => ({ text: block.text(), announcement: block.text() }));

function showResult({ text, announcement: spoken }) {
  output.value = text;
  output.setSelectionRange(output.value.length, output.value.length);
  // Emptied first, so that the same result twice is announced twice.
  announcement.textContent = '';
  setTimeout(() => { announcement.textContent = spoken; }, 50);
}

// The box's text as the windows show a failure in a command: running out of memory and a
// foreign failure (a trap) by their fixed texts, any other by its message with the period
// appended where the windows' rule says: after the last characters the build read from it.
const takesPeriod = /[{{PERIOD_TAKERS}}]$/;
function errorBoxText(failure) {
  if (failure instanceof OutOfMemory) return errorBox.dataset.outOfMemory;
  if (failure instanceof WebAssembly.RuntimeError) return errorBox.dataset.foreignFailure;
  const message = failure instanceof Error ? failure.message : String(failure);
  return takesPeriod.test(message) ? message + errorBox.dataset.period : message;
}

function showErrorBox(failure) {
  const before = document.activeElement;
  errorText.textContent = errorBoxText(failure);
  errorBox.addEventListener('close', () => { if (before && before.isConnected) before.focus(); }, { once: true });
  errorBox.showModal();
}

let counting = false;
async function press(counter) {
  // A click waits for the one before; the window, too, takes one command at a time.
  if (counting || errorBox.open) return;
  counting = true;
  try {
    const text = input.value;
    showResult(await countText(counter, text));
    // Fitted once what a count shows below the result (Erklärung) is there.
    document.dispatchEvent(new CustomEvent('korva-counted', { detail: { counter, text } }));
    fitResult();
  } catch (failure) {
    showErrorBox(failure);
  } finally {
    counting = false;
  }
}

// Each counting button carries the number the module's korva_count takes for its counter.
for (const button of document.querySelectorAll('button[data-counter]')) {
  const counter = Number(button.dataset.counter);
  button.addEventListener('click', () => press(counter));
}

// The help text is selected when the box first takes the focus, so a first paste replaces it. A
// click would put the caret where it lands: that first click only gives the focus.
let helpSelected = false;
input.addEventListener('mousedown', (event) => {
  if (helpSelected || document.activeElement === input) return;
  event.preventDefault();
  input.focus();
});
function selectHelpText() {
  if (helpSelected) return;
  helpSelected = true;
  input.select();
  input.scrollTop = 0;
}
input.addEventListener('focus', selectHelpText);
// The box may have taken the focus (autofocus) before this script ran. An engine may also apply
// autofocus only after the page is ready, or not at all: the box then takes it here, so the page
// opens with the focus in Berichte, as the window does.
if (document.activeElement === input) selectHelpText();
else if (!document.activeElement || document.activeElement === document.body) input.focus();
// WebKit, having given the box the focus while the page loaded, later puts its caret to the start
// (its deferred focus appearance): the help text is selected again, until the player's first key or
// press.
let settled = false;
for (const type of ['keydown', 'pointerdown']) addEventListener(type, () => { settled = true; }, { capture: true, once: true });
document.addEventListener('selectionchange', () => {
  if (!settled && helpSelected && document.activeElement === input && input.selectionEnd === 0) input.select();
});

// The first paste into the untouched box replaces the help text whatever the selection: WebKit
// may put the caret back to the start just after the focus selected it, and the reports would
// go in front of the help text, their last line running into its first. Selecting the help text
// before the browser pastes keeps the paste the browser's own: as fast as in any text box (an
// inserted text's editing command takes time with the square of its lines), its CRs dropped, and
// undone by Ctrl+Z.
let untouched = true;
input.addEventListener('input', () => { untouched = false; });
input.addEventListener('paste', () => {
  if (!untouched) return;
  untouched = false;
  input.setSelectionRange(0, input.value.length);
});

// Browsers hold a text box's line breaks as LF; the clipboard gets CR LF, as from the windows.
function copySelection(box, event) {
  const selected = box.value.slice(box.selectionStart, box.selectionEnd);
  if (selected === '') return false;
  event.clipboardData.setData('text/plain', selected.replace(/\n/g, '\r\n'));
  event.preventDefault();
  return true;
}
output.addEventListener('copy', (event) => copySelection(output, event));
input.addEventListener('copy', (event) => copySelection(input, event));
input.addEventListener('cut', (event) => {
  // Deleted as an edit of the user's, so that undo brings it back.
  if (copySelection(input, event) && !document.execCommand('delete')) {
    input.setRangeText('', input.selectionStart, input.selectionEnd, 'end');
  }
});

// Hosted, the page works offline and installs as an app.
if (document.querySelector('link[rel="manifest"]') && 'serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
