// Erklärung: the rows behind the last count, going to a line, the phone, the keyboard.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';

import { controls } from '../form.mjs';
import { nativeCsv, nativeRows, tabbed } from '../korva_module.mjs';
import { phones, touchOnly } from './layout.mjs';

const phone = { width: 390, height: 844, touch: true };
const number = new Intl.NumberFormat('de-DE');

// Reports as players paste them: a line twice, an amount written "1.500", a line without one.
const reports = [
  'Sabotagebericht vom 07.12.2026 12:05',
  '12:05 Eisenmine (3) zerstört',
  '12:05 Eisenmine (3) zerstört',
  '12:06 Raumhafen (1.500) zerstört',
  '12:07 Wohngebäude zerstört',
  'Plünderbericht',
  'Eisen 1.500',
  'Eisen 1200',
].join('\n');

// The page's table names its text after the box it came from.
const boxName = controls.find((control) => control.name === 'Label1').caption;

// Lines that count and hold what a CSV field must be quoted for: quotes, commas, semicolons, tabs.
const quoted = ['Eisenmine (3) zerstört, "Angriff"; Ziel\tA', 'Eisen 1500; "Lager", voll\tja'];

// The records a CSV reader (Python's) finds in text with separator between the fields.
const records = (text, separator) => JSON.parse(execFileSync('python3', ['-c',
  'import csv, json, sys; print(json.dumps(list(csv.reader(sys.stdin, delimiter=sys.argv[1]))))', separator],
{ input: text }).toString());

// The day as the saved file's name gives it, in the local time of the browser and the tests.
const day = (date) => [date.getFullYear(), date.getMonth() + 1, date.getDate()].map((n) => String(n).padStart(2, '0')).join('-');

// Many lines, one that counts far down, so that going to it must scroll.
const longReports = [...Array.from({ length: 240 }, (_, i) => `Zeile ${i + 1} eines Berichts`), 'Bohrturm (4) zerstört',
  ...Array.from({ length: 60 }, () => 'Ende')].join('\n');

// Puts text into Berichte, presses a counter's button and waits for the result's announcement.
async function count(t, text, button = 'Sabo') {
  await t.eval((report) => {
    const box = document.getElementById('Input');
    box.value = report;
    box.dispatchEvent(new Event('input', { bubbles: true }));
    document.getElementById('Announcement').textContent = '';
  }, text);
  await t.click(`#${button}`);
  await t.eval(() => new Promise((resolve) => {
    const wait = () => (document.getElementById('Announcement').textContent ? resolve() : setTimeout(wait, 20));
    wait();
  }));
}

async function openExplanation(t, how = 'click') {
  await t[how]('#Explain');
  await t.eval(() => new Promise((resolve) => {
    const wait = () => (document.getElementById('Explanation').open ? resolve() : setTimeout(wait, 20));
    wait();
  }));
}

// The dialog as a player and a screen reader meet it: its name, the rows in view, and the row
// the keys are on with its place among all rows.
const dialog = (t) => t.eval(() => {
  const named = (element, attribute) => element.getAttribute(attribute).split(' ')
    .map((id) => document.getElementById(id).textContent).join(' ');
  const d = document.getElementById('Explanation');
  const list = document.getElementById('ExplanationText');
  const box = list.getBoundingClientRect();
  const active = document.getElementById(list.getAttribute('aria-activedescendant') ?? '');
  return {
    open: d.open, name: named(d, 'aria-labelledby'),
    listName: named(list, 'aria-labelledby'), focused: document.activeElement.id,
    rows: [...list.querySelectorAll('[role="option"]')].filter((row) => {
      const r = row.getBoundingClientRect();
      return r.top >= box.top && r.bottom <= box.bottom;
    }).map((row) => row.textContent),
    active: active && [active.textContent, active.getAttribute('aria-posinset'), active.getAttribute('aria-setsize')],
  };
});

// Every row, as Kopieren puts them on the clipboard.
// The copy is asynchronous: the clipboard holds a text of its own first, and is read until the
// copy has replaced it.
async function copiedRows(t) {
  const before = '(vor dem Kopieren)';
  await t.setClipboard(before);
  await t.click('#ExplanationCopy');
  let text = before;
  for (let tries = 0; tries < 100 && text === before; ++tries) {
    await new Promise((resolve) => { setTimeout(resolve, 50); });
    text = await t.clipboard();
  }
  return text;
}

