// The web page's speed: the module in node against the native korva-count on the same UTF-8
// report text, and in headless Chromium the time from a click to the result shown. On an X display
// (DISPLAY), in Chromium, Firefox ESR and WebKitGTK as the browser tests drive them: the first
// paste by Ctrl+V against a bare text box, Erklärung against a count of the unchanged text, and
// going to a deep row.
// Usage: node bench/web_bench.mjs node FILE [RUNS]   |   node bench/web_bench.mjs click FILE... [RUNS]
//        node bench/web_bench.mjs explain FILE... [RUNS]   |   node bench/web_bench.mjs explain-module FILE [RUNS]
//        node bench/web_bench.mjs paste FILE          (100 KB, 1 MB and 5 MB cut from FILE)
//        node bench/web_bench.mjs engines-explain FILE... [RUNS]
//        node bench/web_bench.mjs goto FILE ROW
// KORVA_WEB_ENGINES=chromium,firefox picks engines for the last three.
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';

import { launch, serve } from '../frontends/web/tests/browser.mjs';
import { engines, stopClipboard } from '../frontends/web/tests/engines.mjs';
import { buildWeb, countBytes, instantiate, kernels } from '../frontends/web/tests/korva_module.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Each kernel's module with the text of file in its memory, handed to visit with the text's
// address and length.
async function withTextInModules(file, visit) {
  const bytes = readFileSync(file);
  for (const kernel of kernels) {
    const module = await instantiate(kernel);
    const at = module.korva_alloc(bytes.length);
    new Uint8Array(module.memory.buffer, at, bytes.length).set(bytes);
    await visit(kernel, module, at, bytes);
  }
}

// CPU time of call, as for korva-count, so that a busy machine does not count: the median of runs
// after one that lets the engine compile the module's hot code with its optimising tier. Each call
// returns a block of the module's, which is freed; none (0) is a failure.
function cpuMedian(module, runs, call, what) {
  const seconds = [];
  for (let run = 0; run <= runs; ++run) {
    const start = process.cpuUsage();
    const block = call();
    const used = process.cpuUsage(start);
    if (block === 0) throw new Error(`${what}: no block`);
    module.korva_free(block);
    if (run > 0) seconds.push((used.user + used.system) / 1e6);
  }
  return median(seconds);
}

const counterNumbers = [['sabo', 0], ['pluen', 1]];

// MB/s of korva_count over the text already in the module's memory, median of runs.
async function moduleThroughput(file, runs) {
  await withTextInModules(file, (kernel, module, at, bytes) => {
    for (const [counter, number] of counterNumbers) {
      const s = cpuMedian(module, runs, () => module.korva_count(number, at, bytes.length), `${kernel} ${counter}`);
      console.log(`module ${kernel} ${counter}: ${s.toFixed(3)} s, ${(bytes.length / s / 1e6).toFixed(0)} MB/s`);
    }
    // The result the page would show, so that a broken module cannot look fast.
    if (!countBytes(module, 'sabo', bytes.subarray(0, 1 << 20)).includes('Gesamt zerstörte Punkte: ')) {
      throw new Error(`${kernel}: no sabotage result`);
    }
  });
}

