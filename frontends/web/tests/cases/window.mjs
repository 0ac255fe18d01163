// The window in the wide page, over http and from disk: its controls against form.hpp, a player's
// paste, counts and copies, the keyboard, the error box, and what a screen reader is told.
import assert from 'node:assert/strict';

import * as form from '../form.mjs';
import { nativeResult } from '../korva_module.mjs';
import { announcement, copied, counted, edgePixels, elementPixels, focus, focused, lf, loadAxe, paste, reports, until, value } from '../player.mjs';

// Wraps the module so a case can make a count fail: a thrown message, a trap, memory refused to
// the report, or memory gone once the report is in (the module's own allocation then traps).
function injectFailures() {
  const instantiate = WebAssembly.instantiate;
  const test = { instances: [], failure: null };
  window.korvaTest = test;
  test.inject = (message, kind, report) => {
    const module = test.instances.at(-1);
    if (kind === 'message' || kind === 'trap') {
      test.failure = kind === 'trap' ? new WebAssembly.RuntimeError(message) : new Error(message);
      return;
    }
    // What the page asks for the report: its length and half as much again.
    const keep = kind === 'memory refused' ? 0 : module.korva_alloc(report.length + (report.length >> 1) + 16);
    module.memory.grow(65536 - module.memory.buffer.byteLength / 65536);
    for (let size = 1 << 30; size > 0; size >>= 1) while (module.korva_alloc(size)) { /* taken */ }
    if (keep) module.korva_free(keep);
  };
  WebAssembly.instantiate = async function wrapped(...args) {
    const result = await instantiate.apply(this, args);
    const real = result.instance.exports;
    test.instances.push(real);
    const exports = {};
    for (const key of Object.keys(real)) {
      Object.defineProperty(exports, key, {
        get: () => {
          if (key !== 'korva_count' || test.failure === null) return real[key];
          const failure = test.failure;
          test.failure = null;
          return () => { throw failure; };
        },
      });
    }
    return { module: result.module, instance: { exports } };
  };
}

// A day's reports, over a megabyte, as the game's pages give them: with CR LF.
const dayOfReports = Array.from({ length: Math.ceil(2 ** 20 / reports.length) + 1 }, () => reports.replace('\uD800', '\uFFFD'))
  .join('\r\n');

