// SPDX-License-Identifier: Zlib
// The page and a game played on it, frame by frame beside the desktop game: the same
// scripted keys give the same pictures.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { PNG } from 'pngjs';
import {
  DESKTOP_BUILD, FIREFOX, NO_SOUND_IN_FIREFOX, PATIENCE_MS, REPO, difference, openGame, readPicture, siteAndBrowser, startSite, step,
  stepAndCapture,
} from './browser.mjs';

const SCRIPT = path.join(REPO, 'tests/web/scripted_game.txt');
const FAR_PIXELS_OF_ROTATED_EDGES = 16;
const KEYS = { fire: 'KeyZ', pause: 'KeyP', left: 'ArrowLeft', right: 'ArrowRight' };

function readScript() {
  return fs.readFileSync(SCRIPT, 'utf8').split('\n')
    .filter((line) => line.trim() !== '' && !line.startsWith('#'))
    .map((line) => {
      const [frame, action, what] = line.trim().split(/\s+/);
      return { frame: Number(frame), action, what };
    });
}

const shared = siteAndBrowser();
let desktopFrames;
let keepPictures = false;

before(async () => {
  desktopFrames = fs.mkdtempSync(path.join(os.tmpdir(), 'plorvik-desktop-frames-'));
  // The desktop game's own renderer, OpenGL, here Mesa's without a display.
  execFileSync(path.join(DESKTOP_BUILD, 'tests/plorvik_desktop_frames'), [SCRIPT, desktopFrames], {
    cwd: REPO,
    stdio: ['ignore', 'ignore', 'pipe'],
    env: { ...process.env, SDL_VIDEODRIVER: 'offscreen', SDL_RENDER_DRIVER: 'opengl' },
  });
});

after(() => {
  if (!keepPictures) fs.rmSync(desktopFrames, { recursive: true, force: true });
});

// Viewports, in turn on one page as a phone turns: the picture's size in device pixels,
// a whole multiple of 320x240 from 2x up, else as large as fits; all of it inside the
// viewport with the status line, and the touch controls too where there are any.
const PHONE = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const VIEWPORTS = [
  { name: 'phone, portrait', width: 390, height: 844, ...PHONE, picture: [960, 720] },
  { name: 'phone, landscape', width: 844, height: 390, ...PHONE, picture: [1280, 960] },
  { name: 'tablet', width: 1024, height: 768, deviceScaleFactor: 2, hasTouch: true, picture: [1920, 1440] },
  { name: 'laptop', width: 1280, height: 600, picture: [640, 480] },
  { name: 'desktop', width: 1920, height: 1080, picture: [1280, 960] },
  { name: 'smallest', width: 320, height: 240, picture: [288, 216] },
  { name: 'largest', width: 3840, height: 2160, picture: [2560, 1920] },
];

function pictureOnScreen() {
  const inside = (r) => r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
  const picture = document.querySelector('canvas').getBoundingClientRect();
  const buttons = [...document.querySelectorAll('#touch button')].map((b) => b.getBoundingClientRect())
    .filter((r) => r.width > 0);
  return {
    picture: [picture.width * devicePixelRatio, picture.height * devicePixelRatio].map(Math.round),
    inside: inside(picture) && inside(document.getElementById('bar').getBoundingClientRect()) &&
      buttons.every(inside),
    buttons: buttons.filter((r) => r.width >= 48 && r.height >= 48).length,
    scrolls: document.documentElement.scrollHeight > innerHeight || document.documentElement.scrollWidth > innerWidth,
  };
}

test('the picture fits every viewport, and the page keeps the game keys to itself', async () => {
  const { page, errors } = await openGame(shared.browser, shared.site);
  assert.equal(await page.title(), 'Plorvik');
  const sizes = {};
  for (const { name, picture, ...viewport } of VIEWPORTS) {
    // Firefox takes no touch emulation.
    const touch = viewport.hasTouch && !FIREFOX;
    await page.setViewport({ ...viewport, isMobile: touch && viewport.isMobile, hasTouch: touch });
    // Laid out again by the next frame.
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
    assert.deepEqual(await page.evaluate(pictureOnScreen),
      { picture, inside: true, buttons: touch ? 5 : 0, scrolls: false }, name);
    sizes[name] = `${picture[0]}x${picture[1]} (${(picture[0] / 320).toFixed(2)}x)`;
  }
  console.log('the picture in device pixels:', JSON.stringify(sizes));
  await page.setViewport({ width: 1024, height: 768 });
  for (const key of ['ArrowDown', ' ', 'PageDown', 'End']) await page.keyboard.press(key);
  assert.equal(await page.evaluate(() => window.scrollY), 0);
  assert.deepEqual(errors, []);
  await page.close();
});

