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
  DESKTOP_BUILD, PATIENCE_MS, REPO, difference, openGame, readPicture, siteAndChromium, step, stepAndCapture,
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

const chromium = siteAndChromium();
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

test('the page is titled, fits without scroll bars and keeps the game keys to itself', async () => {
  const { page, errors } = await openGame(chromium.browser, chromium.site);
  assert.equal(await page.title(), 'Plorvik');
  const fits = await page.evaluate(() => ({
    scroll: document.documentElement.scrollHeight <= window.innerHeight &&
            document.documentElement.scrollWidth <= window.innerWidth,
    canvas: [document.querySelector('canvas').clientWidth, document.querySelector('canvas').clientHeight],
  }));
  assert.deepEqual(fits, { scroll: true, canvas: [640, 480] });
  for (const key of ['ArrowDown', 'Space', 'PageDown', 'End']) await page.keyboard.press(key);
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
    const { page, errors } = await openGame(chromium.browser, chromium.site, { beforeLoad: (p) => p.evaluateOnNewDocument(hide) });
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
const INPUTS = {
  keyboard: { press: (page, what, down) => (down ? page.keyboard.down(KEYS[what]) : page.keyboard.up(KEYS[what])) },
  'a controller': {
    beforeLoad: (page) => page.evaluateOnNewDocument(plugInPad),
    press: (page, what, down) => page.evaluate((b, d) => window.plorvikPress(b, d), PAD_BUTTONS[what], down),
  },
};

for (const [input, { beforeLoad, press }] of Object.entries(INPUTS)) test(`${input} starts a game, turns, fires, pauses and resumes as on the desktop`, async () => {
  const { page, errors } = await openGame(chromium.browser, chromium.site, { stepped: true, beforeLoad });
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
  assert.deepEqual(errors, []);
  await page.close();
});

// Escape, or the page closing, in a window or after left Alt + Enter took the canvas full
// screen: the game shuts down, the page says so, and nothing throws on the way.
for (const fullScreen of [false, true]) {
  for (const how of ['Escape', 'the page closing']) {
    test(`${how} ends the game${fullScreen ? ' in full screen' : ''}`, async () => {
      const { page, errors } = await openGame(chromium.browser, chromium.site, { stepped: true });
      await step(page, 10);
      if (fullScreen) {
        await page.keyboard.down('AltLeft');
        await page.keyboard.down('Enter');
        await step(page, 1);
        // The browser grants full screen in the handler of the next key event.
        await page.keyboard.up('Enter');
        await page.keyboard.up('AltLeft');
        await page.waitForFunction(() => document.fullscreenElement?.id === 'canvas',
          { polling: 50, timeout: PATIENCE_MS });
      }
      if (how === 'Escape') {
        await page.keyboard.down('Escape');
        await step(page, 1);
        await page.keyboard.up('Escape');
      } else {
        await page.evaluate(() => window.dispatchEvent(new Event('beforeunload')));
      }
      // Leaving full screen takes the browser a moment; animation frames go on meanwhile.
      await page.waitForFunction(() => {
        window.plorvikStep(1);
        return document.getElementById('status').textContent.startsWith('Plorvik has ended.');
      }, { polling: 50, timeout: PATIENCE_MS });
      assert.equal(await step(page, 1), 0, 'the loop goes on');
      assert.equal(await page.evaluate(() => document.fullscreenElement), null);
      assert.deepEqual(errors, []);
      await page.close();
    });
  }
}