const everywhere = ['http', 'file'].flatMap((where) => [
  {
    name: `every control stands at its designed place and size, with its caption, font and state (${where})`,
    where,
    async run(t) {
      const facts = await t.eval(() => {
        const rect = (id) => document.getElementById(id).getBoundingClientRect();
        const client = rect('Client');
        const panel = rect('Panel1');
        return {
          title: document.title,
          lang: document.documentElement.lang,
          client: { width: client.width, height: client.height, menuBottom: rect('MainMenu').bottom - client.top },
          controls: [...document.querySelectorAll('#Client [id], #Client [id] [id]')].filter((e) => !e.classList.contains('unseen'))
            .map((element) => {
              const r = element.getBoundingClientRect();
              const inPanel = element.parentElement.id === 'Panel1';
              const base = inPanel ? panel : client;
              return {
                name: element.id, left: r.left - base.left, top: r.top - base.top, width: r.width, height: r.height,
                inPanel, text: element.tagName === 'TEXTAREA' ? element.value : element.textContent,
                disabled: element.disabled === true, fontSize: getComputedStyle(element).fontSize,
                fontFamily: getComputedStyle(element).fontFamily,
              };
            }),
          menu: [...document.querySelectorAll('#MainMenu [role="menuitem"]')].map((item) => ({
            name: item.id, caption: item.textContent, disabled: item.getAttribute('aria-disabled') === 'true',
            color: getComputedStyle(item).color, focusable: item.tabIndex >= 0,
          })),
        };
      });
      assert.equal(facts.title, form.caption);
      assert.equal(facts.lang, 'de');
      assert.deepEqual([facts.client.width, facts.client.height], [form.clientWidth, form.clientHeight]);
      assert.ok(facts.client.menuBottom <= 0, 'the menu bar stands above the client area');
      assert.deepEqual(facts.controls.map((c) => c.name).sort(), form.controls.map((c) => c.name).sort());
      for (const expected of form.controls) {
        const actual = facts.controls.find((c) => c.name === expected.name);
        assert.deepEqual([actual.left, actual.top, actual.width, actual.height],
          [expected.left, expected.top, expected.width, expected.height], `${expected.name} place and size`);
        assert.equal(actual.inPanel, expected.parent === 'kPanel1', `${expected.name} parent`);
        assert.equal(actual.disabled, !expected.enabled, `${expected.name} enabled`);
        if (expected.caption) assert.equal(actual.text, expected.caption, `${expected.name} caption`);
        const points = expected.kind === 'kLabel' ? form.labelPointSize : form.windowPointSize;
        assert.equal(actual.fontSize, `${form.pixelsOfPoints(points)}px`, `${expected.name} font size`);
        assert.match(actual.fontFamily, /sans-serif/, `${expected.name} font`);
      }
      assert.equal(lf(facts.controls.find((c) => c.name === 'Input').text), lf(form.initialInput));
      assert.equal(lf(facts.controls.find((c) => c.name === 'Output').text), lf(form.initialOutput));
      assert.deepEqual(facts.menu.map(({ name, caption, disabled }) => ({ name, caption, enabled: !disabled })), form.topMenus);
      for (const item of facts.menu) {
        assert.equal(item.focusable, false, `${item.name} takes no focus`);
        assert.notEqual(item.color, 'rgb(0, 0, 0)', `${item.name} is greyed`);
      }
      // The panel's bevels, as drawn, left to right: on the left the lowered outer bevel's shadow,
      // then the raised inner bevel's light; on the right the inner bevel's shadow, then the outer
      // bevel's light.
      assert.deepEqual(await edgePixels(t, 'Panel1'), { left: ['shadow', 'light'], right: ['shadow', 'light'] });
      assert.deepEqual(t.errors, []);
    },
  },
  {
    name: `a player pastes reports with Ctrl+V, counts both ways and copies each result with CR LF (${where})`,
    where,
    async run(t) {
      assert.equal(await focused(t), 'Input');
      const pasted = await paste(t, reports);
      assert.equal(pasted, reports.replace('\uD800', '\uFFFD'), 'the paste replaced the help text');
      for (const [button, counter] of [['Sabo', 'sabo'], ['Pluen', 'pluen']]) {
        const expected = nativeResult(counter, Buffer.from(pasted, 'utf8'));
        assert.equal(await counted(t, () => t.click(`#${button}`)), announcement(counter, expected));
        assert.equal(await value(t, 'Output'), lf(expected), `${button} result`);
        assert.equal(await value(t, 'Input'), pasted, 'a count leaves the reports as they are');
        await focus(t, 'Output');
        await t.press('Control+A');
        assert.equal(await copied(t, expected), expected, `${button} copied bytes`);
      }
      // Text copied from the report box comes with CR LF as well.
      await t.eval(() => { const box = document.getElementById('Input'); box.focus(); box.setSelectionRange(0, box.value.indexOf('14:32:07')); });
      const head = 'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\r\n';
      assert.equal(await copied(t, head), head);
      assert.deepEqual(t.errors, []);
    },
  },
  {
    name: `the keyboard: Tab and Shift+Tab order, Enter and Space press buttons, Flotten and the menus are dead, Output is read-only (${where})`,
    where,
    async run(t) {
      // A Tab after the last control would leave the page for the browser's own bars.
      const order = [await focused(t)];
      for (let i = 0; i < 3; ++i) {
        await t.press('Tab');
        order.push(await focused(t));
      }
      assert.deepEqual(order, form.tabStops);
      const back = [];
      for (let i = 0; i < 3; ++i) {
        await t.press('Shift+Tab');
        back.push(await focused(t));
      }
      assert.deepEqual(back, form.tabStops.slice(0, -1).reverse(), 'Shift+Tab');
      const results = { Sabo: /^Planetenzentrale {2}\(0\)\n/, Pluen: /^Geplünderte Ressourcen gesamt: \n/ };
      // WebDriver has no keypad Enter to send; a browser gives it to the page as Enter.
      for (const { name, button, key } of form.buttonPresses.filter((press) => press.key !== 'KeypadEnter')) {
        await focus(t, button);
        await counted(t, () => t.press(key));
        assert.match(await value(t, 'Output'), results[button], name);
      }
      const before = await value(t, 'Output');
      const dead = [
        ['Flotten clicked', () => t.eval(() => document.getElementById('Fleet').click())],
        ['Alt and F10', async () => {
          await focus(t, 'Sabo');
          for (const key of ['Alt', 'F10']) {
            await t.press(key);
            assert.equal(await focused(t), 'Sabo', `${key} leaves the focus`);
          }
        }],
        ['typing into Output', async () => { await focus(t, 'Output'); await t.type('xyz'); await t.press('Backspace'); }],
        ['pasting into Output', async () => { await focus(t, 'Output'); await t.setClipboard('Eisen 5'); await t.press('Control+V'); }],
        ['cutting from Output', () => t.eval(() => {
          const box = document.getElementById('Output');
          box.focus();
          box.select();
          document.execCommand('cut');
          document.execCommand('delete');
        })],
      ];
      for (const [name, act] of dead) {
        await act();
        assert.equal(await value(t, 'Output'), before, name);
      }
      assert.equal(await t.eval(() => { const fleet = document.getElementById('Fleet'); return fleet.tabIndex >= 0 && !fleet.disabled; }), false);
    },
  },
  {
    name: `screen readers: boxes named by their labels and described, disabled stays disabled, a count is announced (${where})`,
    where,
    async run(t) {
      await loadAxe(t);
      // The roles and names as axe-core computes them from the page, in every engine.
      const nodes = await t.eval(() => {
        window.axe.setup(document);
        const described = (e) => (e.getAttribute('aria-describedby') ?? '').split(' ').filter(Boolean)
          .map((id) => document.getElementById(id).textContent).join(' ');
        const found = [...document.querySelectorAll('textarea, button, [role]')].map((e) => ({
          role: window.axe.commons.aria.getRole(e),
          // The name as read where the element is read at all; whether it is, below.
          name: window.axe.commons.text.accessibleTextVirtual(window.axe.utils.getNodeFromTree(e), { includeHidden: true }),
          description: described(e),
          multiline: e.tagName === 'TEXTAREA' && !e.readOnly,
          readonly: e.readOnly === true,
          disabled: e.disabled === true || e.getAttribute('aria-disabled') === 'true',
          read: window.axe.commons.dom.isVisibleToScreenReaders(window.axe.utils.getNodeFromTree(e)),
        }));
        window.axe.teardown();
        return found;
      });
      const expected = [
        ['textbox', 'Berichte', { description: form.inputDescription, multiline: true, read: true }],
        ['textbox', 'Ergebnis', { description: form.outputDescription, readonly: true, read: true }],
        ['button', 'Sabo', { read: true }],
        ['button', 'Plünder', { read: true }],
        ['button', 'Flotten', { disabled: true, read: true }],
        // A bar of menus none of which opens is left out of the reading order.
        ...form.topMenus.map((menu) => ['menuitem', menu.caption, { disabled: true, read: form.topMenus.some((top) => top.enabled) }]),
      ];
      for (const [role, name, properties] of expected) {
        const node = nodes.find((n) => n.role === role && n.name === name);
        assert.ok(node, `${role} "${name}" named`);
        for (const [key, want] of Object.entries(properties)) assert.equal(node[key], want, `${name}: ${key}`);
      }
      assert.equal(await t.eval(() => document.getElementById('Announcement').getAttribute('role')), 'status');
      assert.equal(await counted(t, () => t.click('#Sabo')), 'Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 0');
      assert.equal(await counted(t, () => t.click('#Pluen')), 'Ergebnis: 7 Zeilen, Geplünderte Ressourcen gesamt: ' +
        'Eisen = 0, Silizium = 0, Kohlenstoff = 0, Wasser = 0, Sauerstoff = 0, Wasserstoff = 0');
    },
  },
]);

