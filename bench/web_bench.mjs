// The web page's speed: the module in node against the native korva-count on the same UTF-8
// report text, and in headless Chromium the time from a click to the result shown.
// Usage: node bench/web_bench.mjs node FILE [RUNS]   |   node bench/web_bench.mjs click FILE... [RUNS]
//        node bench/web_bench.mjs explain FILE... [RUNS]   |   node bench/web_bench.mjs explain-module FILE [RUNS]
import { readFileSync } from 'node:fs';

import { launch, serve } from '../frontends/web/tests/browser.mjs';
import { countBytes, instantiate, kernels } from '../frontends/web/tests/korva_module.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// MB/s of korva_count over the text already in the module's memory, median of runs.
async function moduleThroughput(file, runs) {
  const bytes = readFileSync(file);
  for (const kernel of kernels) {
    const module = await instantiate(kernel);
    const at = module.korva_alloc(bytes.length);
    new Uint8Array(module.memory.buffer, at, bytes.length).set(bytes);
    for (const [counter, number] of [['sabo', 0], ['pluen', 1]]) {
      // CPU time, as for korva-count, so that a busy machine does not count; after one run that
      // lets the engine compile the module's hot code with its optimising tier.
      const seconds = [];
      for (let run = 0; run <= runs; ++run) {
        const start = process.cpuUsage();
        module.korva_free(module.korva_count(number, at, bytes.length));
        const used = process.cpuUsage(start);
        if (run > 0) seconds.push((used.user + used.system) / 1e6);
      }
      const s = median(seconds);
      console.log(`module ${kernel} ${counter}: ${s.toFixed(3)} s, ${(bytes.length / s / 1e6).toFixed(0)} MB/s`);
    }
    // The result the page would show, so that a broken module cannot look fast.
    if (!countBytes(module, 'sabo', bytes.subarray(0, 1 << 20)).includes('Gesamt zerstörte Punkte: ')) {
      throw new Error(`${kernel}: no sabotage result`);
    }
  }
}

// The module's Erklärung against its count, each over the text already in its memory: CPU time,
// medians of runs after one that lets the engine compile; the ratio explained / counted. The
// page asks for at most 100,000 rows, as here.
async function moduleExplainCost(file, runs) {
  const bytes = readFileSync(file);
  for (const kernel of kernels) {
    const module = await instantiate(kernel);
    const at = module.korva_alloc(bytes.length);
    new Uint8Array(module.memory.buffer, at, bytes.length).set(bytes);
    for (const [counter, number] of [['sabo', 0], ['pluen', 1]]) {
      const seconds = (call) => {
        const times = [];
        for (let run = 0; run <= runs; ++run) {
          const start = process.cpuUsage();
          const block = call();
          const used = process.cpuUsage(start);
          if (block === 0) throw new Error(`${kernel} ${counter}: no block`);
          module.korva_free(block);
          if (run > 0) times.push((used.user + used.system) / 1e6);
        }
        return median(times);
      };
      const count = seconds(() => module.korva_count(number, at, bytes.length));
      const explain = seconds(() => module.korva_explain(number, at, bytes.length, 100000));
      console.log(`module ${kernel} ${counter}, ${(bytes.length / 1e6).toFixed(0)} MB: count ${count.toFixed(3)} s,` +
        ` Erklärung ${explain.toFixed(3)} s (x${(explain / count).toFixed(2)})`);
    }
  }
}

// The module keeps the last text it counted: each run counts a text a player has just changed
// (a line "." added or taken away again at the end), which it must take in anew.
const newText = (page) => page.$eval('#Input', (box) => {
  box.value = box.value.endsWith('\n.') ? box.value.slice(0, -2) : `${box.value}\n.`;
});

// In headless Chromium, the page over http for each file, its text in the report box.
async function withPages(files, each) {
  const chromium = await launch();
  const server = await serve();
  try {
    for (const file of files) {
      const page = await chromium.browser.newPage();
      await page.setViewport({ width: 760, height: 480 });
      await page.goto(`${server.origin}/korva-counter.html`);
      await page.waitForFunction(() => document.documentElement.dataset.kernel);
      await page.$eval('#Input', (box, text) => { box.value = text; }, readFileSync(file, 'utf8'));
      await each(page, file);
      await page.close();
    }
  } finally {
    await server.stop();
    await chromium.close();
  }
}

// Run in the page before a click: the page's own code runs unchanged; only Output's value setter
// is watched. window.benchRun then gives the milliseconds from the mouse button going down to the
// result set and to the end of the frame that shows it, and the same from the click event (the
// page's own work). emptied: Output emptied and the focus in the report box first, so that the
// press on the button takes it.
function watchResult(emptied) {
  const output = document.getElementById('Output');
  const value = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, 'value');
  if (emptied) {
    output.value = '';
    document.getElementById('Input').focus();
  }
  let start;
  let click;
  window.addEventListener('mousedown', () => { start = performance.now(); }, { capture: true, once: true });
  window.addEventListener('click', () => { click = performance.now(); }, { capture: true, once: true });
  window.benchRun = new Promise((resolve) => {
    Object.defineProperty(output, 'value', {
      configurable: true,
      get() { return value.get.call(this); },
      set(text) {
        value.set.call(this, text);
        const now = performance.now();
        delete output.value;
        // The frame that shows it: its callbacks run, it is painted, then tasks again.
        requestAnimationFrame(() => setTimeout(() => {
          const shown = performance.now();
          resolve([now - start, shown - start, now - click, shown - click]);
        }));
      },
    });
  });
}