// The module's Erklärung against its count, each over the text already in its memory; the ratio
// explained / counted. The page asks for at most 100,000 rows, as here.
async function moduleExplainCost(file, runs) {
  await withTextInModules(file, (kernel, module, at, bytes) => {
    for (const [counter, number] of counterNumbers) {
      const what = `${kernel} ${counter}`;
      const count = cpuMedian(module, runs, () => module.korva_count(number, at, bytes.length), what);
      const explain = cpuMedian(module, runs, () => module.korva_explain(number, at, bytes.length, 100000, 0), what);
      console.log(`module ${kernel} ${counter}, ${(bytes.length / 1e6).toFixed(0)} MB: count ${count.toFixed(3)} s,` +
        ` Erklärung ${explain.toFixed(3)} s (x${(explain / count).toFixed(2)})`);
    }
  });
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

// The built page, a bare text box (the floor for a paste) and the report files, over http.
async function benchServer(files) {
  const bare = '<!DOCTYPE html><meta charset="utf-8"><textarea id="Input" autofocus rows="20" cols="80"></textarea>' +
    '<script>document.documentElement.dataset.kernel = "bare";</script>';
  const server = createServer((request, response) => {
    const path = new URL(request.url, 'http://x').pathname;
    const body = path === '/bare.html' ? bare : path.startsWith('/reports/') ? files[Number(path.slice(9))]
      : readFileSync(`${buildWeb}/korva-counter.html`);
    response.writeHead(200, { 'Content-Type': path.startsWith('/reports/') ? 'text/plain; charset=utf-8' : 'text/html; charset=utf-8' });
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return { url: (path) => `${origin}/${path}`, stop: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }) };
}

async function eachEngine(work) {
  const chosen = (process.env.KORVA_WEB_ENGINES ?? Object.keys(engines).join(',')).split(',');
  for (const engine of chosen) {
    const browser = await engines[engine]();
    try {
      await work(browser.hands, engine);
    } finally {
      await browser.close();
    }
  }
  stopClipboard();
}

const wideView = { width: 760, height: 480 };
const seconds = (start) => ((Date.now() - start) / 1000).toFixed(2);

// A first paste by Ctrl+V from the X clipboard, in a bare text box and in the page, each opened
// afresh: seconds from the key to the box holding the whole text.
async function firstPaste(file) {
  const all = readFileSync(file, 'utf8');
  const cut = (bytes) => all.slice(0, all.lastIndexOf('\n', bytes) + 1);
  const texts = [['100 KB', cut(100e3)], ['1 MB', cut(1e6)], ['5 MB', cut(5e6)]];
  const server = await benchServer([]);
  try {
    await eachEngine(async (t, engine) => {
      for (const [size, text] of texts) {
        const times = {};
        for (const page of ['bare.html', 'korva-counter.html']) {
          await t.load(server.url(page), wideView);
          await t.setClipboard(text);
          const start = Date.now();
          await t.press('Control+V');
          // A text box holds LF for CR LF.
          const length = text.replace(/\r\n/g, '\n').length;
          while (!await t.eval((want) => document.getElementById('Input').value.length === want, length)) {
            await new Promise((resolve) => { setTimeout(resolve, 20); });
          }
          times[page] = seconds(start);
        }
        console.log(`${engine} first paste ${size}: bare text box ${times['bare.html']} s, page ${times['korva-counter.html']} s,` +
          ` ratio ${(times['korva-counter.html'] / times['bare.html']).toFixed(2)}`);
      }
    });
  } finally {
    await server.stop();
  }
}

// Puts a report file into Berichte, as a player's edit.
const fill = (t, url) => t.eval(async (address) => {
  const box = document.getElementById('Input');
  box.value = await (await fetch(address)).text();
  box.dispatchEvent(new Event('input', { bubbles: true }));
}, url);

// The page's own work in each engine, medians of runs: a count of a text counted before (as when a
// player presses the other counter, or the same again), and Erklärung, each from its click event
// to the result set or the dialog shown with its rows.
async function explainInEngines(files, runs) {
  const server = await benchServer(files.map((file) => readFileSync(file)));
  try {
    await eachEngine(async (t, engine) => {
      for (const [index, file] of files.entries()) {
        await t.load(server.url('korva-counter.html'), wideView);
        await fill(t, server.url(`reports/${index}`));
        for (const button of ['Sabo', 'Pluen']) {
          const counts = [];
          const explains = [];
          await t.click(`#${button}`);
          await t.eval(() => new Promise((resolve) => { setTimeout(resolve, 100); }));
          for (let run = 0; run < runs; ++run) {
            await t.eval(watchResult, false);
            await t.click(`#${button}`);
            counts.push((await t.eval(() => window.benchRun))[2]);
            await t.eval(watchExplanation);
            await t.click('#Explain');
            explains.push(await t.eval(() => window.benchRun));
            await t.press('Escape');
          }
          const mb = (readFileSync(file).length / 1e6).toFixed(1);
          console.log(`${engine} ${mb} MB ${button}: count of the unchanged text ${median(counts).toFixed(1)} ms;` +
            ` Erklärung ${median(explains).toFixed(1)} ms (ratio ${(median(explains) / median(counts)).toFixed(2)}), medians of ${runs}`);
        }
      }
    });
  } finally {
    await server.stop();
  }
}

// Run in the page before a click on Erklärung: window.benchRun gives the milliseconds from the
// click event to the dialog shown with its rows.
function watchExplanation() {
  const dialog = document.getElementById('Explanation');
  let click;
  window.addEventListener('click', () => { click = performance.now(); }, { capture: true, once: true });
  window.benchRun = new Promise((resolve) => {
    dialog.show = function show() {
      delete dialog.show;
      dialog.show();
      resolve(performance.now() - click);
    };
  });
}

// Going to a deep row: Erklärung opened on the file's Plünder count, its list scrolled to the row,
// the row clicked; milliseconds from the click event to the line selected in Berichte and to the
// end of the frame that shows it, and seconds from the click sent to that frame.
async function goToRow(file, row) {
  const server = await benchServer([readFileSync(file)]);
  try {
    await eachEngine(async (t, engine) => {
      await t.load(server.url('korva-counter.html'), wideView);
      await fill(t, server.url('reports/0'));
      await t.click('#Pluen');
      await t.eval(() => new Promise((resolve) => { setTimeout(resolve, 100); }));
      await t.click('#Explain');
      const line = await t.eval((index) => new Promise((resolve) => {
        const list = document.getElementById('ExplanationText');
        list.scrollTop = index * parseFloat(getComputedStyle(list).getPropertyValue('--row'));
        list.dispatchEvent(new Event('scroll'));
        const input = document.getElementById('Input');
        let click;
        window.addEventListener('click', () => { click = performance.now(); }, { capture: true, once: true });
        window.benchRun = new Promise((done) => {
          input.setSelectionRange = function selectLine(...range) {
            delete input.setSelectionRange;
            input.setSelectionRange(...range);
            const selected = performance.now();
            requestAnimationFrame(() => setTimeout(() => done([selected - click, performance.now() - click])));
          };
        });
        requestAnimationFrame(() => resolve(document.getElementById(`ExplanationRow${index}`).textContent.split(':')[0]));
      }), row - 1);
      const start = Date.now();
      await t.click(`#ExplanationRow${row - 1}`);
      const [selected, shown] = await t.eval(() => window.benchRun);
      console.log(`${engine} row ${row} (${line}) of ${(readFileSync(file).length / 1e6).toFixed(1)} MB: click event to the line` +
        ` selected ${selected.toFixed(0)} ms, to the frame shown ${shown.toFixed(0)} ms; click sent to the frame ${seconds(start)} s`);
      // The floor: the same line selected in a bare text box of the same engine, which scrolls to it
      // itself. Asked for until it is done: WebKit's driver gives up on a script after 30 s.
      await t.load(server.url('bare.html'), wideView);
      await t.eval(() => { document.getElementById('Input').style.whiteSpace = 'pre'; });
      await fill(t, server.url('reports/0'));
      await t.eval((number) => {
        const box = document.getElementById('Input');
        box.blur();
        const text = box.value;
        let start = 0;
        for (let at = 1; at < number; ++at) start = text.indexOf('\n', start) + 1;
        setTimeout(() => {
          const begin = performance.now();
          box.setSelectionRange(start, text.indexOf('\n', start));
          box.focus();
          requestAnimationFrame(() => setTimeout(() => { window.bareRun = performance.now() - begin; }));
        }, 500);
      }, Number(line.split(' ')[1]));
      let bare = null;
      while (bare === null) {
        await new Promise((resolve) => { setTimeout(resolve, 500); });
        bare = await t.eval(() => window.bareRun ?? null).catch(() => null);
      }
      console.log(`${engine} the same line in a bare text box: selected and focused to the frame ${(bare / 1000).toFixed(2)} s`);
    });
  } finally {
    await server.stop();
  }
}

const [mode, ...rest] = process.argv.slice(2);
const runs = /^\d+$/.test(rest.at(-1)) && mode !== 'goto' ? Number(rest.pop()) : 5;
if (mode === 'node') await moduleThroughput(rest[0], runs);
else if (mode === 'click') await clickToResult(rest, runs);
else if (mode === 'explain') await explainAgainstCount(rest, runs);
else if (mode === 'explain-module') await moduleExplainCost(rest[0], runs);
else if (mode === 'paste') await firstPaste(rest[0]);
else if (mode === 'engines-explain') await explainInEngines(rest, runs);
else if (mode === 'goto') await goToRow(rest[0], Number(rest[1] ?? 100000));
else {
  throw new Error('usage: web_bench.mjs node FILE [RUNS] | click FILE... [RUNS] | explain FILE... [RUNS]' +
    ' | explain-module FILE [RUNS] | paste FILE | engines-explain FILE... [RUNS] | goto FILE [ROW]');
}
