// SPDX-License-Identifier: Zlib
// A missing asset: the page's console gets the lines the desktop game logs, and the game
// goes on.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { DESKTOP_BUILD, REPO, openGame, step, siteAndBrowser } from './browser.mjs';

const FRAMES = 300; // past the title's slide, into the wait for a key

const shared = siteAndBrowser();


// The desktop game's lines about `name`, run in a folder whose assets lack it.
function desktopLines(name) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'plorvik-missing-'));
  try {
    fs.cpSync(path.join(REPO, 'assets'), path.join(dir, 'assets'), { recursive: true });
    fs.rmSync(path.join(dir, 'assets', name));
    fs.writeFileSync(path.join(dir, 'script.txt'), `${FRAMES} shot last\n`);
    const run = spawnSync(path.join(DESKTOP_BUILD, 'tests/plorvik_desktop_frames'), ['script.txt', '.'],
      { cwd: dir, encoding: 'utf8' });
    assert.equal(run.status, 0, run.stderr);
    return run.stderr.split('\n').filter((line) => line.includes(name));
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// The packed assets' table in plorvik.js names each file; renaming one hides it.
async function hideAsset(page, name) {
  await page.setRequestInterception(true);
  page.on('request', async (request) => {
    if (!request.url().endsWith('/plorvik.js')) {
      request.continue();
      return;
    }
    const script = await (await fetch(request.url())).text();
    const hidden = script.replace(`"/assets/${name}"`, `"/assets/${name}.hidden"`);
    assert.notEqual(hidden, script, `plorvik.js names no /assets/${name}`);
    request.respond({ status: 200, contentType: 'text/javascript', body: hidden });
  });
}

for (const name of ['sprites.png', 'bg.dat', 'player_shot.wav', 'gamecontrollerdb.txt']) {
  test(`without ${name} the console says what the desktop says, and the game goes on`, async () => {
    const expected = desktopLines(name);
    assert.notEqual(expected.length, 0, `the desktop game says nothing of ${name}`);
    const { page, log, errors } = await openGame(shared.browser, shared.site, {
      stepped: true,
      beforeLoad: (p) => hideAsset(p, name),
    });
    assert.equal(await step(page, FRAMES), FRAMES);
    assert.deepEqual(log.filter((line) => line.includes(name)), expected);
    assert.deepEqual(errors, []);
    await page.close();
  });
}