export default [
  ...everywhere,
  {
    name: 'the help text stands selected when the page opens, also after the engine puts the caret to the start',
    async run(t) {
      const selected = () => {
        const box = document.getElementById('Input');
        return box.selectionEnd > 0 && [document.activeElement === box, box.selectionStart, box.selectionEnd, box.value.length];
      };
      for (const moved of [false, true]) {
        // As WebKit's deferred focus appearance does, at times after the page's script selected it.
        if (moved) await t.eval(() => document.getElementById('Input').setSelectionRange(0, 0));
        const selection = (await until(t, selected)) || [];
        assert.deepEqual(selection.slice(0, 3), [true, 0, selection[3]], moved ? 'after the caret moved' : 'on opening');
      }
    },
  },
  // The first paste as players make it: a few lines over a moved selection (as WebKit leaves
  // it), and a day's reports with CR LF, from the X clipboard by Ctrl+V.
  ...[
    ['a few lines, the caret at the start of the help text', 'Eisen 1500\nWasser 25', true],
    ['over a megabyte of reports with CR LF', dayOfReports, false],
  ].map(([what, text, caretAtStart]) => ({
    name: `the first paste (${what}) replaces the help text, leaves no CR, its last line counts, and Ctrl+Z brings the help text back`,
    async run(t) {
      if (caretAtStart) await t.eval(() => document.getElementById('Input').setSelectionRange(0, 0));
      const pasted = lf(text);
      await paste(t, text);
      // Compared in the page: a megabyte's difference would not print.
      const facts = await t.eval((want) => {
        const box = document.getElementById('Input').value;
        return { same: box === want, length: box.length, cr: box.includes('\r') };
      }, pasted);
      assert.deepEqual(facts, { same: true, length: pasted.length, cr: false });
      await counted(t, () => t.click('#Pluen'));
      assert.equal(await value(t, 'Output'), lf(nativeResult('pluen', Buffer.from(pasted))));
      await focus(t, 'Input');
      await t.undo();
      const help = lf(form.initialInput);
      assert.ok(await until(t, (want) => document.getElementById('Input').value === want, help), 'Ctrl+Z gives the help text back');
    },
  })),
  {
    name: 'an edit that keeps the text\'s length is counted anew',
    async run(t) {
      await paste(t, 'Eisen 1500');
      await counted(t, () => t.click('#Pluen'));
      await focus(t, 'Input');
      await t.press('Control+A');
      await t.type('Eisen 2500');
      await counted(t, () => t.click('#Pluen'));
      assert.equal(await value(t, 'Output'), lf(nativeResult('pluen', Buffer.from('Eisen 2500'))));
    },
  },
  {
    name: 'the focus shows on every control it reaches by Tab and Shift+Tab, Ergebnis and Erklärung\'s included',
    async run(t) {
      await paste(t, reports);
      await counted(t, () => t.click('#Sabo'));
      await focus(t, 'Input');
      // Each stop as the screen shows it focused, against how it shows once the focus went on.
      const unchanged = [];
      let before = { id: 'Input', pixels: await elementPixels(t, 'Input') };
      for (const [key, id] of [['Tab', 'Output'], ['Tab', 'Sabo'], ['Tab', 'Pluen'], ['Tab', 'Explain'],
        ['Enter', 'ExplanationText'], ['Tab', 'ExplanationSave'], ['Tab', 'ExplanationCopy'], ['Tab', 'ExplanationClose'],
        ['Shift+Tab', 'ExplanationCopy'], ['Shift+Tab', 'ExplanationSave'], ['Shift+Tab', 'ExplanationText']]) {
        await t.press(key);
        assert.equal(await focused(t), id, `${key} reaches ${id}`);
        if (String(await elementPixels(t, before.id)) === String(before.pixels)) unchanged.push(before.id);
        before = { id, pixels: await elementPixels(t, id) };
      }
      assert.deepEqual(unchanged.filter((id) => id !== 'Input'), [], 'no focus seen');
    },
  },
  {
    name: 'a failure shows the error box with the period rule, keeps the reports, and the page works again',
    setup: injectFailures,
    async run(t) {
      const pasted = await paste(t, reports);
      await counted(t, () => t.click('#Pluen'));
      const pluen = await value(t, 'Output');
      // The page's own ways to fail, then the shared rows of failures with a message. The trap
      // first: the module kept the counted reports, and each failure leaves a fresh one, into
      // which the page must write them again, as the memory rows want.
      const failures = [
        ['unreachable', form.foreignFailureText, 'trap'],
        ['', form.outOfMemoryText, 'memory refused'],
        ['', form.outOfMemoryText, 'memory gone inside the count'],
        ...form.messageFailures.map(({ message, shown }) => [message, shown, 'message']),
      ];
      for (const [index, [message, shown, how]] of failures.entries()) {
        const dismiss = ['Enter', 'click', 'Space', 'Escape'][index % 4];
        // Each failure leaves a fresh module behind.
        assert.ok(await until(t, (n) => window.korvaTest.instances.length === n, index + 1), 'a fresh module');
        await t.eval((text, kind, report) => window.korvaTest.inject(text, kind, report), message, how, reports);
        await t.click('#Sabo');
        assert.ok(await until(t, () => document.getElementById('ErrorBox').open), 'the box opens');
        const box = await t.eval(() => ({
          modal: document.getElementById('ErrorBox').matches(':modal'),
          caption: document.getElementById('ErrorBoxCaption').textContent,
          text: document.getElementById('ErrorBoxText').textContent,
          icon: !!document.querySelector('#ErrorBox svg'),
          focus: document.activeElement.id,
        }));
        assert.deepEqual(box, { modal: true, caption: form.applicationTitle, text: shown, icon: true, focus: 'ErrorBoxOk' }, `${how}: ${message}`);
        if (dismiss === 'click') {
          // While the box is open the window takes no command.
          await t.click('#Pluen').catch(() => {});
          assert.equal(await value(t, 'Output'), pluen, 'no count behind the box');
          await t.click('#ErrorBoxOk');
        } else {
          await t.press(dismiss);
        }
        assert.ok(await until(t, () => !document.getElementById('ErrorBox').open), 'the box closes');
        if (how.startsWith('memory')) {
          const trapped = await t.eval((i) => window.korvaTest.instances[i].korva_out_of_memory(), index);
          assert.equal(trapped, how === 'memory refused' ? 0 : 1, `${how}: the module's own mark`);
        }
        assert.equal(await focused(t), 'Sabo', 'the focus goes back');
        assert.equal(await value(t, 'Input'), pasted, 'the reports stay');
        assert.equal(await value(t, 'Output'), pluen, 'the result of before stays');
      }
      const sabo = nativeResult('sabo', Buffer.from(pasted));
      assert.equal(await counted(t, () => t.click('#Sabo')), announcement('sabo', sabo));
      assert.equal(await value(t, 'Output'), lf(sabo));
      assert.equal(await t.eval(() => window.korvaTest.instances.length), failures.length + 1);
    },
  },
];
