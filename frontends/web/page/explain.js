
// Erklärung: which lines made each total, one row per line behind the last count, as
// korva-count --explain gives them. Made only when asked, from the text that count used.
const explainBar = byId('ExplainBar');
const explainButton = byId('Explain');
const explanation = byId('Explanation');
const list = byId('ExplanationText');
const listRows = byId('ExplanationRows');
// Rows past these are counted, not made: 50 MB of reports can hold a million.
const shownRows = {{SHOWN_ROWS}};
const number = new Intl.NumberFormat('de-DE');

// Every edit of the player's fires input; comparing tens of MB of text at each Erklärung would not.
let lastCount = null;
let changed = false;
input.addEventListener('input', () => { changed = true; });
document.addEventListener('korva-counted', ({ detail }) => {
  lastCount = detail;
  changed = false;
  explainBar.hidden = false;
});

// The rows, then how many are shown and how many more there are.
const explainText = ({ counter, text }) => onText(text,
  (module, at, length) => module.korva_explain(counter, at, length, shownRows, 0),
  (block) => ({ rows: block.text(), shown: block.number(), more: block.number() }));

function summary(rows) {
  if (rows === 0) return 'Keine Zeile hat gezählt.';
  return rows === 1 ? '1 Zeile hat gezählt.' : `${number.format(rows)} Zeilen haben gezählt.`;
}

// The rows stay one text with where each begins: a string of its own for each of 100,000 rows
// kept Chromium's collector busy for longer than the module took to explain 50 MB.
function rowList(text, first, last) {
  const starts = [];
  let at = 0;
  while (at < text.length) {
    starts.push(at);
    at = text.indexOf('\n', at) + 1 || text.length + 1;
  }
  starts.push(at);
  const head = first ? 1 : 0;
  return {
    length: head + starts.length - 1 + (last ? 1 : 0),
    at(i) {
      const row = i - head;
      if (row < 0) return first;
      return row < starts.length - 1 ? text.slice(starts[row], starts[row + 1] - 1) : last;
    },
  };
}

// The box's lines, and the one the keys move on; only those in view are made into elements.
let lines = [];
let active = 0;
const rowHeight = () => parseFloat(getComputedStyle(list).getPropertyValue('--row'));

// A row's element stays while its row is in view: a screen reader speaks the focused row once,
// and would start over with the dialog's buttons for an element made anew.
const made = new Map();
let madeHeight = 0;
function render() {
  const height = rowHeight();
  if (height !== madeHeight) {
    made.clear();
    listRows.replaceChildren();
    madeHeight = height;
  }
  listRows.style.height = `${lines.length * height}px`;
  const first = Math.max(0, Math.floor(list.scrollTop / height) - 4);
  const last = Math.min(lines.length, first + Math.ceil(list.clientHeight / height) + 8);
  for (const [i, row] of made) {
    if (i < first || i >= last) {
      row.remove();
      made.delete(i);
    }
  }
  for (let i = first; i < last; ++i) {
    let row = made.get(i);
    if (!row) {
      row = document.createElement('div');
      row.id = `ExplanationRow${i}`;
      row.dataset.index = i;
      row.style.top = `${i * height}px`;
      row.textContent = lines.at(i);
      for (const [name, value] of [['role', 'option'], ['aria-setsize', lines.length], ['aria-posinset', i + 1]]) {
        row.setAttribute(name, value);
      }
      made.set(i, row);
      listRows.append(row);
    }
    row.setAttribute('aria-selected', i === active);
  }
  if (lines.length) list.setAttribute('aria-activedescendant', `ExplanationRow${active}`);
  else list.removeAttribute('aria-activedescendant');
}
list.addEventListener('scroll', render);
window.addEventListener('resize', () => { if (explanation.open) render(); });

function activate(index) {
  active = Math.max(0, Math.min(lines.length - 1, index));
  const height = rowHeight();
  const top = active * height;
  if (top < list.scrollTop) list.scrollTop = top;
  else if (top + height > list.scrollTop + list.clientHeight) list.scrollTop = top + height - list.clientHeight;
  render();
}

// The back gesture closes the dialog: it stands in the history while open. Going back must leave
// the page where choosing a row scrolled it.
let inHistory = false;
history.scrollRestoration = 'manual';
function hide(focus = explainButton) {
  if (!explanation.open) return;
  explanation.close();
  focus?.focus();
  if (inHistory) {
    inHistory = false;
    history.back();
  }
}
window.addEventListener('popstate', () => {
  if (!inHistory) return;
  inHistory = false;
  hide();
});

