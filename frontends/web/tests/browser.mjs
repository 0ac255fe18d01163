// Debian's Chromium, headless (for the README's pictures), and a static server on 127.0.0.1 for
// the built page and site.
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

import { buildWeb } from './korva_module.mjs';

// Without these, Chromium as root refuses to start, and in a closed network it waits on updates.
export const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-default-apps', '--font-render-hinting=none'];

export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'korva-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: chromiumArgs,
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.wasm': 'application/wasm' };

// Serves build-web/ until stopped; stop() cuts every open connection, as a lost network would.
// A setup function goes into each page as its first script, to run before the page's own.
export async function serve(setup) {
  const server = createServer((request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (path.endsWith('/')) path += 'index.html';
    try {
      let body = readFileSync(join(buildWeb, path));
      if (setup && path.endsWith('.html')) {
        body = body.toString().replace('<meta charset="utf-8">', (meta) => `${meta}\n<script>(${setup})();</script>`);
      }
      response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    stop: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
  };
}

export const pageFile = pathToFileURL(join(buildWeb, 'korva-counter.html')).href;