// What Berichte shows after going to a line: the selected text and its line's number, and
// whether the line lies inside the box's visible part and on the screen (lines of one height: no
// line of these reports wraps).
const berichte = (t) => t.eval(() => {
  const box = document.getElementById('Input');
  const lines = box.value.split('\n');
  const before = box.value.slice(0, box.selectionStart).split('\n').length - 1;
  const style = getComputedStyle(box);
  const height = (box.scrollHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)) / lines.length;
  const top = before * height - box.scrollTop;
  const onScreen = box.getBoundingClientRect().top + box.clientTop + parseFloat(style.paddingTop) + top;
  return { focused: document.activeElement.id, selected: box.value.slice(box.selectionStart, box.selectionEnd),
    line: before + 1, visible: top >= 0 && top + height <= box.clientHeight, scrolled: box.scrollTop > 0,
    onScreen: onScreen >= -1 && onScreen + height <= innerHeight + 1 };
});

// Erklärung's controls and the rows in view narrower or lower than a thumb's 44 px.
const small = (t) => t.eval(() => [...document.querySelectorAll('#Explain, #Explanation button, #ExplanationRows > *')]
  .filter((e) => e.getClientRects().length).map((e) => [e.id || e.textContent.slice(0, 12), e.getBoundingClientRect()])
  .filter(([, r]) => r.width < 44 || r.height < 44).map(([name, r]) => `${name}: ${r.width} x ${r.height}`));

