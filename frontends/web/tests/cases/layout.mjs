// The page on phones, upright and sideways, and at every width: what stacks, what shows, what
// scrolls.
import assert from 'node:assert/strict';

import { counted, paste, reports } from '../player.mjs';

// The places of the controls, the page's scroll width and the smallest text seen.
const layout = () => {
  const box = (id) => {
    const r = document.getElementById(id).getBoundingClientRect();
    return { left: r.left, right: r.right, top: r.top, bottom: r.bottom, height: r.height };
  };
  return {
    scrollWidth: document.documentElement.scrollWidth,
    width: window.innerWidth,
    boxes: Object.fromEntries(['Label1', 'Input', 'Sabo', 'Pluen', 'Fleet', 'Label2', 'Output'].map((id) => [id, box(id)])),
    smallestText: Math.min(...[...document.querySelectorAll('body *')].filter((e) => e.offsetParent && e.childNodes.length)
      .map((e) => parseFloat(getComputedStyle(e).fontSize))),
  };
};

// Stacked for a thumb: Berichte, the buttons in a row, Ergebnis, at full width; buttons of
// 44 px, text of 16 px.
function assertStacked(facts) {
  const b = facts.boxes;
  for (const [upper, lower] of [['Label1', 'Input'], ['Input', 'Sabo'], ['Sabo', 'Label2'], ['Label2', 'Output']]) {
    assert.ok(b[upper].bottom <= b[lower].top, `${upper} above ${lower}`);
  }
  assert.ok(b.Sabo.top === b.Pluen.top && b.Pluen.top === b.Fleet.top, 'the buttons in one row');
  assert.ok(b.Sabo.right <= b.Pluen.left && b.Pluen.right <= b.Fleet.left, 'in tab order');
  for (const name of ['Sabo', 'Pluen', 'Fleet']) assert.ok(b[name].height >= 44, `${name} is ${b[name].height} px high`);
  for (const name of ['Input', 'Output']) {
    assert.ok(b[name].left >= 0 && b[name].right <= facts.width && b[name].right - b[name].left >= facts.width - 24, `${name} at full width`);
  }
  assert.ok(facts.smallestText >= 16, `smallest text ${facts.smallestText} px`);
  assert.ok(facts.scrollWidth <= facts.width, `scroll width ${facts.scrollWidth} within ${facts.width}`);
}

// Upright and sideways; every view stacks, and upright the whole result shows after a count. The
// fifth is a phone with its keyboard up, too short for the result and Erklärung below; the last a
// touch tablet, wide and high enough for the window, which stacks for the fingers all the same.
export const phones = [[320, 568], [360, 640], [375, 667], [390, 844], [320, 340], [844, 390], [667, 375], [926, 428],
  [768, 1024]];
// Only Chromium emulates a touch screen; elsewhere a wide view is a desktop's.
export const touchOnly = ([width, height]) => (width >= 640 && height >= 440
  ? { firefox: 'emulates no touch screen', webkit: 'emulates no touch screen' } : undefined);

export default [
  ...phones.map(([width, height]) => ({
    name: width < height
      ? `a ${width} x ${height} phone: the controls stack, the whole result shows after a count, and Erklärung too where both fit`
      : `a phone held sideways (${width} x ${height}) gets the layout for a thumb`,
    view: { width, height, touch: true },
    skip: touchOnly([width, height]),
    async run(t) {
      assertStacked(await t.eval(layout));
      if (width > height) return;
      await paste(t, reports);
      await counted(t, () => t.tap('#Sabo'));
      const result = await t.eval(() => {
        const box = document.getElementById('Output');
        const r = box.getBoundingClientRect();
        const below = document.getElementById('Explain').getBoundingClientRect().bottom;
        return { hidden: box.scrollHeight - box.clientHeight, top: r.top, bottom: r.bottom, below, height: window.innerHeight };
      });
      assert.ok(result.hidden <= 0, `${result.hidden} px of the result hidden in its box`);
      // Within a pixel: the page scrolls by whole pixels.
      assert.ok(result.top >= -1 && result.bottom <= result.height + 1, `the box from ${result.top} to ${result.bottom} in a view of ${result.height}`);
      assert.equal(result.below <= result.height + 1, result.below - result.top <= result.height,
        `Erklärung ends at ${result.below}, the result starts at ${result.top}, in a view of ${result.height}`);
    },
  })),
  {
    name: 'no width from 320 px up scrolls sideways, zoomed or not',
    async run(t) {
      const widths = [320, 360, 414, 480, 568];
      for (let width = 600; width <= 720; ++width) widths.push(width);
      const wide = [];
      for (const height of [480, 360]) {
        for (const width of [...widths, 1024, 1280]) {
          await t.resize({ width, height });
          const { scrollWidth, innerWidth } = await t.eval(() => ({ scrollWidth: document.documentElement.scrollWidth, innerWidth }));
          if (scrollWidth > innerWidth) wide.push(`${innerWidth} x ${height}: ${scrollWidth}`);
        }
      }
      assert.deepEqual(wide, []);
    },
  },
  {
    name: 'on a phone a line without spaces wraps in the report box',
    view: { width: 360, height: 640, touch: true },
    async run(t) {
      const line = `Eisen ${'7'.repeat(120)}`;
      assert.equal(await paste(t, line), line);
      const box = await t.eval(() => {
        const input = document.getElementById('Input');
        return { scrollWidth: input.scrollWidth, clientWidth: input.clientWidth };
      });
      assert.ok(box.scrollWidth <= box.clientWidth, `${box.scrollWidth} px of line in a box of ${box.clientWidth}`);
    },
  },
];