// Milliseconds from the mouse button going down on Sabo to the result set in Output and to the
// end of the frame that shows it, and from the click event (the page's own work) to the result;
// medians of runs, each run with Output emptied first.
async function clickToResult(files, runs) {
  await withPages(files, async (page, file) => {
    const times = [];
    for (let run = 0; run <= runs; ++run) {
      await newText(page);
      await page.evaluate(watchResult, true);
      await page.click('#Sabo');
      times.push(await page.evaluate(() => window.benchRun));
    }
    times.shift();  // the first run compiles the module's code and grows its memory
    const kernel = await page.evaluate(() => document.documentElement.dataset.kernel);
    const size = readFileSync(file).length;
    const ms = (i) => `${median(times.map((t) => t[i])).toFixed(1)} ms`;
    console.log(`click to result, ${(size / 1e6).toFixed(1)} MB (${kernel}), medians of ${runs}: button down to` +
      ` result set ${ms(0)}, to the frame shown ${ms(1)}; click event to result set ${ms(2)}`);
  });
}

// The page's own work, medians of runs: from the click event on a counter's button to the result
// set, and from the click event on Erklärung to the dialog shown with its rows, and to the end of
// the frame that shows it; then Esc to the frame without it. The rows and the page's memory after
// the last run.
async function explainAgainstCount(files, runs) {
  const frame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
  await withPages(files, async (page, file) => {
    for (const button of ['Sabo', 'Pluen']) {
      const counts = [];
      const explains = [];
      const closes = [];
      for (let run = 0; run <= runs; ++run) {
        await newText(page);
        await page.evaluate(watchResult, false);
        await page.click(`#${button}`);
        counts.push(await page.evaluate(() => window.benchRun));
        await page.evaluate(() => {
          const dialog = document.getElementById('Explanation');
          let click;
          window.addEventListener('click', () => { click = performance.now(); }, { capture: true, once: true });
          window.benchRun = new Promise((resolve) => {
            dialog.show = function show() {
              delete dialog.show;
              dialog.show();
              const now = performance.now();
              requestAnimationFrame(() => setTimeout(() => resolve([now - click, performance.now() - click])));
            };
          });
        });
        await page.click('#Explain');
        explains.push(await page.evaluate(() => window.benchRun));
        const start = Date.now();
        await page.keyboard.press('Escape');
        await page.evaluate(frame);
        closes.push([Date.now() - start]);
      }
      counts.shift();  // the first run compiles the module's code and grows its memory
      explains.shift();
      closes.shift();
      const ms = (times, i) => median(times.map((t) => t[i])).toFixed(1);
      await page.click('#Explain');
      await page.keyboard.press('End');
      const facts = await page.evaluate(() => {
        const list = document.getElementById('ExplanationText');
        return {
          rows: document.querySelectorAll('#ExplanationRows > *').length,
          last: document.getElementById(list.getAttribute('aria-activedescendant')).textContent.slice(0, 50),
          summary: document.getElementById('ExplanationSummary').textContent,
          heap: performance.memory?.usedJSHeapSize,
        };
      });
      await page.keyboard.press('Escape');
      const mb = (readFileSync(file).length / 1e6).toFixed(1);
      console.log(`${mb} MB ${button}: count ${ms(counts, 2)} ms; Erklärung ${ms(explains, 0)} ms to the dialog with` +
        ` its rows (ratio ${(ms(explains, 0) / ms(counts, 2)).toFixed(2)}), ${ms(explains, 1)} ms to the frame shown;` +
        ` Esc to the frame ${ms(closes, 0)} ms; "${facts.summary}", last row "${facts.last}",` +
        ` ${facts.rows} rows made; JS heap ${(facts.heap / 1e6).toFixed(0)} MB`);
    }
  });
}

const [mode, ...rest] = process.argv.slice(2);
const runs = /^\d+$/.test(rest.at(-1)) ? Number(rest.pop()) : 5;
if (mode === 'node') await moduleThroughput(rest[0], runs);
else if (mode === 'click') await clickToResult(rest, runs);
else if (mode === 'explain') await explainAgainstCount(rest, runs);
else if (mode === 'explain-module') await moduleExplainCost(rest[0], runs);
else throw new Error('usage: web_bench.mjs node FILE [RUNS] | click FILE... [RUNS] | explain FILE... [RUNS]' +
  ' | explain-module FILE [RUNS]');
