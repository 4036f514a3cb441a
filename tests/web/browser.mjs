// SPDX-License-Identifier: Zlib
// What the browser tests share: the served page, the browser driven through puppeteer-core
// (Debian's Chromium headless, or with PLORVIK_BROWSER=firefox Debian's Firefox ESR, which
// draws WebGL only on a display: tools/web test gives it Xvfb's), and the page's frames
// stepped one by one when a test asks.
import fs from 'node:fs';
import path from 'node:path';
import url from 'node:url';
import { PNG } from 'pngjs';
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';
import { startServer } from '../../tools/web-serve.mjs';

export const REPO = path.resolve(path.dirname(url.fileURLToPath(import.meta.url)), '../..');
export const SITE = process.env.PLORVIK_WEB_SITE || path.join(REPO, 'build-web');
export const WEB_TESTS = path.join(SITE, '.build', 'tests');
export const DESKTOP_BUILD = process.env.PLORVIK_DESKTOP_BUILD || path.join(REPO, 'build');

// Every wait for something the page shows; a loaded machine makes a test slower, not red.
export const PATIENCE_MS = 120000;

export const FIREFOX = process.env.PLORVIK_BROWSER === 'firefox';
// Firefox keeps Web Audio suspended where there is no sound device, as on this machine.
export const NO_SOUND_IN_FIREFOX = FIREFOX && 'Firefox plays no sound without a sound device';

export async function startSite() {
  return startServer({ '/': SITE, '/tests/': WEB_TESTS });
}

// The site served and the browser started before a test file's tests, both stopped after.
export function siteAndBrowser() {
  const shared = { site: null, browser: null };
  before(async () => {
    shared.site = await startSite();
    shared.browser = await launchBrowser();
  });
  after(async () => {
    await shared.browser?.close();
    shared.site?.server.close();
  });
  return shared;
}

export async function launchBrowser() {
  if (FIREFOX) return launchFirefox();
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    protocolTimeout: PATIENCE_MS,
    args: [
      '--no-sandbox',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--disable-quic',
      // WebGL without a GPU, drawn by SwiftShader.
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      // As a desktop browser does: sound waits for the page's first key or click.
      '--autoplay-policy=document-user-activation-required',
      '--window-size=1024,768',
      // The screen full screen fills; headless, it would be 800x600.
      '--screen-info={1920x1080}',
    ],
  });
}

function launchFirefox() {
  return puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: false,
    protocolTimeout: PATIENCE_MS,
    extraPrefsFirefox: {
      'full-screen-api.transition-duration.enter': '0 0',
      'full-screen-api.transition-duration.leave': '0 0',
      'full-screen-api.warning.timeout': 0,
    },
  });
}

// Runs before the page's own scripts: animation frames then run only when the test
// steps them, each 1/60 s after the one before, so a test knows which frame it sees.
function holdAnimationFrames() {
  let pending = null;
  let time = 0;
  let told = false;
  window.requestAnimationFrame = (callback) => {
    if (!told) window.plorvikLoopWaits();
    told = true;
    pending = callback;
    return 1;
  };
  window.plorvikStep = (frames) => {
    for (let i = 0; i < frames; ++i) {
      const callback = pending;
      pending = null;
      if (!callback) return i;
      time += 1000 / 60;
      callback(time);
    }
    return frames;
  };
}

// Opens the game's page, in a browser context of its own: what one test's visit leaves
// behind (the service worker, its cache) is not the next one's. `stepped`: frames run
// only through step().
export async function openGame(browser, site, { stepped = false, beforeLoad = null } = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.once('close', () => context.close().catch(() => {}));
  await page.setViewport({ width: 1024, height: 768 });
  const log = [];
  const errors = [];
  page.on('console', (message) => log.push(message.text()));
  page.on('pageerror', (error) => errors.push(String(error)));
  const loopStarted = stepped ? await watchTheLoop(page) : null;
  if (beforeLoad) await beforeLoad(page);
  await page.goto(site.url, { waitUntil: 'load', timeout: PATIENCE_MS });
  await loopStarted?.(1);
  return { page, log, errors, loopStarted };
}