// A browser without what the game needs: the page says so in words and loads no game.
const LACKS = {
  WebAssembly: { hide: () => { delete window.WebAssembly; }, says: 'This browser cannot run WebAssembly' },
  WebGL: {
    hide: () => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return kind.startsWith('webgl') ? null : getContext.call(this, kind, ...rest);
      };
    },
    says: 'This browser gives no WebGL',
  },
};
for (const [what, { hide, says }] of Object.entries(LACKS)) {
  test(`without ${what} the page says so`, async () => {
    const { page, errors } = await openGame(shared.browser, shared.site, { beforeLoad: (p) => p.evaluateOnNewDocument(hide) });
    assert.ok((await page.$eval('#status', (e) => e.textContent)).startsWith(says));
    assert.equal(await page.evaluate(() => typeof window.Module.calledRun), 'undefined', 'the game was loaded');
    assert.deepEqual(errors, []);
    await page.close();
  });
}

// Runs before the page's scripts: a standard-mapping pad behind the Gamepad API, its
// buttons set by window.plorvikPress(button, down).
function plugInPad() {
  const pad = {
    // Chromium's form of id. SDL 2.26 builds the pad's GUID from the id and takes it for
    // another kind of pad when the id's 11th character is r, h, w or v.
    id: 'Plorvik pad (STANDARD GAMEPAD Vendor: 1209 Product: 0001)', index: 0, connected: true, mapping: 'standard', timestamp: 1,
    axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  navigator.getGamepads = () => [pad, null, null, null];
  window.plorvikPress = (button, down) => {
    pad.buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 };
    pad.timestamp += 1; // SDL reads a pad again only when its timestamp moves
  };
}

// The standard mapping's buttons, as the desktop's virtual pad presses SDL's.
const PAD_BUTTONS = { fire: 0, pause: 9, left: 14, right: 15 };
// The touch controls, found by their accessible names, each held by a finger of its own.
const TOUCH_BUTTONS = { fire: 'Fire', pause: 'Pause', left: 'Turn left', right: 'Turn right' };
const fingers = new Map();
async function touch(page, what, down) {
  if (!down) {
    await fingers.get(what).end();
    fingers.delete(what);
    return;
  }
  const box = await (await page.$(`::-p-aria(${TOUCH_BUTTONS[what]})`)).boundingBox();
  fingers.set(what, await page.touchscreen.touchStart(box.x + box.width / 2, box.y + box.height / 2));
}

const INPUTS = {
  keyboard: {
    startsSound: true,
    press: (page, what, down) => (down ? page.keyboard.down(KEYS[what]) : page.keyboard.up(KEYS[what])),
  },
  'a controller': {
    beforeLoad: (page) => page.evaluateOnNewDocument(plugInPad),
    press: (page, what, down) => page.evaluate((b, d) => window.plorvikPress(b, d), PAD_BUTTONS[what], down),
  },
  'touch on a phone': {
    skip: FIREFOX && 'Firefox takes no touch emulation',
    startsSound: true,
    beforeLoad: (page) => page.setViewport(VIEWPORTS.find((v) => v.name === 'phone, landscape')),
    press: touch,
  },
};

for (const [input, { skip, beforeLoad, press, startsSound }] of Object.entries(INPUTS)) test(`${input} starts a game, turns, fires, pauses and resumes as on the desktop`, { skip }, async () => {
  const { page, errors } = await openGame(shared.browser, shared.site, { stepped: true, beforeLoad });
  const script = readScript();
  const differences = {};
  let frame = 0;
  for (const n of [...new Set(script.map((s) => s.frame))]) {
    frame += await step(page, n - 1 - frame);
    // Keys and buttons go down or up before frame n runs; its picture is kept after.
    for (const s of script.filter((s) => s.frame === n && s.action !== 'shot')) {
      await press(page, s.what, s.action === 'down');
    }
    const shown = await stepAndCapture(page);
    frame += 1;
    for (const s of script.filter((s) => s.frame === n && s.action === 'shot')) {
      differences[s.what] = difference(shown, readPicture(path.join(desktopFrames, `${s.what}.png`)));
      // Kept beside the desktop's, for a look when the test fails.
      fs.writeFileSync(path.join(desktopFrames, `${s.what}-browser.png`), PNG.sync.write(shown));
    }
  }
  // The title is drawn over black and matches exactly. The GPUs behind WebGL and behind
  // the desktop's OpenGL round two things apart: the blend of glyph edges over the ground,
  // by one level, and the edge pixels of a rotated shot. A plane or shot out of place or
  // missing differs in a hundred pixels or more.
  assert.deepEqual(differences.title, { pixels: 0, far: 0, levels: 0, box: null });
  for (const [shot, d] of Object.entries(differences)) {
    keepPictures ||= d.far > FAR_PIXELS_OF_ROTATED_EDGES;
    assert.ok(d.far <= FAR_PIXELS_OF_ROTATED_EDGES, `${shot}: ${d.far} pixels differ by more than a level ` +
      `(up to ${d.levels}) in ${d.box}; the pictures are in ${desktopFrames}`);
  }
  console.log(`with ${input}, how the pictures differ from the desktop game's:`, JSON.stringify(differences));
  if (startsSound && !NO_SOUND_IN_FIREFOX) assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'running');
  if (press === touch) {
    // The touch buttons give way to a key, and come back at the next touch.
    const shown = () => page.$eval('#touch', (e) => getComputedStyle(e).display !== 'none');
    await page.keyboard.press('KeyX');
    assert.equal(await shown(), false, 'the buttons stay after a key');
    await page.touchscreen.tap(400, 200);
    assert.equal(await shown(), true, 'the buttons stay away after a touch');
  }
  assert.deepEqual(errors, []);
  await page.close();
});