function show({ rows, shown, more }, changed) {
  lines = rowList(rows, changed && 'Berichte wurde seit der Zählung geändert; erklärt wird die Zählung, wie sie war.',
    more > 0 && `… und ${number.format(more)} weitere Zeilen`);
  made.clear();
  listRows.replaceChildren();
  byId('ExplanationSummary').textContent = summary(shown + more);
  explanation.show();
  list.scrollTop = 0;
  activate(0);
  list.focus();
  history.pushState(history.state, '');
  inHistory = true;
}

explainButton.addEventListener('click', async () => {
  if (counting || errorBox.open || explanation.open || !lastCount) return;
  counting = true;
  try {
    show(await explainText(lastCount), changed);
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
  // The selection before the focus: Chromium takes a second and more to focus tens of MB with
  // the caret where the paste left it, at the end.
  input.setSelectionRange(start, end < 0 ? text.length : end);
  input.focus({ preventScroll: true });
  const { top, height } = linePlace(start, number);
  const style = getComputedStyle(input);
  input.scrollTop = top + parseFloat(style.paddingTop) - (input.clientHeight - height) / 2;
  input.scrollLeft = 0;
  // The page, too, where the box stands partly off screen (a phone, most of all held sideways):
  // the line to the middle of the screen, as far as the page scrolls.
  const lineTop = input.getBoundingClientRect().top + input.clientTop + parseFloat(style.paddingTop) + top - input.scrollTop;
  if (lineTop < 0 || lineTop + height > innerHeight) scrollBy(0, lineTop - (innerHeight - height) / 2);
}

// Choosing a row (a click, a tap, or Enter) goes to its line; the notes above and below the rows
// go nowhere.
function choose(index) {
  const row = /^{{ROW_PLACE}}(\d+):/.exec(lines.at(index));
  if (!row) return;
  hide(null);
  goToLine(Number(row[1]));
}
listRows.addEventListener('click', (event) => {
  const row = event.target.closest('[role="option"]');
  if (row) choose(Number(row.dataset.index));
});

const page = () => Math.max(1, Math.floor(list.clientHeight / rowHeight()) - 1);
const moves = { ArrowDown: () => active + 1, ArrowUp: () => active - 1, PageDown: () => active + page(),
  PageUp: () => active - page(), Home: () => 0, End: () => lines.length - 1 };
list.addEventListener('keydown', (event) => {
  if (event.key === 'Enter') choose(active);
  else if (moves[event.key]) activate(moves[event.key]());
  else return;
  event.preventDefault();
});

// Esc closes, and Tab stays within the dialog, as in a modal one.
explanation.addEventListener('keydown', (event) => {
  if (event.key === 'Escape') {
    event.preventDefault();
    hide();
    return;
  }
  // WebKitGTK names Shift+Tab's key "Unidentified"; its code is still Tab.
  if (event.key !== 'Tab' && event.code !== 'Tab') return;
  const stops = [list, ...explanation.querySelectorAll('button')];
  const at = stops.indexOf(document.activeElement);
  event.preventDefault();
  stops[(at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length].focus();
});
byId('ExplanationClose').addEventListener('click', () => hide());

// Every row of the last count as korva-count --csv's table, with separator between the fields.
const table = (separator) => onText(lastCount.text,
  (module, at, length) => module.korva_explain(lastCount.counter, at, length, -1, separator.charCodeAt(0)),
  (block) => block.text());

// Als CSV speichern: a file as korva-count --csv writes it, named after the counter and the day.
const act = (id, work) => byId(id).addEventListener('click', () => work().catch(showErrorBox));
act('ExplanationSave', async () => {
  const text = await table(',');
  const { name } = document.querySelector(`[data-counter="${lastCount.counter}"]`).dataset;
  const day = new Date();
  const link = document.createElement('a');
  link.download = `${name}-${[day.getFullYear(), day.getMonth() + 1, day.getDate()].map((n) => String(n).padStart(2, '0')).join('-')}.csv`;
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/csv' }));
  link.click();
  // The download may start after this task: its address is kept a while.
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
});

// Kopieren: the same table separated by tabs, which a spreadsheet pastes into columns.
act('ExplanationCopy', async () => {
  const text = await table('\t');
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
