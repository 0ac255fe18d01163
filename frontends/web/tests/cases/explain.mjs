// Erklärung: the rows behind the last count, going to a line, the phone, the keyboard.
import assert from 'node:assert/strict';

import { nativeRows } from '../korva_module.mjs';

const phone = { width: 390, height: 844, touch: true };

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

// The dialog as a player and a screen reader meet it: its name and description, the rows in
// view, and the row the keys are on with its place among all rows.
const dialog = (t) => t.eval(() => {
  const named = (element, attribute) => element.getAttribute(attribute).split(' ')
    .map((id) => document.getElementById(id).textContent).join(' ');
  const d = document.getElementById('Explanation');
  const list = document.getElementById('ExplanationText');
  const box = list.getBoundingClientRect();
  const active = document.getElementById(list.getAttribute('aria-activedescendant') ?? '');
  return {
    open: d.open, name: named(d, 'aria-labelledby'), description: named(d, 'aria-describedby'),
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

// What Berichte shows after going to a line: the selected text, and whether the line lies
// inside the box's visible part (lines of one height: no line of these reports wraps).
const berichte = (t) => t.eval(() => {
  const box = document.getElementById('Input');
  const lines = box.value.split('\n');
  const before = box.value.slice(0, box.selectionStart).split('\n').length - 1;
  const style = getComputedStyle(box);
  const height = (box.scrollHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)) / lines.length;
  const top = before * height - box.scrollTop;
  return { focused: document.activeElement.id, selected: box.value.slice(box.selectionStart, box.selectionEnd),
    visible: top >= 0 && top + height <= box.clientHeight, scrolled: box.scrollTop > 0 };
});

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
        assert.deepEqual([shown.name, shown.description, shown.listName, shown.focused, shown.active],
          ['Erklärung', `${expected.length} Zeilen haben gezählt.`, 'Erklärung', 'ExplanationText',
            [expected[0], '1', String(expected.length)]]);
        await t.press('Escape');
        assert.equal((await dialog(t)).open, false, 'Esc closes it');
        assert.equal(await t.eval(() => document.getElementById('Output').value), output, 'the result stays');
      }
      assert.deepEqual(t.errors, []);
    },
  },
  {
    name: 'a row chosen by Enter, a click or a tap closes the dialog and selects its line in Berichte, in view',
    view: phone,
    async run(t) {
      for (const choose of ['Enter', 'click', 'tap']) {
        await t.eval(() => { document.getElementById('Input').scrollTop = 0; });
        await count(t, longReports);
        await openExplanation(t);
        if (choose === 'Enter') await t.press('Enter');
        else await t[choose]('#ExplanationRows > [role="option"]');
        assert.equal((await dialog(t)).open, false, choose);
        assert.deepEqual(await berichte(t),
          { focused: 'Input', selected: 'Bohrturm (4) zerstört', visible: true, scrolled: true }, choose);
      }
    },
  },
  {
    name: 'Kopieren copies every row, each ended by CR LF; Schließen closes',
    async run(t) {
      await count(t, reports, 'Pluen');
      await openExplanation(t);
      assert.equal(await copiedRows(t), nativeRows('pluen', Buffer.from(reports)).replace(/\n/g, '\r\n'));
      await t.click('#ExplanationClose');
      assert.equal((await dialog(t)).open, false);
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
    name: 'when Berichte changed since the count, the first line says so and the rows explain the count as it was',
    async run(t) {
      await count(t, reports);
      await t.click('#Input');
      await t.press('Control+A');
      await t.type('Raumhafen (9)');
      await openExplanation(t);
      const [first, ...rows] = (await copiedRows(t)).split('\r\n');
      assert.match(first, /^Berichte wurde seit der Zählung geändert/);
      assert.equal(rows.join('\n'), nativeRows('sabo', Buffer.from(reports)));
      assert.equal((await dialog(t)).rows[0], first);
    },
  },
  {
    name: 'Tab goes through the window as before, then to Erklärung; in the dialog it stays there, and Schließen gives the focus back',
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
      for (let i = 0; i < 4; ++i) {
        inside.push(await t.eval(() => document.activeElement.id));
        await t.press('Tab');
      }
      assert.deepEqual(inside, ['ExplanationText', 'ExplanationCopy', 'ExplanationClose', 'ExplanationText']);
      await t.press('Tab');
      await t.press('Enter');
      assert.deepEqual([(await dialog(t)).open, await t.eval(() => document.activeElement.id)], [false, 'Explain'],
        'Schließen closes it and gives the focus back');
    },
  },
  {
    name: 'past 100,000 rows the first 100,000 are shown and the last line says how many more',
    async run(t) {
      await count(t, 'Raumhafen\n'.repeat(100012));
      await openExplanation(t);
      await t.press('End');
      const { rows, description, active } = await dialog(t);
      assert.deepEqual([rows.slice(-2), description, active.slice(1)],
        [['Zeile 100000: Raumhafen +1 | Raumhafen', '… und 12 weitere Zeilen'], '100.012 Zeilen haben gezählt.',
          ['100001', '100001']]);
      await t.press('Enter');
      assert.equal((await dialog(t)).open, true, 'the note goes to no line');
      await t.press('ArrowUp');
      await t.press('Enter');
      assert.equal((await berichte(t)).selected, 'Raumhafen', 'the row above it goes to line 100000');
    },
  },
];
