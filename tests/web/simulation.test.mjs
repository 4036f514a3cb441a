// SPDX-License-Identifier: Zlib
// The simulation in the browser matches the desktop's to the last bit: the same scripted
// input prints the same world after every frame, every number as a hex float. The run is
// long enough to reach the first enemy heading that glibc's sinf and the browser's round
// apart (frame 10,679, had the heading still come from sinf).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import { test } from 'node:test';
import { DESKTOP_BUILD, PATIENCE_MS, runInPage, siteAndBrowser } from './browser.mjs';

const FRAMES = '30000';

const shared = siteAndBrowser();


test('30,000 scripted frames leave the same world as on the desktop', { timeout: PATIENCE_MS }, async () => {
  const desktop = execFileSync(path.join(DESKTOP_BUILD, 'tests/trace/plorvik_world_trace'), [FRAMES],
    { encoding: 'utf8', maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'ignore'] }).split('\n');
  if (desktop.at(-1) === '') desktop.pop();
  const web = await runInPage(shared, 'plorvik_world_trace', [FRAMES]);
  const firstDifference = desktop.findIndex((line, i) => line !== web[i]);
  assert.equal(firstDifference, -1,
    `the traces part at line ${firstDifference + 1}:\ndesktop: ${desktop[firstDifference]}\nbrowser: ${web[firstDifference]}`);
  assert.equal(web.length, desktop.length);
  assert.ok(desktop.length >= Number(FRAMES), `only ${desktop.length} lines`);
});