// In full screen the picture is centred, the largest whole multiple of 320x240 that fits
// the screen: 1920x1080, Xvfb's for Firefox (tools/web test starts it so), and headless
// Chromium's as launched. The page gets a window, as a player has, rather than an
// emulated viewport, which full screen would keep.
const FULL_SCREEN_PICTURE = { left: 320, top: 60, width: 1280, height: 960 };
const useTheWindow = (page) => page.setViewport(null);

async function pictureWhen(page, predicate, value = null) {
  const picture = () => {
    const r = document.querySelector('canvas').getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  };
  await page.waitForFunction(`(${predicate})((${picture})(), ${JSON.stringify(value)})`, { polling: 50, timeout: PATIENCE_MS })
    .catch(() => {});
  return page.evaluate(picture);
}

// Escape, or the page closing, in a window or after left Alt + Enter took the game full
// screen: the game shuts down, the page says so, and nothing throws on the way. In full
// screen the picture fills the screen; a first Escape leaves full screen, and the picture
// takes the page's size again.
for (const fullScreen of [false, true]) {
  for (const how of ['Escape', 'the page closing']) {
    test(`${how} ends the game${fullScreen ? ' in full screen' : ''}`, async () => {
      const { page, errors } = await openGame(shared.browser, shared.site, { stepped: true, beforeLoad: fullScreen && useTheWindow });
      await step(page, 10);
      if (fullScreen) {
        const windowed = await pictureWhen(page, () => true);
        await page.keyboard.down('AltLeft');
        await page.keyboard.press('Enter');
        await page.keyboard.up('AltLeft');
        assert.deepEqual(await pictureWhen(page, (p) => document.fullscreenElement?.id === 'game' && p.width === 1280),
          FULL_SCREEN_PICTURE);
        if (how === 'Escape') {
          await page.keyboard.press('Escape');
          assert.deepEqual(await pictureWhen(page, (p, w) => !document.fullscreenElement && p.width === w.width, windowed),
            windowed);
          assert.equal(await step(page, 1), 1, 'the game ended with leaving full screen');
        }
      }
      if (how === 'Escape') {
        await page.keyboard.down('Escape');
        await step(page, 1);
        await page.keyboard.up('Escape');
      } else {
        await page.evaluate(() => window.dispatchEvent(new Event('beforeunload')));
      }
      await page.waitForFunction(() => {
        window.plorvikStep(1);
        return document.getElementById('status').textContent.startsWith('Plorvik has ended.');
      }, { polling: 50, timeout: PATIENCE_MS });
      assert.equal(await step(page, 1), 0, 'the loop goes on');
      assert.deepEqual(errors, []);
      await page.close();
    });
  }
}

// After one visit the game's files are kept: with the server gone, a reload shows the title.
// While it is up, asking again for a file the browser has costs no download.
test('after one visit the game starts without a network', async () => {
  const site = await startSite();
  const { page, errors, loopStarted } = await openGame(shared.browser, site, { stepped: true });
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  if (!FIREFOX) {
    // The manifest, its icons and the service worker make the page one Chromium installs,
    // but for the test's browser context, which counts as incognito.
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito'), []);
  }
  const wasm = await fetch(`${site.url}plorvik.wasm`);
  const again = await fetch(`${site.url}plorvik.wasm`, { headers: { 'If-None-Match': wasm.headers.get('ETag') } });
  assert.equal(again.status, 304);
  site.server.closeAllConnections();
  await new Promise((done) => site.server.close(done));
  await page.reload({ waitUntil: 'load', timeout: PATIENCE_MS });
  await loopStarted(2);
  await step(page, 199);
  const title = difference(await stepAndCapture(page), readPicture(path.join(desktopFrames, 'title.png')));
  assert.deepEqual(title, { pixels: 0, far: 0, levels: 0, box: null });
  assert.deepEqual(errors, []);
  await page.close();
});