export default [
  {
    name: 'after a count, Erklärung below the window opens "Erklärung" with korva-count --explain\'s rows, named and counted for screen readers',
    async run(t) {
      assert.equal(await t.eval(() => document.getElementById('ExplainBar').hidden), true, 'no Erklärung before a count');
      // Another text, and the first again: each count's own rows.
      for (const [button, counter, text] of [['Sabo', 'sabo', reports], ['Pluen', 'pluen', `${reports}\nWasser 7`],
        ['Sabo', 'sabo', reports]]) {
        await count(t, text, button);
        const place = await t.eval(() => {
          const form = document.getElementById('MainForm').getBoundingClientRect();
          const control = document.getElementById('Explain').getBoundingClientRect();
          return { below: control.top >= form.bottom, inside: control.left >= form.left && control.right <= form.right };
        });
        assert.deepEqual(place, { below: true, inside: true });
        const output = await t.eval(() => document.getElementById('Output').value);
        await openExplanation(t);
        const shown = await dialog(t);
        const expected = nativeRows(counter, Buffer.from(text)).split('\n').slice(0, -1);
        assert.deepEqual(shown.rows, expected);
        // Named by more than the button that opens it: Orca leaves out a name it has just read.
        assert.deepEqual([shown.name, shown.listName, shown.focused, shown.active],
          [`Erklärung ${expected.length} Zeilen haben gezählt.`, 'Erklärung', 'ExplanationText',
            [expected[0], '1', String(expected.length)]]);
        // The rows still in view keep their elements as the keys move: a screen reader would
        // start over with the dialog's buttons for a focused row made anew.
        await t.eval(() => { window.rowsBefore = [...document.querySelectorAll('#ExplanationRows > *')]; });
        await t.press('ArrowDown');
        assert.deepEqual(await t.eval(() => window.rowsBefore.filter((row) => !row.isConnected).length), 0, 'rows made anew');
        assert.equal((await dialog(t)).active[1], '2', 'Down moves to the second row');
        await t.press('Escape');
        assert.equal((await dialog(t)).open, false, 'Esc closes it');
        assert.equal(await t.eval(() => document.getElementById('Output').value), output, 'the result stays');
      }
      assert.deepEqual(t.errors, []);
    },
  },
  // Every phone of the layout's table, upright and sideways, and the touch tablet.
  ...phones.map(([width, height]) => ({
    name: `a ${width} x ${height} touch screen: Erklärung's buttons and rows are a thumb's size, and a row chosen by Enter, a click or a tap selects its line in Berichte, in view`,
    view: { width, height, touch: true },
    skip: touchOnly([width, height]),
    async run(t) {
      for (const choose of ['Enter', 'click', 'tap']) {
        await t.eval(() => { document.getElementById('Input').scrollTop = 0; scrollTo(0, 0); });
        await count(t, longReports);
        await openExplanation(t);
        assert.deepEqual(await small(t), [], 'smaller than 44 x 44');
        if (choose === 'Enter') await t.press('Enter');
        else await t[choose]('#ExplanationRows > [role="option"]');
        assert.equal((await dialog(t)).open, false, choose);
        assert.deepEqual(await berichte(t), { focused: 'Input', selected: 'Bohrturm (4) zerstört', line: 241, visible: true,
          scrolled: true, onScreen: true }, choose);
      }
      assert.deepEqual(await small(t), [], 'Erklärung smaller than 44 x 44');
    },
  })),
  {
    name: 'Als CSV speichern saves korva-count --csv\'s file, named after the counter and the day; Kopieren copies the same table with tabs, which a CSV reader reads as the same columns; Schließen closes',
    async run(t) {
      const text = `${reports}\n${quoted.join('\n')}`;
      for (const [button, counter] of [['Sabo', 'sabo'], ['Pluen', 'pluen']]) {
        await count(t, text, button);
        await openExplanation(t);
        const csv = nativeCsv(counter, Buffer.from(text), boxName);
        const copied = await copiedRows(t);
        assert.equal(copied, tabbed(csv), `${counter}: Kopieren`);
        // Pasted into a spreadsheet: the same columns as the file's, the quoted lines whole.
        const columns = records(copied, '\t');
        assert.deepEqual(columns, records(csv, ','));
        assert.ok(columns.some((fields) => fields.length === 6 && quoted.includes(fields[5])), `${counter}: a quoted line whole`);
        const before = day(new Date());
        const { name, bytes } = await t.download('#ExplanationSave');
        assert.ok([`${counter}-${before}.csv`, `${counter}-${day(new Date())}.csv`].includes(name), name);
        assert.equal(bytes.toString('hex'), Buffer.from(csv).toString('hex'), `${counter}: the file's bytes`);
        await t.click('#ExplanationClose');
        assert.equal((await dialog(t)).open, false);
      }
    },
  },
  {
    name: 'on a phone Erklärung stands below Ergebnis, the dialog fills the screen, and the back gesture closes it',
    view: phone,
    async run(t) {
      await count(t, reports);
      const place = await t.eval(() => {
        const output = document.getElementById('Output').getBoundingClientRect();
        const control = document.getElementById('Explain').getBoundingClientRect();
        return { below: control.top >= output.bottom, height: control.height, onScreen: control.bottom <= innerHeight };
      });
      assert.ok(place.below && place.height >= 44 && place.onScreen, JSON.stringify(place));
      await openExplanation(t, 'tap');
      const size = await t.eval(() => {
        const r = document.getElementById('Explanation').getBoundingClientRect();
        return [r.left, r.top, r.width, r.height, innerWidth, innerHeight];
      });
      assert.deepEqual(size.slice(0, 4), [0, 0, size[4], size[5]]);
      await t.eval(() => history.back());
      await t.eval(() => new Promise((resolve) => setTimeout(resolve, 200)));
      assert.equal((await dialog(t)).open, false);
    },
  },
  {
    name: 'when Berichte changed since the count, the first line says so and the rows explain the count as it was; a count nothing made, changed or not, shows no row but that line',
    async run(t) {
      await count(t, reports);
      await t.click('#Input');
      await t.press('Control+A');
      await t.type('Raumhafen (9)');
      await openExplanation(t);
      const [first, ...rows] = (await dialog(t)).rows;
      assert.match(first, /^Berichte wurde seit der Zählung geändert/);
      assert.deepEqual(rows, nativeRows('sabo', Buffer.from(reports)).split('\n').slice(0, -1));
      assert.equal(await copiedRows(t), tabbed(nativeCsv('sabo', Buffer.from(reports), boxName)), 'Kopieren');
      await t.press('Escape');
      await count(t, 'Nichts zu zählen');
      for (const changed of [false, true]) {
        if (changed) await t.eval(() => document.getElementById('Input').dispatchEvent(new Event('input', { bubbles: true })));
        await openExplanation(t);
        const { name, rows: shown, active } = await dialog(t);
        assert.deepEqual([name, shown.length, active?.[2]], ['Erklärung Keine Zeile hat gezählt.', changed ? 1 : 0, changed ? '1' : undefined]);
        await t.press('Escape');
      }
    },
  },
  {
    name: 'Tab goes through the window as before, then to Erklärung; in the dialog Tab and Shift+Tab stay there, and Schließen gives the focus back',
    async run(t) {
      await count(t, reports);
      await t.eval(() => document.getElementById('Input').focus());
      const order = [];
      for (let i = 0; i < 5; ++i) {
        if (i > 0) await t.press('Tab');
        order.push(await t.eval(() => document.activeElement.id));
      }
      assert.deepEqual(order, ['Input', 'Output', 'Sabo', 'Pluen', 'Explain']);
      await t.press('Enter');
      await t.eval(() => new Promise((resolve) => setTimeout(resolve, 100)));
      assert.equal((await dialog(t)).open, true, 'Enter on Erklärung opens it');
      const inside = [];
      for (let i = 0; i < 5; ++i) {
        inside.push(await t.eval(() => document.activeElement.id));
        await t.press('Tab');
      }
      assert.deepEqual(inside, ['ExplanationText', 'ExplanationSave', 'ExplanationCopy', 'ExplanationClose', 'ExplanationText']);
      const back = [];
      for (let i = 0; i < 6; ++i) {
        await t.press('Shift+Tab');
        back.push(await t.eval(() => document.activeElement.id));
      }
      assert.deepEqual(back, ['ExplanationText', 'ExplanationClose', 'ExplanationCopy', 'ExplanationSave', 'ExplanationText',
        'ExplanationClose'], 'Shift+Tab');
      await t.press('Enter');
      assert.deepEqual([(await dialog(t)).open, await t.eval(() => document.activeElement.id)], [false, 'Explain'],
        'Schließen closes it and gives the focus back');
    },
  },
  {
    name: 'in the accessibility tree, opening Erklärung puts the focus in a modal dialog named "Erklärung" with its count; the menu bar, none of whose menus opens, is not read',
    skip: { firefox: 'WebDriver BiDi gives no accessibility tree', webkit: 'WebKitWebDriver gives no accessibility tree' },
    async run(t) {
      // The focused node and the nodes above it, outermost first.
      const focusPath = (node) => {
        if (node.focused) return [node];
        for (const child of node.children ?? []) {
          const path = focusPath(child);
          if (path.length) return [node, ...path];
        }
        return [];
      };
      const all = (node) => [node, ...(node.children ?? []).flatMap(all)];
      await count(t, reports);
      assert.deepEqual(all(await t.accessibility()).filter((node) => /^menu/.test(node.role)).map((node) => node.name), []);
      await openExplanation(t);
      const path = focusPath(await t.accessibility());
      const rows = nativeRows('sabo', Buffer.from(reports)).split('\n').length - 1;
      assert.deepEqual(path.filter((node) => node.role === 'dialog').map(({ name, modal }) => [name, modal]),
        [[`Erklärung ${rows} Zeilen haben gezählt.`, true]]);
      assert.deepEqual([path.at(-1).role, path.at(-1).name], ['listbox', 'Erklärung'], 'the focus on the rows');
    },
  },
  // At the cap and one past it; each row chosen after the list scrolled to its end.
  ...[[100001, 1], [100012, 12]].map(([lines, more]) => ({
    name: `${number.format(lines)} rows: the first 100,000 are shown, the last line says how many more, and a row clicked after End goes to its own line`,
    async run(t) {
      await count(t, 'Raumhafen\n'.repeat(lines));
      await openExplanation(t);
      await t.press('End');
      const { rows, name, active } = await dialog(t);
      assert.deepEqual([rows.slice(-2), name, active.slice(1)],
        [['Zeile 100000: Raumhafen +1 | Raumhafen', `… und ${more} weitere Zeilen`], `Erklärung ${number.format(lines)} Zeilen haben gezählt.`,
          ['100001', '100001']]);
      await t.press('Enter');
      assert.equal((await dialog(t)).open, true, 'the note goes to no line');
      await t.press('ArrowUp');
      await t.press('Enter');
      assert.deepEqual(await berichte(t).then(({ selected, line }) => [selected, line]), ['Raumhafen', 100000],
        'the row above it goes to line 100000');
      await openExplanation(t);
      await t.press('End');
      // A row in view by the mouse: its place among the rows made must not be taken for its number.
      await t.click('#ExplanationRow99990');
      assert.equal((await berichte(t)).line, 99991);
    },
  })),
];
