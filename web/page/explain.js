
// Erklärung: which lines made each total, one row per line behind the last count, as
// korva-count --explain gives them. Made only when asked, from the text that count used.
const explainBar = byId('ExplainBar');
const explanation = byId('Explanation');
const rowsBox = byId('ExplanationText');
// Rows past these are counted, not made: 50 MB of reports can hold a million.
const shownRows = 100000;
const number = new Intl.NumberFormat('de-DE');

let lastCount = null;
document.addEventListener('korva-counted', ({ detail }) => {
  lastCount = detail;
  explainBar.hidden = false;
});

const explainText = ({ counter, text }) => withModule((module) => {
  const { at, length } = writeText(module, text);
  const block = module.korva_explain(counter, at, length, shownRows);
  module.korva_free(at);
  if (!block) throw new OutOfMemory();
  // The rows after their length, then how many are shown and how many more there are.
  const view = new DataView(module.memory.buffer);
  const size = view.getUint32(block, true);
  const result = {
    rows: decoder.decode(new Uint8Array(module.memory.buffer, block + 4, size)),
    shown: view.getUint32(block + 4 + size, true),
    more: view.getUint32(block + 8 + size, true),
  };
  module.korva_free(block);
  return result;
});

function summary(rows) {
  if (rows === 0) return 'Keine Zeile hat gezählt.';
  return rows === 1 ? '1 Zeile hat gezählt.' : `${number.format(rows)} Zeilen haben gezählt.`;
}

// The back gesture closes the dialog: it stands in the history while open.
let inHistory = false;
window.addEventListener('popstate', () => {
  if (!inHistory) return;
  inHistory = false;
  explanation.close();
});
explanation.addEventListener('close', () => {
  if (!inHistory) return;
  inHistory = false;
  history.back();
});

function show({ rows, shown, more }, changed) {
  const lines = [];
  if (changed) lines.push('Berichte wurde seit der Zählung geändert; erklärt wird die Zählung, wie sie war.');
  if (rows !== '') lines.push(rows.slice(0, -1));
  if (more > 0) lines.push(`… und ${number.format(more)} weitere Zeilen`);
  rowsBox.value = lines.join('\n');
  byId('ExplanationSummary').textContent = summary(shown + more);
  explanation.showModal();
  rowsBox.focus();
  rowsBox.setSelectionRange(0, 0);
  rowsBox.scrollTop = 0;
  history.pushState(history.state, '');
  inHistory = true;
}

byId('Explain').addEventListener('click', async () => {
  if (counting || errorBox.open || !lastCount) return;
  counting = true;
  try {
    show(await explainText(lastCount), input.value !== lastCount.text);
  } catch (failure) {
    showErrorBox(failure);
  } finally {
    counting = false;
  }
});

// Where line number starts in text, or -1 when the text is shorter.
function lineStart(text, number) {
  let at = 0;
  for (let line = 1; line < number && at >= 0; ++line) {
    const next = text.indexOf('\n', at);
    at = next < 0 ? -1 : next + 1;
  }
  return at;
}

// The top of the line starting at start in Berichte, and a line's height, from a copy of the
// box's text laid out as the box lays it out; without wrapping, one line tells the height of all.
function linePlace(start, number) {
  const style = getComputedStyle(input);
  const wraps = style.whiteSpace !== 'pre';
  const copy = document.createElement('div');
  for (const property of ['font', 'whiteSpace', 'overflowWrap', 'wordBreak', 'letterSpacing', 'tabSize']) {
    copy.style[property] = style[property];
  }
  Object.assign(copy.style, { position: 'absolute', visibility: 'hidden', top: '0', left: '0', padding: '0',
    width: `${input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)}px` });
  const mark = document.createElement('span');
  mark.textContent = 'x';
  copy.append(wraps ? input.value.slice(0, start) : '', mark);
  document.body.append(copy);
  const height = copy.offsetHeight - mark.offsetTop;
  const top = wraps ? mark.offsetTop : (number - 1) * height;
  copy.remove();
  return { top, height };
}

// Selects the line in Berichte and scrolls it to the middle, among its neighbours.
function goToLine(number) {
  const text = input.value;
  const start = lineStart(text, number);
  if (start < 0) return;
  const end = text.indexOf('\n', start);
  input.focus();
  input.setSelectionRange(start, end < 0 ? text.length : end);
  const { top, height } = linePlace(start, number);
  input.scrollTop = top + parseFloat(getComputedStyle(input).paddingTop) - (input.clientHeight - height) / 2;
  input.scrollLeft = 0;
}

// Choosing a row (a click, a tap, or Enter at the caret) goes to its line.
function chooseRow() {
  const { value, selectionStart, selectionEnd } = rowsBox;
  if (selectionStart !== selectionEnd) return;
  const start = value.lastIndexOf('\n', selectionStart - 1) + 1;
  const row = /^Zeile (\d+):/.exec(value.slice(start, start + 32));
  if (!row) return;
  explanation.close();
  goToLine(Number(row[1]));
}
rowsBox.addEventListener('click', chooseRow);
rowsBox.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter') return;
  event.preventDefault();
  chooseRow();
});

// All rows, each ended by CR LF as from the windows.
byId('ExplanationCopy').addEventListener('click', async () => {
  const text = rowsBox.value === '' ? '' : `${rowsBox.value.replace(/\n/g, '\r\n')}\r\n`;
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const put = (event) => {
      event.clipboardData.setData('text/plain', text);
      event.preventDefault();
    };
    document.addEventListener('copy', put);
    document.execCommand('copy');
    document.removeEventListener('copy', put);
  }
});
