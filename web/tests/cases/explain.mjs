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

const dialog = (t) => t.eval(() => {
  const box = document.getElementById('ExplanationText');
  const named = (element, attribute) => element.getAttribute(attribute).split(' ')
    .map((id) => document.getElementById(id).textContent).join(' ');
  const d = document.getElementById('Explanation');
  return { open: d.open, name: named(d, 'aria-labelledby'), description: named(d, 'aria-describedby'),
    text: box.value, focused: document.activeElement.id };
});

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
      for (const [button, counter] of [['Sabo', 'sabo'], ['Pluen', 'pluen']]) {
        await count(t, reports, button);
        const place = await t.eval(() => {
          const form = document.getElementById('MainForm').getBoundingClientRect();
          const control = document.getElementById('Explain').getBoundingClientRect();
          return { below: control.top >= form.bottom, inside: control.left >= form.left && control.right <= form.right };
        });
        assert.deepEqual(place, { below: true, inside: true });
        const output = await t.eval(() => document.getElementById('Output').value);
        await openExplanation(t);
        const shown = await dialog(t);
        const expected = nativeRows(counter, Buffer.from(reports));
        assert.equal(`${shown.text}\n`, expected);
        const rows = expected.split('\n').length - 1;
        assert.deepEqual([shown.name, shown.description, shown.focused],
          ['Erklärung', `${rows} Zeilen haben gezählt.`, 'ExplanationText']);
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
        else await t[choose]('#ExplanationText');
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
      await t.click('#ExplanationCopy');
      assert.equal(await t.clipboard(), nativeRows('pluen', Buffer.from(reports)).replace(/\n/g, '\r\n'));
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
      const [first, ...rows] = (await dialog(t)).text.split('\n');
      assert.match(first, /^Berichte wurde seit der Zählung geändert/);
      assert.equal(rows.map((row) => `${row}\n`).join(''), nativeRows('sabo', Buffer.from(reports)));
    },
  },
  {
    name: 'Tab goes through the window as before, then to Erklärung',
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
      assert.equal((await dialog(t)).open, true, 'Enter on Erklärung opens it');
    },
  },
  {
    name: 'past 100,000 rows the first 100,000 are shown and the last line says how many more',
    async run(t) {
      await count(t, 'Raumhafen\n'.repeat(100012));
      await openExplanation(t);
      const { text, description } = await dialog(t);
      const lines = text.split('\n');
      assert.deepEqual([lines.length, lines[99999], lines[100000], description],
        [100001, 'Zeile 100000: Raumhafen +1 | Raumhafen', '… und 12 weitere Zeilen', '100.012 Zeilen haben gezählt.']);
    },
  },
];