// Holds the page's animation frames, and returns a function that waits until the game's
// loop has waited for its first frame on the page's nth load. The page tells, since asking
// it with puppeteer's evaluate would give it a user gesture: before the game has opened
// its sound, that would let the sound start without a key.
async function watchTheLoop(page) {
  let loops = 0;
  let wake = () => {};
  await page.exposeFunction('plorvikLoopWaits', () => {
    loops += 1;
    wake();
  });
  await page.evaluateOnNewDocument(holdAnimationFrames);
  return async (n) => {
    const start = Date.now();
    while (loops < n) {
      if (Date.now() - start > PATIENCE_MS) throw new Error('the game never started its loop');
      await new Promise((done) => {
        wake = done;
        setTimeout(done, 100);
      });
    }
  };
}

// Runs one of the build's test programs (build-web/.build/tests/NAME.js) to its end in a
// page of the site, with a canvas for SDL's window: the lines it printed on its standard
// output. Its standard error is left out, as the desktop tests leave it out.
export async function runInPage(shared, name, args = []) {
  const page = await shared.browser.newPage();
  // Any page of the site's origin will do.
  await page.goto(`${shared.site.url}tests/`);
  const lines = await page.evaluate((program, programArgs) => new Promise((done, fail) => {
    const canvas = document.createElement('canvas');
    canvas.id = 'canvas';
    document.body.appendChild(canvas);
    const printed = [];
    window.Module = {
      canvas,
      arguments: programArgs,
      print: (line) => printed.push(line),
      printErr: () => {},
      onExit: (status) => (status === 0 ? done(printed) : fail(new Error(`${program} exited with ${status}`))),
      onAbort: (what) => fail(new Error(String(what))),
    };
    const script = document.createElement('script');
    script.src = `${program}.js`;
    script.onerror = () => fail(new Error(`no ${program}.js`));
    document.body.appendChild(script);
  }), name, args);
  await page.close();
  return lines;
}

export async function step(page, frames) {
  return page.evaluate((n) => window.plorvikStep(n), frames);
}

export async function waitForLine(log, predicate) {
  const start = Date.now();
  while (!log.some(predicate)) {
    if (Date.now() - start > PATIENCE_MS) throw new Error('no such line in the log:\n' + log.join('\n'));
    await new Promise((done) => setTimeout(done, 50));
  }
}

// Runs one more frame and returns the picture it drew, 640x480 RGBA. The picture is read
// in the same task as the drawing: once the browser has shown a WebGL canvas it may clear
// it, and a screenshot may still show the frame before.
export async function stepAndCapture(page) {
  const dataUrl = await page.evaluate(() => {
    window.plorvikStep(1);
    return document.querySelector('canvas').toDataURL('image/png');
  });
  return PNG.sync.read(Buffer.from(dataUrl.slice(dataUrl.indexOf(',') + 1), 'base64'));
}

export function readPicture(file) {
  return PNG.sync.read(fs.readFileSync(file));
}

// How two pictures differ: the count of differing pixels, of those that differ by more than
// one level of 255 in some colour channel, the largest difference and the box around them.
export function difference(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    return { pixels: Infinity, far: Infinity, levels: 255, box: `sizes ${a.width}x${a.height} and ${b.width}x${b.height}` };
  }
  let pixels = 0;
  let far = 0;
  let levels = 0;
  let box = null;
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) {
      const i = (y * a.width + x) * 4;
      const d = Math.max(...[0, 1, 2].map((c) => Math.abs(a.data[i + c] - b.data[i + c])));
      if (d === 0) continue;
      ++pixels;
      if (d > 1) ++far;
      levels = Math.max(levels, d);
      box = box ? { x0: Math.min(box.x0, x), y0: Math.min(box.y0, y), x1: Math.max(box.x1, x), y1: Math.max(box.y1, y) }
                : { x0: x, y0: y, x1: x, y1: y };
    }
  }
  return { pixels, far, levels, box: box && `(${box.x0},${box.y0})-(${box.x1},${box.y1})` };
}
